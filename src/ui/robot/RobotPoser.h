#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/motion/MotionPreview.h"
#include "core/robot/Kinematics.h"
#include "core/robot/RobotModel.h"

namespace brv3 {

// A robot model and the pose it was last given: the joints (a channel without a servo position
// leaves its joint where it was) and the placement of each link.
class RobotPoser {
 public:
  explicit RobotPoser(std::shared_ptr<const robot::RobotModel> model = nullptr);

  const std::shared_ptr<const robot::RobotModel>& Model() const { return model_; }
  // Takes the 24 channel words of a pose.
  void Pose(const ChannelWords& words);
  const ChannelWords& Words() const { return words_; }
  const robot::JointPositions& Joints() const { return joints_; }
  const std::vector<robot::Transform>& Links() const { return links_; }

 private:
  std::shared_ptr<const robot::RobotModel> model_;
  ChannelWords words_{};
  robot::JointPositions joints_;
  std::vector<robot::Transform> links_;
};

// The moment a preview has finished the movement of step `step` (1-based, as the listing
// numbers steps): when the next step runs, or the end. Empty when playback never reaches it.
std::optional<double> StepSettledTime(const MotionPreview& preview, int step);

// The folder of the robots that come with the program: beside the executable's share folder
// once installed, else the source tree's.
std::string ShippedRobotsFolder();
// The robot shown until the user chooses another (empty when none is found).
std::string DefaultRobotFile();

}  // namespace brv3
