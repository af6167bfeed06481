#include <algorithm>
#include <limits>

#include "core/chart/CanvasEditor.h"
#include "core/chart/ChartFiles.h"
#include "core/chart/Interpolation.h"

namespace brv3 {

namespace {

int32_t Offset(int32_t base, int32_t relative) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{base} + relative,
                                                  std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

void CanvasEditor::RunPopupEntry(const PopupChoice& choice) {
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
      host_.OpenConvertDialog();
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
      if (chart_.ValidObject(hit_.object)) host_.OpenPropertyDialog(hit_.object);
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
}

void CanvasEditor::SelectAll() {
  chart_.SelectAllObjects();
}

void CanvasEditor::Copy() {
  if (chart_.SelectedObjectCount() == 0) return;
  bool haveCorner = false;
  int32_t cornerX = 0, cornerY = 0;
  for (const ChartObject& o : chart_.Objects) {
    if (!o.Selected) continue;
    if (!haveCorner || (o.Left < cornerX && o.Top < cornerY)) {
      cornerX = o.Left;
      cornerY = o.Top;
      haveCorner = true;
    }
  }
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
  chart_.DeselectAll();
  const int first = chart_.AppendObjects(static_cast<int>(buffer_.Objects.size()));
  const int objectCount = static_cast<int>(buffer_.Objects.size());
  for (int i = 0; i < objectCount; ++i) {
    const CopyBuffer::Object& b = buffer_.Objects[static_cast<size_t>(i)];
    ChartObject& o = chart_.Objects[static_cast<size_t>(first + i)];
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
  const int firstLink = chart_.AppendLinks(static_cast<int>(buffer_.Links.size()));
  for (size_t j = 0; j < buffer_.Links.size(); ++j) {
    const CopyBuffer::Link& b = buffer_.Links[j];
    ChartLink& l = chart_.Links[static_cast<size_t>(firstLink) + j];
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
}

void CanvasEditor::DeleteSelection() {
  if (tool_ != kToolSelect) return;
  chart_.DeleteSelectedObjects();
  chart_.DeleteSelectedLinks();
  // Indices from the last hit test may now name other objects.
  hit_ = {};
  dragArmed_ = false;
}

bool CanvasEditor::Insert() {
  return InsertCommand(chart_, prompter_);
}

void CanvasEditor::ApplyColor(int colorTag) {
  const ColorMenuEntry* entry = FindColorEntry(colorTag);
  if (!entry) return;
  for (ChartObject& o : chart_.Objects) {
    if (!o.Selected) continue;
    if (entry->tag == kColorEtcTag) {
      if (std::optional<uint32_t> chosen = host_.ChooseColor(o.Color)) o.Color = *chosen;
    } else {
      o.Color = entry->color;
    }
  }
  chart_.DeselectAll();
}

bool CanvasEditor::AddBendPoint() {
  if (!hit_.WireAtSegment() || !ValidHitLink()) return false;
  std::vector<LinkPoint>& points = chart_.Links[static_cast<size_t>(hit_.link)].Point;
  if (static_cast<size_t>(hit_.segment) > points.size()) return false;
  points.insert(points.begin() + hit_.segment, pressPoint_);
  return true;
}

bool CanvasEditor::DeleteBendPoint() {
  if (!hit_.WireAtBend() || !ValidHitLink()) return false;
  std::vector<LinkPoint>& points = chart_.Links[static_cast<size_t>(hit_.link)].Point;
  if (static_cast<size_t>(hit_.bend) >= points.size()) return false;
  points.erase(points.begin() + hit_.bend);
  return true;
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
  const OpenResult result =
      OpenItemFile(chart_, choice->name, pressPoint_.x, pressPoint_.y, prompter_);
  hit_ = {};
  return result.status == OpenStatus::Opened;
}

}  // namespace brv3
