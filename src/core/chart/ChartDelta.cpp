#include "core/chart/ChartDelta.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace brv3 {

namespace {

bool SameHeader(const Chart& a, const Chart& b) {
  return a.Type == b.Type && a.Start == b.Start && a.Name == b.Name && a.Ctrl == b.Ctrl &&
         a.CanvasWidth == b.CanvasWidth && a.CanvasHeight == b.CanvasHeight;
}

size_t HeapBytes(const std::string& s) {
  return s.capacity() > 15 ? s.capacity() + 1 : 0;  // short strings live inside the object
}

}  // namespace

size_t ApproxBytes(const ChartObject& object) {
  return sizeof(ChartObject) + HeapBytes(object.Name);
}

size_t ApproxBytes(const ChartLink& link) {
  return sizeof(ChartLink) + link.Point.capacity() * sizeof(LinkPoint);
}

template <class T>
std::vector<ChartDelta::Run<T>> ChartDelta::Diff(const std::vector<T>& before,
                                                 const std::vector<T>& after) {
  std::vector<Run<T>> runs;
  if (before.size() == after.size()) {
    // Same count: each stretch of changed items is a run of its own (a move of scattered
    // objects keeps just those).
    for (size_t i = 0; i < after.size();) {
      if (before[i] == after[i]) {
        ++i;
        continue;
      }
      Run<T> run;
      run.at = i;
      while (i < after.size() && !(before[i] == after[i])) run.items.push_back(before[i++]);
      run.count = run.items.size();
      runs.push_back(std::move(run));
    }
    return runs;
  }
  // Items added or removed: one run between the common beginning and the common end.
  const size_t shorter = std::min(before.size(), after.size());
  size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  Run<T> run;
  run.at = head;
  run.count = after.size() - head - tail;
  run.items.assign(before.begin() + static_cast<std::ptrdiff_t>(head),
                   before.end() - static_cast<std::ptrdiff_t>(tail));
  runs.push_back(std::move(run));
  return runs;
}

template <class T>
bool ChartDelta::Fits(const std::vector<Run<T>>& runs, size_t size) {
  return std::all_of(runs.begin(), runs.end(),
                     [size](const Run<T>& r) { return r.at <= size && r.count <= size - r.at; });
}

template <class T>
void ChartDelta::Swap(std::vector<Run<T>>& runs, std::vector<T>& items) {
  for (Run<T>& run : runs) {
    const auto first = items.begin() + static_cast<std::ptrdiff_t>(run.at);
    const auto last = first + static_cast<std::ptrdiff_t>(run.count);
    if (run.count == run.items.size()) {
      std::swap_ranges(first, last, run.items.begin());
      continue;
    }
    std::vector<T> taken(std::make_move_iterator(first), std::make_move_iterator(last));
    const auto at = items.erase(first, last);
    const size_t inserted = run.items.size();
    items.insert(at, std::make_move_iterator(run.items.begin()),
                 std::make_move_iterator(run.items.end()));
    run.items = std::move(taken);
    run.count = inserted;
  }
}

ChartDelta ChartDelta::Between(const Chart& before, const Chart& after) {
  ChartDelta delta;
  if (!SameHeader(before, after)) {
    delta.headerChanged_ = true;
    delta.header_ = {before.Type, before.Start,       before.Name,
                     before.Ctrl, before.CanvasWidth, before.CanvasHeight};
  }
  delta.objects_ = Diff(before.Objects, after.Objects);
  delta.links_ = Diff(before.Links, after.Links);
  delta.objectCount_ = after.Objects.size();
  delta.linkCount_ = after.Links.size();
  return delta;
}

bool ChartDelta::SwapInto(Chart& chart) {
  if (chart.Objects.size() != objectCount_ || chart.Links.size() != linkCount_ ||
      !Fits(objects_, chart.Objects.size()) || !Fits(links_, chart.Links.size()))
    return false;
  if (headerChanged_) {
    std::swap(header_.Type, chart.Type);
    std::swap(header_.Start, chart.Start);
    std::swap(header_.Name, chart.Name);
    std::swap(header_.Ctrl, chart.Ctrl);
    std::swap(header_.CanvasWidth, chart.CanvasWidth);
    std::swap(header_.CanvasHeight, chart.CanvasHeight);
  }
  Swap(objects_, chart.Objects);
  Swap(links_, chart.Links);
  objectCount_ = chart.Objects.size();
  linkCount_ = chart.Links.size();
  return true;
}

size_t ChartDelta::Bytes() const {
  size_t bytes = sizeof(ChartDelta) + HeapBytes(header_.Name);
  for (const Run<ChartObject>& r : objects_) {
    bytes += sizeof(r);
    for (const ChartObject& o : r.items) bytes += ApproxBytes(o);
  }
  for (const Run<ChartLink>& r : links_) {
    bytes += sizeof(r);
    for (const ChartLink& l : r.items) bytes += ApproxBytes(l);
  }
  return bytes;
}

}  // namespace brv3
