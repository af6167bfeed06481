#include "core/comm/BoardLink.h"
#include "core/comm/CommandArgs.h"

namespace brv3 {

using namespace commargs;

bool BoardLink::ReadTableEntry(int index, Bytes& reply) {
  reply.clear();
  if (!InRange(index, 0, kTableEntries - 1)) return false;
  return Data({0xF5, Byte(index)}, 43, reply);
}

bool BoardLink::WriteTableEntry(int index, const Bytes& entry) {
  if (!InRange(index, 0, kTableEntries - 1) || entry.size() != TableEntry::kSize) return false;
  return Ack(Frame({0xF6, 0x01, Byte(index)}, entry));
}

bool BoardLink::ReadPose(PoseArea area, int slot, int record, Bytes& reply) {
  reply.clear();
  if (!InRange(slot, 0, 255) || !InRange(record, 0, 255)) return false;
  return Data({0xFC, ReadFlag(area), Byte(slot), Byte(record)}, 50, reply);
}

bool BoardLink::WritePose(PoseArea area, int slot, int record, const Bytes& pose) {
  if (!InRange(slot, 0, 255) || !InRange(record, 0, 255) || pose.size() != 49) return false;
  return Ack(Frame({0xFD, WriteFlag(area), Byte(slot), Byte(record)}, pose));
}

bool BoardLink::ReadScenarioStep(int scenario, int step, Bytes& reply) {
  reply.clear();
  if (!InRange(scenario, 0, 4) || !InRange(step, 0, 255)) return false;
  return Data({0xF7, Byte(scenario), Byte(step)}, 2, reply);
}

bool BoardLink::WriteScenarioStep(int scenario, int step, int motion) {
  if (!InRange(scenario, 0, 4) || !InRange(step, 0, 255) || !InRange(motion, 0, 255)) return false;
  return Ack({0xF8, 0x01, Byte(scenario), Byte(step), Byte(motion)});
}

bool BoardLink::PlayMotion(Slot slot) {
  // The flag byte always has bits 0 and 2 set.
  return Ack({0xF4, 0x05, Byte(slot.Index())});
}

bool BoardLink::StopMotion() {
  return Ack({0xF3, 0x01, 0xFF, 0xFF, 0xFF});
}

bool BoardLink::ReadStopPositions(Bytes& reply) {
  return Data({0xD2}, 49, reply);
}

bool BoardLink::ReadServoPositions(Bytes& reply) {
  return Data({0xF0}, 49, reply);
}

bool BoardLink::WriteHomePosition(const Bytes& words) {
  if (words.size() != 48) return false;
  return Ack(Frame({0xD3, 0x01}, words));
}

bool BoardLink::SetServoLive(int channel, uint16_t value, uint8_t mode) {
  if (!InRange(channel, 0, kChannels - 1)) return true;
  return Live({0xFE, 0x00, Byte(channel), mode, High(value), Low(value)});
}

bool BoardLink::ReadModeWord(Area area, Bytes& reply) {
  return Data({0xF1, ReadFlag(area)}, 3, reply);
}

bool BoardLink::WriteModeWord(Area area, uint16_t value) {
  return Ack({0xF2, WriteFlag(area), High(value), Low(value)});
}

bool BoardLink::ReadVersion(Bytes& reply) {
  return Data({0xFF}, 65, reply);
}

bool BoardLink::SendExtendedSerial(uint16_t word, uint32_t value) {
  return Ack({0xDE, 0x01, 0x80, High(word), Low(word), Byte(value & 0xFF),
              Byte((value >> 8) & 0xFF), Byte((value >> 16) & 0xFF), Byte((value >> 24) & 0xFF)});
}

}  // namespace brv3
