#include "core/chart/ChartHistory.h"

#include <utility>

namespace brv3 {

namespace {

// Releases the chart's held notifications however the edit ends.
class HoldNotifications {
 public:
  explicit HoldNotifications(const Chart& chart) : chart_(chart) { chart_.Changes().Hold(); }
  ~HoldNotifications() { chart_.Changes().Release(); }
  HoldNotifications(const HoldNotifications&) = delete;
  HoldNotifications& operator=(const HoldNotifications&) = delete;

 private:
  const Chart& chart_;
};

}  // namespace

ChartHistory::ChartHistory(Chart& chart, size_t stepLimit, size_t byteBudget)
    : chart_(chart), stepLimit_(stepLimit < 1 ? 1 : stepLimit), byteBudget_(byteBudget) {}

size_t ChartHistory::ApproxBytes(const Chart& chart) {
  size_t bytes = sizeof(Chart) + chart.Name.capacity();
  for (const ChartObject& o : chart.Objects) bytes += brv3::ApproxBytes(o);
  for (const ChartLink& l : chart.Links) bytes += brv3::ApproxBytes(l);
  return bytes;
}

bool ChartHistory::Apply(std::string_view label, const Edit& edit, ChartChange change,
                         Gesture gesture) {
  return Record(label, edit, std::move(change), gesture, nullptr);
}

bool ChartHistory::ApplyChecked(std::string_view label, const CheckedEdit& edit, ChartChange change,
                                Gesture gesture) {
  // The comparison needs the state before even when merging; a new step takes it as its own.
  Chart before = chart_;
  return Record(
      label,
      [&](Chart& chart) {
        edit(chart);
        return !(chart == before);
      },
      std::move(change), gesture, &before);
}

bool ChartHistory::Record(std::string_view label, const Edit& edit, ChartChange change,
                          Gesture gesture, Chart* before) {
  if (depth_ > 0) {
    // An edit inside another (a dialog run by an edit): part of the outer step.
    const bool changed = edit(chart_);
    if (changed) chart_.Changes().Notify(change);
    return changed;
  }
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(d) { ++depth; }
    ~Depth() { --depth; }
  };
  const bool merge = gesture != 0 && gesture == openGesture_ && gestureBefore_ && !undo_.empty() &&
                     undo_.back().gesture == gesture;
  bool changed = false;
  if (merge) {
    HoldNotifications hold(chart_);
    Depth depth(depth_);
    changed = edit(chart_);
    if (changed) {
      // The saved state lay inside this gesture's step: it can no longer be reached.
      if (clean_ == undo_.size()) clean_ = kNeverClean;
      chart_.Changes().Notify(change);
    }
  } else {
    CloseGestureStep();
    std::optional<Chart> own;
    if (!before) own.emplace(chart_);
    Chart& was = before ? *before : *own;
    HoldNotifications hold(chart_);
    Depth depth(depth_);
    changed = edit(chart_);
    if (changed) {
      Step step{std::string(label), {}, 0, gesture};
      if (gesture != 0) {
        // More edits of this gesture may follow: keep the state before until it ends.
        gestureBefore_.emplace(std::move(was));
        step.bytes = ApproxBytes(*gestureBefore_);
      } else {
        step.delta = ChartDelta::Between(was, chart_);
        step.bytes = step.delta.Bytes();
      }
      DropRedo();
      PushStep(std::move(step));
      openGesture_ = gesture;
      chart_.Changes().Notify(change);
    }
  }
  if (changed) AnnounceState();
  return changed;
}

void ChartHistory::CloseGestureStep() {
  openGesture_ = 0;
  if (!gestureBefore_) return;
  if (!undo_.empty()) {
    Step& step = undo_.back();
    step.delta = ChartDelta::Between(*gestureBefore_, chart_);
    storedBytes_ -= step.bytes;
    step.bytes = step.delta.Bytes();
    storedBytes_ += step.bytes;
  }
  gestureBefore_.reset();
}

void ChartHistory::EndGesture() {
  if (depth_ == 0) CloseGestureStep();
}

void ChartHistory::PushStep(Step step) {
  storedBytes_ += step.bytes;
  undo_.push_back(std::move(step));
  Trim();
}

void ChartHistory::Trim() {
  while (undo_.size() > 1 && (undo_.size() > stepLimit_ || storedBytes_ > byteBudget_)) {
    storedBytes_ -= undo_.front().bytes;
    undo_.pop_front();
    clean_ = clean_ == 0 || clean_ == kNeverClean ? kNeverClean : clean_ - 1;
  }
}

void ChartHistory::DropRedo() {
  for (const Step& s : redo_) storedBytes_ -= s.bytes;
  redo_.clear();
  if (clean_ != kNeverClean && clean_ > undo_.size()) clean_ = kNeverClean;
}

bool ChartHistory::SwapStep(Step& step) {
  storedBytes_ -= step.bytes;
  if (!step.delta.SwapInto(chart_)) {
    // The chart was changed in shape outside the history: none of its steps fit any more.
    Clear();
    clean_ = kNeverClean;
    AnnounceState();
    return false;
  }
  step.bytes = step.delta.Bytes();
  storedBytes_ += step.bytes;
  return true;
}

bool ChartHistory::Undo() {
  if (undo_.empty() || depth_ > 0) return false;
  CloseGestureStep();
  Step step = std::move(undo_.back());
  undo_.pop_back();
  if (!SwapStep(step)) return false;
  redo_.push_back(std::move(step));
  chart_.Changes().Notify({ChartChangeKind::Replaced, {}, ChangeOrigin::Undo});
  AnnounceState();
  return true;
}

bool ChartHistory::Redo() {
  if (redo_.empty() || depth_ > 0) return false;
  CloseGestureStep();
  Step step = std::move(redo_.back());
  redo_.pop_back();
  if (!SwapStep(step)) return false;
  step.gesture = 0;
  undo_.push_back(std::move(step));
  Trim();
  chart_.Changes().Notify({ChartChangeKind::Replaced, {}, ChangeOrigin::Redo});
  AnnounceState();
  return true;
}

void ChartHistory::Clear() {
  gestureBefore_.reset();
  undo_.clear();
  redo_.clear();
  storedBytes_ = 0;
  clean_ = 0;
  openGesture_ = 0;
  AnnounceState();
}

void ChartHistory::MarkClean() {
  if (depth_ == 0) CloseGestureStep();
  openGesture_ = 0;
  clean_ = undo_.size();
  AnnounceState();
}

HistoryState ChartHistory::State() const {
  return {CanUndo(), CanRedo(), IsClean(), UndoLabel(), RedoLabel()};
}

void ChartHistory::AnnounceState() {
  stateChanges_.Notify(State());
}

}  // namespace brv3
