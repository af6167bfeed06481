#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/chart/CanvasDrawing.h"
#include "core/chart/CanvasEditor.h"
#include "core/chart/CanvasHost.h"
#include "ui/chart/CanvasPainter.h"

class QKeyEvent;

namespace brv3 {

class Chart;
class ChartHistory;
class Prompter;
class TItemProperty;

// The canvas `Image1`: a widget of the chart's canvas size that feeds its mouse, key and drop
// events to a CanvasEditor over the chart and shows the chart's picture. Every Redraw builds the
// display list afresh; its pixels are painted into a kept picture only where they are shown (a
// paint event paints what it exposes and the picture has not got yet), so a redraw costs what
// is visible, not the whole canvas.
// Key presses of the canvas keys are taken before the other controls of the same window see
// them (text fields excepted).
class CanvasWidget : public QWidget, public CanvasHost {
  Q_OBJECT
 public:
  using ObjectDialogHook = std::function<void(int32_t index, uint8_t type)>;
  using DialogHook = std::function<void()>;

  // Edits go through `history`; `grid` is the window's snapping grid (null: the canvas's own).
  CanvasWidget(ChartHistory& history, Prompter& prompter, QWidget* parent = nullptr,
               CanvasGrid* grid = nullptr);
  ~CanvasWidget() override;

  CanvasEditor& Editor() { return editor_; }
  const DisplayList& Display() const { return display_; }
  // The whole picture of the last Redraw, painted where it was not yet.
  const QImage& Picture();
  // Threads that paint the picture (0: as many as its size and the processor make worthwhile).
  void SetPaintThreads(int threads) { paintThreads_ = threads; }
  // The next Redraw paints the whole picture again, not only what changed.
  void InvalidatePicture() { wholePicture_ = true; }
  // Pixels of the picture painted from display lists so far.
  int64_t PaintedPixels() const { return paintedPixels_; }

  // The object property dialog of the pop-up menu's Properties; without one it does nothing.
  void SetPropertyDialog(TItemProperty* dialog) { propertyDialog_ = dialog; }
  // What a double click on an object (position editor, Set, Compare, mixing dialog) and a double
  // click on empty space (the data dialog) open. An empty hook, and the pop-up's Convert, show a
  // notice on the status line that the dialog is not available.
  void SetObjectDialogHook(ObjectDialogHook hook) { objectDialogHook_ = std::move(hook); }
  void SetDataDialogHook(DialogHook hook) { dataDialogHook_ = std::move(hook); }
  void SetConvertDialogHook(DialogHook hook) { convertDialogHook_ = std::move(hook); }

  // CanvasHost.
  void Redraw() override;
  void ToolChanged(CanvasTool tool) override;
  int32_t NameWidth(const std::string& text) const override;
  std::optional<PopupChoice> ShowPopupMenu(const PopupMenuModel& menu, int32_t x,
                                           int32_t y) override;
  std::optional<uint32_t> ChooseColor(uint32_t current) override;
  std::optional<FileChoice> ChooseItemFile(bool forSave) override;
  void OpenObjectDialog(int32_t index, uint8_t type) override;
  void OpenDataDialog() override;
  void OpenPropertyDialog(int32_t index) override;
  void OpenConvertDialog() override;

  // A tool button was pressed.
  void SetTool(CanvasTool tool);
  // A chart file was opened: the next mouse event only returns to Select.
  void SetInert();

  // Scale of the view only: the chart keeps its coordinates and the picture its pixels.
  static constexpr double kMinZoom = 0.25;
  static constexpr double kMaxZoom = 4.0;
  void SetZoom(double zoom);
  // The object whose step a preview is playing, framed on the canvas; -1 for none.
  void SetPlayedObject(int index);
  int PlayedObject() const { return playedObject_; }
  double Zoom() const { return zoom_; }

 signals:
  // The editor changed its tool by itself (after placing, Esc, ...): the tool button with this
  // tag (a CanvasTool value) goes down.
  void ToolModeChanged(int toolMode);
  // A mouse button, a canvas key or a drop was handled: the chart may have been edited.
  void Edited();

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Runs a canvas key; false when it is none of them (or not with these modifiers).
  bool HandleKey(const QKeyEvent& event);
  void FollowCanvasSize();
  // Where the played object's frame is drawn, in widget pixels (empty when none).
  QRect PlayedFrame() const;
  QPoint PointOf(const QPointF& position) const;
  void Notice(const QString& message);
  // Paints the part of `area` the picture has not got yet.
  void PaintPicture(const QRect& area);
  // Marks what changed between the last two display lists as unpainted and asks for those
  // parts of the window only; false when the whole picture has to be painted again.
  bool MarkChangedAreas(bool samePicture);

  Chart& chart_;
  Prompter& prompter_;
  CanvasEditor editor_;
  DisplayList display_;
  DisplayList previous_;  // what the picture showed before the last Redraw
  QFont displayFont_;     // the font the picture's texts were drawn in
  bool wholePicture_ = false;
  int64_t paintedPixels_ = 0;
  QImage picture_;
  QRegion unpainted_;  // of picture_, for display_
  int paintThreads_ = 0;
  CanvasPictureCache sprites_;
  TItemProperty* propertyDialog_ = nullptr;
  ObjectDialogHook objectDialogHook_;
  DialogHook dataDialogHook_;
  DialogHook convertDialogHook_;
  bool reportingTool_ = false;
  double zoom_ = 1.0;
  int playedObject_ = -1;
};

}  // namespace brv3
