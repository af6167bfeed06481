#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/chart/Chart.h"

namespace brv3 {

// What one edit changed in a chart: the header fields and the runs of objects and wires that
// differ, holding the other side's values. Applying a delta swaps those values with the chart's,
// so the same delta undoes an edit and, applied again, redoes it. It costs bytes in proportion
// to what the edit touched, not to the chart.
class ChartDelta {
 public:
  ChartDelta() = default;
  // The delta that turns `after` back into `before`.
  static ChartDelta Between(const Chart& before, const Chart& after);

  // Swaps the recorded values with the chart's. False (and the chart untouched) when the chart
  // does not have the shape the delta was made for, e.g. it was changed outside the history.
  bool SwapInto(Chart& chart);

  bool Empty() const { return !headerChanged_ && objects_.empty() && links_.empty(); }
  // Memory the delta takes, roughly.
  size_t Bytes() const;

 private:
  // In the chart, `count` items from `at` are replaced by `items`; the replaced ones become
  // `items` and their number `count`.
  template <class T>
  struct Run {
    size_t at = 0;
    size_t count = 0;
    std::vector<T> items;
  };
  struct Header {
    uint8_t Type = kMotionChart;
    int32_t Start = -1;
    std::string Name;
    int32_t Ctrl = kNoCtrl;
    int32_t CanvasWidth = 0;
    int32_t CanvasHeight = 0;
  };

  template <class T>
  static std::vector<Run<T>> Diff(const std::vector<T>& before, const std::vector<T>& after);
  template <class T>
  static bool Fits(const std::vector<Run<T>>& runs, size_t size);
  template <class T>
  static void Swap(std::vector<Run<T>>& runs, std::vector<T>& items);

  bool headerChanged_ = false;
  Header header_;
  std::vector<Run<ChartObject>> objects_;
  std::vector<Run<ChartLink>> links_;
  size_t objectCount_ = 0;  // the chart's sizes the delta applies to
  size_t linkCount_ = 0;
};

// Rough byte counts of chart data, for memory budgets.
size_t ApproxBytes(const ChartObject& object);
size_t ApproxBytes(const ChartLink& link);

}  // namespace brv3
