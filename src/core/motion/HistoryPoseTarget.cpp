#include "core/motion/HistoryPoseTarget.h"

#include "core/util/Translate.h"

namespace brv3 {

std::string HistoryPoseTarget::Name() const {
  const Chart& chart = history_.GetChart();
  return chart.ValidObject(index_) ? chart.Objects[static_cast<size_t>(index_)].Name
                                   : std::string();
}

PoseRecord HistoryPoseTarget::Pose() const {
  const Chart& chart = history_.GetChart();
  PoseRecord pose;
  if (!chart.ValidObject(index_)) return pose;
  pose.Head = chart.Objects[static_cast<size_t>(index_)].Head;
  pose.Values = chart.Objects[static_cast<size_t>(index_)].Values;
  return pose;
}

void HistoryPoseTarget::StorePose(const PoseRecord& pose, int gesture) {
  if (gesture == 0) {
    gesture_ = 0;
    historyGesture_ = 0;
  } else if (gesture != gesture_ || historyGesture_ == 0) {
    gesture_ = gesture;
    historyGesture_ = history_.NewGesture();
  }
  const int index = index_;
  if (storing_) *storing_ = true;
  history_.Apply(
      BRV3_TR_NOOP("ChartHistory", "Pose"),
      [&pose, index](Chart& chart) {
        if (!chart.ValidObject(index)) return false;
        ChartObject& object = chart.Objects[static_cast<size_t>(index)];
        if (object.Head == pose.Head && object.Values == pose.Values) return false;
        object.Head = pose.Head;
        object.Values = pose.Values;
        return true;
      },
      {ChartChangeKind::ObjectsChanged, {index}, ChangeOrigin::Edit, true}, historyGesture_);
  if (storing_) *storing_ = false;
}

void HistoryPoseTarget::EndGesture() {
  history_.EndGesture();
  gesture_ = 0;
  historyGesture_ = 0;
}

}  // namespace brv3
