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
  bytes += chart.Objects.capacity() * sizeof(ChartObject);
  for (const ChartObject& o : chart.Objects)
    if (o.Name.capacity() > 15) bytes += o.Name.capacity() + 1;
  bytes += chart.Links.capacity() * sizeof(ChartLink);
  for (const ChartLink& l : chart.Links) bytes += l.Point.capacity() * sizeof(LinkPoint);
  return bytes;
}

bool ChartHistory::Apply(std::string_view label, const Edit& edit, ChartChange change,
                         Gesture gesture) {
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
  const bool merge =
      gesture != 0 && gesture == openGesture_ && !undo_.empty() && undo_.back().gesture == gesture;
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
    Step step{std::string(label), chart_, 0, gesture};
    HoldNotifications hold(chart_);
    Depth depth(depth_);
    changed = edit(chart_);
    if (changed) {
      step.bytes = ApproxBytes(step.before);
      DropRedo();
      PushStep(std::move(step));
      openGesture_ = gesture;
      chart_.Changes().Notify(change);
    }
  }
  if (changed) AnnounceState();
  return changed;
}

bool ChartHistory::ApplyChecked(std::string_view label, const CheckedEdit& edit, ChartChange change,
                                Gesture gesture) {
  // The comparison needs the state before even when merging; a merged step keeps its own.
  Chart before = chart_;
  return Apply(
      label,
      [&](Chart& chart) {
        edit(chart);
        return !(chart == before);
      },
      std::move(change), gesture);
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

bool ChartHistory::Undo() {
  if (undo_.empty() || depth_ > 0) return false;
  openGesture_ = 0;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  storedBytes_ -= step.bytes;
  Chart after = std::move(chart_);
  chart_ = std::move(step.before);
  step.before = std::move(after);
  step.bytes = ApproxBytes(step.before);
  storedBytes_ += step.bytes;
  redo_.push_back(std::move(step));
  chart_.Changes().Notify({ChartChangeKind::Replaced, {}, ChangeOrigin::Undo});
  AnnounceState();
  return true;
}

bool ChartHistory::Redo() {
  if (redo_.empty() || depth_ > 0) return false;
  openGesture_ = 0;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  storedBytes_ -= step.bytes;
  Chart before = std::move(chart_);
  chart_ = std::move(step.before);
  step.before = std::move(before);
  step.bytes = ApproxBytes(step.before);
  storedBytes_ += step.bytes;
  step.gesture = 0;
  undo_.push_back(std::move(step));
  Trim();
  chart_.Changes().Notify({ChartChangeKind::Replaced, {}, ChangeOrigin::Redo});
  AnnounceState();
  return true;
}

void ChartHistory::Clear() {
  undo_.clear();
  redo_.clear();
  storedBytes_ = 0;
  clean_ = 0;
  openGesture_ = 0;
  AnnounceState();
}

void ChartHistory::MarkClean() {
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
