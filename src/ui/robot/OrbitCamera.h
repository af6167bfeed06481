#pragma once

#include <QQuaternion>
#include <QVector3D>

namespace brv3 {

enum class RobotViewAngle { Front, Side, Top };

// Where the robot view's camera stands: it looks at `target` from `distance` away, turned by
// `yaw` about the vertical axis and tilted by `pitch` (degrees; negative looks down). Scene
// units are centimetres, y up; the robot faces +x.
struct OrbitCamera {
  QVector3D target{0, 20, 0};
  float distance = 120;
  float yaw = 90;
  float pitch = -10;

  QQuaternion Rotation() const;
  QVector3D Position() const;
  // Turns the view by a mouse drag of (dx, dy) pixels.
  void Orbit(float dx, float dy);
  // Moves the target across the screen by a drag of (dx, dy) pixels in a view `height` tall.
  void Pan(float dx, float dy, int height);
  // A wheel turn: positive steps come closer.
  void Zoom(float steps);
  void LookFrom(RobotViewAngle angle);
};

}  // namespace brv3
