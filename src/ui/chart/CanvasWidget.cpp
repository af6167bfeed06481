#include "ui/chart/CanvasWidget.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegion>
#include <QTextEdit>
#include <algorithm>
#include <memory>

#include "core/chart/Chart.h"
#include "core/chart/ChartFiles.h"
#include "core/chart/DisplayListDiff.h"
#include "core/util/Prompter.h"
#include "ui/app/ItemProperty.h"
#include "ui/app/ShownTexts.h"
#include "ui/chart/CanvasPopupMenu.h"
#include "ui/chart/TableRowMime.h"

namespace brv3 {

namespace {

unsigned Modifiers(Qt::KeyboardModifiers modifiers) {
  unsigned result = 0;
  if (modifiers & Qt::ShiftModifier) result |= kModShift;
  if (modifiers & Qt::ControlModifier) result |= kModCtrl;
  if (modifiers & Qt::AltModifier) result |= kModAlt;
  return result;
}

unsigned Buttons(Qt::MouseButtons buttons) {
  unsigned result = 0;
  if (buttons & Qt::LeftButton) result |= kButtonLeft;
  if (buttons & Qt::RightButton) result |= kButtonRight;
  if (buttons & Qt::MiddleButton) result |= kButtonMiddle;
  return result;
}

std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

std::optional<CanvasKey> CanvasKeyOf(int key) {
  switch (key) {
    case Qt::Key_C:
      return CanvasKey::C;
    case Qt::Key_V:
      return CanvasKey::V;
    case Qt::Key_Escape:
      return CanvasKey::Escape;
    case Qt::Key_Delete:
      return CanvasKey::Delete;
    default:
      return std::nullopt;
  }
}

// Controls whose own keys must win: anything that edits text.
bool TakesText(const QWidget* widget) {
  if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return !edit->isReadOnly();
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->isEditable();
  return qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
         qobject_cast<const QAbstractSpinBox*>(widget);
}

}  // namespace

CanvasWidget::CanvasWidget(ChartHistory& history, Prompter& prompter, QWidget* parent,
                           CanvasGrid* grid)
    : QWidget(parent),
      chart_(history.GetChart()),
      prompter_(prompter),
      editor_(history, prompter, *this, grid) {
  setObjectName("Image1");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setContextMenuPolicy(Qt::PreventContextMenu);
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  Redraw();
}

CanvasWidget::~CanvasWidget() {
  qApp->removeEventFilter(this);
}

void CanvasWidget::FollowCanvasSize() {
  QSize size = CanvasPictureSize(chart_.CanvasWidth, chart_.CanvasHeight);
  if (zoom_ != 1.0) size = (QSizeF(size) * zoom_).toSize();
  if (minimumSize() != size || maximumSize() != size) setFixedSize(size);
}

QPoint CanvasWidget::PointOf(const QPointF& position) const {
  return zoom_ == 1.0 ? position.toPoint() : (position / zoom_).toPoint();
}

void CanvasWidget::SetZoom(double zoom) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_) return;
  zoom_ = zoom;
  FollowCanvasSize();
  update();
}

int32_t CanvasWidget::NameWidth(const std::string& text) const {
  return QFontMetrics(font()).horizontalAdvance(QString::fromStdString(text));
}

void CanvasWidget::Redraw() {
  FollowCanvasSize();
  sprites_.EndPicture();  // the sprites the last display list used stay, the others may go
  std::swap(display_, previous_);
  BuildDisplayList(chart_, editor_.Overlay(), QtCanvasPalette(palette()), display_);
  const bool hadPicture = !picture_.isNull();
  const QSize before = picture_.size();
  if (!PrepareCanvasImage(display_, picture_)) {
    unpainted_ = QRegion();
    update();
    return;
  }
  if (!wholePicture_ && MarkChangedAreas(hadPicture && picture_.size() == before)) return;
  wholePicture_ = false;
  displayFont_ = font();
  unpainted_ = QRegion(picture_.rect());
  update();
}

