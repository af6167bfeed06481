#include "ui/app/WidgetMap.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSlider>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace brv3 {
namespace {

QJsonObject RectOf(const QRect& r) {
  return QJsonObject{{"x", r.x()}, {"y", r.y()}, {"w", r.width()}, {"h", r.height()}};
}

QRect GlobalRect(const QWidget* widget) {
  return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// The rows of a list, table or drop-down popup that are on the screen.
QJsonArray RowsOf(const QAbstractItemView* view) {
  QJsonArray rows;
  const QAbstractItemModel* model = view->model();
  if (!model) return rows;
  const QWidget* viewport = view->viewport();
  const QRect visible = viewport->rect();
  for (int r = 0; r < model->rowCount(view->rootIndex()); ++r) {
    const QModelIndex index = model->index(r, 0, view->rootIndex());
    QRect rect = view->visualRect(index);
    if (!rect.isValid() || !visible.intersects(rect)) continue;
    rect = QRect(viewport->mapToGlobal(rect.topLeft()), rect.size());
    rect.setWidth(std::min(rect.width(), viewport->width()));
    QJsonObject row = RectOf(rect);
    row["row"] = r;
    // Every column's text, tab-separated (a table row: number, name, date ...).
    QStringList texts;
    for (int c = 0; c < model->columnCount(view->rootIndex()); ++c)
      texts << model->data(model->index(r, c, view->rootIndex())).toString();
    row["text"] = texts.join('\t');
    const QVariant check = model->data(index, Qt::CheckStateRole);
    if (check.isValid()) row["checked"] = check.toInt() == Qt::Checked;
    rows.append(row);
  }
  return rows;
}

// Where a slider's handle is, so that a drag can start on it.
QJsonObject HandleOf(const QSlider* slider) {
  QStyleOptionSlider option;
  option.initFrom(slider);
  option.orientation = slider->orientation();
  option.minimum = slider->minimum();
  option.maximum = slider->maximum();
  option.sliderPosition = slider->sliderPosition();
  option.sliderValue = slider->value();
  option.singleStep = slider->singleStep();
  option.pageStep = slider->pageStep();
  option.upsideDown = slider->orientation() == Qt::Horizontal
                          ? slider->invertedAppearance() != (option.direction == Qt::RightToLeft)
                          : !slider->invertedAppearance();
  option.tickPosition = slider->tickPosition();
  option.tickInterval = slider->tickInterval();
  option.subControls = QStyle::SC_All;
  const QRect r =
      slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
  return RectOf(QRect(slider->mapToGlobal(r.topLeft()), r.size()));
}

// The width a caption needs beside what its widget draws around it; 0 for a widget whose text
// is not drawn on one line (wrapped or rich text, icon-only buttons).
int CaptionWidth(const QWidget* widget) {
  const QFontMetrics metrics(widget->font());
  auto advance = [&metrics](QString text) {
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    int widest = 0;
    for (const QString& line : text.split('\n'))
      widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
  };
  const QStyle* style = widget->style();
  if (auto* label = qobject_cast<const QLabel*>(widget)) {
    if (label->wordWrap() || label->text().isEmpty() || Qt::mightBeRichText(label->text()))
      return 0;
    return advance(label->text()) + 2 * label->frameWidth() + 2 * label->margin();
  }
  if (auto* box = qobject_cast<const QCheckBox*>(widget)) {
    if (box->text().isEmpty()) return 0;
    return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget) +
           advance(box->text());
  }
  if (auto* radio = qobject_cast<const QRadioButton*>(widget)) {
    if (radio->text().isEmpty()) return 0;
    return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget) +
           advance(radio->text());
  }
  if (auto* tool = qobject_cast<const QToolButton*>(widget)) {
    if (tool->text().isEmpty() || tool->toolButtonStyle() == Qt::ToolButtonIconOnly ||
        (!tool->icon().isNull() && tool->toolButtonStyle() == Qt::ToolButtonFollowStyle))
      return 0;
    return advance(tool->text());
  }
  if (auto* button = qobject_cast<const QPushButton*>(widget)) {
    if (button->text().isEmpty()) return 0;
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    return advance(button->text()) + icon;
  }
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) {
    if (group->title().isEmpty()) return 0;
    return advance(group->title()) + (group->isCheckable() ? 20 : 0);
  }
  return 0;
}

