#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart/Chart.h"
#include "core/chart/ChartDelta.h"
#include "core/chart/ChartEvents.h"

namespace brv3 {

// What the undo and redo controls show.
struct HistoryState {
  bool CanUndo = false;
  bool CanRedo = false;
  bool Clean = true;  // the chart is as last saved or opened
  std::string UndoLabel;
  std::string RedoLabel;
};

// The one path every undoable chart edit takes, and its undo stack. Each step keeps what its edit
// changed (the header, the objects and wires it touched, before and after); undo and redo swap
// those values back. Consecutive edits of one gesture (a drag, a slider) merge into one step: while
// the gesture runs its step holds the chart as it was before, and is cut down to the changes when
// the gesture ends. Steps beyond the count limit or the memory budget (counted in the bytes the
// steps hold) are forgotten, oldest first; the newest step is always kept.
class ChartHistory {
 public:
  using Gesture = uint64_t;  // 0: no gesture, every edit is its own step
  using Edit = std::function<bool(Chart&)>;
  using CheckedEdit = std::function<void(Chart&)>;

  static constexpr size_t kDefaultStepLimit = 5000;
  static constexpr size_t kDefaultByteBudget = size_t{64} << 20;

  explicit ChartHistory(Chart& chart, size_t stepLimit = kDefaultStepLimit,
                        size_t byteBudget = kDefaultByteBudget);
  ChartHistory(const ChartHistory&) = delete;
  ChartHistory& operator=(const ChartHistory&) = delete;

  Chart& GetChart() { return chart_; }
  const Chart& GetChart() const { return chart_; }

  // Runs `edit` on the chart as one undoable step named `label`: the English name, marked with
  // BRV3_TR_NOOP("ChartHistory", ...) and translated where it is shown. The edit returns true when
  // it changed the chart; only then is the step kept and `change` announced (after whatever the
  // edit announced itself, which is held back until the edit is done). With a nonzero
  // `gesture` equal to the one of the newest step, and no undo, redo, save or EndGesture since,
  // the edit joins that step instead of making a new one. An edit started while another runs
  // (a dialog opened by an edit) belongs to the outer step.
  bool Apply(std::string_view label, const Edit& edit, ChartChange change, Gesture gesture = 0);
  // As Apply, for edits that cannot tell whether they changed anything (a dialog, a read back):
  // the chart is compared with its state before.
  bool ApplyChecked(std::string_view label, const CheckedEdit& edit, ChartChange change,
                    Gesture gesture = 0);
  // The present gesture is over: the next edit starts a new step.
  void EndGesture();
  // A fresh gesture number for a drag or a dialog's slider.
  Gesture NewGesture() { return ++lastGesture_; }

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Restore the state before the newest step (after the newest undone step); each announces
  // `Replaced` with origin Undo (Redo). False when there is nothing to do or an edit is still
  // running (a read back letting other events in). A chart changed in shape behind the history's
  // back cannot take its steps: then every step is forgotten and the answer is false.
  bool Undo();
  bool Redo();
  std::string UndoLabel() const { return undo_.empty() ? std::string() : undo_.back().label; }
  std::string RedoLabel() const { return redo_.empty() ? std::string() : redo_.back().label; }
  size_t UndoCount() const { return undo_.size(); }

  // Forgets every step; the chart counts as clean (a chart opened or made new).
  void Clear();
  // The chart was saved as it is now.
  void MarkClean();
  bool IsClean() const { return clean_ == undo_.size(); }
  HistoryState State() const;
  // The undo controls subscribe here; they hear after every change of State().
  [[nodiscard]] Subscription SubscribeState(std::function<void(const HistoryState&)> handler) {
    return stateChanges_.Subscribe(std::move(handler));
  }
  // Memory the kept steps take, roughly.
  size_t StoredBytes() const { return storedBytes_; }

  // A rough count of the bytes a chart's data takes.
  static size_t ApproxBytes(const Chart& chart);

 private:
  struct Step {
    std::string label;
    ChartDelta delta;  // swapped into the chart by undo and redo
    size_t bytes = 0;
    Gesture gesture = 0;
  };
  static constexpr size_t kNeverClean = static_cast<size_t>(-1);

  bool Record(std::string_view label, const Edit& edit, ChartChange change, Gesture gesture,
              Chart* before);
  void CloseGestureStep();
  bool SwapStep(Step& step);
  void PushStep(Step step);
  void Trim();
  void DropRedo();
  void AnnounceState();

  Chart& chart_;
  size_t stepLimit_;
  size_t byteBudget_;
  std::deque<Step> undo_;
  std::vector<Step> redo_;
  size_t storedBytes_ = 0;
  size_t clean_ = 0;  // the undo depth at which the chart is as saved; kNeverClean if lost
  Gesture openGesture_ = 0;
  std::optional<Chart> gestureBefore_;  // the chart before the newest step while its gesture runs
  Gesture lastGesture_ = 0;
  int depth_ = 0;  // edits running
  Notifier<HistoryState> stateChanges_;
};

}  // namespace brv3
