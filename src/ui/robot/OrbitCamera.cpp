#include "ui/robot/OrbitCamera.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace brv3 {

QQuaternion OrbitCamera::Rotation() const {
  return QQuaternion::fromAxisAndAngle(0, 1, 0, yaw) *
         QQuaternion::fromAxisAndAngle(1, 0, 0, pitch);
}

QVector3D OrbitCamera::Position() const {
  // The camera looks along its -z axis.
  return target - Rotation().rotatedVector(QVector3D(0, 0, -1)) * distance;
}

void OrbitCamera::Orbit(float dx, float dy) {
  yaw = std::fmod(yaw - dx * 0.4f, 360.0f);
  pitch = std::clamp(pitch - dy * 0.4f, -89.0f, 89.0f);
}

void OrbitCamera::Pan(float dx, float dy, int height) {
  // One pixel covers this much of the plane through the target.
  const float perPixel = 2 * distance * std::tan(qDegreesToRadians(20.0f)) / std::max(height, 1);
  const QQuaternion turn = Rotation();
  target += turn.rotatedVector(QVector3D(-dx * perPixel, dy * perPixel, 0));
}

void OrbitCamera::Zoom(float steps) {
  distance = std::clamp(distance * std::pow(0.9f, steps), 5.0f, 5000.0f);
}

void OrbitCamera::LookFrom(RobotViewAngle angle) {
  switch (angle) {
    case RobotViewAngle::Front:
      yaw = 90;
      pitch = -10;
      break;
    case RobotViewAngle::Side:
      yaw = 0;
      pitch = -10;
      break;
    case RobotViewAngle::Top:
      yaw = 90;
      pitch = -89;
      break;
  }
}

}  // namespace brv3
