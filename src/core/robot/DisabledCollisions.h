#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>

#include "core/robot/RobotModel.h"

namespace brv3::robot {

// Link pairs whose contact the self-collision check leaves alone, each stored with the smaller
// name first.
using LinkPairSet = std::set<std::pair<std::string, std::string>>;

struct DisabledCollisionsResult {
  std::optional<LinkPairSet> pairs;
  std::string error;  // set when pairs is empty: file, line where known, what is wrong
};

// The semantic description that may sit beside a robot description: the same file name ending in
// ".srdf".
std::string SemanticFileBeside(const std::string& robotPath);

// The <disable_collisions link1="..." link2="..."/> entries of a semantic description; each link
// must be one of the model's. `sourceName` names the text in messages.
DisabledCollisionsResult ReadDisabledCollisions(const std::string& text, const RobotModel& model,
                                                const std::string& sourceName);
// The same from the file beside the model's source file; no file there means no pairs.
DisabledCollisionsResult LoadDisabledCollisionsBeside(const RobotModel& model);

}  // namespace brv3::robot
