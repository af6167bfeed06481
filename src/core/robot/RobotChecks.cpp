#include "core/robot/RobotChecks.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <tuple>

#include "core/motion/ChannelWord.h"
#include "core/motion/ServoBank.h"
#include "core/robot/Kinematics.h"
#include "core/robot/SelfCollision.h"
#include "core/util/Translate.h"

namespace brv3::robot {
namespace {

// A value with `decimals` places, never "-0.00".
std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out = text;
  if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
  return out;
}

std::string Millimetres(double metres) {
  return std::to_string(std::max(1L, std::lround(metres * 1000))) + " mm";
}

class StepNames {
 public:
  StepNames(const Chart& chart, const MotionCompileResult& compiled)
      : chart_(chart), compiled_(compiled) {}

  bool IsPose(int step) const {
    if (step < 0 || static_cast<size_t>(step) >= compiled_.steps.size() ||
        static_cast<size_t>(step) >= compiled_.records.size())
      return false;
    const int32_t kind = compiled_.steps[static_cast<size_t>(step)].Kind;
    return chart_.ValidObject(kind) && chart_.Objects[static_cast<size_t>(kind)].Type == kPosition;
  }
  int32_t Object(int step) const { return compiled_.steps[static_cast<size_t>(step)].Kind; }
  std::string Label(int step) const {
    if (step < 0) return Tr("RobotChecks", "start");
    return Args(Tr("RobotChecks", "step %1 (%2)"),
                {std::to_string(step + 1), chart_.Objects[static_cast<size_t>(Object(step))].Name});
  }

 private:
  const Chart& chart_;
  const MotionCompileResult& compiled_;
};

// A joint a pose step drives beyond its limit, as warned of.
struct LimitFound {
  int step = 0;
  int joint = 0;       // index in RobotModel::joints
  size_t warning = 0;  // index in the result's warnings
};

bool BeyondLimit(const Joint& joint, double at) {
  return at < joint.lower - 1e-9 || at > joint.upper + 1e-9;
}

// The joints pose step `step` drives beyond their limits.
void CheckLimits(const RobotModel& model, const MotionCompileResult& compiled,
                 const StepNames& names, int step, std::vector<ChartWarning>& out,
                 std::vector<LimitFound>& found) {
  const auto s = static_cast<size_t>(step);
  for (const ChannelJoint& c : model.channels) {
    const uint16_t word = compiled.records[s].Values[static_cast<size_t>(c.channel - 1)];
    const int j = model.JointIndex(c.joint);
    if (!IsServoPosition(word) || j < 0) continue;
    const Joint& joint = model.joints[static_cast<size_t>(j)];
    const bool metres = joint.type == JointType::Prismatic;
    if (!joint.hasLimits || (!metres && joint.type != JointType::Revolute)) continue;
    const double at = (static_cast<double>(word) - kPositionCenter) / c.reduction + c.offset;
    if (!BeyondLimit(joint, at)) continue;
    const int places = metres ? 3 : 2;
    const std::string text =
        metres ? Tr("RobotChecks", "%1: CH%2 %3 at %4 m is beyond its limit %5..%6 m")
               : Tr("RobotChecks", "%1: CH%2 %3 at %4 rad is beyond its limit %5..%6 rad");
    found.push_back({step, j, out.size()});
    ChartWarning& warning = out.emplace_back();
    warning.Object = names.Object(step);
    warning.Text =
        Args(text, {names.Label(step), std::to_string(c.channel), joint.name, Fixed(at, places),
                    Fixed(joint.lower, places), Fixed(joint.upper, places)});
    warning.Links = {joint.child};
  }
}

bool DrivesTheRobot(const RobotModel& model, const MotionCompileResult& compiled,
                    const StepNames& names) {
  for (size_t s = 0; s < compiled.records.size(); ++s) {
    if (!names.IsPose(static_cast<int>(s))) continue;
    for (const ChannelJoint& c : model.channels)
      if (IsServoPosition(compiled.records[s].Values[static_cast<size_t>(c.channel - 1)]))
        return true;
  }
  return false;
}

std::string Hits(const RobotModel& model, const LinkContact& contact) {
  return Args(Tr("RobotChecks", "%1 hits %2 (depth %3)"),
              {model.links[static_cast<size_t>(contact.first)].name,
               model.links[static_cast<size_t>(contact.second)].name, Millimetres(contact.depth)});
}

using PairKey = std::pair<int, int>;

// The stretches of board time something held, in ticks sampled one after another: a tick that
// follows the last stretch's end extends it, a later one starts a new stretch.
using Stretches = std::vector<std::pair<Nanos, Nanos>>;

void Mark(Stretches& stretches, Nanos t) {
  if (!stretches.empty() && stretches.back().second >= t - kBoardTick)
    stretches.back().second = std::max(stretches.back().second, t);
  else
    stretches.emplace_back(t, t);
}

std::vector<MotionMoment> Moments(const Stretches& stretches) {
  std::vector<MotionMoment> out;
  out.reserve(stretches.size());
  for (const auto& [from, to] : stretches)
    out.push_back({static_cast<double>(from) / 1e9, static_cast<double>(to) / 1e9});
  return out;
}

ChartWarning Contact(const RobotModel& model, int object, std::string text,
                     const LinkContact& contact) {
  ChartWarning warning;
  warning.Object = object;
  warning.Text = std::move(text);
  warning.Links = {model.links[static_cast<size_t>(contact.first)].name,
                   model.links[static_cast<size_t>(contact.second)].name};
  return warning;
}

}  // namespace

