// Feeds arbitrary bytes to the robot description reader, then plays the first bytes as a pose
// through the model it read, if any.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/robot/Kinematics.h"
#include "core/robot/RobotModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const brv3::robot::RobotLoadResult result =
      brv3::robot::LoadRobotModelFromString(text, "fuzz.urdf");
  if (result.model.has_value() == !result.error.empty()) __builtin_trap();
  if (!result.model) return 0;
  brv3::ChannelWords words{};
  for (size_t i = 0; i < words.size() && 2 * i + 1 < size; ++i)
    words[i] = static_cast<uint16_t>(data[2 * i] << 8 | data[2 * i + 1]);
  const auto joints = brv3::robot::JointPositionsFromPose(
      *result.model, words, brv3::robot::RestJointPositions(*result.model));
  const auto links = brv3::robot::ForwardKinematics(*result.model, joints);
  if (links.size() != result.model->links.size()) __builtin_trap();
  return 0;
}
