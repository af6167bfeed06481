#include <algorithm>
#include <limits>

#include "core/chart/CanvasEditor.h"
#include "core/chart/ChartFiles.h"
#include "core/chart/Interpolation.h"
#include "core/util/Translate.h"

namespace brv3 {

namespace {

int32_t Offset(int32_t base, int32_t relative) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{base} + relative,
                                                  std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

ChartChange Change(ChartChangeKind kind, std::vector<int32_t> objects = {}) {
  return {kind, std::move(objects), ChangeOrigin::Edit};
}

}  // namespace

void CanvasEditor::RunPopupEntry(const PopupChoice& choice) {
  Handling handling(*this);
  switch (choice.entry) {
    case PopupEntry::ReleaseSelection:
      ReleaseSelection();
      break;
    case PopupEntry::Copy:
      Copy();
      break;
    case PopupEntry::Paste:
      Paste();
      break;
    case PopupEntry::Convert:
      history_.ApplyChecked(
          BRV3_TR_NOOP("ChartHistory", "Convert"), [&](Chart&) { host_.OpenConvertDialog(); },
          Change(ChartChangeKind::Replaced));
      break;
    case PopupEntry::Insert:
      Insert();
      break;
    case PopupEntry::SaveItems:
      SaveItems();
      break;
    case PopupEntry::OpenItems:
      OpenItems();
      break;
    case PopupEntry::Color:
      ApplyColor(choice.colorTag);
      break;
    case PopupEntry::Properties:
      if (chart_.ValidObject(hit_.object)) {
        const int32_t index = hit_.object;
        history_.ApplyChecked(
            BRV3_TR_NOOP("ChartHistory", "Properties"),
            [&](Chart&) { host_.OpenPropertyDialog(index); },
            Change(ChartChangeKind::ObjectsChanged, {index}));
      }
      break;
    case PopupEntry::AddBend:
      AddBendPoint();
      break;
    case PopupEntry::DeleteBend:
      DeleteBendPoint();
      break;
    case PopupEntry::Delete:
      DeleteSelection();
      break;
    case PopupEntry::SelectAll:
      SelectAll();
      break;
    case PopupEntry::Separator20:
    case PopupEntry::Separator19:
    case PopupEntry::Separate0:
      return;
  }
  host_.Redraw();
}

void CanvasEditor::ReleaseSelection() {
  ReturnToSelect();
  EndWiring();
  chart_.DeselectAll();
  SelectionChanged();
}

void CanvasEditor::SelectAll() {
  chart_.SelectAllObjects();
  SelectionChanged();
}

void CanvasEditor::Copy() {
  if (chart_.SelectedObjectCount() == 0) return;
  const auto [cornerX, cornerY] = chart_.SelectionCorner();
  buffer_ = {};
  std::vector<int32_t> copied(chart_.Objects.size(), -1);
  for (size_t i = 0; i < chart_.Objects.size(); ++i) {
    const ChartObject& o = chart_.Objects[i];
    if (!o.Selected) continue;
    copied[i] = static_cast<int32_t>(buffer_.Objects.size());
    buffer_.Objects.push_back({Offset(o.Left, -cornerX), Offset(o.Top, -cornerY), o.Width, o.Height,
                               o.Color, o.Name, o.Type, o.Head, o.Values});
  }
  for (const ChartLink& l : chart_.Links) {
    if (!l.Selected || !chart_.ValidObject(l.Origin) || !chart_.ValidObject(l.Final)) continue;
    const int32_t origin = copied[static_cast<size_t>(l.Origin)];
    const int32_t final = copied[static_cast<size_t>(l.Final)];
    if (origin < 0 || final < 0) continue;
    CopyBuffer::Link link{l.Main, origin, final, {}};
    link.Point.reserve(l.Point.size());
    for (const LinkPoint& p : l.Point)
      link.Point.push_back({Offset(p.x, -cornerX), Offset(p.y, -cornerY)});
    buffer_.Links.push_back(std::move(link));
  }
}

void CanvasEditor::Paste() {
  if (buffer_.Objects.empty()) return;
  const int objectCount = static_cast<int>(buffer_.Objects.size());
  std::vector<int32_t> added(static_cast<size_t>(objectCount));
  for (int i = 0; i < objectCount; ++i) added[static_cast<size_t>(i)] = chart_.ObjectCount() + i;
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Paste"),
      [&](Chart& chart) {
        chart.DeselectAll();
        const int first = chart.AppendObjects(objectCount);
        for (int i = 0; i < objectCount; ++i) {
          const CopyBuffer::Object& b = buffer_.Objects[static_cast<size_t>(i)];
          ChartObject& o = chart.Objects[static_cast<size_t>(first + i)];
          o.Selected = 1;
          o.Left = Offset(pastePoint_.x, b.Left);
          o.Top = Offset(pastePoint_.y, b.Top);
          o.Width = b.Width;
          o.Height = b.Height;
          o.Color = b.Color;
          o.Name = b.Name;
          o.Type = b.Type;
          o.Head = b.Head;
          o.Values = b.Values;
        }
        const int firstLink = chart.AppendLinks(static_cast<int>(buffer_.Links.size()));
        for (size_t j = 0; j < buffer_.Links.size(); ++j) {
          const CopyBuffer::Link& b = buffer_.Links[j];
          ChartLink& l = chart.Links[static_cast<size_t>(firstLink) + j];
          auto end = [&](int32_t copied) {
            return copied >= 0 && copied < objectCount ? first + copied : -1;
          };
          l.Selected = 1;
          l.Main = b.Main;
          l.Origin = end(b.Origin);
          l.Final = end(b.Final);
          l.Point.reserve(b.Point.size());
          for (const LinkPoint& p : b.Point)
            l.Point.push_back({Offset(pastePoint_.x, p.x), Offset(pastePoint_.y, p.y)});
        }
        return true;
      },
      Change(ChartChangeKind::ObjectsAdded, std::move(added)));
}

