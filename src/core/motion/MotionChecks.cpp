#include "core/motion/MotionChecks.h"

#include "core/comm/TableEntry.h"
#include "core/motion/ChannelWord.h"
#include "core/motion/ServoRange.h"
#include "core/motion/SetCompareWords.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

constexpr uint16_t kLoopCounterCompare = 33543;

std::string Unreachable(const ChartObject& object) {
  return Args(Tr("MotionChecks",
                 "Object \"%1\" is not reachable from the Start object and will not be written"),
              {object.Name});
}

// Objects reachable along flow and branch wiring from `from` (not counting `from` itself unless
// a wire leads back to it).
std::vector<uint8_t> ReachableFrom(const Chart& chart,
                                   const std::vector<std::vector<int32_t>>& next,
                                   const std::vector<int32_t>& from) {
  std::vector<uint8_t> seen(chart.Objects.size(), 0);
  std::vector<int32_t> stack;
  for (int32_t o : from)
    for (int32_t n : next[static_cast<size_t>(o)]) stack.push_back(n);
  while (!stack.empty()) {
    const int32_t o = stack.back();
    stack.pop_back();
    if (seen[static_cast<size_t>(o)]) continue;
    seen[static_cast<size_t>(o)] = 1;
    for (int32_t n : next[static_cast<size_t>(o)]) stack.push_back(n);
  }
  return seen;
}

void CheckServoRanges(const ChartObject& object, int32_t index, const BoardKnowledge& board,
                      std::vector<ChartWarning>& warnings) {
  std::string pulse, serial;
  for (int c = 1; c <= kChannels; ++c) {
    const uint16_t word = object.Values[static_cast<size_t>(c - 1)];
    if (word < 1 || word > 0x7FFF) continue;
    const bool serialChannel = board.serialServoMask && MaskHasChannel(*board.serialServoMask, c);
    const ServoRange range = serialChannel ? kSerialServoRange : kPulseServoRange;
    if (word >= range.minimum && word <= range.maximum) continue;
    std::string& list = serialChannel ? serial : pulse;
    list += (list.empty() ? "" : ", ") + ("CH" + std::to_string(c)) + " " + std::to_string(word);
  }
  const auto warn = [&](const std::string& list, const std::string& text, ServoRange range) {
    if (list.empty()) return;
    warnings.push_back({index, Args(text, {object.Name, list, std::to_string(range.minimum),
                                           std::to_string(range.maximum)})});
  };
  warn(pulse, Tr("MotionChecks", "Object \"%1\": %2 outside the pulse-servo range (%3..%4)"),
       kPulseServoRange);
  warn(serial, Tr("MotionChecks", "Object \"%1\": %2 outside the serial-servo range (%3..%4)"),
       kSerialServoRange);
}

}  // namespace

std::vector<ChartWarning> CheckMotionChart(const Chart& chart, const MotionCompileResult& compiled,
                                           const BoardKnowledge& board) {
  std::vector<ChartWarning> warnings;
  if (!compiled.ok) return warnings;
  const size_t n = chart.Objects.size();
  std::vector<uint8_t> written(n, 0);
  for (const StepEntry& step : compiled.steps)
    if (step.Kind >= 0 && static_cast<size_t>(step.Kind) < n)
      written[static_cast<size_t>(step.Kind)] = 1;
  std::vector<std::vector<int32_t>> next(n);
  for (const ChartLink& link : chart.Links)
    if (chart.ValidObject(link.Origin) && chart.ValidObject(link.Final))
      next[static_cast<size_t>(link.Origin)].push_back(link.Final);

  std::vector<int32_t> loopSets;
  for (size_t i = 0; i < n; ++i) {
    const ChartObject& object = chart.Objects[i];
    const auto index = static_cast<int32_t>(i);
    if (!written[i]) {
      warnings.push_back({index, Unreachable(object)});
      continue;
    }
    if (object.Type == kPosition) CheckServoRanges(object, index, board, warnings);
    if (object.Type != kSet) continue;
    const SetDisplay set = DecodeSetWords(object.Values);
    if (set.option == SetOption::LoopCounter) loopSets.push_back(index);
    if ((set.option == SetOption::Jump || set.option == SetOption::Call) && set.operand &&
        board.emptySlots && *set.operand >= 0 && *set.operand < kTableEntries &&
        (*board.emptySlots)[static_cast<size_t>(*set.operand)])
      warnings.push_back(
          {index,
           Args(set.option == SetOption::Jump
                    ? Tr("MotionChecks",
                         "Set \"%1\" jumps to %2, which the motion table shows empty")
                    : Tr("MotionChecks", "Set \"%1\" calls %2, which the motion table shows empty"),
                {object.Name, Slot::LabelOf(*set.operand)})});
  }

  const std::vector<uint8_t> afterLoopSet = ReachableFrom(chart, next, loopSets);
  for (size_t i = 0; i < n; ++i) {
    const ChartObject& object = chart.Objects[i];
    if (!written[i] || object.Type != kCompare) continue;
    const std::optional<SharedBase> base = SharedWordBase(object.Values);
    if (!base || base->base != kLoopCounterCompare || afterLoopSet[i]) continue;
    warnings.push_back(
        {static_cast<int32_t>(i), Args(Tr("MotionChecks",
                                          "Compare \"%1\" tests the loop counter, but no "
                                          "Set of the loop counter comes before it"),
                                       {object.Name})});
  }

  const auto steps = static_cast<int>(compiled.steps.size());
  if (steps >= kMaxMotionSteps - kLimitMargin)
    warnings.push_back(
        {-1, Args(Tr("MotionChecks", "The motion has %1 steps; the board holds %2 at most"),
                  {std::to_string(steps), std::to_string(kMaxMotionSteps)})});
  return warnings;
}

std::vector<ChartWarning> CheckScenarioChart(const Chart& chart,
                                             const ScenarioCompileResult& compiled) {
  std::vector<ChartWarning> warnings;
  if (!compiled.ok) return warnings;
  std::vector<uint8_t> written(chart.Objects.size(), 0);
  for (int32_t o : compiled.objects)
    if (chart.ValidObject(o)) written[static_cast<size_t>(o)] = 1;
  for (size_t i = 0; i < chart.Objects.size(); ++i)
    if (!written[i]) warnings.push_back({static_cast<int32_t>(i), Unreachable(chart.Objects[i])});
  const auto motions = static_cast<int>(compiled.motions.size());
  if (motions >= kScenarioMotionLimit - kLimitMargin)
    warnings.push_back(
        {-1, Args(Tr("MotionChecks", "The scenario has %1 motions; the board takes %2 at most"),
                  {std::to_string(motions), std::to_string(kScenarioMotionLimit)})});
  return warnings;
}

std::vector<ChartWarning> CheckChart(const Chart& chart, const BoardKnowledge& board) {
  if (chart.Type == kScenarioChart) return CheckScenarioChart(chart, CompileScenarioChart(chart));
  return CheckMotionChart(chart, CompileMotionChart(chart), board);
}

}  // namespace brv3
