#include "core/motion/MotionCurves.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

std::vector<int> StackLabels(const std::vector<LabelSpan>& spans, double gap) {
  std::vector<int> rows;
  std::vector<double> rowEnds;  // the right edge of the last label in each row
  rows.reserve(spans.size());
  for (const LabelSpan& span : spans) {
    size_t row = 0;
    while (row < rowEnds.size() && span.Left < rowEnds[row] + gap) ++row;
    if (row == rowEnds.size()) rowEnds.push_back(span.Right);
    rowEnds[row] = std::max(rowEnds[row], span.Right);
    rows.push_back(static_cast<int>(row));
  }
  return rows;
}

double ColorDistance(Rgb a, Rgb b) {
  // Weighted by how the eye sees red, green and blue, the weights shifting with the redness.
  const double meanR = (a.R + b.R) / 2.0;
  const double dr = a.R - b.R, dg = a.G - b.G, db = a.B - b.B;
  return std::sqrt((2 + meanR / 256) * dr * dr + 4 * dg * dg + (2 + (255 - meanR) / 256) * db * db);
}

namespace {

Rgb FromHsv(int hue, double saturation, double value) {
  const double c = value * saturation;
  const double h = hue / 60.0;
  const double x = c * (1 - std::abs(std::fmod(h, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  if (h < 1)
    r = c, g = x;
  else if (h < 2)
    r = x, g = c;
  else if (h < 3)
    g = c, b = x;
  else if (h < 4)
    g = x, b = c;
  else if (h < 5)
    r = x, b = c;
  else
    r = c, b = x;
  const double m = value - c;
  auto byte = [m](double v) { return static_cast<uint8_t>(std::lround((v + m) * 255)); };
  return {byte(r), byte(g), byte(b)};
}

// Strong hues first, then darker and paler ones: enough for 24 channels that differ.
const std::vector<Rgb>& Palette() {
  static const std::vector<Rgb> palette = [] {
    std::vector<Rgb> colors;
    for (const auto& [saturation, value] :
         {std::pair{0.85, 0.85}, std::pair{0.9, 0.5}, std::pair{0.45, 0.9}})
      for (int hue = 0; hue < 360; hue += 30) colors.push_back(FromHsv(hue, saturation, value));
    colors.push_back({0x30, 0x30, 0x30});
    colors.push_back({0x90, 0x90, 0x90});
    return colors;
  }();
  return palette;
}

}  // namespace

std::array<Rgb, kChannels> DistinctChannelColors(
    const std::array<std::optional<Rgb>, kChannels>& own,
    const std::array<bool, kChannels>& plotted) {
  std::array<Rgb, kChannels> colors{};
  std::array<bool, kChannels> chosen{};
  std::vector<Rgb> taken;
  auto nearest = [&taken](Rgb color) {
    double d = std::numeric_limits<double>::max();
    for (Rgb t : taken) d = std::min(d, ColorDistance(color, t));
    return d;
  };
  // A panel dressed by hand keeps its colour on the plot, so the two can be matched up.
  for (size_t c = 0; c < kChannels; ++c) {
    if (!plotted[c] || !own[c] || nearest(*own[c]) < kDistinctColorDistance) continue;
    colors[c] = *own[c];
    chosen[c] = true;
    taken.push_back(colors[c]);
  }
  for (size_t c = 0; c < kChannels; ++c) {
    if (chosen[c]) continue;
    const std::vector<Rgb>& palette = Palette();
    // Channels not plotted get a colour too (for a later plot), without taking one.
    size_t best = c % palette.size();
    double bestDistance = -1;
    if (plotted[c]) {
      for (size_t k = 0; k < palette.size(); ++k) {
        const double d = nearest(palette[k]);
        if (d > bestDistance + 1e-9) best = k, bestDistance = d;
      }
    }
    colors[c] = palette[best];
    if (plotted[c]) taken.push_back(colors[c]);
  }
  return colors;
}

}  // namespace brv3
