#include "core/chart/CanvasEditor.h"

#include <algorithm>
#include <limits>

#include "core/util/Prompter.h"
#include "core/util/Translate.h"

namespace brv3 {

namespace {

constexpr unsigned kAnyModifier = kModShift | kModCtrl | kModAlt;
// Room left and right of a dropped motion's name inside its box.
constexpr int32_t kNameMargin = 8;
const char* const kMsgSameEnds =
    BRV3_TR_NOOP("CanvasEditor", "Start and End objects must be different.");

bool IsWiringTool(CanvasTool tool) {
  return tool == CanvasTool::FlowWiring || tool == CanvasTool::BranchWiring;
}
bool IsPlacingTool(CanvasTool tool) {
  return tool == CanvasTool::Position || tool == CanvasTool::Set || tool == CanvasTool::Compare ||
         tool == CanvasTool::Mix;
}
// Select, Position, Set and Compare open the pop-up menu on a right press.
bool HasPopupMenu(CanvasTool tool) {
  return tool == CanvasTool::Select || tool == CanvasTool::Position || tool == CanvasTool::Set ||
         tool == CanvasTool::Compare;
}
ChartChange Change(ChartChangeKind kind, std::vector<int32_t> objects = {}) {
  return {kind, std::move(objects), ChangeOrigin::Edit};
}
bool FitsCanvasCoordinate(int64_t v) {
  return v >= 0 && v <= std::numeric_limits<int32_t>::max();
}

}  // namespace

CanvasEditor::CanvasEditor(ChartHistory& history, Prompter& prompter, CanvasHost& host,
                           CanvasGrid* grid)
    : history_(history),
      chart_(history.GetChart()),
      prompter_(prompter),
      host_(host),
      grid_(grid ? grid : &ownGrid_) {
  changes_ = chart_.Changes().Subscribe([this](const ChartChange& c) { ChartChanged(c); });
}

void CanvasEditor::ChartChanged(const ChartChange& change) {
  if (change.IndicesStale()) {
    hit_ = {};
    dragArmed_ = false;
    rubberBand_ = false;
    if (change.kind == ChartChangeKind::Replaced || !chart_.ValidObject(wireOrigin_))
      DropWireInProgress();
  }
  if (change.kind == ChartChangeKind::ObjectsChanged && change.wordsOnly) return;
  if (handling_ == 0) host_.Redraw();
}

void CanvasEditor::SelectionChanged() {
  chart_.Notify(ChartChangeKind::SelectionChanged);
}

std::string CanvasEditor::PositionText(LinkPoint p) {
  return "X = " + std::to_string(p.x) + "  Y = " + std::to_string(p.y);
}

CanvasOverlay CanvasEditor::Overlay() const {
  return {rubberBand_, pressPoint_, lastPoint_, wiring_, &wirePoints_};
}

void CanvasEditor::DropWireInProgress() {
  wireOrigin_ = -1;
  wirePoints_.clear();
}

void CanvasEditor::EndWiring() {
  wiring_ = false;
  DropWireInProgress();
}

void CanvasEditor::ReturnToSelect() {
  tool_ = CanvasTool::Select;
  host_.ToolChanged(tool_);
}

void CanvasEditor::SetTool(CanvasTool tool) {
  if (static_cast<int>(tool) < static_cast<int>(CanvasTool::Select) ||
      static_cast<int>(tool) > static_cast<int>(CanvasTool::Mix))
    return;
  Handling handling(*this);
  tool_ = tool;
  dragArmed_ = false;
  rubberBand_ = false;
  host_.ToolChanged(tool_);
  if (IsWiringTool(tool_)) {
    wiring_ = true;
    DropWireInProgress();
  } else {
    // A placing tool also ends wiring: after one press it hands over to Select, where a
    // leftover wire in progress would be drawn under the pointer.
    EndWiring();
    if (tool_ == CanvasTool::Select || tool_ == CanvasTool::StartFlag) {
      chart_.DeselectAll();
      SelectionChanged();
    }
  }
  host_.Redraw();
}

void CanvasEditor::SetInert() {
  tool_ = CanvasTool::Inert;
  dragArmed_ = false;
  rubberBand_ = false;
  EndWiring();
}

void CanvasEditor::ResetAfterEnvironment() {
  Handling handling(*this);
  ReturnToSelect();
  EndWiring();
  host_.Redraw();
}

bool CanvasEditor::LeaveInert() {
  if (tool_ != CanvasTool::Inert) return false;
  ReturnToSelect();
  host_.Redraw();
  return true;
}

// Snapping on a press belongs to the drag it starts: one undo step.
void CanvasEditor::SnapObjectToGrid(int32_t index) {
  if (!grid_->On() || !chart_.ValidObject(index)) return;
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Move"),
      [&](Chart& chart) {
        ChartObject& o = chart.Objects[static_cast<size_t>(index)];
        const LinkPoint corner = grid_->Snap({o.Left, o.Top});
        if (corner == LinkPoint{o.Left, o.Top}) return false;
        o.Left = corner.x;
        o.Top = corner.y;
        return true;
      },
      Change(ChartChangeKind::ObjectsChanged, {index}), gesture_);
}

