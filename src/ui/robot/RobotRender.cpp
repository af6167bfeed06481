#include "ui/robot/RobotRender.h"

#include <QCoreApplication>
#include <QQuickItem>
#include <QQuickView>

#include "ui/robot/RobotScene.h"
#include "ui/robot/RobotView.h"

namespace brv3 {

QImage RenderRobotImage(const robot::RobotModel& model, const std::vector<robot::Transform>& links,
                        RobotViewAngle angle, QSize size, QString* error) {
  QString why;
  if (!Robot3DAvailable(&why)) {
    if (error) *error = why;
    return QImage();
  }
  QQuickView view;
  view.setResizeMode(QQuickView::SizeRootObjectToView);
  view.resize(size);
  view.setSource(RobotScene::Source());
  if (view.status() != QQuickView::Ready || !view.rootObject()) {
    if (error)
      *error = QCoreApplication::translate("RobotRender", "the 3D stage could not be loaded");
    return QImage();
  }
  view.rootObject()->setSize(QSizeF(size));
  RobotScene scene(view.rootObject());
  // Stood on the floor and framed as at rest, as the robot view does.
  std::vector<robot::Transform> rest;
  robot::ForwardKinematics(model, robot::RestJointPositions(model), rest);
  const double lift = RobotScene::FloorLift(model, rest);
  scene.Build(model, lift);
  scene.Place(links);
  scene.SetCamera(RobotScene::FitCamera(model, rest, angle, lift));
  // A window never shown is drawn offscreen.
  QImage image = view.grabWindow();
  if (image.isNull() && error)
    *error = QCoreApplication::translate("RobotRender", "OpenGL could not draw the scene");
  return image;
}

}  // namespace brv3
