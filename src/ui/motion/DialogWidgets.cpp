#include "ui/motion/DialogWidgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QEvent>
#include <QLabel>

#include "core/chart/CanvasDrawing.h"
#include "core/motion/PanelLayout.h"
#include "ui/chart/BgrColor.h"
#include "ui/chart/CanvasPainter.h"

namespace brv3 {

NotifyingCombo::NotifyingCombo(QWidget* parent) : QComboBox(parent) {
  connect(this, qOverload<int>(&QComboBox::activated), this, &NotifyingCombo::Taken);
}

void NotifyingCombo::showPopup() {
  open_ = true;
  closing_ = false;
  emit Opened();
  QComboBox::showPopup();
  // The list's window can also close without hidePopup (Escape, a click elsewhere).
  if (QWidget* popup = view()->window(); popup != this && popup != watchedPopup_) {
    popup->installEventFilter(this);
    watchedPopup_ = popup;
  }
}

void NotifyingCombo::hidePopup() {
  QComboBox::hidePopup();
  ClosedUp();
}

bool NotifyingCombo::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched == view()->window()) ClosedUp();
  return QComboBox::eventFilter(watched, event);
}

// Closed only follows an Opened: hiding the window also hides a list that was never open.
void NotifyingCombo::ClosedUp() {
  if (!open_) return;
  open_ = false;
  closing_ = true;
  QMetaObject::invokeMethod(this, &NotifyingCombo::CloseUpWithoutChoice, Qt::QueuedConnection);
}

void NotifyingCombo::Taken() {
  if (open_) return;  // still choosing in the open list
  closing_ = false;
  emit Closed();
}

void NotifyingCombo::CloseUpWithoutChoice() {
  if (!closing_) return;  // the choice was taken and reported already
  closing_ = false;
  emit Closed();
}

namespace {

// The panel colour fills the widget and its caption takes the font colour that reads on it; a
// button's own roles are set too, since buttons fill and write with those.
void DressColors(QWidget* widget, const ChannelLook& look, int channel) {
  QPalette p = widget->palette();
  const uint32_t fill = QtCanvasPalette(p).Resolve(look.ChannelColor(channel));
  const QColor text = FromBgr(LabelColorFor(fill));
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
    p.setColor(role, FromBgr(fill));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
    p.setColor(role, text);
  widget->setBackgroundRole(QPalette::Window);
  widget->setForegroundRole(QPalette::WindowText);
  widget->setAutoFillBackground(true);
  widget->setPalette(p);
}

// The caption, and the colours when the look is known; QLabel and buttons share no setText.
template <class Widget>
void DressChannel(Widget* widget, const ChannelLook* look, int channel) {
  if (!widget) return;
  if (!look) {
    widget->setText(QString("CH%1").arg(channel));
    return;
  }
  widget->setText(QString::fromStdString(look->ChannelCaption(channel)));
  DressColors(widget, *look, channel);
}

}  // namespace

void DressChannelLabel(QLabel* label, const ChannelLook* look, int channel) {
  DressChannel(label, look, channel);
}

void DressChannelBox(QAbstractButton* box, const ChannelLook* look, int channel) {
  DressChannel(box, look, channel);
}

}  // namespace brv3
