#include "core/comm/BoardMotionAdapter.h"

namespace brv3 {
namespace {

// A data reply without its checksum byte, or false when it is shorter than `size`.
bool Trim(bool ok, Bytes& reply, size_t size) {
  if (!ok || reply.size() < size) {
    reply.clear();
    return false;
  }
  reply.resize(size);
  return true;
}

PoseArea ToPoseArea(int area) {
  return area == 1 ? PoseArea::Memory : PoseArea::Live;
}

}  // namespace

bool BoardMotionAdapter::ReadTableEntry(int index, Bytes& entry) {
  ++commands_;
  return Trim(link_.ReadTableEntry(index, entry), entry, kTableEntrySize);
}

bool BoardMotionAdapter::UpdateTableEntry(int index, int count, int32_t value24,
                                          const std::string& name, const std::string& date,
                                          int32_t code) {
  ++commands_;
  const EntryDate entryDate = EntryDate::FromText(Bytes(date.begin(), date.end()));
  return link_.UpdateTableEntry(index, count, static_cast<int>(value24), name, entryDate,
                                static_cast<int>(code));
}

bool BoardMotionAdapter::WritePose(int flagA, int area, int slot, int record, const Bytes& pose) {
  if (flagA != 1 || (area != 0 && area != 1)) return false;
  ++commands_;
  return link_.WritePose(ToPoseArea(area), slot, record, pose);
}

bool BoardMotionAdapter::ReadPose(int area, int slot, int record, Bytes& pose) {
  if (area != 0 && area != 1) {
    pose.clear();
    return false;
  }
  ++commands_;
  return Trim(link_.ReadPose(ToPoseArea(area), slot, record, pose), pose, PoseRecord::kSize);
}

bool BoardMotionAdapter::WriteScenarioStep(int flagA, int scenario, int step, int motion) {
  if (flagA != 1) return false;
  ++commands_;
  return link_.WriteScenarioStep(scenario, step, motion);
}

bool BoardMotionAdapter::ReadScenarioStep(int scenario, int step, Bytes& reply) {
  ++commands_;
  return Trim(link_.ReadScenarioStep(scenario, step, reply), reply, 1);
}

bool BoardMotionAdapter::WritePose(const PoseRecord& record) {
  ++commands_;
  return link_.WritePose(PoseArea::Live, 0, 0, record.Pack());
}

bool BoardMotionAdapter::ReadServoPositions(Bytes& positions) {
  ++commands_;
  return Trim(link_.ReadServoPositions(positions), positions, 48);
}

}  // namespace brv3
