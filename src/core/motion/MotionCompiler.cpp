#include "core/motion/MotionCompiler.h"

#include <utility>

#include "core/motion/ChannelWord.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned value, int digits) {
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
    out += kHexDigits[(value >> shift) & 0xF];
}

void AppendStepNumber(std::string& out, int stepNumber) {
  std::string digits = std::to_string(stepNumber);
  if (digits.size() < 3) out.append(3 - digits.size(), '0');
  out += digits;
}

// A name inside a quoted listing field; an inner quote is doubled so the field still splits.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
  return out;
}

// The usable wires of each object in wire order, built once so that finding an object's
// successors costs only its own wires. Wires with an end outside the objects are never compiled.
class WireIndex {
 public:
  explicit WireIndex(const Chart& chart) : first_(static_cast<size_t>(chart.ObjectCount()) + 1, 0) {
    auto usable = [&](const ChartLink& l) {
      return chart.ValidObject(l.Origin) && chart.ValidObject(l.Final);
    };
    for (const ChartLink& l : chart.Links)
      if (usable(l)) ++first_[static_cast<size_t>(l.Origin) + 1];
    for (size_t i = 1; i < first_.size(); ++i) first_[i] += first_[i - 1];
    wires_.resize(first_.back());
    std::vector<size_t> fill(first_.begin(), first_.end() - 1);
    for (size_t w = 0; w < chart.Links.size(); ++w) {
      const ChartLink& l = chart.Links[w];
      if (usable(l)) wires_[fill[static_cast<size_t>(l.Origin)]++] = &l;
    }
  }

  template <typename F>
  void ForEach(int32_t origin, F f) const {
    for (size_t i = first_[static_cast<size_t>(origin)];
         i < first_[static_cast<size_t>(origin) + 1]; ++i)
      f(*wires_[i]);
  }

 private:
  std::vector<size_t> first_;
  std::vector<const ChartLink*> wires_;
};

struct Successor {
  int32_t next = -1;
  int32_t target = -1;
};

bool Successors(const Chart& chart, const WireIndex& wires, int32_t o, Successor& s,
                CompileFailure& failure) {
  int flows = 0, branches = 0;
  s = {};
  wires.ForEach(o, [&](const ChartLink& l) {
    if (l.Main != kFlowWiring) {
      s.target = l.Final;
      ++branches;
    } else {
      s.next = l.Final;
      ++flows;
    }
  });
  const ChartObject& obj = chart.Objects[static_cast<size_t>(o)];
  if (obj.Type == kCompare && branches == 0) {
    failure = {MsgKind::Error,
               Args(Tr("MotionCompiler", "%1 Branch destination not defined"), {obj.Name})};
    return false;
  }
  if (flows > 1 || branches > 1) {
    failure = {MsgKind::Error, Args(Tr("MotionCompiler", "Flow wiring error in %1"), {obj.Name})};
    return false;
  }
  return true;
}

CompileFailure NoStartObject() {
  return {MsgKind::Warning, Tr("MotionCompiler", "No Start object")};
}

class MotionLayout {
 public:
  MotionLayout(const Chart& chart)
      : chart_(chart), wires_(chart), visited_(static_cast<size_t>(chart.ObjectCount()), 0) {}

  // Chain from `first`, then the chains of the branch targets met, depth first. The recursion of
  // the chains runs on an explicit stack so that deep branch nests cannot overflow the call stack.
  bool Layout(int32_t first, std::vector<StepEntry>& steps, CompileFailure& failure) {
    struct Frame {
      std::vector<int32_t> pending;
      size_t next = 0;
    };
    std::vector<Frame> stack(1);
    if (!RunChain(first, stack.back().pending, steps, failure)) return false;
    while (!stack.empty()) {
      Frame& top = stack.back();
      if (top.next >= top.pending.size()) {
        stack.pop_back();
        continue;
      }
      int32_t target = top.pending[top.next++];
      if (visited_[static_cast<size_t>(target)]) continue;
      Frame frame;
      if (!RunChain(target, frame.pending, steps, failure)) return false;
      stack.push_back(std::move(frame));
    }
    return true;
  }

 private:
  bool RunChain(int32_t o, std::vector<int32_t>& pending, std::vector<StepEntry>& steps,
                CompileFailure& failure) {
    for (;;) {
      Successor s;
      if (!Successors(chart_, wires_, o, s, failure)) return false;
      visited_[static_cast<size_t>(o)] = 1;
      steps.push_back({o, s.target});
      if (s.target != -1 && !visited_[static_cast<size_t>(s.target)]) pending.push_back(s.target);
      if (s.next == -1) {
        steps.push_back({kEndStepKind, -1});
        return true;
      }
      if (visited_[static_cast<size_t>(s.next)]) {
        steps.push_back({kJumpStepKind, s.next});
        return true;
      }
      o = s.next;
    }
  }

  const Chart& chart_;
  WireIndex wires_;
  std::vector<uint8_t> visited_;
};

}  // namespace

std::string CompiledHexRow(int stepNumber, const PoseRecord& record) {
  std::string row;
  row.reserve(3 + 3 + 5 * kChannels);
  AppendStepNumber(row, stepNumber);
  row += ' ';
  AppendHex(row, record.Head, 2);
  for (uint16_t w : record.Values) {
    row += ' ';
    AppendHex(row, w, 4);
  }
  return row;
}

