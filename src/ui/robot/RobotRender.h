#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

#include "core/robot/Kinematics.h"
#include "core/robot/RobotModel.h"
#include "ui/robot/OrbitCamera.h"

namespace brv3 {

// Draws the robot placed at `links` as the robot view does, into an image of `size`, without
// showing a window. A null image and `error` set when OpenGL or the stage fails.
QImage RenderRobotImage(const robot::RobotModel& model, const std::vector<robot::Transform>& links,
                        RobotViewAngle angle, QSize size, QString* error);

}  // namespace brv3
