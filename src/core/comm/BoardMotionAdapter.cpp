#include "core/comm/BoardMotionAdapter.h"

namespace brv3 {
namespace {

// A reply of at least `size` bytes cut to `size`, or false.
bool Sized(bool ok, Bytes& reply, size_t size) {
  if (!ok || reply.size() < size) {
    reply.clear();
    return false;
  }
  reply.resize(size);
  return true;
}

}  // namespace

bool BoardMotionAdapter::ReadTableEntry(int index, Bytes& entry) {
  ++commands_;
  return Sized(link_.ReadTableEntry(index, entry), entry, kTableEntrySize);
}

bool BoardMotionAdapter::UpdateTableEntry(int index, int count, int value24,
                                          const std::string& name, const EntryDate& date,
                                          int code) {
  ++commands_;
  return link_.UpdateTableEntry(index, count, value24, name, date, code);
}

bool BoardMotionAdapter::WritePose(PoseArea area, int slot, int record, const Bytes& pose) {
  ++commands_;
  return link_.WritePose(area, slot, record, pose);
}

bool BoardMotionAdapter::ReadPose(PoseArea area, int slot, int record, Bytes& pose) {
  ++commands_;
  return Sized(link_.ReadPose(area, slot, record, pose), pose, PoseRecord::kSize);
}

bool BoardMotionAdapter::WriteScenarioStep(int scenario, int step, int motion) {
  ++commands_;
  return link_.WriteScenarioStep(scenario, step, motion);
}

bool BoardMotionAdapter::ReadScenarioStep(int scenario, int step, Bytes& reply) {
  ++commands_;
  return Sized(link_.ReadScenarioStep(scenario, step, reply), reply, 1);
}

bool BoardMotionAdapter::WritePose(const PoseRecord& record) {
  ++commands_;
  return link_.WritePose(PoseArea::Live, 0, 0, record.Pack());
}

bool BoardMotionAdapter::ReadServoPositions(Bytes& positions) {
  ++commands_;
  return Sized(link_.ReadServoPositions(positions), positions, 48);
}

}  // namespace brv3
