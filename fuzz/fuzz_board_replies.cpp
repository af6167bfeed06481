// Plays a hostile or broken board to the host side: every read the host makes on the serial line
// is answered from the input, in chunks the input itself lays out. The input is a stream of
// operations; each starts with an operation byte and an argument byte, and the chunks its reads
// consume follow.
//
// Chunk layout, one control byte per ReadBytes call:
//   00nnnnnn  n bytes from the input (n = 63 means all that were asked for)
//   01xxxxxx  all bytes asked for, taken from the input as they are
//   10xxxxxx  all bytes asked for, the last one replaced by the sum of the others
//   11xxxxx0  nothing arrives (0 returned); 11xxxxx1: the read fails (-1)
// An input that runs out leaves the board silent.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "core/board/ChartRebuild.h"
#include "core/board/MotionTransfer.h"
#include "core/board/TableActions.h"
#include "core/chart/Chart.h"
#include "core/comm/BoardLink.h"
#include "core/comm/BoardMotionAdapter.h"
#include "core/comm/Frame.h"
#include "core/comm/MotionTable.h"
#include "core/comm/Notifications.h"
#include "core/comm/Port.h"
#include "core/comm/TableEntry.h"
#include "core/comm/VersionText.h"
#include "core/util/Prompter.h"

namespace {

class InputReader {
 public:
  InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
  size_t Take(uint8_t* out, size_t count) {
    const size_t n = std::min(count, size_ - at_);
    std::copy_n(data_ + at_, n, out);
    at_ += n;
    return n;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

class FuzzPort final : public brv3::Port {
 public:
  explicit FuzzPort(InputReader& in) : in_(in) {}

  bool IsOpen() const override { return true; }
  bool WriteBytes(const uint8_t* data, size_t count) override {
    if (count > 0 && data == nullptr) __builtin_trap();
    written_ += count;
    return true;
  }
  int ReadBytes(uint8_t* buffer, int count) override {
    if (count < 0) __builtin_trap();
    if (in_.Empty() || count == 0) return 0;
    const uint8_t control = in_.Byte();
    const size_t asked = static_cast<size_t>(count);
    switch (control >> 6) {
      case 0: {
        const size_t n = (control & 0x3F) == 0x3F ? asked : std::min<size_t>(control & 0x3F, asked);
        return static_cast<int>(in_.Take(buffer, n));
      }
      case 1:
        return static_cast<int>(in_.Take(buffer, asked));
      case 2: {
        const size_t got = in_.Take(buffer, asked);
        if (got == asked && asked > 1) buffer[asked - 1] = brv3::Checksum(buffer, asked - 1);
        return static_cast<int>(got);
      }
      default:
        return (control & 1) ? -1 : 0;
    }
  }
  void PurgeReceive() override {}
  void PurgeTransmit() override {}
  int TimeOutReceive() const override { return timeOut_; }
  void SetTimeOutReceive(int ms) override { timeOut_ = ms; }

 private:
  InputReader& in_;
  size_t written_ = 0;
  int timeOut_ = brv3::BoardLink::kReceiveTimeOut;
};

// Every command fails with an empty reply and succeeds with the whole payload of a reply of
// `length` bytes (its checksum byte dropped).
void CheckReply(bool ok, const brv3::Bytes& reply, size_t length) {
  if (!ok && !reply.empty()) __builtin_trap();
  if (ok && reply.size() != length - 1) __builtin_trap();
}

void CheckTable(const brv3::MotionTable& table) {
  if (table.Rows().size() != table.Entries().size()) __builtin_trap();
  if (table.Rows().size() > static_cast<size_t>(brv3::kTableEntries)) __builtin_trap();
  for (const brv3::Bytes& e : table.Entries())
    if (e.size() != brv3::TableEntry::kSize) __builtin_trap();
  std::string text;
  table.MotionListText(text);
  table.ScenarioListText(text);
}

void CheckChart(const brv3::Chart& chart) {
  for (const brv3::ChartLink& l : chart.Links) {
    if (l.Origin != -1 && !chart.ValidObject(l.Origin)) __builtin_trap();
    if (l.Final != -1 && !chart.ValidObject(l.Final)) __builtin_trap();
  }
  if (chart.Start != -1 && !chart.ValidObject(chart.Start)) __builtin_trap();
}

void ShowNotification(const std::optional<brv3::Notification>& n) {
  if (!n) return;
  if (const auto* p = std::get_if<brv3::PlaybackReport>(&*n)) {
    if (!std::is_sorted(p->Entries.begin(), p->Entries.end())) __builtin_trap();
    if (std::adjacent_find(p->Entries.begin(), p->Entries.end()) != p->Entries.end())
      __builtin_trap();
    if (std::find(p->Entries.begin(), p->Entries.end(), 255) != p->Entries.end()) __builtin_trap();
    if (p->Lines().size() != p->Entries.size()) __builtin_trap();
  } else if (const auto* a = std::get_if<brv3::AnalogReport>(&*n)) {
    (void)a->VoltageText();
    (void)a->InputTexts();
  } else if (const auto* r = std::get_if<brv3::RemoteReport>(&*n)) {
    (void)r->CodeText();
  }
}

void ReadEntryInto(brv3::BoardLink& link, brv3::MotionTable& table, int index, bool add) {
  brv3::Bytes reply;
  const bool ok = link.ReadTableEntry(index, reply);
  CheckReply(ok, reply, 43);
  if (!ok) return;
  const auto entry = brv3::TableEntry::Decode(reply);
  if (!entry) __builtin_trap();
  (void)brv3::EntryNameText(*entry);
  (void)brv3::DateText(entry->Date);
  if (entry->Encode().size() != brv3::TableEntry::kSize) __builtin_trap();
  (void)brv3::FormatTableRow(reply, index);
  table.ShowTableEntry(reply, index, add);
}

// The configuration reads and their reply lengths.
void ConfigRead(brv3::BoardLink& link, uint8_t which, uint8_t arg) {
  using brv3::Area;
  const Area area = (arg & 1) ? Area::Stored : Area::Working;
  const int channel = arg % 30;  // a few past the last channel too
  brv3::Bytes reply;
  bool ok = false;
  size_t length = 0;
  switch (which % 18) {
    case 0:
      ok = link.ReadTrim(area, reply), length = 49;
      break;
    case 1:
      ok = link.ReadChannelName(channel, reply), length = 33;
      break;
    case 2:
      ok = link.ReadSsvChannelMask(reply), length = 4;
      break;
    case 3:
      ok = link.ReadSvlChannelMask(reply), length = 4;
      break;
    case 4:
      ok = link.ReadStartMotions(reply), length = 3;
      break;
    case 5:
      ok = link.ReadAlarmMotion(reply), length = 4;
      break;
    case 6:
      ok = link.ReadAdSettings(area, reply), length = 19;
      break;
    case 7:
      ok = link.ReadMixTable(area, (arg >> 1) % 5, reply), length = 25;
      break;
    case 8:
      ok = link.ReadAdCalibration(area, reply), length = 7;
      break;
    case 9:
      ok = link.ReadPropoSettings(area, reply), length = 5;
      break;
    case 10:
      ok = link.ReadSvlEntryLong(channel, reply), length = 30;
      break;
    case 11:
      ok = link.ReadSvlEntryShort(channel, reply), length = 18;
      break;
    case 12:
      ok = link.ReadSpeedTable(reply), length = 25;
      break;
    case 13:
      ok = link.ReadStretchTable(reply), length = 25;
      break;
    case 14:
      ok = link.ReadRemoteCode(reply), length = 8;
      break;
    case 15:
      ok = link.ReadStopPositions(reply), length = 49;
      break;
    case 16:
      ok = link.ReadServoPositions(reply), length = 49;
      break;
    default:
      ok = link.ReadModeWord(area, reply), length = 3;
      break;
  }
  CheckReply(ok, reply, length);
}

int32_t TextWidth(const std::string& text) {
  return static_cast<int32_t>(text.size()) * 7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InputReader in(data, size);
  FuzzPort port(in);
  brv3::SilentPrompter prompter;
  brv3::BoardLink link(&port, &prompter);
  link.SetClock([] { return std::array<uint8_t, 4>{3, 7, 9, 5}; });
  brv3::MotionTable table;
  link.SetTableObserver(&table);
  brv3::BoardMotionAdapter adapter(link);
  brv3::NotificationBuffer notifications;
  brv3::Chart chart;

  for (int ops = 0; ops < 64 && !in.Empty(); ++ops) {
    const uint8_t op = in.Byte();
    const uint8_t arg = in.Byte();
    link.SetAttemptLimit(1 + (op >> 5) % 3);
    switch (op % 14) {
      case 0:
        ReadEntryInto(link, table, arg % 90, (op & 0x80) != 0);
        break;
      case 1: {
        brv3::Bytes reply;
        const auto area = (arg & 1) ? brv3::PoseArea::Memory : brv3::PoseArea::Live;
        const bool ok = link.ReadPose(area, arg >> 1, in.Byte(), reply);
        CheckReply(ok, reply, 50);
        if (ok && !brv3::PoseRecord::Unpack(reply)) __builtin_trap();
        break;
      }
      case 2: {
        brv3::Bytes reply;
        const bool ok = link.ReadVersion(reply);
        CheckReply(ok, reply, 65);
        const auto lines = brv3::VersionLines(reply);
        for (const std::string& line : lines) (void)line.size();
        break;
      }
      case 3:
        ConfigRead(link, op >> 4, arg);
        break;
      case 4: {
        const auto mode = static_cast<brv3::ModeSwitch>(arg % 3);
        switch ((op >> 4) % 6) {
          case 0:
            link.SetSleep(mode);
            break;
          case 1:
            link.SetMotionEnable(mode);
            break;
          case 2:
            link.SetReceiverReport(mode);
            break;
          case 3:
            link.SetRemoteInput(mode);
            break;
          case 4:
            link.SetAnalogReport(mode);
            break;
          default:
            link.SetSvlMode(mode);
            break;
        }
        break;
      }
      case 5: {
        const int index = arg % 90;
        if (op & 0x80) {
          link.ClearTableEntry(index);
        } else {
          const brv3::Bytes date(static_cast<size_t>(op >> 5) % 6, uint8_t{0x00});
          link.UpdateTableEntry(index, (op & 0x10) ? -1 : arg, -1, "walk \"fast\"",
                                brv3::EntryDate::FromText(date), (op & 0x20) ? -1 : 0x1234);
        }
        break;
      }
      case 6: {
        brv3::Bytes reply;
        const bool ok = link.ReadScenarioStep(arg % 6, in.Byte(), reply);
        CheckReply(ok, reply, 2);
        break;
      }
      case 7:
        switch ((op >> 4) % 5) {
          case 0:
            if (const auto slot = brv3::Slot::FromIndex(arg % 90)) link.PlayMotion(*slot);
            break;
          case 1:
            link.StopMotion();
            break;
          case 2:
            link.WriteModeWord(brv3::Area::Working, static_cast<uint16_t>(arg * 257));
            break;
          case 3:
            link.WriteScenarioStep(arg % 6, in.Byte(), in.Byte());
            break;
          default:
            link.SendExtendedSerial(arg, 0x01020304u);
            break;
        }
        break;
      case 8: {
        const int reported = static_cast<int>(arg) * 2 - 16;  // some negative, some past kMaxRead
        ShowNotification(notifications.ReceiveEvent(port, reported));
        if (notifications.Size() > brv3::NotificationBuffer::kMaxHeld) __builtin_trap();
        break;
      }
      case 9:
        if (brv3::RefreshMotionTable(link, table) && table.Rows().size() != 85) __builtin_trap();
        break;
      case 10: {
        brv3::MotionRead read;
        const auto slot = brv3::Slot::FromIndex(arg % 82 - 1);
        const bool ok = slot && brv3::ReadMotion(adapter, prompter, nullptr, *slot, read) ==
                                    brv3::ActionResult::Done;
        if (!ok && !read.steps.empty()) __builtin_trap();
        if (read.steps.size() != read.hexRows.size()) __builtin_trap();
        brv3::RebuildMotionChart(chart, read);
        CheckChart(chart);
        if (chart.Objects.size() > read.steps.size()) __builtin_trap();
        break;
      }
      case 11: {
        brv3::ScenarioRead read;
        const auto slot = brv3::Slot::FromIndex(78 + arg % 9);
        const bool ok =
            slot && brv3::ReadScenario(adapter, *slot, read) == brv3::ActionResult::Done;
        if (ok && read.motions.size() != static_cast<size_t>(read.entry.at(0))) __builtin_trap();
        brv3::RebuildScenarioChart(chart, read, adapter, TextWidth);
        CheckChart(chart);
        if (chart.Objects.size() != read.motions.size()) __builtin_trap();
        break;
      }
      case 12: {
        brv3::Bytes positions;
        const bool ok = adapter.ReadServoPositions(positions);
        if (ok && positions.size() != 48) __builtin_trap();
        if (!ok && !positions.empty()) __builtin_trap();
        brv3::Bytes pose;
        const auto area = (arg & 1) ? brv3::PoseArea::Memory : brv3::PoseArea::Live;
        const bool poseOk = adapter.ReadPose(area, arg >> 1, in.Byte(), pose);
        if (poseOk && pose.size() != brv3::PoseRecord::kSize) __builtin_trap();
        break;
      }
      default: {
        // Bytes the board sends on its own arrive straight from the input as well.
        uint8_t chunk[64];
        const size_t n = in.Take(chunk, arg % sizeof chunk);
        ShowNotification(notifications.ReceiveEvent(chunk, n));
        if (notifications.Size() > brv3::NotificationBuffer::kMaxHeld) __builtin_trap();
        break;
      }
    }
    CheckTable(table);
  }
  return 0;
}
