#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/chart/CanvasGrid.h"
#include "core/chart/CanvasHitTest.h"
#include "core/chart/CanvasHost.h"
#include "core/chart/CanvasMenus.h"
#include "core/chart/CanvasOverlay.h"
#include "core/chart/Chart.h"
#include "core/chart/ChartEvents.h"
#include "core/chart/ChartHistory.h"

namespace brv3 {

class Prompter;

enum class MouseButton : uint8_t { Left, Right, Middle };
// Buttons held during a move (bit set).
enum : unsigned { kButtonLeft = 1, kButtonRight = 2, kButtonMiddle = 4 };
// Keyboard modifiers (bit set).
enum : unsigned { kModShift = 1, kModCtrl = 2, kModAlt = 4 };
enum class CanvasKey : uint8_t { C, V, Escape, Delete, Other };

// What a double click asked for (the host has already been asked to open it).
struct DoubleClickResult {
  enum class Kind : uint8_t { None, DataDialog, ObjectDialog, WireReversed };
  Kind kind = Kind::None;
  int32_t index = -1;  // object or wire
  uint8_t type = 0;    // object type for ObjectDialog
};

// The toolkit-free canvas: tools, hit tests, selection, dragging, wiring, the pop-up menu and
// its commands, copy and paste, keys and drops. A widget forwards its mouse, key and drop events
// (canvas coordinates) and paints the display list built from Chart() and Overlay() whenever
// the host's Redraw is called. Every change of the chart goes through the history (one drag is
// one step); selection-only changes are announced but not recorded. The editor follows the
// chart's change events: a change made elsewhere (undo, a dialog, a read back) redraws the
// canvas and forgets hit indices that may have gone stale.
class CanvasEditor {
 public:
  // `grid` is the snapping grid to follow; without one the editor keeps its own.
  CanvasEditor(ChartHistory& history, Prompter& prompter, CanvasHost& host,
               CanvasGrid* grid = nullptr);

  // Tool buttons. Select and Start flag also end wiring and deselect everything; the wiring
  // tools start wiring with no wire in progress; the placing tools end wiring. Inert and
  // values beyond the buttons are ignored.
  void SetTool(CanvasTool tool);
  // After a chart file was opened: the next mouse press, move or release only returns to Select.
  void SetInert();
  // The environment dialog applied: Select tool, no wire in progress.
  void ResetAfterEnvironment();
  CanvasTool Tool() const { return tool_; }

  CanvasGrid& Grid() { return *grid_; }
  const CanvasGrid& Grid() const { return *grid_; }
  ChartHistory& History() { return history_; }

  void MousePress(MouseButton button, int32_t x, int32_t y, unsigned modifiers);
  void MouseMove(int32_t x, int32_t y, unsigned buttons, unsigned modifiers);
  void MouseRelease(MouseButton button, int32_t x, int32_t y, unsigned modifiers);
  // Uses the hit results of the preceding press; Select tool only.
  DoubleClickResult DoubleClick();
  // True when the key was one of the canvas keys and was handled.
  bool KeyPress(CanvasKey key, unsigned modifiers);

  // Drag-over from the motion table: refused only for its list with a scenario row (80 and up).
  static bool AcceptsDrop(bool fromMotionList, int selectedRow);
  // A drop of motion row `row` (0..79) of the motion table at the (unsnapped) canvas point: a
  // MOT object with `Head` = row and `Name` = caption + " " + motion name. True when placed.
  bool DropMotion(int32_t x, int32_t y, int row, const std::string& rowCaption,
                  const std::string& motionName);

  // Pop-up menu commands; also callable directly (the menu runs them after ShowPopupMenu).
  void RunPopupEntry(const PopupChoice& choice);
  void ReleaseSelection();
  void Copy();
  void Paste();
  void DeleteSelection();
  void SelectAll();
  bool Insert();
  void ApplyColor(int colorTag);
  bool AddBendPoint();
  bool DeleteBendPoint();
  bool SaveItems();
  bool OpenItems();

  const Chart& GetChart() const { return chart_; }
  const CopyBuffer& Buffer() const { return buffer_; }
  const CanvasHit& LastHit() const { return hit_; }
  CanvasOverlay Overlay() const;
  LinkPoint PressPoint() const { return pressPoint_; }
  LinkPoint LastPoint() const { return lastPoint_; }
  LinkPoint PastePoint() const { return pastePoint_; }
  bool RubberBand() const { return rubberBand_; }
  bool Wiring() const { return wiring_; }
  int32_t WireOrigin() const { return wireOrigin_; }
  const std::vector<LinkPoint>& WirePoints() const { return wirePoints_; }

  // Status bar panel 0 text for a canvas point.
  static std::string PositionText(LinkPoint p);

 private:
  // Marks the span of one forwarded event: the editor redraws once at its end, so chart
  // events heard meanwhile do not redraw.
  class Handling {
   public:
    explicit Handling(CanvasEditor& editor) : editor_(editor) { ++editor_.handling_; }
    ~Handling() { --editor_.handling_; }
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;

   private:
    CanvasEditor& editor_;
  };

  void ChartChanged(const ChartChange& change);
  void SelectionChanged();
  void EndWiring();
  void DropWireInProgress();
  void ReturnToSelect();
  bool LeaveInert();
  void SnapObjectToGrid(int32_t index);
  void SnapLinkToGrid(int32_t index);
  void PressSelect(LinkPoint p, unsigned modifiers);
  void PressWiring(LinkPoint p);
  void OpenPopupMenu(LinkPoint p);
  void Drag(LinkPoint p);
  void RubberBandSelect(LinkPoint p);
  void MoveSelection(int32_t dx, int32_t dy);
  void MoveBendPoint(int32_t dx, int32_t dy);
  bool ValidHitLink() const;

  ChartHistory& history_;
  Chart& chart_;
  Prompter& prompter_;
  CanvasHost& host_;
  CanvasGrid ownGrid_;
  CanvasGrid* grid_;
  CopyBuffer buffer_;
  CanvasTool tool_ = CanvasTool::Select;
  ChartHistory::Gesture gesture_ = 0;  // the present drag's
  int handling_ = 0;
  LinkPoint pressPoint_;
  LinkPoint lastPoint_;
  LinkPoint pastePoint_;
  CanvasHit hit_;
  bool rubberBand_ = false;
  bool dragArmed_ = false;  // a left press in the Select tool began the present drag
  bool wiring_ = false;
  int32_t wireOrigin_ = -1;
  std::vector<LinkPoint> wirePoints_;
  Subscription changes_;
};

}  // namespace brv3
