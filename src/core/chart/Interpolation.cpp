#include "core/chart/Interpolation.h"

#include <algorithm>
#include <string>

#include "core/util/IniFile.h"
#include "core/util/NumberText.h"
#include "core/util/Prompter.h"
#include "core/util/RoundHalfEven.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

constexpr uint16_t kInterpolatedFirst = 1;
constexpr uint16_t kInterpolatedLast = 32768;
constexpr uint8_t kInsertSpeed = 100;

bool Interpolates(uint16_t word) {
  return word >= kInterpolatedFirst && word <= kInterpolatedLast;
}

void AddFlowWire(Chart& chart, int32_t origin, int32_t final) {
  int index = chart.AppendLinks(1);
  ChartLink& link = chart.Links[static_cast<size_t>(index)];
  link.Selected = 0;
  link.Main = kFlowWiring;
  link.Origin = origin;
  link.Final = final;
}

}  // namespace

InsertPair FindInsertPair(const Chart& chart) {
  InsertPair pair;
  if (chart.Type == kScenarioChart) return pair;
  int32_t first = -1, second = -1, count = 0;
  for (int32_t i = 0; i < chart.ObjectCount(); ++i) {
    if (!chart.Objects[static_cast<size_t>(i)].Selected) continue;
    if (++count == 1)
      first = i;
    else
      second = i;
  }
  if (count != 2 || chart.SelectedLinkCount() > 2) return pair;
  bool forward = false, backward = false;
  for (const ChartLink& link : chart.Links) {
    if (!link.Selected) continue;
    forward = forward || (link.Origin == first && link.Final == second);
    backward = backward || (link.Origin == second && link.Final == first);
  }
  if (chart.SelectedLinkCount() == 1 && !forward && !backward) return pair;
  pair.linked = forward || backward;
  pair.b = backward ? second : first;
  pair.d = backward ? first : second;
  return pair;
}

float InsertFraction(int q, int n) {
  return static_cast<float>(static_cast<double>(q) / (static_cast<double>(n) + 1.0));
}

int32_t InterpolateValue(int32_t from, int32_t to, float x) {
  double offset = (static_cast<double>(from) - static_cast<double>(to)) * static_cast<double>(x);
  return static_cast<int32_t>(from - RoundHalfEven(offset));
}

int InsertInterpolatedObjects(Chart& chart, const InsertPair& pair, int n) {
  if (!chart.ValidObject(pair.b) || !chart.ValidObject(pair.d) || n <= 0) return -1;
  if (pair.linked) chart.DeleteSelectedLinks();
  // Copies: placing objects grows the array.
  const ChartObject b = chart.Objects[static_cast<size_t>(pair.b)];
  const ChartObject d = chart.Objects[static_cast<size_t>(pair.d)];
  const auto dividedSpeed = static_cast<uint8_t>(
      std::clamp<int64_t>(RoundHalfEven(static_cast<double>(b.Head) / (n + 1.0)), 1, 255));
  int firstNew = -1;
  int32_t previous = pair.b;
  for (int q = 1; q <= n; ++q) {
    const float x = InsertFraction(q, n);
    int index = chart.PlaceObject(InterpolateValue(b.Left, d.Left, x),
                                  InterpolateValue(b.Top, d.Top, x), kPosition);
    if (index < 0) break;
    if (firstNew < 0) firstNew = index;
    ChartObject& o = chart.Objects[static_cast<size_t>(index)];
    for (size_t c = 0; c < kChannels; ++c) {
      const uint16_t wb = b.Values[c], wd = d.Values[c];
      if (Interpolates(wb) && Interpolates(wd))
        o.Values[c] = static_cast<uint16_t>(InterpolateValue(wb, wd, x));
    }
    o.Head = kInsertSpeed;
    if (pair.linked) {
      AddFlowWire(chart, previous, index);
      o.Head = dividedSpeed;
    }
    previous = index;
  }
  if (pair.linked && firstNew >= 0) {
    AddFlowWire(chart, previous, pair.d);
    chart.Objects[static_cast<size_t>(pair.d)].Head = dividedSpeed;
  }
  return firstNew;
}

bool InsertCommand(Chart& chart, Prompter& prompter) {
  InsertPair pair = FindInsertPair(chart);
  if (pair.b < 0) return false;
  std::string answer = "1";
  if (!prompter.InputTextDialog(Tr("Interpolation", "Insert"),
                                Tr("Interpolation", "Number of new objects"), answer))
    return false;
  const int64_t n = ParseIniInteger(TrimBlanks(answer)).value_or(-1);
  if (n <= 0) return false;
  if (n > kMaxInsertCount) {
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok,
                    Args(Tr("Interpolation", "Number of new objects must be 1 to %1"),
                         {std::to_string(kMaxInsertCount)}));
    return false;
  }
  return InsertInterpolatedObjects(chart, pair, static_cast<int>(n)) >= 0;
}

}  // namespace brv3