bool CanvasWidget::MarkChangedAreas(bool samePicture) {
  if (!samePicture || displayFont_ != font()) return false;
  const QFontMetrics metrics(font());
  const TextReach reach{metrics.height() + 2, [&metrics](std::string_view text) {
                          return metrics.horizontalAdvance(
                              QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
                        }};
  const std::optional<std::vector<CanvasArea>> areas = ChangedAreas(previous_, display_, reach);
  if (!areas) return false;
  for (const CanvasArea& a : *areas) {
    const QRect changed =
        QRect(QPoint(a.left, a.top), QPoint(a.right, a.bottom)).intersected(picture_.rect());
    if (changed.isEmpty()) continue;
    unpainted_ += changed;
    update(QRectF(QPointF(changed.topLeft()) * zoom_, QSizeF(changed.size()) * zoom_)
               .toAlignedRect()
               .adjusted(-1, -1, 1, 1));
  }
  return true;
}

void CanvasWidget::PaintPicture(const QRect& area) {
  const QRegion missing = unpainted_.intersected(area);
  if (missing.isEmpty()) return;
  // One pass over the display list per part missing here; many small parts in one pass over
  // their bounds.
  if (missing.rectCount() <= 8) {
    for (const QRect& part : missing) {
      PaintDisplayArea(display_, picture_, font(), sprites_, part, paintThreads_);
      paintedPixels_ += int64_t{part.width()} * part.height();
    }
    unpainted_ -= missing;
    return;
  }
  const QRect bounds = missing.boundingRect();
  PaintDisplayArea(display_, picture_, font(), sprites_, bounds, paintThreads_);
  paintedPixels_ += int64_t{bounds.width()} * bounds.height();
  unpainted_ -= bounds;
}

const QImage& CanvasWidget::Picture() {
  PaintPicture(picture_.rect());
  return picture_;
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  const QRect area = event->rect();
  PaintPicture(area);
  QPainter painter(this);
  if (picture_.isNull()) {
    painter.fillRect(area, palette().color(QPalette::Base));
    return;
  }
  if (zoom_ != 1.0) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ < 1.0);
    painter.scale(zoom_, zoom_);
    const QRect source =
        QRectF(QPointF(area.topLeft()) / zoom_, QSizeF(area.size()) / zoom_).toAlignedRect();
    painter.drawImage(source.topLeft(), picture_, source);
    painter.restore();
  } else {
    painter.drawImage(area.topLeft(), picture_, area);
    // Beyond a picture cut down for its size.
    const QRegion outside = QRegion(area).subtracted(picture_.rect());
    for (const QRect& part : outside) painter.fillRect(part, palette().color(QPalette::Dark));
  }
  if (QRect played = PlayedFrame(); played.intersects(area)) {
    painter.setPen(QPen(QColor(0, 170, 80), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(played);
  }
}

QRect CanvasWidget::PlayedFrame() const {
  if (!chart_.ValidObject(playedObject_)) return QRect();
  const ChartObject& o = chart_.Objects[static_cast<size_t>(playedObject_)];
  const QRectF frame(o.Left * zoom_, o.Top * zoom_, o.Width * zoom_, o.Height * zoom_);
  return frame.toAlignedRect().adjusted(-3, -3, 3, 3);
}

void CanvasWidget::SetPlayedObject(int index) {
  if (index == playedObject_) return;
  const QRect before = PlayedFrame();
  playedObject_ = index;
  update(before.adjusted(-2, -2, 2, 2));
  update(PlayedFrame().adjusted(-2, -2, 2, 2));
}

void CanvasWidget::ToolChanged(CanvasTool tool) {
  reportingTool_ = true;
  emit ToolModeChanged(static_cast<int>(tool));
  reportingTool_ = false;
}

void CanvasWidget::SetTool(CanvasTool tool) {
  // The button going down because the editor itself changed tools is no new choice.
  if (reportingTool_) return;
  editor_.SetTool(tool);
}

void CanvasWidget::SetInert() {
  editor_.SetInert();
  Redraw();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = ButtonOf(event->button());
  if (!button) return;
  const QPoint p = PointOf(event->position());
  editor_.MousePress(*button, p.x(), p.y(), Modifiers(event->modifiers()));
  emit Edited();
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = PointOf(event->position());
  editor_.MouseMove(p.x(), p.y(), Buttons(event->buttons()), Modifiers(event->modifiers()));
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = ButtonOf(event->button());
  if (!button) return;
  const QPoint p = PointOf(event->position());
  editor_.MouseRelease(*button, p.x(), p.y(), Modifiers(event->modifiers()));
  emit Edited();
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // The first click's press and release have already been handled; the double click itself
  // only opens or reverses what that press hit. Other buttons press again.
  if (event->button() == Qt::LeftButton) {
    editor_.DoubleClick();
    emit Edited();
    return;
  }
  mousePressEvent(event);
}

bool CanvasWidget::HandleKey(const QKeyEvent& event) {
  const std::optional<CanvasKey> key = CanvasKeyOf(event.key());
  if (!key) return false;
  const unsigned modifiers = Modifiers(event.modifiers());
  if ((*key == CanvasKey::C || *key == CanvasKey::V) && !(modifiers & kModCtrl)) return false;
  const bool handled = editor_.KeyPress(*key, modifiers);
  if (handled) emit Edited();
  return handled;
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
  if (HandleKey(*event))
    event->accept();
  else
    QWidget::keyPressEvent(event);
}

bool CanvasWidget::event(QEvent* event) {
  // Keep shortcuts elsewhere in the window from taking the canvas keys.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<CanvasKey> canvasKey = CanvasKeyOf(key->key());
    const unsigned modifiers = Modifiers(key->modifiers());
    if (canvasKey && !(modifiers & (kModShift | kModAlt)) &&
        ((*canvasKey != CanvasKey::C && *canvasKey != CanvasKey::V) || (modifiers & kModCtrl))) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

void CanvasWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Names are painted in the widget's font and system colours follow its palette.
  if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) Redraw();
}

