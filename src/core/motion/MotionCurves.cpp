#include "core/motion/MotionCurves.h"

#include "core/motion/ChannelWord.h"

namespace brv3 {

std::vector<CurveStep> BuildMotionCurves(const Chart& chart, const MotionCompileResult& compiled) {
  std::vector<CurveStep> steps;
  if (!compiled.ok) return steps;
  steps.reserve(compiled.steps.size());
  for (size_t i = 0; i < compiled.steps.size() && i < compiled.records.size(); ++i) {
    const StepEntry& entry = compiled.steps[i];
    const PoseRecord& record = compiled.records[i];
    CurveStep step;
    step.Number = static_cast<int>(i) + 1;
    step.Speed = record.Head;
    if (entry.Kind >= 0) {
      step.Opcode = entry.Target == -1 ? "PRM" : "CPJ";
      step.Object = entry.Kind;
      if (chart.ValidObject(entry.Kind))
        step.ObjectType = chart.Objects[static_cast<size_t>(entry.Kind)].Type;
    } else {
      step.Opcode = entry.Kind == kJumpStepKind ? "JMP" : "END";
    }
    for (size_t c = 0; c < kChannels; ++c) {
      const uint16_t word = record.Values[c];
      if (word >= 1 && word <= 0x7FFF) step.Offsets[c] = word - kPositionCenter;
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

std::string CurveStepMarker(const CurveStep& step) {
  if (step.Opcode == "JMP" || step.Opcode == "END") return step.Opcode;
  if (step.Opcode == "CPJ" || step.ObjectType == kCompare) return "CMP";
  if (step.ObjectType == kSet) return "SET";
  if (step.ObjectType == kMix) return "MIX";
  return {};
}

std::string CurvesCsv(const std::vector<CurveStep>& steps) {
  std::string out = "step,kind,speed";
  for (int c = 1; c <= kChannels; ++c) out += ",CH" + std::to_string(c);
  out += "\n";
  for (const CurveStep& step : steps) {
    out += std::to_string(step.Number) + "," + step.Opcode + "," + std::to_string(step.Speed);
    for (const std::optional<int32_t>& offset : step.Offsets) {
      out += ",";
      if (offset) out += std::to_string(*offset);
    }
    out += "\n";
  }
  return out;
}

}  // namespace brv3
