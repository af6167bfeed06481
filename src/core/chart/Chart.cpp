#include "core/chart/Chart.h"

#include <unordered_set>

#include "core/motion/ChannelWord.h"
#include "core/util/CommaText.h"
#include "core/util/IniFile.h"
#include "core/util/Translate.h"

namespace brv3 {

const char* const kUntitledName = "無題";

std::string ShownChartName(const std::string& name) {
  return name == kUntitledName ? Tr("Chart", "No title") : name;
}

Chart& Chart::operator=(const Chart& other) {
  if (this == &other) return *this;
  Type = other.Type;
  Start = other.Start;
  Name = other.Name;
  Ctrl = other.Ctrl;
  CanvasWidth = other.CanvasWidth;
  CanvasHeight = other.CanvasHeight;
  Objects = other.Objects;
  Links = other.Links;
  return *this;
}

Chart& Chart::operator=(Chart&& other) noexcept {
  if (this == &other) return *this;
  Type = other.Type;
  Start = other.Start;
  Name = std::move(other.Name);
  Ctrl = other.Ctrl;
  CanvasWidth = other.CanvasWidth;
  CanvasHeight = other.CanvasHeight;
  Objects = std::move(other.Objects);
  Links = std::move(other.Links);
  return *this;
}

bool Chart::operator==(const Chart& other) const {
  return Type == other.Type && Start == other.Start && Name == other.Name && Ctrl == other.Ctrl &&
         CanvasWidth == other.CanvasWidth && CanvasHeight == other.CanvasHeight &&
         Objects == other.Objects && Links == other.Links;
}

const char* ObjectNamePrefix(uint8_t type) {
  switch (type) {
    case kPosition:
      return "POS";
    case kSet:
      return "SET";
    case kCompare:
      return "CMP";
    case kMix:
      return "MIX";
    case kMot:
      return "MOT";
    default:
      return "ITEM";
  }
}

uint16_t DefaultObjectWord(uint8_t type) {
  switch (type) {
    case kSet:
      return 32774;
    case kCompare:
      return 33543;
    case kMix:
      return 64500;
    default:
      return 0;
  }
}

void Chart::ClearChart() {
  Objects.clear();
  Links.clear();
  Start = -1;
}

void Chart::NewChart() {
  ClearChart();
  Type = kMotionChart;
  Name = kUntitledName;
  Ctrl = kNoCtrl;
}

int Chart::AppendObjects(int count) {
  int first = ObjectCount();
  for (ChartObject& o : Objects) o.Selected = 0;
  if (count > 0) Objects.resize(Objects.size() + static_cast<size_t>(count));
  return first;
}

int Chart::AppendLinks(int count) {
  int first = LinkCount();
  for (ChartLink& l : Links) l.Selected = 0;
  if (count > 0) Links.resize(Links.size() + static_cast<size_t>(count));
  return first;
}

int Chart::PlaceObject(int32_t x, int32_t y, uint8_t type) {
  uint8_t family = type == kMot ? kScenarioChart : kMotionChart;
  if (Objects.empty())
    Type = family;
  else if (family != Type)
    return -1;
  std::unordered_set<std::string> names;
  for (const ChartObject& o : Objects) names.insert(o.Name);
  int index = AppendObjects(1);
  ChartObject& o = Objects[static_cast<size_t>(index)];
  o.Left = x;
  o.Top = y;
  o.Color = kColorWhite;
  o.Width = 50;
  o.Height = 30;
  o.Type = type;
  o.Values.fill(DefaultObjectWord(type));
  o.Head = type == kPosition ? 100 : 1;
  std::string prefix = ObjectNamePrefix(type);
  for (long n = 1;; ++n) {
    std::string candidate = prefix + std::to_string(n);
    if (!names.count(candidate)) {
      o.Name = candidate;
      break;
    }
  }
  return index;
}

void Chart::DeleteSelectedObjects() {
  // Wire ends are remapped through a table, so the cost stays linear in objects + wires.
  std::vector<int32_t> newIndex(Objects.size(), -1);
  int32_t k = 0;
  for (size_t i = 0; i < Objects.size(); ++i) {
    auto old = static_cast<int32_t>(i);
    if (Objects[i].Selected) {
      if (Start == old) Start = -1;
      continue;
    }
    if (Start == old) Start = k;
    newIndex[i] = k;
    if (k != old) Objects[static_cast<size_t>(k)] = std::move(Objects[i]);
    ++k;
  }
  Objects.resize(static_cast<size_t>(k));
  for (ChartObject& o : Objects) o.Selected = 0;
  auto remap = [&](int32_t end) -> int32_t {
    if (end < 0 || static_cast<size_t>(end) >= newIndex.size()) return end;
    return newIndex[static_cast<size_t>(end)];
  };
  for (ChartLink& l : Links) {
    int32_t origin = remap(l.Origin), final = remap(l.Final);
    bool touchedDeleted =
        (l.Origin >= 0 && static_cast<size_t>(l.Origin) < newIndex.size() && origin == -1) ||
        (l.Final >= 0 && static_cast<size_t>(l.Final) < newIndex.size() && final == -1);
    if (touchedDeleted) {
      l.Selected = 1;
      l.Origin = l.Final = -1;
    } else {
      l.Origin = origin;
      l.Final = final;
    }
  }
}

void Chart::DeleteSelectedLinks() {
  std::erase_if(Links, [](const ChartLink& l) { return l.Selected != 0; });
}

void Chart::DeselectAll() {
  for (ChartObject& o : Objects) o.Selected = 0;
  for (ChartLink& l : Links) l.Selected = 0;
}

void Chart::SelectAllObjects() {
  for (ChartObject& o : Objects) o.Selected = 1;
}

int Chart::SelectedObjectCount() const {
  int n = 0;
  for (const ChartObject& o : Objects) n += o.Selected ? 1 : 0;
  return n;
}

int Chart::SelectedLinkCount() const {
  int n = 0;
  for (const ChartLink& l : Links) n += l.Selected ? 1 : 0;
  return n;
}

LinkPoint Chart::SelectionCorner() const {
  bool haveCorner = false;
  LinkPoint corner{0, 0};
  for (const ChartObject& o : Objects) {
    if (!o.Selected) continue;
    if (!haveCorner || (o.Left < corner.x && o.Top < corner.y)) {
      corner = {o.Left, o.Top};
      haveCorner = true;
    }
  }
  return corner;
}

void Chart::SetChartName(const std::string& text) {
  Name = text;
  Notify(ChartChangeKind::HeaderChanged);
}

std::string FormatPrmText(uint8_t head, const ChannelWords& values) {
  std::string out = std::to_string(head);
  for (uint16_t w : values) {
    out += ',';
    out += std::to_string(w);
  }
  return out;
}

void ParsePrmText(const std::string& text, uint8_t& head, ChannelWords& values) {
  head = 1;
  values.fill(0);
  size_t i = 0;
  ForEachCommaField(text, [&](std::string_view field) {
    auto v = ParseIniInteger(field);
    if (i == 0)
      head = static_cast<uint8_t>(v.value_or(1));
    else if (i <= values.size())
      values[i - 1] = static_cast<uint16_t>(v.value_or(0));
    ++i;
  });
}

std::string Chart::FormatPrm(int index) const {
  const ChartObject& o = Objects.at(static_cast<size_t>(index));
  return FormatPrmText(o.Head, o.Values);
}

void Chart::ParsePrm(int index, const std::string& text) {
  ChartObject& o = Objects.at(static_cast<size_t>(index));
  ParsePrmText(text, o.Head, o.Values);
}

}  // namespace brv3
