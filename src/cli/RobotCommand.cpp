#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/CliCommands.h"
#include "core/robot/RobotModel.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

std::string Number(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// "CH5 l_knee revolute -1.57..0.00 rad R=650", with " offset=0.10" when there is one.
std::string ChannelLine(const robot::RobotModel& model, const robot::ChannelJoint& c) {
  const robot::Joint& joint = model.joints[model.JointIndex(c.joint)];
  // Angles to the hundredth of a radian, lengths to the millimetre.
  const bool metres = joint.type == robot::JointType::Prismatic;
  const char* unit = metres ? "m" : "rad";
  const char* format = metres ? "%.3f" : "%.2f";
  std::string line = "CH" + std::to_string(c.channel) + " " + c.joint + " " +
                     robot::JointTypeName(joint.type) + " ";
  line += joint.hasLimits
              ? Number(format, joint.lower) + ".." + Number(format, joint.upper) + " " + unit
              : std::string("unlimited ") + unit;
  line += " R=" + Number("%g", c.reduction);
  if (c.offset != 0) line += " offset=" + Number(format, c.offset);
  return line;
}

int RunRobot(const std::string& path) {
  const robot::RobotLoadResult result = robot::LoadRobotModel(path);
  if (!result.model) {
    std::cerr << result.error << "\n";
    return kExitBadInput;
  }
  const robot::RobotModel& model = *result.model;
  std::cout << Args(Tr("RobotCommand", "robot %1: %2 links, %3 joints, %4 channels"),
                    {model.name, std::to_string(model.links.size()),
                     std::to_string(model.joints.size()), std::to_string(model.channels.size())})
            << "\n";
  for (const robot::ChannelJoint& c : model.channels) std::cout << ChannelLine(model, c) << "\n";
  return kExitOk;
}

}  // namespace

void AddRobotCommands(CLI::App& app, Options& options, CommandList& commands) {
  (void)options;
  CLI::App* cmd = app.add_subcommand(
      "robot", Tr("RobotCommand",
                  "Read a robot description (URDF) and list which channel drives which joint"));
  auto path = std::make_shared<std::string>();
  cmd->add_option("FILE", *path, Tr("RobotCommand", "Robot description (.urdf)"))->required();
  commands.push_back({cmd, [path] { return RunRobot(*path); }});
}

}  // namespace brv3::cli
