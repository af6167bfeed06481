#include "core/board/PoseBoardLink.h"

#include "core/board/ReplyBytes.h"

namespace brv3 {

bool PoseBoardLink::WritePose(const PoseRecord& record) {
  return link_.WritePose(PoseArea::Live, 0, 0, record.Pack());
}

bool PoseBoardLink::ReadServoPositions(Bytes& positions) {
  if (!link_.ReadServoPositions(positions) || positions.size() < 48) {
    positions.clear();
    return false;
  }
  positions.resize(48);
  return true;
}

void PoseBoardLink::SetServoLive(int channel, uint16_t word) {
  link_.SetServoLive(channel - 1, word, 1);
}

std::optional<PoseRecord> PoseBoardLink::ReadLivePose() {
  Bytes reply;
  if (!link_.ReadPose(PoseArea::Live, 0, 0, reply)) return std::nullopt;
  return PoseRecord::Unpack(reply);
}

std::optional<ChannelMask> PoseBoardLink::ReadSerialServoMask() {
  Bytes reply;
  const bool ok = link_.ReadSsvChannelMask(reply);
  return FirstBytes<3>(ok, reply);
}

std::optional<ChannelBytes> PoseBoardLink::ReadSpeedTable() {
  Bytes reply;
  const bool ok = link_.ReadSpeedTable(reply);
  return FirstBytes<kChannels>(ok, reply);
}

std::optional<ChannelBytes> PoseBoardLink::ReadStretchTable() {
  Bytes reply;
  const bool ok = link_.ReadStretchTable(reply);
  return FirstBytes<kChannels>(ok, reply);
}

bool PoseBoardLink::WriteHomePosition(const ChannelWords& words) {
  Bytes bytes;
  bytes.reserve(48);
  for (uint16_t w : words) {
    bytes.push_back(static_cast<uint8_t>(w >> 8));
    bytes.push_back(static_cast<uint8_t>(w & 0xFF));
  }
  return link_.WriteHomePosition(bytes);
}

bool PoseBoardLink::ToggleSleep() {
  return link_.SetSleep(ModeSwitch::Toggle);
}

}  // namespace brv3
