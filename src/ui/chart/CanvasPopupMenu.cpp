#include "ui/chart/CanvasPopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include "core/chart/CanvasDrawing.h"
#include "core/util/Translate.h"
#include "ui/chart/CanvasPainter.h"

namespace brv3 {

namespace {

constexpr const char* kEntryProperty = "brv3PopupEntry";
constexpr const char* kColorTagProperty = "brv3ColorTag";

QIcon Swatch(const ColorMenuEntry& entry, const CanvasPalette& palette) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  if (entry.tag == kColorEtcTag) {
    // Four small squares: any other colour.
    const QColor quarters[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int i = 0; i < 4; ++i)
      painter.fillRect(2 + (i % 2) * 6, 2 + (i / 2) * 6, 6, 6, quarters[i]);
    painter.drawRect(2, 2, 11, 11);
  } else {
    const uint32_t bgr = palette.Resolve(entry.color);
    painter.setBrush(QColor(ColorRed(bgr), ColorGreen(bgr), ColorBlue(bgr)));
    painter.drawRect(2, 2, 11, 11);
  }
  return QIcon(pixmap);
}

// The caption in the user's language; an entry without a Japanese one keeps its English.
QString Caption(const char* japanese, const char* english) {
  return QString::fromUtf8(japanese && *japanese ? Pick(japanese, english) : english);
}

}  // namespace

QMenu* BuildCanvasPopupMenu(const PopupMenuModel& model, QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName("PopupMenu");
  for (const PopupMenuItem& item : model.items) {
    if (!item.visible) continue;
    if (item.separator) {
      menu->addSeparator()->setObjectName(item.name);
      continue;
    }
    if (item.entry == PopupEntry::Color) {
      QMenu* colors = menu->addMenu(Caption(item.japanese, item.english));
      colors->setObjectName(item.name);
      colors->menuAction()->setObjectName(item.name);
      colors->setEnabled(item.enabled);
      const CanvasPalette palette = QtCanvasPalette(menu->palette());
      for (const ColorMenuEntry& entry : kColorMenu) {
        QAction* action =
            colors->addAction(Swatch(entry, palette), Caption(entry.japanese, entry.english));
        action->setObjectName(entry.name);
        action->setProperty(kEntryProperty, static_cast<int>(PopupEntry::Color));
        action->setProperty(kColorTagProperty, entry.tag);
      }
      continue;
    }
    QAction* action = menu->addAction(Caption(item.japanese, item.english));
    action->setObjectName(item.name);
    action->setEnabled(item.enabled);
    action->setProperty(kEntryProperty, static_cast<int>(item.entry));
  }
  return menu;
}

std::optional<PopupChoice> PopupChoiceOf(const QAction* action) {
  if (!action) return std::nullopt;
  const QVariant entry = action->property(kEntryProperty);
  if (!entry.isValid()) return std::nullopt;
  PopupChoice choice;
  choice.entry = static_cast<PopupEntry>(entry.toInt());
  choice.colorTag = action->property(kColorTagProperty).toInt();
  return choice;
}

}  // namespace brv3