bool CanvasWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched != this && isVisible()) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == window() && !TakesText(widget) &&
        HandleKey(*static_cast<QKeyEvent*>(event)))
      return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CanvasWidget::dragEnterEvent(QDragEnterEvent* event) {
  const std::optional<TableRowDrag> drag = ReadTableRowMime(*event->mimeData());
  if (drag && CanvasEditor::AcceptsDrop(true, drag->row))
    event->acceptProposedAction();
  else
    event->ignore();
}

void CanvasWidget::dragMoveEvent(QDragMoveEvent* event) {
  const std::optional<TableRowDrag> drag = ReadTableRowMime(*event->mimeData());
  if (drag && CanvasEditor::AcceptsDrop(true, drag->row))
    event->acceptProposedAction();
  else
    event->ignore();
}

void CanvasWidget::dropEvent(QDropEvent* event) {
  const std::optional<TableRowDrag> drag = ReadTableRowMime(*event->mimeData());
  if (!drag) {
    event->ignore();
    return;
  }
  const QPoint p = PointOf(event->position());
  editor_.DropMotion(p.x(), p.y(), drag->row, drag->label, drag->name);
  event->acceptProposedAction();
  emit Edited();
}

std::optional<PopupChoice> CanvasWidget::ShowPopupMenu(const PopupMenuModel& model, int32_t x,
                                                       int32_t y) {
  std::unique_ptr<QMenu> menu(BuildCanvasPopupMenu(model, this));
  return PopupChoiceOf(menu->exec(mapToGlobal(QPoint(x, y))));
}

std::optional<uint32_t> CanvasWidget::ChooseColor(uint32_t current) {
  const uint32_t bgr = QtCanvasPalette(palette()).Resolve(current);
  const QColor chosen = QColorDialog::getColor(
      QColor(ColorRed(bgr), ColorGreen(bgr), ColorBlue(bgr)), this, tr("Color"));
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<uint32_t>(chosen.red()) | static_cast<uint32_t>(chosen.green()) << 8 |
         static_cast<uint32_t>(chosen.blue()) << 16;
}

std::optional<FileChoice> CanvasWidget::ChooseItemFile(bool forSave) {
  const std::optional<FileAnswer> file =
      prompter_.ChooseFile({forSave, (forSave ? tr("Save") : tr("Open")).toStdString(),
                            std::string(), ChartFileFilters()});
  if (!file) return std::nullopt;
  FileChoice choice;
  choice.name = file->path;
  choice.filterIndex = file->filterIndex + 1;
  return choice;
}

void CanvasWidget::Notice(const QString& message) {
  prompter_.ShowStatus(message.toStdString());
}

void CanvasWidget::OpenObjectDialog(int32_t index, uint8_t type) {
  if (objectDialogHook_) {
    objectDialogHook_(index, type);
    return;
  }
  switch (type) {
    case kPosition:
      Notice(tr("The position editor is not available yet"));
      break;
    case kSet:
      Notice(tr("The Set dialog is not available yet"));
      break;
    case kCompare:
      Notice(tr("The Compare dialog is not available yet"));
      break;
    default:
      Notice(tr("The mixing dialog is not available yet"));
      break;
  }
}

void CanvasWidget::OpenDataDialog() {
  if (dataDialogHook_)
    dataDialogHook_();
  else
    Notice(tr("The data dialog is not available yet"));
}

void CanvasWidget::OpenConvertDialog() {
  if (convertDialogHook_)
    convertDialogHook_();
  else
    Notice(tr("The link/convert dialog is not available yet"));
}

void CanvasWidget::OpenPropertyDialog(int32_t index) {
  if (!propertyDialog_ || !chart_.ValidObject(index)) return;
  ChartObject& object = chart_.Objects[static_cast<size_t>(index)];
  if (propertyDialog_->Edit(object, QCursor::pos()) == TItemProperty::Outcome::Applied)
    chart_.DeselectAll();
  Redraw();
}

}  // namespace brv3
