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

// Where a step's marker label stands along the top of the plot, in pixels.
struct LabelSpan {
  double Left = 0;
  double Right = 0;
};
// The row each label goes in (0 nearest the plot) so that no two labels of a row come closer
// than `gap` pixels; labels are taken in order, each in the first row it fits.
std::vector<int> StackLabels(const std::vector<LabelSpan>& spans, double gap);

struct Rgb {
  uint8_t R = 0, G = 0, B = 0;
  bool operator==(const Rgb&) const = default;
};
// How far apart two colours look (0 for equal; about 765 between black and white).
double ColorDistance(Rgb a, Rgb b);
// Colours of two plotted channels at least this far apart are told apart at a glance.
constexpr double kDistinctColorDistance = 120;
// One colour per channel, distinct among the `plotted` channels: a channel's own panel colour
// (`own`, when it has one) is kept unless an earlier plotted channel already looks the same; the
// others get the palette colour farthest from every colour taken.
std::array<Rgb, kChannels> DistinctChannelColors(
    const std::array<std::optional<Rgb>, kChannels>& own,
    const std::array<bool, kChannels>& plotted);

// The series as CSV: "step,kind,speed,CH1,...,CH24", then one row per step, empty where a
// channel holds no servo position.
std::string CurvesCsv(const std::vector<CurveStep>& steps);

}  // namespace brv3
