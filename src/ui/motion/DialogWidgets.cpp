#include "ui/motion/DialogWidgets.h"

#include <QLabel>

#include "core/chart/CanvasDrawing.h"
#include "core/motion/PanelLayout.h"
#include "ui/chart/CanvasPainter.h"

namespace brv3 {
namespace {

QColor FromBgr(uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>(bgr >> 8 & 0xFF),
                static_cast<int>(bgr >> 16 & 0xFF));
}

}  // namespace

void DressChannelLabel(QLabel* label, const ChannelLook* look, int channel) {
  if (!label) return;
  if (!look) {
    label->setText(QString("CH%1").arg(channel));
    return;
  }
  label->setText(QString::fromStdString(look->ChannelCaption(channel)));
  QPalette p = label->palette();
  const uint32_t fill = QtCanvasPalette(p).Resolve(look->ChannelColor(channel));
  p.setColor(QPalette::Window, FromBgr(fill));
  p.setColor(QPalette::WindowText, FromBgr(LabelColorFor(fill)));
  label->setAutoFillBackground(true);
  label->setPalette(p);
}

}  // namespace brv3
