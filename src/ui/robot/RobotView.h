#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/robot/Kinematics.h"
#include "core/robot/RobotModel.h"
#include "ui/robot/OrbitCamera.h"
#include "ui/robot/RobotScene.h"

class QLabel;
class QQuickWidget;

namespace brv3 {

// Whether this session can draw the 3D view: it needs OpenGL (a GPU or Mesa's software
// renderer) through a windowing system. `why` says what is missing.
bool Robot3DAvailable(QString* why = nullptr);

// The 3D view of a robot: the lit model on a floor grid, turned with the left mouse button,
// moved with the right or middle button (or Shift + left), zoomed with the wheel. Without
// OpenGL it shows a message instead. The stage is loaded the first time the view is shown.
class RobotView : public QWidget {
  Q_OBJECT
 public:
  explicit RobotView(QWidget* parent = nullptr);

  // A new model at rest at `links`: its nodes are made, it stands on the floor and the camera
  // frames it.
  void SetModel(std::shared_ptr<const robot::RobotModel> model,
                const std::vector<robot::Transform>& links);
  // Moves the links; several calls before the next frame are drawn once.
  void Place(const std::vector<robot::Transform>& links);
  void LookFrom(RobotViewAngle angle);
  // The links shown red (indexed like the model's links; missing entries are not).
  void SetRedLinks(std::vector<bool> red);
  const std::vector<bool>& RedLinks() const { return red_; }
  const OrbitCamera& Camera() const { return camera_; }

  bool Drawing() const { return quick_ != nullptr; }
  // The message shown instead of the view, empty while it draws.
  QString Message() const;
  // The last frame drawn (empty without OpenGL).
  QImage Grab();
  // Placements waiting for the next frame.
  bool PlacementPending() const { return placePending_; }
  int Placements() const { return placements_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void EnsureStage();
  void ApplyPlacement();
  void ApplyCamera();

  QQuickWidget* quick_ = nullptr;
  QLabel* message_ = nullptr;
  RobotScene scene_;
  std::shared_ptr<const robot::RobotModel> model_;
  QTimer placeTimer_;
  bool modelPending_ = false;
  bool placePending_ = false;
  std::vector<bool> red_;
  int placements_ = 0;  // placements applied to the stage
  std::vector<robot::Transform> links_;
  OrbitCamera camera_;
  std::vector<robot::Transform> rest_;  // the links as the model came, for framing
  double lift_ = 0;                     // metres the robot stands raised, from its rest pose
  RobotViewAngle angle_ = RobotViewAngle::Front;
  QPoint lastMouse_;
};

}  // namespace brv3
