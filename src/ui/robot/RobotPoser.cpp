#include "ui/robot/RobotPoser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace brv3 {

RobotPoser::RobotPoser(std::shared_ptr<const robot::RobotModel> model) : model_(std::move(model)) {
  if (!model_) return;
  joints_ = robot::RestJointPositions(*model_);
  robot::ForwardKinematics(*model_, joints_, links_);
}

void RobotPoser::Pose(const ChannelWords& words) {
  words_ = words;
  if (!model_) return;
  joints_ = robot::JointPositionsFromPose(*model_, words, joints_);
  robot::ForwardKinematics(*model_, joints_, links_);
}

std::optional<double> StepSettledTime(const MotionPreview& preview, int step) {
  const auto& steps = preview.Steps();
  for (size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].step != step - 1) continue;
    return i + 1 < steps.size() ? steps[i + 1].time : preview.Duration();
  }
  return std::nullopt;
}

std::string ShippedRobotsFolder() {
  const QString exe = QCoreApplication::applicationDirPath();
  const QString installed = QDir(exe).absoluteFilePath("../share/brivane3/robots");
  if (QFileInfo(installed).isDir()) return QDir::cleanPath(installed).toStdString();
#ifdef BRV3_SOURCE_ROBOTS
  if (QFileInfo(QString::fromUtf8(BRV3_SOURCE_ROBOTS)).isDir()) return BRV3_SOURCE_ROBOTS;
#endif
  return std::string();
}

std::string DefaultRobotFile() {
  const std::string folder = ShippedRobotsFolder();
  if (folder.empty()) return std::string();
  const QStringList files =
      QDir(QString::fromStdString(folder)).entryList({"*.urdf"}, QDir::Files, QDir::Name);
  if (files.isEmpty()) return std::string();
  return QDir(QString::fromStdString(folder)).absoluteFilePath(files.first()).toStdString();
}

}  // namespace brv3