RobotCheckResult CheckRobotMotion(const RobotModel& model, const LinkPairSet& disabled,
                                  const Chart& chart, const MotionCompileResult& compiled,
                                  const PreviewSettings& settings, std::stop_token stop) {
  RobotCheckResult result;
  const StepNames names(chart, compiled);
  if (!compiled.ok || !DrivesTheRobot(model, compiled, names)) return result;

  const SelfCollision collision(model, disabled);
  if (const int meshes = collision.SkippedMeshes(); meshes > 0)
    result.notes.push_back(
        meshes == 1
            ? Tr("RobotChecks", "1 mesh collision shape was left out of the self-collision check")
            : Args(Tr("RobotChecks",
                      "%1 mesh collision shapes were left out of the self-collision check"),
                   {std::to_string(meshes)}));
  result.notes.insert(result.notes.end(), collision.MeshProblems().begin(),
                      collision.MeshProblems().end());
  std::vector<Transform> links;
  std::vector<LinkContact> contacts;

  // Each pose step's limits and own pose; channels holding no servo position keep the pose before.
  // The warnings found there, by step and link pair.
  std::map<int, std::map<PairKey, size_t>> atStep;
  std::vector<LimitFound> limits;
  JointPositions joints = RestJointPositions(model);
  for (size_t s = 0; s < compiled.records.size(); ++s) {
    const int step = static_cast<int>(s);
    if (!names.IsPose(step)) continue;
    if (stop.stop_requested()) {
      result.stopped = true;
      return result;
    }
    CheckLimits(model, compiled, names, step, result.warnings, limits);
    joints = JointPositionsFromPose(model, compiled.records[s].Values, joints);
    ForwardKinematics(model, joints, links);
    collision.Contacts(links, contacts);
    for (const LinkContact& c : contacts) {
      atStep[step][{c.first, c.second}] = result.warnings.size();
      result.warnings.push_back(
          Contact(model, names.Object(step), names.Label(step) + ": " + Hits(model, c), c));
    }
  }

  // The way between steps as the board plays it, sampled at every tick. Each sample belongs to
  // the move from the pose step before the last one executed to the last one.
  const MotionPreview preview(compiled.records, settings);
  struct PoseEvent {
    Nanos time = 0;
    int step = 0;
  };
  std::vector<PoseEvent> events;
  for (const MotionPreview::StepEvent& e : preview.Steps())
    if (names.IsPose(e.step)) events.push_back({std::llround(e.time * 1e9), e.step});
  struct Hit {
    Nanos time = 0;
    LinkContact contact;
    Stretches stretches;
  };
  // When each warning of the steps holds: a limit while its step's move and pose last, a contact
  // at a step while the robot is in it on the way into the step, at the step and on the way out.
  std::vector<Stretches> stepStretches(result.warnings.size());
  // Keyed by (from step, to step, first link, second link); kept in the order first met.
  std::map<std::tuple<int, int, int, int>, size_t> seen;
  std::vector<std::pair<std::pair<int, int>, Hit>> hits;
  // What held at the last sample worked out: it still holds while nothing moves. Step warnings
  // by their index, hits after them by theirs.
  std::vector<size_t> holding;
  const auto stretchesOf = [&](size_t held) -> Stretches& {
    return held < stepStretches.size() ? stepStretches[held]
                                       : hits[held - stepStretches.size()].second.stretches;
  };
  const auto found = [&atStep](int step, const LinkContact& c) -> std::optional<size_t> {
    auto it = atStep.find(step);
    if (it == atStep.end()) return std::nullopt;
    auto pair = it->second.find({c.first, c.second});
    if (pair == it->second.end()) return std::nullopt;
    return pair->second;
  };
  const Nanos end = std::llround(preview.Duration() * 1e9);
  PreviewSample sample;
  ChannelWords last{};
  int lastEvent = -1;
  size_t next = 0;
  int current = -1;
  joints = RestJointPositions(model);
  for (Nanos t = 0; t <= end; t += kBoardTick) {
    while (next < events.size() && events[next].time <= t) current = static_cast<int>(next++);
    if (current < 0) continue;
    preview.At(static_cast<double>(t) / 1e9, sample);
    if (current == lastEvent && sample.words == last) {  // nothing moved
      for (size_t held : holding) Mark(stretchesOf(held), t);
      continue;
    }
    if (stop.stop_requested()) {
      result.stopped = true;
      return result;
    }
    lastEvent = current;
    last = sample.words;
    holding.clear();
    joints = JointPositionsFromPose(model, sample.words, joints);
    ForwardKinematics(model, joints, links);
    collision.Contacts(links, contacts);
    const int to = events[static_cast<size_t>(current)].step;
    const int from = current > 0 ? events[static_cast<size_t>(current) - 1].step : -1;
    for (const LimitFound& limit : limits) {
      if (limit.step != to || !BeyondLimit(model.joints[static_cast<size_t>(limit.joint)],
                                           joints[static_cast<size_t>(limit.joint)]))
        continue;
      holding.push_back(limit.warning);
    }
    for (const LinkContact& c : contacts) {
      // A pair already in contact at either end of the move was named with that step.
      std::optional<size_t> atEnd = found(to, c);
      if (!atEnd) atEnd = found(from, c);
      if (atEnd) {
        holding.push_back(*atEnd);
        continue;
      }
      const auto key = std::make_tuple(from, to, c.first, c.second);
      auto seenAt = seen.find(key);
      if (seenAt == seen.end()) {
        seenAt = seen.emplace(key, hits.size()).first;
        hits.push_back({{from, to}, {t, c, {}}});
      } else {
        LinkContact& kept = hits[seenAt->second].second.contact;
        kept.depth = std::max(kept.depth, c.depth);
      }
      holding.push_back(stepStretches.size() + seenAt->second);
    }
    for (size_t held : holding) Mark(stretchesOf(held), t);
  }
  // A step warning the playback never showed (its pose not reached before the next step, say)
  // holds at the moment its step runs.
  std::map<int, Nanos> firstRun;
  for (const PoseEvent& e : events) firstRun.emplace(e.step, e.time);
  const auto stepOf = [&](size_t warning) {
    for (const LimitFound& limit : limits)
      if (limit.warning == warning) return limit.step;
    for (const auto& [step, pairs] : atStep)
      for (const auto& [pair, index] : pairs)
        if (index == warning) return step;
    return -1;
  };
  for (size_t w = 0; w < stepStretches.size(); ++w) {
    if (stepStretches[w].empty()) {
      auto run = firstRun.find(stepOf(w));
      if (run != firstRun.end()) Mark(stepStretches[w], run->second);
    }
    result.warnings[w].Moments = Moments(stepStretches[w]);
  }
  for (const auto& [move, hit] : hits) {
    ChartWarning warning =
        Contact(model, names.Object(move.second),
                Args(Tr("RobotChecks", "%1 -> %2, at %3 s: %4"),
                     {names.Label(move.first), names.Label(move.second),
                      Fixed(static_cast<double>(hit.time) / 1e9, 2), Hits(model, hit.contact)}),
                hit.contact);
    warning.Moments = Moments(hit.stretches);
    result.warnings.push_back(std::move(warning));
  }
  return result;
}