void CanvasEditor::SnapLinkToGrid(int32_t index) {
  if (!grid_->On() || index < 0 || index >= chart_.LinkCount()) return;
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Move"),
      [&](Chart& chart) {
        bool moved = false;
        for (LinkPoint& p : chart.Links[static_cast<size_t>(index)].Point) {
          const LinkPoint snapped = grid_->Snap(p);
          moved = moved || !(snapped == p);
          p = snapped;
        }
        return moved;
      },
      Change(ChartChangeKind::WiresChanged), gesture_);
}

bool CanvasEditor::ValidHitLink() const {
  return hit_.link >= 0 && hit_.link < chart_.LinkCount();
}

void CanvasEditor::MousePress(MouseButton button, int32_t x, int32_t y, unsigned modifiers) {
  Handling handling(*this);
  if (LeaveInert()) return;
  const LinkPoint p = grid_->Snap({x, y});
  if (button == MouseButton::Left) {
    if (tool_ == CanvasTool::Select) {
      PressSelect(p, modifiers);
    } else if (IsPlacingTool(tool_)) {
      const auto type = static_cast<uint8_t>(static_cast<int>(tool_) - 1);
      const int32_t index = chart_.ObjectCount();
      history_.Apply(
          BRV3_TR_NOOP("ChartHistory", "Place"),
          [&](Chart& chart) { return chart.PlaceObject(p.x, p.y, type) >= 0; },
          Change(ChartChangeKind::ObjectsAdded, {index}));
      ReturnToSelect();
    } else if (tool_ == CanvasTool::StartFlag) {
      const int32_t start = HitObjectAt(chart_, p.x, p.y);
      if (start != chart_.Start) {
        history_.Apply(
            BRV3_TR_NOOP("ChartHistory", "Start flag"),
            [&](Chart& chart) {
              chart.Start = start;
              chart.DeselectAll();
              return true;
            },
            Change(ChartChangeKind::HeaderChanged));
      } else {
        chart_.DeselectAll();
        SelectionChanged();
      }
      ReturnToSelect();
    } else if (IsWiringTool(tool_)) {
      PressWiring(p);
    }
  } else if (button == MouseButton::Right) {
    dragArmed_ = false;
    if (HasPopupMenu(tool_)) {
      OpenPopupMenu(p);
    } else if (IsWiringTool(tool_)) {
      DropWireInProgress();
    }
  }
  host_.Redraw();
}

