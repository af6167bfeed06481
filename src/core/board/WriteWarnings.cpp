#include "core/board/WriteWarnings.h"

#include "core/board/SleepScope.h"
#include "core/comm/BoardLink.h"
#include "core/motion/ServoRange.h"

namespace brv3 {
namespace {

bool BeyondPulseRange(const Chart& chart) {
  for (const ChartObject& o : chart.Objects) {
    if (o.Type != kPosition) continue;
    for (uint16_t word : o.Values)
      if (word >= 1 && word <= 0x7FFF &&
          (word < kPulseServoRange.minimum || word > kPulseServoRange.maximum))
        return true;
  }
  return false;
}

// The slots Set objects jump to or call.
std::vector<int> SlotsNamedBySets(const Chart& chart) {
  std::vector<int> slots;
  for (const ChartObject& o : chart.Objects) {
    if (o.Type != kSet) continue;
    const SetDisplay set = DecodeSetWords(o.Values);
    if ((set.option == SetOption::Jump || set.option == SetOption::Call) && set.operand &&
        Slot::FromIndex(*set.operand))
      slots.push_back(*set.operand);
  }
  return slots;
}

}  // namespace

BoardKnowledge ReadBoardKnowledge(BoardLink& link, const Chart& chart, BoardKnowledge known) {
  if (!known.serialServoMask && BeyondPulseRange(chart)) {
    Bytes reply;
    if (link.ReadSsvChannelMask(reply) && reply.size() >= 3)
      known.serialServoMask = ChannelMask{reply[0], reply[1], reply[2]};
  }
  const std::vector<int> named = SlotsNamedBySets(chart);
  if (!known.emptySlots && !named.empty()) {
    std::array<bool, kTableEntries> empty{};
    SleepScope sleep(link);
    bool read = sleep.Begin();
    for (size_t k = 0; read && k < named.size(); ++k) {
      Bytes bytes;
      std::optional<TableEntry> entry;
      if (link.ReadTableEntry(named[k], bytes)) entry = TableEntry::Decode(bytes);
      read = entry.has_value();
      if (read) empty[static_cast<size_t>(named[k])] = entry->Count == 0;
    }
    if (read) known.emptySlots = empty;
  }
  return known;
}

std::vector<ChartWarning> PreWriteWarnings(const Chart& chart, const BoardKnowledge& known) {
  return CheckChart(chart, known);
}

std::vector<std::string> WarningLines(const std::vector<ChartWarning>& warnings) {
  std::vector<std::string> lines;
  lines.reserve(warnings.size());
  const std::string format = Tr("WriteWarnings", "warning: %1");
  for (const ChartWarning& w : warnings) lines.push_back(Args(format, {w.Text}));
  return lines;
}

bool WriteWarningGate::Allow(Prompter& prompter, const std::string& chartKey,
                             const std::vector<ChartWarning>& warnings) {
  if (warnings.empty() || Quiet(chartKey)) return true;
  std::string text;
  for (const std::string& line : WarningLines(warnings)) text += line + "\n";
  text += Tr("WriteWarnings", kWriteAnyway);
  bool stopAsking = false;
  const int answer = prompter.MsgBoxWithCheck(MsgKind::Question, MsgButtons::YesNo, text,
                                              Tr("WriteWarnings", kStopAskingForChart), stopAsking);
  if (answer != IdYes) return false;
  // Only a Yes is remembered: a No with the box ticked must not turn into silent writes.
  if (stopAsking) quiet_.insert(chartKey);
  return true;
}

}  // namespace brv3
