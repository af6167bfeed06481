#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QString>
#include <vector>

#include "core/robot/Kinematics.h"
#include "core/robot/RobotModel.h"
#include "ui/robot/OrbitCamera.h"

class QQmlEngine;
class QUrl;

namespace brv3 {

// The robot's nodes in a loaded 3D stage (RobotScene.qml): one node per link holding its visual
// shapes. Building makes the nodes once per model; a pose then only moves them.
class RobotScene {
 public:
  // The stage as a resource, for QQuickWidget / QQuickView::setSource.
  static QUrl Source();

  // `stage` is the stage's root item; the scene does not own it.
  explicit RobotScene(QQuickItem* stage = nullptr) : stage_(stage) {}

  void SetStage(QQuickItem* stage);
  bool HasStage() const { return !stage_.isNull(); }
  // Replaces the robot's nodes by those of `model` (at rest until the next Place), the whole
  // robot raised by `lift` metres.
  void Build(const robot::RobotModel& model, double lift);
  // Moves each link's node to its placement (indexed like the model's links).
  void Place(const std::vector<robot::Transform>& links);
  void SetCamera(const OrbitCamera& camera);
  // Paints the links flagged (indexed like the model's links) red, the others in their own
  // colours.
  void SetRed(const std::vector<bool>& red);
  static QColor RedColor() { return QColor(0xE0, 0x20, 0x20); }
  int LinkNodes() const { return static_cast<int>(links_.size()); }
  // Shapes drawn from their mesh files.
  int MeshShapes() const { return meshes_; }

  // How far the robot placed at `links` must rise for its lowest shape to stand on the floor.
  static double FloorLift(const robot::RobotModel& model,
                          const std::vector<robot::Transform>& links);
  // A camera that shows `links` of `model` raised by `lift` whole from `angle`.
  static OrbitCamera FitCamera(const robot::RobotModel& model,
                               const std::vector<robot::Transform>& links, RobotViewAngle angle,
                               double lift);

  // Removes the robot's nodes.
  void Clear();

 private:
  QPointer<QQuickItem> stage_;
  std::vector<QPointer<QObject>> links_;
  struct ShapeNode {
    QPointer<QObject> node;
    QColor color;  // its own
  };
  std::vector<std::vector<ShapeNode>> shapes_;  // per link
  int meshes_ = 0;
};

}  // namespace brv3
