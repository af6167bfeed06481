#include "ui/robot/RobotView.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QQuickItem>
#include <QQuickWidget>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace brv3 {

bool Robot3DAvailable(QString* why) {
  static int known = -1;  // -1 not tried yet
  static QString reason;
  if (known < 0) {
    const QString platform = QGuiApplication::platformName();
    // These platforms draw without OpenGL: the scene would stay blank.
    if (platform == "offscreen" || platform == "minimal" || platform == "vnc" ||
        platform == "linuxfb") {
      reason = RobotView::tr("The 3D view needs OpenGL, which the \"%1\" display has not.")
                   .arg(platform);
      known = 0;
    } else {
      QOpenGLContext context;
      known = context.create() ? 1 : 0;
      if (!known)
        reason = RobotView::tr(
            "The 3D view needs OpenGL (a graphics driver or Mesa), which failed to start.");
    }
  }
  if (why) *why = reason;
  return known == 1;
}

RobotView::RobotView(QWidget* parent) : QWidget(parent) {
  setObjectName("RobotView");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  message_ = new QLabel(this);
  message_->setObjectName("RobotViewMessage");
  message_->setAlignment(Qt::AlignCenter);
  message_->setWordWrap(true);
  layout->addWidget(message_);
  message_->hide();
  setMinimumSize(160, 160);
  camera_.LookFrom(angle_);
  placeTimer_.setSingleShot(true);
  placeTimer_.setInterval(0);
  connect(&placeTimer_, &QTimer::timeout, this, [this] { ApplyPlacement(); });
}

QString RobotView::Message() const {
  return message_->isVisibleTo(this) ? message_->text() : QString();
}

void RobotView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  EnsureStage();
  // What changed while hidden is drawn now.
  if (quick_ && (placePending_ || modelPending_)) placeTimer_.start();
}

void RobotView::EnsureStage() {
  if (quick_ || message_->isVisibleTo(this)) return;
  QString why;
  if (!Robot3DAvailable(&why)) {
    message_->setText(why);
    message_->show();
    return;
  }
  quick_ = new QQuickWidget(this);
  quick_->setObjectName("RobotQuick");
  quick_->setResizeMode(QQuickWidget::SizeRootObjectToView);
  quick_->setSource(RobotScene::Source());
  if (quick_->status() != QQuickWidget::Ready || !quick_->rootObject()) {
    QStringList errors;
    for (const QQmlError& e : quick_->errors()) errors << e.toString();
    delete quick_;
    quick_ = nullptr;
    message_->setText(tr("The 3D view could not be loaded: %1").arg(errors.join("; ")));
    message_->show();
    return;
  }
  layout()->addWidget(quick_);
  quick_->installEventFilter(this);
  scene_.SetStage(quick_->rootObject());
  modelPending_ = model_ != nullptr;
  ApplyCamera();
  ApplyPlacement();
}

void RobotView::SetModel(std::shared_ptr<const robot::RobotModel> model,
                         const std::vector<robot::Transform>& links) {
  model_ = std::move(model);
  red_.clear();
  links_ = links;
  rest_ = links;
  lift_ = model_ ? RobotScene::FloorLift(*model_, links_) : 0;
  if (model_) camera_ = RobotScene::FitCamera(*model_, links_, angle_, lift_);
  modelPending_ = true;
  placePending_ = true;
  if (!isVisible()) return;  // built when shown
  ApplyCamera();
  ApplyPlacement();
}

void RobotView::Place(const std::vector<robot::Transform>& links) {
  links_ = links;
  placePending_ = true;
  if (isVisible() && quick_) placeTimer_.start();
}

void RobotView::ApplyPlacement() {
  if (!quick_) return;
  if (modelPending_) {
    modelPending_ = false;
    if (model_)
      scene_.Build(*model_, lift_);
    else
      scene_.Clear();
    scene_.SetRed(red_);
    placePending_ = true;
  }
  if (!placePending_) return;
  placePending_ = false;
  scene_.Place(links_);
  ++placements_;
}

void RobotView::SetRedLinks(std::vector<bool> red) {
  if (red == red_) return;
  red_ = std::move(red);
  if (quick_ && !modelPending_) scene_.SetRed(red_);
}

void RobotView::LookFrom(RobotViewAngle angle) {
  angle_ = angle;
  if (model_)
    camera_ = RobotScene::FitCamera(*model_, rest_, angle, lift_);
  else
    camera_.LookFrom(angle);
  ApplyCamera();
}

void RobotView::ApplyCamera() {
  if (quick_) scene_.SetCamera(camera_);
}

QImage RobotView::Grab() {
  if (!quick_) return QImage();
  ApplyPlacement();
  return quick_->grabFramebuffer();
}

bool RobotView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != quick_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      lastMouse_ = static_cast<QMouseEvent*>(event)->position().toPoint();
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint at = mouse->position().toPoint();
      const QPoint delta = at - lastMouse_;
      lastMouse_ = at;
      const bool pan =
          (mouse->buttons() & (Qt::RightButton | Qt::MiddleButton)) ||
          ((mouse->buttons() & Qt::LeftButton) && (mouse->modifiers() & Qt::ShiftModifier));
      if (pan)
        camera_.Pan(float(delta.x()), float(delta.y()), quick_->height());
      else if (mouse->buttons() & Qt::LeftButton)
        camera_.Orbit(float(delta.x()), float(delta.y()));
      else
        return false;
      ApplyCamera();
      return true;
    }
    case QEvent::Wheel: {
      camera_.Zoom(float(static_cast<QWheelEvent*>(event)->angleDelta().y()) / 120.0f);
      ApplyCamera();
      return true;
    }
    default:
      return QWidget::eventFilter(watched, event);
  }
}

}  // namespace brv3
