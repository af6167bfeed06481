#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/motion/PlaybackModel.h"
#include "core/util/Bytes.h"
#include "sim/BoardMemory.h"
#include "sim/Protocol.h"
#include "sim/ServoBank.h"

namespace brv3::sim {

constexpr Nanos kMillisecond = 1'000'000;
// Playback advances in ticks; a pose step lasts its speed byte times one tick.
constexpr Nanos kTick = kBoardTick;
constexpr Nanos kAnalogReportPeriod = 100 * kMillisecond;
// The remote-control report repeats at this period while its mode bit is set.
constexpr Nanos kRemoteReportPeriod = 100 * kMillisecond;

// The board's answer to one frame.
struct Reply {
  ReplyKind kind = ReplyKind::None;
  Bytes bytes;  // data and checksum, or the single ACK / NAK byte
};

// The board model: memory, settings, outputs and playback. It sees whole frames whose checksum
// is good; the byte stream around them is the engine's business.
class Board : private PlaybackMemory, private PlaybackOutputs {
 public:
  explicit Board(const FlashMemory& flash = FlashMemory::Defaults(), Nanos now = 0);
  // Playback keeps references to this board.
  Board(const Board&) = delete;
  Board& operator=(const Board&) = delete;

  Reply HandleFrame(const CommandInfo& info, const Bytes& frame, Nanos now);
  // Runs playback and the periodic reports up to `now`.
  void AdvanceTo(Nanos now);
  // Notifications produced so far, each a complete report.
  std::vector<Bytes> TakeNotifications();

  // A button of the remote control arrives with its code and the four transmitter values.
  void InjectRemote(uint16_t code, const std::array<uint8_t, 4>& values, Nanos now);
  // A hand moves freed servo `channel` (0 .. 23) to `position`; false when that servo is held
  // (not FREE) or the position is no servo position.
  bool MoveFreeServo(int channel, uint16_t position, Nanos now) {
    AdvanceTo(now);
    return servos_.MoveByHand(channel, position);
  }
  // Supply and the three analog inputs as raw 14-bit readings.
  void SetAnalogValues(const std::array<uint16_t, 4>& values) { player_.Inputs().analog = values; }

  const FlashMemory& Flash() const { return flash_; }
  const WorkingSettings& Working() const { return working_; }
  // True once something kept in flash changed since the last ClearFlashChanged.
  bool FlashChanged() const { return flashChanged_; }
  void ClearFlashChanged() { flashChanged_ = false; }
  bool Playing() const { return player_.Active(); }
  ChannelWords ServoPositions(Nanos now) const { return servos_.Positions(now); }
  const Record& LivePose() const { return livePose_; }
  static std::string VersionText();

 private:
  Reply Ack();
  Reply Nak();
  Reply Data(const uint8_t* data, size_t count);
  Reply Data(const Bytes& data) { return Data(data.data(), data.size()); }
  Reply DataWords(const ChannelWords& words);
  Reply HandlePoseCommand(const Bytes& f, Nanos now);
  Reply HandleConfigCommand(const Bytes& f, Nanos now);
  void WriteModeWord(bool stored, uint16_t value, Nanos now);
  void ApplyPose(const uint8_t* record, Nanos now, bool fromPlayback);
  void MarkFlash() { flashChanged_ = true; }
  Bytes RemoteReport() const;

  void Play(int entry, Nanos now);
  void Stop(Nanos now);
  void RunTick(Nanos now);

  // What playback reads and does.
  int StepCount(int motion) const override { return flash_.table[motion][0]; }
  const uint8_t* StepRecord(int motion, int step) const override;
  int ScenarioMotion(int scenario, int index) const override {
    return flash_.scenarios[scenario][index];
  }
  void ApplyPose(const uint8_t* record, Nanos now) override;
  void Finished(int entry) override;

  FlashMemory flash_;
  WorkingSettings working_;
  Record livePose_{};
  ServoBank servos_;
  ChannelWords stopPositions_{};
  std::array<uint8_t, kChannels> speedTable_{};
  std::array<uint8_t, kChannels> stretchTable_{};
  Bytes lastExtendedSerial_;
  PlaybackModel player_{*this, *this};
  Nanos now_ = 0;
  Nanos nextTick_ = 0;
  Nanos nextAnalogReport_ = 0;
  Nanos nextRemoteReport_ = 0;
  std::deque<Bytes> notifications_;
  bool flashChanged_ = false;
};

}  // namespace brv3::sim