QJsonObject Describe(const QWidget* widget) {
  QJsonObject entry = RectOf(GlobalRect(widget));
  entry["name"] = widget->objectName();
  entry["class"] = widget->metaObject()->className();
  entry["window"] = widget->window()->objectName();
  entry["title"] = widget->window()->windowTitle();
  entry["enabled"] = widget->isEnabled();
  // A caption wider than its widget, or a column's caption wider than the column, is cut off on
  // the screen.
  if (CaptionWidth(widget) > widget->width()) entry["clipped"] = true;
  if (auto* label = qobject_cast<const QLabel*>(widget))
    if (label->wordWrap() && label->heightForWidth(label->width()) > label->height())
      entry["clipped"] = true;
  if (auto* tree = qobject_cast<const QTreeView*>(widget)) {
    const QHeaderView* header = tree->header();
    for (int i = 0; header && !header->isHidden() && i < header->count(); ++i)
      if (!header->isSectionHidden(i) && header->sectionSizeHint(i) > header->sectionSize(i))
        entry["clipped"] = true;
  }
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    entry["text"] = button->text();
    if (button->isCheckable()) entry["checked"] = button->isChecked();
  } else if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
    entry["text"] = combo->currentText();
    entry["value"] = combo->currentIndex();
  } else if (auto* edit = qobject_cast<const QLineEdit*>(widget)) {
    entry["text"] = edit->text();
  } else if (auto* label = qobject_cast<const QLabel*>(widget)) {
    entry["text"] = label->text();
  } else if (auto* slider = qobject_cast<const QAbstractSlider*>(widget)) {
    entry["value"] = slider->value();
    entry["down"] = slider->isSliderDown();
    if (auto* bar = qobject_cast<const QSlider*>(widget)) entry["handle"] = HandleOf(bar);
  } else if (auto* spin = qobject_cast<const QAbstractSpinBox*>(widget)) {
    entry["text"] = spin->text();
  } else if (auto* tabs = qobject_cast<const QTabBar*>(widget)) {
    QJsonArray items;
    for (int i = 0; i < tabs->count(); ++i) {
      QJsonObject tab =
          RectOf(QRect(widget->mapToGlobal(tabs->tabRect(i).topLeft()), tabs->tabRect(i).size()));
      tab["row"] = i;
      tab["text"] = tabs->tabText(i);
      items.append(tab);
    }
    entry["items"] = items;
    entry["value"] = tabs->currentIndex();
  }
  if (auto* view = qobject_cast<const QAbstractItemView*>(widget)) entry["items"] = RowsOf(view);
  if (auto* bar = qobject_cast<const QMenuBar*>(widget)) {
    QJsonArray items;
    for (QAction* action : bar->actions()) {
      const QRect r = bar->actionGeometry(action);
      if (!action->isVisible() || r.isEmpty()) continue;
      QJsonObject item = RectOf(QRect(widget->mapToGlobal(r.topLeft()), r.size()));
      item["name"] = action->objectName();
      item["text"] = action->text();
      items.append(item);
    }
    entry["items"] = items;
  }
  return entry;
}

QJsonObject DescribeMenu(const QMenu* menu) {
  QJsonObject entry = RectOf(GlobalRect(menu));
  entry["name"] = menu->objectName();
  entry["class"] = "QMenu";
  entry["title"] = menu->title();
  QJsonArray items;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    const QRect r = menu->actionGeometry(action);
    QJsonObject item = RectOf(QRect(menu->mapToGlobal(r.topLeft()), r.size()));
    item["name"] = action->objectName();
    item["text"] = action->text();
    item["enabled"] = action->isEnabled();
    items.append(item);
  }
  entry["items"] = items;
  return entry;
}

QByteArray Snapshot() {
  QJsonArray widgets;
  QJsonArray windows;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    if (auto* menu = qobject_cast<QMenu*>(top)) {
      widgets.append(DescribeMenu(menu));
      continue;
    }
    QJsonObject window = RectOf(top->frameGeometry());
    window["name"] = top->objectName();
    window["class"] = top->metaObject()->className();
    window["title"] = top->windowTitle();
    window["enabled"] = top->isEnabled();
    window["modal"] = top->isModal();
    window["xid"] = static_cast<qint64>(top->internalWinId());
    windows.append(window);
    const QList<QWidget*> children = top->findChildren<QWidget*>();
    for (QWidget* widget : QList<QWidget*>{top} + children) {
      if (!widget->isVisible()) continue;
      QJsonObject entry = Describe(widget);
      if (widget->objectName().isEmpty() && !qobject_cast<QMenuBar*>(widget)) {
        // A drop-down list's popup (a window of its own, unnamed) is named after its combo box.
        auto* view = qobject_cast<QAbstractItemView*>(widget);
        QComboBox* owner = nullptr;
        for (QWidget* p = widget->parentWidget(); p && !owner; p = p->parentWidget())
          owner = qobject_cast<QComboBox*>(p);
        if (!view || !owner) continue;
        entry["name"] = owner->objectName() + "/popup";
      }
      widgets.append(entry);
    }
  }
  auto name = [](const QWidget* w) { return w ? w->objectName() : QString(); };
  QJsonObject root{
      {"stamp", QDateTime::currentMSecsSinceEpoch()},
      {"windows", windows},
      {"widgets", widgets},
      {"active", name(QApplication::activeWindow())},
      {"activeClass",
       QApplication::activeWindow() ? QApplication::activeWindow()->metaObject()->className() : ""},
      {"modal", name(QApplication::activeModalWidget())},
      {"popup", name(QApplication::activePopupWidget())},
      {"focus", name(QApplication::focusWidget())}};
  return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

}  // namespace

void StartWidgetMapFromEnvironment() {
  const char* path = std::getenv("BRV3_WIDGET_MAP");
  if (!path || !*path) return;
  auto* timer = new QTimer(qApp);
  const QString target = QString::fromLocal8Bit(path);
  // Rewritten on every tick with the time it was taken, so that a reader can wait for a
  // description made after its last input.
  QObject::connect(timer, &QTimer::timeout, timer, [target] {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(Snapshot());
    file.write("\n");
    file.commit();
  });
  timer->start(100);
}

}  // namespace brv3
