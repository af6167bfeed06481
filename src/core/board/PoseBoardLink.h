#pragma once

#include "core/comm/BoardLink.h"
#include "core/motion/PoseEditorBoard.h"

namespace brv3 {

// The position editor's board over the command set: replies typed, checksum bytes dropped.
class PoseBoardLink : public PoseEditorBoard {
 public:
  explicit PoseBoardLink(BoardLink& link) : link_(link) {}

  bool WritePose(const PoseRecord& record) override;
  bool ReadServoPositions(Bytes& positions) override;
  void SetServoLive(int channel, uint16_t word) override;
  std::optional<PoseRecord> ReadLivePose() override;
  std::optional<ChannelMask> ReadSerialServoMask() override;
  std::optional<ChannelBytes> ReadSpeedTable() override;
  std::optional<ChannelBytes> ReadStretchTable() override;
  bool WriteHomePosition(const ChannelWords& words) override;
  bool ToggleSleep() override;

 private:
  BoardLink& link_;
};

}  // namespace brv3