void CanvasEditor::PressSelect(LinkPoint p, unsigned modifiers) {
  pressPoint_ = lastPoint_ = p;
  rubberBand_ = false;
  dragArmed_ = true;
  gesture_ = history_.NewGesture();
  hit_ = HitTest(chart_, p.x, p.y);
  const bool shiftOnly = (modifiers & kAnyModifier) == kModShift;
  if (hit_.object >= 0) {
    ChartObject& o = chart_.Objects[static_cast<size_t>(hit_.object)];
    if (shiftOnly) {
      o.Selected = o.Selected ? 0 : 1;
    } else {
      if (o.Selected) return;  // keeps the group for dragging
      chart_.DeselectAll();
      o.Selected = 1;
    }
    SelectionChanged();
    SnapObjectToGrid(hit_.object);
  } else if (hit_.link >= 0) {
    ChartLink& l = chart_.Links[static_cast<size_t>(hit_.link)];
    if (shiftOnly) {
      l.Selected = l.Selected ? 0 : 1;
    } else {
      if (l.Selected) return;
      chart_.DeselectAll();
      l.Selected = 1;
    }
    SelectionChanged();
    SnapLinkToGrid(hit_.link);
  } else if (!shiftOnly) {
    chart_.DeselectAll();
    SelectionChanged();
    rubberBand_ = true;
  }
}

void CanvasEditor::PressWiring(LinkPoint p) {
  const uint8_t kind = tool_ == CanvasTool::BranchWiring ? kBranchWiring : kFlowWiring;
  const int32_t object = HitObjectAt(chart_, p.x, p.y);
  if (wireOrigin_ < 0) {
    if (object < 0) return;
    const ChartObject& o = chart_.Objects[static_cast<size_t>(object)];
    if (kind == kBranchWiring && o.Type != kCompare) return;
    const LinkPoint centre{o.CenterX(), o.CenterY()};
    wireOrigin_ = object;
    wirePoints_.assign(1, centre);
    pressPoint_ = centre;
    lastPoint_ = p;
    chart_.DeselectAll();
    chart_.Objects[static_cast<size_t>(object)].Selected = 1;
    SelectionChanged();
    return;
  }
  if (object < 0) {
    wirePoints_.push_back(p);
    pressPoint_ = p;
    return;
  }
  if (object == wireOrigin_) {
    prompter_.MsgBox(MsgKind::Error, MsgButtons::Ok, Tr("CanvasEditor", kMsgSameEnds));
    DropWireInProgress();
    return;
  }
  if (!chart_.ValidObject(wireOrigin_)) {
    DropWireInProgress();
    return;
  }
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Wiring"),
      [&](Chart& chart) {
        int32_t index = -1;
        for (int32_t j = 0; j < chart.LinkCount() && index < 0; ++j) {
          const ChartLink& l = chart.Links[static_cast<size_t>(j)];
          if (l.Origin == wireOrigin_ && l.Final == object) index = j;
        }
        if (index < 0) index = chart.AppendLinks(1);
        ChartLink& l = chart.Links[static_cast<size_t>(index)];
        l.Selected = 0;
        l.Main = kind;
        l.Origin = wireOrigin_;
        l.Final = object;
        l.Point.assign(wirePoints_.begin() + 1, wirePoints_.end());
        return true;
      },
      Change(ChartChangeKind::WiresChanged));
  DropWireInProgress();
}

void CanvasEditor::MouseMove(int32_t x, int32_t y, unsigned buttons, unsigned modifiers) {
  Handling handling(*this);
  if (LeaveInert()) return;
  const LinkPoint p = grid_->Snap({x, y});
  prompter_.SetStatusPanel(0, PositionText(p));
  pastePoint_ = p;
  if (buttons == 0) {
    if (IsWiringTool(tool_)) lastPoint_ = p;
  } else if (buttons == kButtonLeft && (modifiers & kAnyModifier) == 0) {
    if (tool_ == CanvasTool::Select && dragArmed_) Drag(p);
    if (IsWiringTool(tool_)) lastPoint_ = p;
  } else {
    return;
  }
  host_.Redraw();
}

void CanvasEditor::MouseRelease(MouseButton button, int32_t x, int32_t y, unsigned modifiers) {
  (void)button, (void)x, (void)y, (void)modifiers;
  Handling handling(*this);
  if (LeaveInert()) return;
  dragArmed_ = false;
  history_.EndGesture();
  gesture_ = 0;
  if (tool_ == CanvasTool::Select) rubberBand_ = false;
  host_.Redraw();
}

