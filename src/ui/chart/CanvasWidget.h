#pragma once

#include <QImage>
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
// display list afresh and paints it into a kept picture; paint events only copy that picture.
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
  // The picture painted by the last Redraw.
  const QImage& Picture() const { return picture_; }

  // The object property dialog of the pop-up menu's Properties; without one it does nothing.
  void SetPropertyDialog(TItemProperty* dialog) { propertyDialog_ = dialog; }
  // What a double click on an object (position editor, Set, Compare, mixing dialog), a double
  // click on empty space (the data dialog) and the pop-up's Convert open. An empty hook shows
  // a notice on the status line that the dialog is not available.
  void SetObjectDialogHook(ObjectDialogHook hook) { objectDialogHook_ = std::move(hook); }
  void SetDataDialogHook(DialogHook hook) { dataDialogHook_ = std::move(hook); }
  void SetConvertDialogHook(DialogHook hook) { convertDialogHook_ = std::move(hook); }

  // CanvasHost.
  void Redraw() override;
  void ToolChanged(CanvasTool tool) override;
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

 signals:
  // The editor changed its tool by itself (after placing, Esc, ...): the tool button with this
  // tag (a CanvasTool value) goes down.
  void ToolModeChanged(int toolMode);

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
  void Notice(const char* dialog);

  Chart& chart_;
  Prompter& prompter_;
  CanvasEditor editor_;
  DisplayList display_;
  QImage picture_;
  CanvasPictureCache sprites_;
  TItemProperty* propertyDialog_ = nullptr;
  ObjectDialogHook objectDialogHook_;
  DialogHook dataDialogHook_;
  DialogHook convertDialogHook_;
  bool reportingTool_ = false;
};

}  // namespace brv3
