#include "core/motion/PoseEditor.h"

#include <algorithm>
#include <cmath>

#include "core/comm/EventPump.h"
#include "core/motion/LinkActions.h"
#include "core/util/NumberText.h"
#include "core/util/RoundHalfEven.h"

namespace brv3 {
namespace {

constexpr int32_t kSpeedMinimum = 1;
constexpr int32_t kSpeedMaximum = 255;
constexpr uint16_t kWordSpeedEnd = 0x8087;  // first STRETCH word
constexpr uint16_t kWordStretchEnd = 0x8106;
constexpr int kSpeedBarGesture = 25;
constexpr int kSpeedStretchGestureBase = 100;

std::optional<int64_t> EditInteger(const std::string& text) {
  return ParseDecimalInteger(TrimBlanks(text));
}

}  // namespace

ChannelKind ChannelKindOf(uint16_t word) {
  if (word == 0) return ChannelKind::None;
  if (word <= 0x7FFF) return ChannelKind::Servo;
  if (word <= kWordH) return ChannelKind::Level;
  if (word <= 0x8005) return ChannelKind::FreeSet;
  if (word >= kWordSpeedBase && word <= kWordStretchEnd) return ChannelKind::SpeedStretch;
  return ChannelKind::None;
}

uint16_t RadioWord(ChannelRadio radio) {
  switch (radio) {
    case ChannelRadio::High:
      return kWordH;
    case ChannelRadio::Low:
      return kWordL;
    case ChannelRadio::Free:
      return kWordFree;
    case ChannelRadio::Set1:
      return 0x8003;
    case ChannelRadio::Set2:
      return 0x8004;
    case ChannelRadio::Set3:
      return 0x8005;
  }
  return 0;
}

std::string ChartPoseTarget::Name() const {
  return chart_.ValidObject(index_) ? chart_.Objects[static_cast<size_t>(index_)].Name
                                    : std::string();
}

PoseRecord ChartPoseTarget::Pose() const {
  PoseRecord pose;
  if (!chart_.ValidObject(index_)) return pose;
  const ChartObject& object = chart_.Objects[static_cast<size_t>(index_)];
  pose.Head = object.Head;
  pose.Values = object.Values;
  return pose;
}

void ChartPoseTarget::StorePose(const PoseRecord& pose, int) {
  if (!chart_.ValidObject(index_)) return;
  ChartObject& object = chart_.Objects[static_cast<size_t>(index_)];
  object.Head = pose.Head;
  object.Values = pose.Values;
}

PoseEditor::PoseEditor(PoseEditorBoard& board, std::function<bool()> sync, EventPump* pump)
    : board_(board), sync_(std::move(sync)), pump_(pump) {}

int64_t PoseEditor::DisplayedValue(int32_t position, double factor) {
  const double shown = (position - kPositionCenter) * factor;
  if (!std::isfinite(shown) || std::fabs(shown) > 1e15) return 0;
  return RoundHalfEven(shown);
}

void PoseEditor::Open(PoseTarget* target) {
  target_ = target;
  pendingRelease_.reset();  // the chosen link stays chosen for the next object
  if (target_ == nullptr) return;
  const PoseRecord pose = target_->Pose();
  caption_ = target_->Name();
  speedBar_ = std::clamp<int32_t>(pose.Head, kSpeedMinimum, kSpeedMaximum);
  speedEdit_ = std::to_string(speedBar_);
  const bool sync = sync_ && sync_();
  if (sync) {
    if (std::optional<ChannelMask> mask = board_.ReadSerialServoMask()) ApplySerialServoMask(*mask);
  }
  for (int c = 1; c <= kChannels; ++c) {
    const uint16_t word = pose.Values[Slot(c)];
    ShowWord(c, word);
    SetKind(c, ChannelKindOf(word));
  }
  if (!sync) return;
  const bool allZero =
      std::all_of(pose.Values.begin(), pose.Values.end(), [](uint16_t w) { return w == 0; });
  if (allZero) ReadPose();
  board_.WritePose(BuildRecord());
}

void PoseEditor::ApplySerialServoMask(const ChannelMask& mask) {
  serialMask_ = mask;
  for (int c = 1; c <= kChannels; ++c) {
    ChannelPanelState& ch = channels_[Slot(c)];
    ch.Range = MaskHasChannel(mask, c) ? kSerialServoRange : kPulseServoRange;
    ch.Position = std::clamp(ch.Position, ch.Range.minimum, ch.Range.maximum);
  }
}

void PoseEditor::SetScaleFactor(int channel, double factor) {
  if (!ValidChannel(channel)) return;
  ChannelPanelState& ch = channels_[Slot(channel)];
  ch.ScaleFactor = factor;
  if (ch.Kind == ChannelKind::Servo || ch.Kind == ChannelKind::FreeSet) ShowPositionValue(channel);
  SetKind(channel, ch.Kind);
}

void PoseEditor::SetKind(int channel, ChannelKind kind) {
  if (!ValidChannel(channel)) return;
  ChannelPanelState& ch = channels_[Slot(channel)];
  ch.Kind = kind;
  const bool scaled = ch.ScaleFactor != 1.0 && ch.ScaleFactor != -1.0;
  ch.EditColor = (kind == ChannelKind::Servo || kind == ChannelKind::FreeSet) && scaled
                     ? kEditAqua
                     : kEditWhite;
}

void PoseEditor::SetPosition(int channel, int32_t position) {
  ChannelPanelState& ch = channels_[Slot(channel)];
  ch.Position = std::clamp(position, ch.Range.minimum, ch.Range.maximum);
}

void PoseEditor::SetSpeedStretch(int channel, int32_t value) {
  channels_[Slot(channel)].SpeedStretch =
      std::clamp(value, kSpeedStretchMinimum, kSpeedStretchMaximum);
}

void PoseEditor::ShowPositionValue(int channel) {
  ChannelPanelState& ch = channels_[Slot(channel)];
  ch.EditText = std::to_string(DisplayedValue(ch.Position, ch.ScaleFactor));
}

void PoseEditor::ShowWord(int channel, uint16_t word) {
  if (!ValidChannel(channel)) return;
  ChannelPanelState& ch = channels_[Slot(channel)];
  if (word >= kWordSpeedBase) {
    ch.Radios.fill(false);
    if (word < kWordSpeedEnd) {
      SetSpeedStretch(channel, word - kWordSpeedBase);
      ch.SpeedStretchLabel = "SP";
      ch.EditText = std::to_string(ch.SpeedStretch);
    } else if (word <= kWordStretchEnd) {
      SetSpeedStretch(channel, word - kWordStretchBase);
      ch.SpeedStretchLabel = "ST";
      ch.EditText = std::to_string(ch.SpeedStretch);
    }
  } else if (word >= kWordL) {
    // The six buttons are one group: checking one clears the others. 0x8006 has no button.
    if (word != kWordCapture) {
      ch.Radios.fill(false);
      for (int r = 0; r < kChannelRadios; ++r)
        if (RadioWord(static_cast<ChannelRadio>(r)) == word)
          ch.Radios[static_cast<size_t>(r)] = true;
    }
  } else {
    ch.Radios.fill(false);
    if (word != 0) {
      SetPosition(channel, word);
      ShowPositionValue(channel);
    }
  }
}

uint16_t PoseEditor::SpeedStretchWord(int channel) const {
  const ChannelPanelState& ch = Channel(channel);
  if (ch.SpeedStretchLabel == "SP") return static_cast<uint16_t>(ch.SpeedStretch + kWordSpeedBase);
  if (ch.SpeedStretchLabel == "ST")
    return static_cast<uint16_t>(ch.SpeedStretch + kWordStretchBase);
  return 0;
}

PoseRecord PoseEditor::BuildRecord() const {
  PoseRecord record;
  record.Head = static_cast<uint8_t>(speedBar_);
  for (int c = 1; c <= kChannels; ++c) {
    const ChannelPanelState& ch = Channel(c);
    const auto radio = [&ch](ChannelRadio r) { return ch.Radios[static_cast<size_t>(r)]; };
    uint16_t word = 0;
    switch (ch.Kind) {
      case ChannelKind::None:
        break;
      case ChannelKind::Servo:
        word = static_cast<uint16_t>(ch.Position);
        break;
      case ChannelKind::Level:
        word = radio(ChannelRadio::High) ? kWordH : kWordL;
        break;
      case ChannelKind::FreeSet:
        for (ChannelRadio r :
             {ChannelRadio::Set3, ChannelRadio::Set2, ChannelRadio::Set1, ChannelRadio::Free}) {
          if (radio(r)) {
            word = RadioWord(r);
            break;
          }
        }
        break;
      case ChannelKind::SpeedStretch:
        word = SpeedStretchWord(c);
        break;
    }
    record.Values[Slot(c)] = word;
  }
  return record;
}

void PoseEditor::LoadRecord(const PoseRecord& record) {
  speedBar_ = std::clamp<int32_t>(record.Head, kSpeedMinimum, kSpeedMaximum);
  speedEdit_ = std::to_string(speedBar_);
  PoseRecord stored = record;
  stored.Head = static_cast<uint8_t>(speedBar_);
  for (int c = 1; c <= kChannels; ++c) {
    ShowWord(c, record.Values[Slot(c)]);
    SetKind(c, ChannelKindOf(record.Values[Slot(c)]));
  }
  if (target_ != nullptr) target_->StorePose(stored, 0);
}

void PoseEditor::StoreWord(int channel, uint16_t word, int gesture) {
  if (target_ == nullptr) return;
  PoseRecord pose = target_->Pose();
  pose.Values[Slot(channel)] = word;
  target_->StorePose(pose, gesture);
}

void PoseEditor::StoreHead(uint8_t head) {
  if (target_ == nullptr) return;
  PoseRecord pose = target_->Pose();
  pose.Head = head;
  target_->StorePose(pose, kSpeedBarGesture);
}

void PoseEditor::SendLive(int channel, uint16_t word) {
  if (sync_ && sync_()) board_.SetServoLive(channel, word);
}

bool PoseEditor::BusySection(SliderMove move, const std::function<void(int32_t)>& apply) {
  if (scrollBusy_) {
    // Only reached from the event pump of the move being sent, which is already running the
    // pending events: pumping again here would nest one event loop per queued move. The newest
    // position is kept for the move being sent.
    refusedMove_ = move;
    return false;
  }
  scrollBusy_ = true;
  if (pump_ != nullptr) pump_->Pump();
  // The slider stands where the newest move took it; the frame goes there, not to where the
  // pointer was before the queued moves.
  int32_t sent = NewestValue(move);
  apply(sent);
  // A move that came while the frame was on its way is followed up, so that the board does not
  // stay behind a slider the user holds still.
  while (refusedMove_) {
    const int32_t newest = NewestValue(move);
    if (newest == sent) break;
    apply(newest);
    sent = newest;
  }
  refusedMove_.reset();
  scrollBusy_ = false;
  ApplyPendingReleases();
  return true;
}

int32_t PoseEditor::NewestValue(const SliderMove& move) {
  std::optional<SliderMove> refused = std::exchange(refusedMove_, std::nullopt);
  const bool sameSlider =
      refused && refused->speedStretch == move.speedStretch && refused->channel == move.channel;
  return sameSlider ? refused->value : move.value;
}

void PoseEditor::ApplyPendingReleases() {
  // A release that came during a send: the last position the user let go of wins.
  while (pendingRelease_) {
    const SliderMove release = *pendingRelease_;
    pendingRelease_.reset();
    if (release.speedStretch)
      SpeedStretchSliderReleased(release.channel, release.value);
    else
      PositionSliderReleased(release.channel, release.value);
  }
}

bool PoseEditor::PositionSliderMoved(int channel, int32_t position) {
  if (!ValidChannel(channel)) return false;
  return BusySection({false, channel, position}, [this, channel](int32_t position) {
    SetPosition(channel, position);
    ShowPositionValue(channel);
    const auto word = static_cast<uint16_t>(Channel(channel).Position);
    StoreWord(channel, word, channel);
    SendLive(channel, word);
  });
}

void PoseEditor::PositionSliderReleased(int channel, int32_t position) {
  if (!ValidChannel(channel)) return;
  if (scrollBusy_) {
    pendingRelease_ = SliderMove{false, channel, position};
    return;
  }
  PositionSliderMoved(channel, position);
  if (target_ != nullptr) target_->EndGesture();
}

bool PoseEditor::SpeedStretchSliderMoved(int channel, int32_t value) {
  if (!ValidChannel(channel)) return false;
  return BusySection({true, channel, value}, [this, channel](int32_t value) {
    SetSpeedStretch(channel, value);
    ChannelPanelState& ch = channels_[Slot(channel)];
    ch.EditText = std::to_string(ch.SpeedStretch);
    const auto word = static_cast<uint16_t>(
        ch.SpeedStretch + (ch.SpeedStretchLabel == "SP" ? kWordSpeedBase : kWordStretchBase));
    StoreWord(channel, word, kSpeedStretchGestureBase + channel);
    SendLive(channel, word);
  });
}

void PoseEditor::SpeedStretchSliderReleased(int channel, int32_t value) {
  if (!ValidChannel(channel)) return;
  if (scrollBusy_) {
    pendingRelease_ = SliderMove{true, channel, value};
    return;
  }
  SpeedStretchSliderMoved(channel, value);
  if (target_ != nullptr) target_->EndGesture();
}

void PoseEditor::EditEntered(int channel, const std::string& text) {
  if (!ValidChannel(channel)) return;
  ChannelPanelState& ch = channels_[Slot(channel)];
  uint16_t word;
  if (ch.Kind == ChannelKind::SpeedStretch) {
    const std::optional<int64_t> v = EditInteger(text);
    SetSpeedStretch(channel, v ? static_cast<int32_t>(std::clamp<int64_t>(*v, -1000000, 1000000))
                               : ch.SpeedStretch);
    ch.EditText = std::to_string(ch.SpeedStretch);
    word = static_cast<uint16_t>(
        ch.SpeedStretch + (ch.SpeedStretchLabel == "ST" ? kWordStretchBase : kWordSpeedBase));
  } else {
    const std::optional<int64_t> typed = EditInteger(text);
    const double d = typed ? static_cast<double>(*typed)
                           : static_cast<double>(DisplayedValue(ch.Position, ch.ScaleFactor));
    // A factor of 0 shows every position as 0 and cannot be divided by: the position stays.
    const double offset = d / ch.ScaleFactor;
    if (std::isfinite(offset)) {
      const double held = std::clamp(offset, -65536.0, 65536.0);
      SetPosition(channel, static_cast<int32_t>(RoundHalfEven(held)) + kPositionCenter);
    }
    ShowPositionValue(channel);
    word = static_cast<uint16_t>(ch.Position);
  }
  StoreWord(channel, word, 0);
  SendLive(channel, word);
}

void PoseEditor::RadioReleased(int channel, ChannelRadio radio, bool inside) {
  if (!ValidChannel(channel) || !inside) return;
  ChannelPanelState& ch = channels_[Slot(channel)];
  const uint16_t word = RadioWord(radio);
  ch.Radios.fill(false);
  ch.Radios[static_cast<size_t>(radio)] = true;
  StoreWord(channel, word, 0);
  if (!(sync_ && sync_())) return;
  board_.SetServoLive(channel, word);
  if (word < kWordFree || word > 0x8005) return;
  // The servo is now free or in a set state: show where it actually stands.
  Bytes positions;
  if (!board_.ReadServoPositions(positions) || positions.size() < 48) return;
  const size_t at = 2 * Slot(channel);
  const int32_t p = positions[at] << 8 | positions[at + 1];
  ch.EditText = std::to_string(DisplayedValue(p, ch.ScaleFactor));
  SetPosition(channel, p);
}

void PoseEditor::TypeChosen(int channel, int tag) {
  if (!ValidChannel(channel) || tag < kTypeNone || tag > kTypeStretch) return;
  static constexpr ChannelKind kKinds[] = {ChannelKind::None,         ChannelKind::Servo,
                                           ChannelKind::FreeSet,      ChannelKind::FreeSet,
                                           ChannelKind::FreeSet,      ChannelKind::FreeSet,
                                           ChannelKind::Level,        ChannelKind::Level,
                                           ChannelKind::SpeedStretch, ChannelKind::SpeedStretch};
  SetKind(channel, kKinds[tag]);
  uint16_t word = 0;
  switch (tag) {
    case kTypeNone:
      break;
    case kTypeServo:
      word = static_cast<uint16_t>(Channel(channel).Position);
      break;
    case kTypeFree:
      word = kWordFree;
      break;
    case kTypeSet1:
      word = 0x8003;
      break;
    case kTypeSet2:
      word = 0x8004;
      break;
    case kTypeSet3:
      word = 0x8005;
      break;
    case kTypeHigh:
      word = kWordH;
      break;
    case kTypeLow:
      word = kWordL;
      break;
    case kTypeSpeed:
    case kTypeStretch: {
      const std::optional<ChannelBytes> table =
          tag == kTypeSpeed ? board_.ReadSpeedTable() : board_.ReadStretchTable();
      if (table) {
        const uint8_t b = (*table)[Slot(channel)];
        word = static_cast<uint16_t>((tag == kTypeSpeed ? kWordSpeedBase : kWordStretchBase) +
                                     (b < 128 ? b : 0));
      }
      break;
    }
  }
  StoreWord(channel, word, 0);
  ShowWord(channel, word);
  SendLive(channel, word);
}

void PoseEditor::SpeedBarMoved(int32_t position) {
  speedBar_ = std::clamp(position, kSpeedMinimum, kSpeedMaximum);
  speedEdit_ = std::to_string(speedBar_);
  StoreHead(static_cast<uint8_t>(speedBar_));
}

void PoseEditor::SpeedEditEntered(const std::string& text) {
  const std::optional<int64_t> v = EditInteger(text);
  const int32_t speed =
      v && *v >= kSpeedMinimum && *v <= kSpeedMaximum ? static_cast<int32_t>(*v) : speedBar_;
  speedBar_ = speed;
  speedEdit_ = std::to_string(speed);
  if (target_ == nullptr) return;
  PoseRecord pose = target_->Pose();
  pose.Head = static_cast<uint8_t>(speed);
  target_->StorePose(pose, 0);
}

bool PoseEditor::WritePose() {
  return board_.WritePose(BuildRecord());
}

bool PoseEditor::ReadPose() {
  const std::optional<ChannelMask> mask = board_.ReadSerialServoMask();
  if (!mask) return false;
  ApplySerialServoMask(*mask);
  std::optional<PoseRecord> pose = board_.ReadLivePose();
  if (!pose) return false;
  pose->Head = static_cast<uint8_t>(speedBar_);
  LoadRecord(*pose);
  return true;
}

bool PoseEditor::ToggleSleep() {
  return board_.ToggleSleep();
}

bool PoseEditor::SetHomePosition() {
  return board_.WriteHomePosition(BuildRecord().Values);
}

void PoseEditor::LoadRestPose(const PoseRecord& record) {
  LoadRecord(record);
}

bool PoseEditor::IncrementLink(int direction) {
  if (!link_ || target_ == nullptr) return false;
  if (pump_ != nullptr) pump_->Pump();
  ChannelRanges ranges;
  for (int c = 1; c <= kChannels; ++c) ranges[Slot(c)] = Channel(c).Range;
  PoseRecord pose = target_->Pose();
  const std::optional<ChannelWords> words = brv3::IncrementLink(
      *link_, pose.Values, ranges, direction, sync_ && sync_() ? &board_ : nullptr);
  if (!words) return false;
  for (int c = 1; c <= kChannels; ++c) {
    SetKind(c, ChannelKindOf((*words)[Slot(c)]));
    ShowWord(c, (*words)[Slot(c)]);
  }
  pose.Values = *words;
  target_->StorePose(pose, 0);
  return true;
}

bool PoseEditor::Snapshot() {
  if (!link_) return false;
  const SnapshotResult result = brv3::Snapshot(*link_, BuildRecord(), board_);
  if (!result.load) return false;
  LoadRecord(*result.load);
  return true;
}

}  // namespace brv3
