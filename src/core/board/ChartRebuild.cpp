#include "core/board/ChartRebuild.h"

#include <map>
#include <vector>

#include "core/comm/TableEntry.h"
#include "core/motion/ChannelWord.h"

namespace brv3 {
namespace {

// Where rebuilt objects go: down a column, then the next column to the right.
class PlacementCursor {
 public:
  explicit PlacementCursor(int32_t canvasHeight) : canvasHeight_(canvasHeight) {}
  int32_t x() const { return x_; }
  int32_t y() const { return y_; }
  void Advance() {
    y_ += 40;
    if (y_ > canvasHeight_ - 30) {
      x_ += 70;
      y_ = 5;
    }
  }

 private:
  int32_t canvasHeight_;
  int32_t x_ = 5;
  int32_t y_ = 5;
};

void AddLink(Chart& chart, uint8_t main, int32_t origin, int32_t final) {
  ChartLink& link = chart.Links[static_cast<size_t>(chart.AppendLinks(1))];
  link.Main = main;
  link.Origin = origin;
  link.Final = final;
}

// The object a step leads to: the step's own object, or the object at the end of its chain of
// jump steps; -1 for an end step, a step outside the motion or a jump loop.
class StepResolver {
 public:
  StepResolver(const std::vector<int32_t>& object, const std::vector<int32_t>& target)
      : object_(object), target_(target), seen_(object.size(), 0) {}

  int32_t Resolve(int32_t k) {
    ++generation_;
    while (k >= 0 && static_cast<size_t>(k) < object_.size() &&
           seen_[static_cast<size_t>(k)] != generation_) {
      seen_[static_cast<size_t>(k)] = generation_;
      if (object_[static_cast<size_t>(k)] >= 0) return object_[static_cast<size_t>(k)];
      k = target_[static_cast<size_t>(k)];
    }
    return -1;
  }

 private:
  const std::vector<int32_t>& object_;
  const std::vector<int32_t>& target_;
  std::vector<unsigned> seen_;
  unsigned generation_ = 0;
};

}  // namespace

void RebuildMotionChart(Chart& chart, const MotionRead& read) {
  chart.ClearChart();
  chart.Type = kMotionChart;
  chart.SetChartName(read.name);
  chart.Ctrl = read.ctrl;
  size_t n = read.steps.size();
  if (n == 0) return;

  std::vector<int32_t> object(n, -1), target(n, -1);
  PlacementCursor cursor(chart.CanvasHeight);
  for (size_t i = 0; i < n; ++i) {
    const PoseRecord& step = read.steps[i];
    uint8_t type = DeriveType(step.Values);
    if (type == kPosition || type == kSet || type == kCompare || type == kMix) {
      int32_t index = chart.PlaceObject(cursor.x(), cursor.y(), type);
      ChartObject& obj = chart.Objects[static_cast<size_t>(index)];
      obj.Head = step.Head;
      obj.Values = step.Values;
      if (type == kCompare)
        for (uint16_t& w : obj.Values) w = static_cast<uint16_t>(WordBase(w).base);
      object[i] = index;
      cursor.Advance();
    }
    // Channel 24 always carries the branch or jump of such a step: it decides the derived type.
    if (type == kCompare || type == kJumpStep)
      target[i] = WordBase(step.Values[kChannels - 1]).operand;
  }

  StepResolver resolver(object, target);
  for (size_t i = 0; i < n; ++i) {
    int32_t o = object[i];
    if (o < 0) continue;
    if (i + 1 < n)
      if (int32_t p = resolver.Resolve(static_cast<int32_t>(i + 1)); p != -1)
        AddLink(chart, kFlowWiring, o, p);
    if (target[i] != -1)
      if (int32_t p = resolver.Resolve(target[i]); p != -1) AddLink(chart, kBranchWiring, o, p);
  }
  // Step 0 is normally an object step, whose object is object 0.
  chart.Start = resolver.Resolve(0);
}

void RebuildScenarioChart(Chart& chart, const ScenarioRead& read, MotionBoard& board,
                          const TextWidth& textWidth) {
  chart.ClearChart();
  chart.Type = kScenarioChart;
  chart.SetChartName(read.name);
  chart.Ctrl = read.ctrl;
  std::map<uint8_t, std::string> motionNames;  // each motion's entry is read once
  auto motionName = [&](uint8_t m) -> const std::string& {
    auto it = motionNames.find(m);
    if (it != motionNames.end()) return it->second;
    Bytes bytes;
    std::string name;
    if (m < kMotionSlots + kScenarioSlots && board.ReadTableEntry(m, bytes))
      if (const std::optional<TableEntry> entry = TableEntry::Decode(bytes))
        name = EntryNameText(*entry);
    return motionNames.emplace(m, std::move(name)).first->second;
  };

  PlacementCursor cursor(chart.CanvasHeight);
  for (uint8_t m : read.motions) {
    ChartObject& obj = chart.Objects[static_cast<size_t>(chart.AppendObjects(1))];
    obj.Left = cursor.x();
    obj.Top = cursor.y();
    obj.Color = kColorWhite;
    obj.Type = kMot;
    obj.Head = m;
    obj.Name = "M" + std::to_string(m + 1) + " " + motionName(m);
    obj.Height = 30;
    obj.Width = textWidth(obj.Name) + 20;
    cursor.Advance();
  }
  for (size_t k = 1; k < read.motions.size(); ++k)
    AddLink(chart, kFlowWiring, static_cast<int32_t>(k - 1), static_cast<int32_t>(k));
  chart.Start = read.motions.empty() ? -1 : 0;
}

}  // namespace brv3