CheckedRobotLoadResult LoadCheckedRobot(const std::string& path) {
  CheckedRobotLoadResult result;
  RobotLoadResult loaded = LoadRobotModel(path);
  if (!loaded.model) {
    result.error = std::move(loaded.error);
    return result;
  }
  DisabledCollisionsResult disabled = LoadDisabledCollisionsBeside(*loaded.model);
  if (!disabled.pairs) {
    result.error = std::move(disabled.error);
    return result;
  }
  result.robot = CheckedRobot{std::move(*loaded.model), std::move(*disabled.pairs)};
  return result;
}

std::vector<ChartWarning> CheckChartWithRobot(const Chart& chart, const BoardKnowledge& board,
                                              const CheckedRobot* robot,
                                              std::vector<std::string>* notes) {
  std::vector<ChartWarning> warnings = CheckChart(chart, board);
  if (!robot || chart.Type == kScenarioChart) return warnings;
  RobotCheckResult checked =
      CheckRobotMotion(robot->model, robot->disabled, chart, CompileMotionChart(chart));
  if (notes) notes->insert(notes->end(), checked.notes.begin(), checked.notes.end());
  warnings.insert(warnings.end(), checked.warnings.begin(), checked.warnings.end());
  return warnings;
}

}  // namespace brv3::robot
