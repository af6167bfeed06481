#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/robot/DisabledCollisions.h"
#include "core/robot/Kinematics.h"
#include "core/robot/RobotModel.h"

namespace brv3::robot {

// Shapes that overlap by less than this only touch; the check does not report them.
constexpr double kTouchDepth = 0.0005;  // metres

// Two links in contact: `first` has the larger index in RobotModel::links.
struct LinkContact {
  int first = 0;
  int second = 0;
  double depth = 0;  // metres, the deepest overlap of their shapes
};

// Finds the links of a robot that overlap one another, by their collision shapes (box, cylinder,
// sphere, STL mesh). Links joined directly by a joint and the given disabled pairs are never
// checked. Meshes that cannot be read are left out.
class SelfCollision {
 public:
  SelfCollision(const RobotModel& model, const LinkPairSet& disabled);
  ~SelfCollision();
  SelfCollision(const SelfCollision&) = delete;
  SelfCollision& operator=(const SelfCollision&) = delete;

  size_t LinkPairCount() const;
  int SkippedMeshes() const;
  // Why each mesh left out was: its file and what is wrong.
  const std::vector<std::string>& MeshProblems() const;
  // The contacts at these link placements (indexed like RobotModel::links), one per link pair.
  void Contacts(const std::vector<Transform>& links, std::vector<LinkContact>& out) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace brv3::robot