std::string ReadHexRow(int stepNumber, const PoseRecord& record) {
  std::string row;
  row.reserve(3 + 4 + 5 * kChannels);
  AppendStepNumber(row, stepNumber);
  row += ' ';
  AppendHex(row, record.Head, 2);
  row += ' ';
  for (uint16_t w : record.Values) {
    AppendHex(row, w, 4);
    row += ' ';
  }
  return row;
}

MotionCompileResult CompileMotionChart(const Chart& chart) {
  MotionCompileResult result;
  if (chart.Objects.empty()) return result;
  if (!chart.ValidObject(chart.Start)) {
    result.failure = NoStartObject();
    return result;
  }
  std::vector<StepEntry> steps;
  MotionLayout layout(chart);
  if (!layout.Layout(chart.Start, steps, result.failure)) return result;

  std::vector<int32_t> stepOf(chart.Objects.size(), -1);
  for (size_t i = 0; i < steps.size(); ++i)
    if (steps[i].Kind >= 0) stepOf[static_cast<size_t>(steps[i].Kind)] = static_cast<int32_t>(i);

  result.records.reserve(steps.size());
  result.listing.reserve(steps.size());
  result.hexRows.reserve(steps.size());
  for (size_t i = 0; i < steps.size(); ++i) {
    const StepEntry& step = steps[i];
    PoseRecord record;
    std::string line;
    if (step.Kind >= 0) {
      const ChartObject& obj = chart.Objects[static_cast<size_t>(step.Kind)];
      if (step.Target == -1) {
        record.Head = obj.Head;
        record.Values = obj.Values;
        line = Quoted(obj.Name) + ",PRM,";
        AppendHex(line, obj.Head, 2);
        for (uint16_t w : obj.Values) AppendHex(line, w, 4);
      } else {
        int32_t targetStep = stepOf[static_cast<size_t>(step.Target)];
        record.Head = 1;
        for (size_t c = 0; c < record.Values.size(); ++c)
          record.Values[c] = static_cast<uint16_t>(obj.Values[c] + targetStep);
        const std::string& target = chart.Objects[static_cast<size_t>(step.Target)].Name;
        line = Quoted(obj.Name) + ",CPJ," + Quoted(target) + "," +
               Quoted("; " + target + "へ条件分岐");
      }
    } else if (step.Kind == kJumpStepKind) {
      int32_t targetStep = stepOf[static_cast<size_t>(step.Target)];
      record.Head = 1;
      record.Values.fill(static_cast<uint16_t>(kWordJumpBase + targetStep));
      const std::string& target = chart.Objects[static_cast<size_t>(step.Target)].Name;
      line = ",JMP," + Quoted(target + "(" + std::to_string(targetStep) + ")") + "," +
             Quoted("; " + target + "にジャンプ");
    } else {
      record.Head = 1;
      record.Values.fill(kWordEnd);
      line = ",END,,\"; 終了\"";
    }
    result.hexRows.push_back(CompiledHexRow(static_cast<int>(i) + 1, record));
    result.records.push_back(record);
    result.listing.push_back(std::move(line));
  }
  if (steps.size() > static_cast<size_t>(kMaxMotionSteps))
    result.warning = Args(Tr("MotionCompiler",
                             "This motion has %1 steps; a motion of more than "
                             "%2 steps cannot be written to the board"),
                          {std::to_string(steps.size()), std::to_string(kMaxMotionSteps)});
  result.steps = std::move(steps);
  result.ok = true;
  result.status = Tr("MotionCompiler", "Compile successful");
  return result;
}

ScenarioCompileResult CompileScenarioChart(const Chart& chart) {
  ScenarioCompileResult result;
  if (chart.Objects.empty()) return result;
  if (!chart.ValidObject(chart.Start)) {
    result.failure = NoStartObject();
    return result;
  }
  WireIndex wires(chart);
  std::vector<uint8_t> visited(chart.Objects.size(), 0);
  int32_t o = chart.Start;
  for (;;) {
    const ChartObject& obj = chart.Objects[static_cast<size_t>(o)];
    // A motion number past M80 would be taken by the board as a slot it does not have, and 255 as
    // the end of the list, cutting the scenario short.
    if (obj.Head >= kMotionSlots) {
      result = {};
      result.failure = {MsgKind::Error,
                        Args(Tr("MotionCompiler", "The MOT object %1 names no motion (M%2)"),
                             {obj.Name, std::to_string(obj.Head + 1)})};
      return result;
    }
    result.hexRows.push_back("M" + std::to_string(obj.Head + 1) + " " + obj.Name);
    visited[static_cast<size_t>(o)] = 1;
    result.objects.push_back(o);
    result.motions.push_back(obj.Head);
    Successor s;
    CompileFailure failure;
    if (!Successors(chart, wires, o, s, failure)) {
      result = {};
      result.failure = std::move(failure);
      return result;
    }
    if (s.next == -1 || visited[static_cast<size_t>(s.next)]) break;
    o = s.next;
  }
  result.ok = true;
  result.status = Tr("MotionCompiler", "Scenario change succeeded");
  return result;
}

void ShowCompileFailure(Prompter& prompter, const CompileFailure& failure) {
  if (!failure.text.empty()) prompter.MsgBox(failure.kind, MsgButtons::Ok, failure.text);
}

}  // namespace brv3
