#pragma once

#include "core/chart/ChartHistory.h"
#include "core/motion/PoseEditor.h"

namespace brv3 {

// A Position object edited through the chart's history: every store is an undoable step that
// announces the change; the stores of one slider drag make a single step.
class HistoryPoseTarget final : public PoseTarget {
 public:
  // `storing`, when given, is true while a store runs (so a listener can tell the editor's own
  // changes from others).
  HistoryPoseTarget(ChartHistory& history, int index, bool* storing = nullptr)
      : history_(history), index_(index), storing_(storing) {}

  std::string Name() const override;
  PoseRecord Pose() const override;
  void StorePose(const PoseRecord& pose, int gesture) override;
  void EndGesture() override;

 private:
  ChartHistory& history_;
  int index_;
  bool* storing_;
  int gesture_ = 0;
  ChartHistory::Gesture historyGesture_ = 0;
};

}  // namespace brv3
