#pragma once

#include <vector>

#include "core/motion/PlaybackModel.h"
#include "core/motion/PoseRecord.h"

namespace brv3 {

// The board's state a preview starts from. The defaults are a fresh board's.
struct PreviewSettings {
  PlaybackInputs inputs;
  uint8_t loopCounter = 0;  // the loop counter when playback starts
  // What analog inputs 1..3 read when the board was switched on (a Set step can take new ones).
  std::array<uint16_t, 3> analogReference{};
  ChannelWords start = FreshBoardOutputs();
  int slot = 0;  // the motion slot the motion is played from; other slots are empty

  static ChannelWords FreshBoardOutputs();
};

// Board time a preview plays out at most; a motion that neither ends nor repeats by then is cut.
constexpr double kPreviewHorizonSeconds = 3600;

struct PreviewSample {
  ChannelWords words{};   // the 24 outputs
  int step = -1;          // index of the step last executed (0-based), -1 before the first
  bool finished = false;  // playback is over
};

// A compiled motion played as the board plays it, from Play at time 0, sampled at any moment.
class MotionPreview {
 public:
  MotionPreview();  // nothing to play
  explicit MotionPreview(const std::vector<PoseRecord>& records,
                         const PreviewSettings& settings = {});

  // Seconds from Play to the end of playback. For a motion that runs forever: the time at which
  // it has played its first repetition (LoopStart() + LoopPeriod()).
  double Duration() const;
  bool RunsForever() const { return forever_; }
  // A motion that runs forever repeats from LoopStart() every LoopPeriod() seconds.
  double LoopStart() const;
  double LoopPeriod() const;
  // True when the motion neither ended nor repeated within kPreviewHorizonSeconds.
  bool Truncated() const { return truncated_; }

  PreviewSample At(double seconds) const;
  void At(double seconds, PreviewSample& out) const;

  // Each step executed before the end (or the first repetition), with the time it ran.
  struct StepEvent {
    double time = 0;
    int step = 0;
  };
  const std::vector<StepEvent>& Steps() const { return steps_; }

 private:
  struct Frame {
    Nanos time = 0;
    int step = -1;
    ServoBank bank;
  };
  Nanos Fold(Nanos t) const;

  std::vector<Frame> frames_;
  std::vector<StepEvent> steps_;
  Nanos end_ = 0;
  Nanos loopStart_ = 0;
  Nanos loopPeriod_ = 0;
  bool forever_ = false;
  bool truncated_ = false;
};

}  // namespace brv3