void CanvasEditor::Drag(LinkPoint p) {
  const int32_t dx = static_cast<int32_t>(std::clamp<int64_t>(int64_t{p.x} - lastPoint_.x,
                                                              std::numeric_limits<int32_t>::min(),
                                                              std::numeric_limits<int32_t>::max()));
  const int32_t dy = static_cast<int32_t>(std::clamp<int64_t>(int64_t{p.y} - lastPoint_.y,
                                                              std::numeric_limits<int32_t>::min(),
                                                              std::numeric_limits<int32_t>::max()));
  lastPoint_ = p;
  if (hit_.Nothing())
    RubberBandSelect(p);
  else if (hit_.object >= 0)
    MoveSelection(dx, dy);
  else if (hit_.WireAtBend())
    MoveBendPoint(dx, dy);
}

void CanvasEditor::RubberBandSelect(LinkPoint p) {
  chart_.DeselectAll();
  // Announced once the marks are set.
  const int64_t minX = std::min(pressPoint_.x, p.x), maxX = std::max(pressPoint_.x, p.x);
  const int64_t minY = std::min(pressPoint_.y, p.y), maxY = std::max(pressPoint_.y, p.y);
  for (ChartObject& o : chart_.Objects) {
    if (o.Left >= minX - o.Width + 1 && o.Left <= maxX && o.Top >= minY - o.Height + 1 &&
        o.Top <= maxY)
      o.Selected = 1;
  }
  for (ChartLink& l : chart_.Links) {
    if (chart_.ValidObject(l.Origin) && chart_.ValidObject(l.Final) &&
        chart_.Objects[static_cast<size_t>(l.Origin)].Selected &&
        chart_.Objects[static_cast<size_t>(l.Final)].Selected)
      l.Selected = 1;
  }
  SelectionChanged();
}

void CanvasEditor::MoveSelection(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return;
  for (const ChartObject& o : chart_.Objects) {
    if (o.Selected &&
        (!FitsCanvasCoordinate(int64_t{o.Left} + dx) || !FitsCanvasCoordinate(int64_t{o.Top} + dy)))
      return;
  }
  for (const ChartLink& l : chart_.Links) {
    if (!l.Selected) continue;
    for (const LinkPoint& q : l.Point)
      if (!FitsCanvasCoordinate(int64_t{q.x} + dx) || !FitsCanvasCoordinate(int64_t{q.y} + dy))
        return;
  }
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Move"),
      [&](Chart& chart) {
        for (ChartObject& o : chart.Objects) {
          if (!o.Selected) continue;
          o.Left += dx;
          o.Top += dy;
        }
        for (ChartLink& l : chart.Links) {
          if (!l.Selected) continue;
          for (LinkPoint& q : l.Point) {
            q.x += dx;
            q.y += dy;
          }
        }
        return true;
      },
      Change(ChartChangeKind::ObjectsChanged), gesture_);
}

void CanvasEditor::MoveBendPoint(int32_t dx, int32_t dy) {
  if (!ValidHitLink() || (dx == 0 && dy == 0)) return;
  const std::vector<LinkPoint>& points = chart_.Links[static_cast<size_t>(hit_.link)].Point;
  if (hit_.bend < 0 || static_cast<size_t>(hit_.bend) >= points.size()) return;
  const LinkPoint& q = points[static_cast<size_t>(hit_.bend)];
  if (!FitsCanvasCoordinate(int64_t{q.x} + dx) || !FitsCanvasCoordinate(int64_t{q.y} + dy)) return;
  const auto link = static_cast<size_t>(hit_.link), bend = static_cast<size_t>(hit_.bend);
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Move bend point"),
      [&](Chart& chart) {
        LinkPoint& moved = chart.Links[link].Point[bend];
        moved.x += dx;
        moved.y += dy;
        return true;
      },
      Change(ChartChangeKind::WiresChanged), gesture_);
}

