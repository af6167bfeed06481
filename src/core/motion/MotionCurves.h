#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/chart/Chart.h"
#include "core/motion/MotionCompiler.h"

namespace brv3 {

// One compiled step as the curves view plots it.
struct CurveStep {
  int Number = 0;       // 1-based, the listing's order
  std::string Opcode;   // "PRM", "CPJ", "JMP" or "END"
  uint8_t Speed = 0;    // byte 0 of the step record
  int32_t Object = -1;  // the object the step came from; -1 for JMP and END
  uint8_t ObjectType = kNoType;
  // Offset from 16384 of each channel's word when it is a servo position (1..32767).
  std::array<std::optional<int32_t>, kChannels> Offsets{};
  bool operator==(const CurveStep&) const = default;
};

// Per-channel series of a compiled motion: one entry per step.
std::vector<CurveStep> BuildMotionCurves(const Chart& chart, const MotionCompileResult& compiled);

// The marker a step gets on the x axis: "SET", "CMP", "MIX", "JMP", "END", or empty for a pose.
std::string CurveStepMarker(const CurveStep& step);

// The series as CSV: "step,kind,speed,CH1,...,CH24", then one row per step, empty where a
// channel holds no servo position.
std::string CurvesCsv(const std::vector<CurveStep>& steps);

}  // namespace brv3