void CanvasEditor::DeleteSelection() {
  if (tool_ != CanvasTool::Select) return;
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Delete"),
      [](Chart& chart) {
        if (chart.SelectedObjectCount() == 0 && chart.SelectedLinkCount() == 0) return false;
        chart.DeleteSelectedObjects();
        chart.DeleteSelectedLinks();
        return true;
      },
      Change(ChartChangeKind::ObjectsRemoved));
  // Indices from the last hit test may now name other objects.
  hit_ = {};
  dragArmed_ = false;
}

bool CanvasEditor::Insert() {
  bool inserted = false;
  history_.ApplyChecked(
      BRV3_TR_NOOP("ChartHistory", "Insert"),
      [&](Chart& chart) { inserted = InsertCommand(chart, prompter_); },
      Change(ChartChangeKind::ObjectsAdded));
  return inserted;
}

void CanvasEditor::ApplyColor(int colorTag) {
  const ColorMenuEntry* entry = FindColorEntry(colorTag);
  if (!entry) return;
  const bool recoloured = history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Colour"),
      [&](Chart& chart) {
        bool changed = false;
        for (ChartObject& o : chart.Objects) {
          if (!o.Selected) continue;
          const uint32_t before = o.Color;
          if (entry->tag == kColorEtcTag) {
            if (std::optional<uint32_t> chosen = host_.ChooseColor(o.Color)) o.Color = *chosen;
          } else {
            o.Color = entry->color;
          }
          changed = changed || o.Color != before;
        }
        chart.DeselectAll();
        return changed;
      },
      Change(ChartChangeKind::ObjectsChanged));
  if (!recoloured) SelectionChanged();
}

bool CanvasEditor::AddBendPoint() {
  if (!hit_.WireAtSegment() || !ValidHitLink()) return false;
  const auto link = static_cast<size_t>(hit_.link);
  if (static_cast<size_t>(hit_.segment) > chart_.Links[link].Point.size()) return false;
  const int32_t segment = hit_.segment;
  return history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Add bend point"),
      [&](Chart& chart) {
        std::vector<LinkPoint>& points = chart.Links[link].Point;
        points.insert(points.begin() + segment, pressPoint_);
        return true;
      },
      Change(ChartChangeKind::WiresChanged));
}

bool CanvasEditor::DeleteBendPoint() {
  if (!hit_.WireAtBend() || !ValidHitLink()) return false;
  const auto link = static_cast<size_t>(hit_.link);
  if (static_cast<size_t>(hit_.bend) >= chart_.Links[link].Point.size()) return false;
  const int32_t bend = hit_.bend;
  return history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Delete bend point"),
      [&](Chart& chart) {
        std::vector<LinkPoint>& points = chart.Links[link].Point;
        points.erase(points.begin() + bend);
        return true;
      },
      Change(ChartChangeKind::WiresChanged));
}

bool CanvasEditor::SaveItems() {
  if (chart_.SelectedObjectCount() == 0) return false;
  std::optional<FileChoice> choice = host_.ChooseItemFile(true);
  if (!choice || choice->name.empty()) return false;
  return SaveItemFile(chart_, ChartFileName(choice->name, choice->filterIndex), prompter_);
}

bool CanvasEditor::OpenItems() {
  std::optional<FileChoice> choice = host_.ChooseItemFile(false);
  if (!choice || choice->name.empty()) return false;
  OpenResult result;
  history_.ApplyChecked(
      BRV3_TR_NOOP("ChartHistory", "Open items"),
      [&](Chart& chart) {
        result = OpenItemFile(chart, choice->name, pressPoint_.x, pressPoint_.y, prompter_);
      },
      Change(ChartChangeKind::ObjectsAdded));
  hit_ = {};
  return result.status == OpenStatus::Opened;
}

}  // namespace brv3
