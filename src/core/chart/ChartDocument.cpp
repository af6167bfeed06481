#include "core/chart/ChartDocument.h"

#include "core/util/Translate.h"

namespace brv3 {

void ChartDocument::New() {
  chart_.Changes().Hold();
  chart_.NewChart();
  chart_.Changes().Release();
  history_.Clear();
  chart_.Notify(ChartChangeKind::Replaced, ChangeOrigin::Load);
  path_.clear();
}

OpenResult ChartDocument::Open(const std::string& path, Prompter& prompter, bool clearFirst) {
  OpenResult result;
  if (!clearFirst && chart_.ObjectCount() > 0) {
    history_.ApplyChecked(BRV3_TR_NOOP("ChartHistory", "Open"),
                          [&](Chart& chart) { result = OpenChartFile(chart, path, prompter); },
                          {ChartChangeKind::Replaced, {}, ChangeOrigin::Edit});
    return result;
  }
  // The chart replaced here has no objects (or is cleared anyway), so keeping it to compare is
  // cheap; a refused file that left it as it was keeps its history.
  const Chart before = clearFirst ? Chart() : chart_;
  chart_.Changes().Hold();
  if (clearFirst) chart_.ClearChart();
  result = OpenChartFile(chart_, path, prompter);
  chart_.Changes().Release();
  const bool opened = result.status == OpenStatus::Opened;
  if (opened || clearFirst || !(chart_ == before)) history_.Clear();
  chart_.Changes().Notify({ChartChangeKind::Replaced, {}, ChangeOrigin::Load});
  // A cleared chart that took nothing from the file no longer belongs to the old file either.
  if (opened)
    path_ = path;
  else if (clearFirst)
    path_.clear();
  return result;
}

bool ChartDocument::SaveAs(const std::string& path, Prompter& prompter) {
  if (!SaveChartFile(chart_, path, prompter)) return false;
  Saved(path);
  return true;
}

void ChartDocument::Saved(const std::string& path) {
  path_ = path;
  history_.MarkClean();
}

}  // namespace brv3