DoubleClickResult CanvasEditor::DoubleClick() {
  Handling handling(*this);
  DoubleClickResult result;
  if (tool_ != CanvasTool::Select) return result;
  if (hit_.Nothing()) {
    result.kind = DoubleClickResult::Kind::DataDialog;
    history_.ApplyChecked(
        BRV3_TR_NOOP("ChartHistory", "Chart data"),
        [&](Chart& chart) {
          host_.OpenDataDialog();
          chart.SetChartName(chart.Name);
        },
        Change(ChartChangeKind::HeaderChanged));
  } else if (hit_.object >= 0) {
    if (!chart_.ValidObject(hit_.object)) return result;
    const uint8_t type = chart_.Objects[static_cast<size_t>(hit_.object)].Type;
    if (type == kPosition || type == kSet || type == kCompare || type == kMix) {
      result = {DoubleClickResult::Kind::ObjectDialog, hit_.object, type};
      host_.OpenObjectDialog(hit_.object, type);
    }
  } else if (hit_.WireAtSegment() && ValidHitLink()) {
    const auto link = static_cast<size_t>(hit_.link);
    history_.Apply(
        BRV3_TR_NOOP("ChartHistory", "Reverse wire"),
        [&](Chart& chart) {
          ChartLink& l = chart.Links[link];
          std::swap(l.Origin, l.Final);
          std::reverse(l.Point.begin(), l.Point.end());
          return true;
        },
        Change(ChartChangeKind::WiresChanged));
    result.kind = DoubleClickResult::Kind::WireReversed;
    result.index = hit_.link;
  }
  host_.Redraw();
  return result;
}

bool CanvasEditor::KeyPress(CanvasKey key, unsigned modifiers) {
  Handling handling(*this);
  if (modifiers & (kModShift | kModAlt)) return false;
  const bool ctrl = (modifiers & kModCtrl) != 0;
  bool handled = true;
  switch (key) {
    case CanvasKey::C:
      if (ctrl) Copy();
      handled = ctrl;
      break;
    case CanvasKey::V:
      if (ctrl) Paste();
      handled = ctrl;
      break;
    case CanvasKey::Escape:
      ReleaseSelection();
      break;
    case CanvasKey::Delete:
      DeleteSelection();
      break;
    case CanvasKey::Other:
      handled = false;
      break;
  }
  host_.Redraw();
  return handled;
}

bool CanvasEditor::AcceptsDrop(bool fromMotionList, int selectedRow) {
  return !fromMotionList || selectedRow < 80;
}

bool CanvasEditor::DropMotion(int32_t x, int32_t y, int row, const std::string& rowCaption,
                              const std::string& motionName) {
  // Only a motion row can be called from a scenario; no selected row (-1) places nothing.
  if (row < 0 || row >= 80) return false;
  Handling handling(*this);
  int index = -1;
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Place"),
      [&](Chart& chart) {
        index = chart.PlaceObject(x, y, kMot);
        if (index < 0) return false;
        ChartObject& o = chart.Objects[static_cast<size_t>(index)];
        o.Head = static_cast<uint8_t>(row);
        o.Name = rowCaption + " " + motionName;
        // A long motion name widens the box so the name stays inside it.
        o.Width = std::max(o.Width, host_.NameWidth(o.Name) + kNameMargin);
        return true;
      },
      Change(ChartChangeKind::ObjectsAdded, {chart_.ObjectCount()}));
  host_.Redraw();
  return index >= 0;
}

void CanvasEditor::OpenPopupMenu(LinkPoint p) {
  hit_ = HitTest(chart_, p.x, p.y);
  pressPoint_ = lastPoint_ = p;
  if (hit_.object >= 0) {
    ChartObject& o = chart_.Objects[static_cast<size_t>(hit_.object)];
    if (!o.Selected) {
      chart_.DeselectAll();
      o.Selected = 1;
      SelectionChanged();
    }
  } else if (hit_.link >= 0) {
    ChartLink& l = chart_.Links[static_cast<size_t>(hit_.link)];
    if (!l.Selected) {
      chart_.DeselectAll();
      l.Selected = 1;
      SelectionChanged();
    }
  }
  const PopupMenuModel menu = BuildPopupMenu(hit_, chart_.SelectedObjectCount());
  host_.Redraw();
  const std::optional<PopupChoice> choice = host_.ShowPopupMenu(menu, p.x, p.y);
  if (!choice) return;
  const PopupMenuItem* item = menu.Find(choice->entry);
  if (!item || item->separator || !item->visible || !item->enabled) return;
  RunPopupEntry(*choice);
}

}  // namespace brv3
