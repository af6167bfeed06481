#include <algorithm>

#include "core/comm/BoardLink.h"
#include "core/comm/CommandArgs.h"

namespace brv3 {

using namespace commargs;

bool BoardLink::ReadTrim(Area area, Bytes& reply) {
  return Data({0xF9, ReadFlag(area)}, 49, reply);
}

bool BoardLink::WriteTrim(Area area, const Bytes& words) {
  if (words.size() != 48) return false;
  return Ack(Frame({0xFA, WriteFlag(area)}, words));
}

bool BoardLink::SetTrimLive(int channel, uint16_t value) {
  if (!InRange(channel, 0, kChannels - 1)) return true;
  return Live({0xFB, 0x00, Byte(channel), High(value), Low(value)});
}

bool BoardLink::ReadAdSettings(Area area, Bytes& reply) {
  return Data({0xE1, ReadFlag(area)}, 19, reply);
}

bool BoardLink::WriteAdSettings(Area area, const Bytes& settings) {
  if (settings.size() != 18) return false;
  return Ack(Frame({0xE2, WriteFlag(area)}, settings));
}

bool BoardLink::ReadMixTable(Area area, int table, Bytes& reply) {
  reply.clear();
  if (!InRange(table, 0, 2)) return false;
  return Data({0xE3, ReadFlag(area), Byte(table)}, 25, reply);
}

bool BoardLink::WriteMixTable(Area area, int table, const Bytes& mix) {
  if (!InRange(table, 0, 2) || mix.size() != 24) return false;
  return Ack(Frame({0xE4, WriteFlag(area), Byte(table)}, mix));
}

bool BoardLink::ReadAdCalibration(Area area, Bytes& reply) {
  return Data({0xE5, ReadFlag(area)}, 7, reply);
}

bool BoardLink::WriteAdCalibration(Area area, const std::array<uint16_t, 3>& values) {
  Bytes frame{0xE6, WriteFlag(area)};
  for (uint16_t v : values) {
    frame.push_back(High(v));
    frame.push_back(Low(v));
  }
  return Ack(std::move(frame));
}

bool BoardLink::SetAdCalibrationLive(int input, uint16_t value) {
  if (!InRange(input, 0, 2)) return true;
  return Live({0xE7, 0x00, Byte(input), High(value), Low(value)});
}

bool BoardLink::ReadPropoSettings(Area area, Bytes& reply) {
  return Data({0xDF, ReadFlag(area)}, 5, reply);
}

bool BoardLink::WritePropoSettings(Area area, const Bytes& settings) {
  if (settings.size() != 4) return false;
  return Ack(Frame({0xE0, WriteFlag(area)}, settings));
}

bool BoardLink::ReadChannelName(int channel, Bytes& reply) {
  reply.clear();
  if (!InRange(channel, 0, kChannels - 1)) return false;
  return Data({0xD0, Byte(channel)}, 33, reply);
}

bool BoardLink::WriteChannelName(int channel, const Bytes& name) {
  if (!InRange(channel, 0, kChannels - 1)) return false;
  Bytes padded(name.begin(), name.begin() + std::min<size_t>(name.size(), 32));
  padded.resize(32, 0x00);
  return Ack(Frame({0xD1, 0x01, Byte(channel)}, padded));
}

bool BoardLink::ReadSsvChannelMask(Bytes& reply) {
  return Data({0xE9}, 4, reply);
}

bool BoardLink::WriteSsvChannelMask(const Bytes& mask) {
  if (mask.size() != 3) return false;
  return Ack(Frame({0xEA, 0x01}, mask));
}

bool BoardLink::ReadSvlChannelMask(Bytes& reply) {
  return Data({0xDC}, 4, reply);
}

bool BoardLink::WriteSvlChannelMask(const Bytes& mask) {
  if (mask.size() != 3) return false;
  return Ack(Frame({0xDD, 0x01}, mask));
}

bool BoardLink::ReadStartMotions(Bytes& reply) {
  return Data({0xEE}, 3, reply);
}

bool BoardLink::WriteStartMotions(int startSwitchMotion, int powerUpMotion) {
  if (!InRange(startSwitchMotion, 0, 255) || !InRange(powerUpMotion, 0, 255)) return false;
  return Ack({0xEF, 0x01, Byte(startSwitchMotion), Byte(powerUpMotion)});
}

bool BoardLink::ReadAlarmMotion(Bytes& reply) {
  return Data({0xEB}, 4, reply);
}

bool BoardLink::WriteAlarmMotion(int motion, uint16_t voltage) {
  if (!InRange(motion, 0, 255)) return false;
  return Ack({0xEC, 0x01, Byte(motion), High(voltage), Low(voltage)});
}

// The serial-servo record commands run with the long receive time-out; the short read is tried
// once only.
bool BoardLink::ReadSvlEntryLong(int channel, Bytes& reply) {
  reply.clear();
  if (!InRange(channel, 0, kChannels - 1)) return false;
  return Run({0xD8, Byte(channel)}, {ReplyKind::Data, 30, true, false}, &reply);
}

bool BoardLink::WriteSvlEntryLong(int channel, const Bytes& record) {
  if (!InRange(channel, 0, kChannels - 1) || record.size() != 29) return false;
  return Run(Frame({0xD9, Byte(channel)}, record), {ReplyKind::Ack, 1, true, false}, nullptr);
}

bool BoardLink::ReadSvlEntryShort(int channel, Bytes& reply) {
  reply.clear();
  if (!InRange(channel, 0, kChannels - 1)) return false;
  return Run({0xDA, Byte(channel)}, {ReplyKind::Data, 18, true, true}, &reply);
}

bool BoardLink::WriteSvlEntryShort(int channel, const Bytes& record) {
  if (!InRange(channel, 0, kChannels - 1) || record.size() != 17) return false;
  return Run(Frame({0xDB, Byte(channel)}, record), {ReplyKind::Ack, 1, true, false}, nullptr);
}

bool BoardLink::ReadSpeedTable(Bytes& reply) {
  return Data({0xCE}, 25, reply);
}

bool BoardLink::ReadStretchTable(Bytes& reply) {
  return Data({0xCF}, 25, reply);
}

bool BoardLink::ReadRemoteCode(Bytes& reply) {
  return Data({0xED}, 8, reply);
}
}  // namespace brv3
