#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/motion/ServoBank.h"

namespace brv3 {

// Playback advances in board ticks; a pose step lasts its speed byte times one tick.
constexpr Nanos kBoardTick = 10'000'000;
// Steps that take no time (jumps, Set, Compare) run at most this many per tick.
constexpr int kUntimedStepsPerTick = 64;
// Entries the board plays: motion slots 0 .. 79, then scenarios.
constexpr int kPlaybackMotionSlots = 80;
constexpr int kPlaybackScenarios = 5;
constexpr int kPlaybackScenarioSteps = 256;
constexpr int kPlaybackScenarioEnd = 255;

// True for the pose words that drive an output: servo positions and the level, FREE and SET words.
inline bool PoseWordDrivesOutput(uint16_t word) {
  return IsServoPosition(word) || (word >= 0x8000 && word <= 0x8005);
}
// Starts the outputs' moves to a 49-byte pose record's words over its speed (record[0] ticks);
// channels holding other words (0, speed, stretch, ...) are left alone.
void MoveServosToPose(ServoBank& servos, const uint8_t* record, Nanos now);

// What playback reads of the board's memory.
class PlaybackMemory {
 public:
  virtual ~PlaybackMemory() = default;
  // The step count of motion slot `motion` as its table entry gives it (0: nothing stored).
  virtual int StepCount(int motion) const = 0;
  // The 49-byte record of `step` of motion `motion`; nullptr past the end of memory.
  virtual const uint8_t* StepRecord(int motion, int step) const = 0;
  // The motion at `index` of scenario `scenario`; kPlaybackScenarioEnd ends the list.
  virtual int ScenarioMotion(int scenario, int index) const = 0;
};

// What playback does to the board.
class PlaybackOutputs {
 public:
  virtual ~PlaybackOutputs() = default;
  // A pose step starts at `now`; its words move the outputs over record[0] ticks.
  virtual void ApplyPose(const uint8_t* record, Nanos now) = 0;
  // Playback of `entry` is over (END of the last motion, the end of a scenario).
  virtual void Finished(int entry) = 0;
  // Step `step` of motion `motion` is executed at `now` (any kind of step).
  virtual void StepExecuted(int /*motion*/, int /*step*/, Nanos /*now*/) {}
};

// What branches on sensors read. The defaults are a fresh board's.
struct PlaybackInputs {
  std::array<uint16_t, 4> analog{650, 0, 0, 0};  // supply and analog inputs 1..3, raw 14-bit
  std::array<uint8_t, 4> transmitter{};
  uint16_t remoteCode = 0xFFFF;  // no button held
};

// The registers Set steps write and Compare steps read.
struct PlaybackRegisters {
  uint8_t loopCounter = 0;
  int compareRegister = 0;
  std::array<uint16_t, 3> analogReference{};
  bool operator==(const PlaybackRegisters&) const = default;
};

// How the board plays a motion or a scenario: steps run on the board's ticks; a pose step moves
// the outputs and holds playback for its speed in ticks; jumps, Compare branches, slot jumps and
// calls, returns and END take no time (up to kUntimedStepsPerTick per tick).
class PlaybackModel {
 public:
  PlaybackModel(const PlaybackMemory& memory, PlaybackOutputs& outputs);

  PlaybackInputs& Inputs() { return inputs_; }
  const PlaybackInputs& Inputs() const { return inputs_; }
  PlaybackRegisters& Registers() { return registers_; }
  const PlaybackRegisters& Registers() const { return registers_; }
  // Each analog reference takes the input's present reading (as the board does at power-on).
  void TakeAnalogReferences();

  // Starts `entry` (motion slot or scenario) at `now`; the first step runs at the first tick at
  // or after `now`. An entry with nothing to play finishes at once.
  void Play(int entry, Nanos now);
  // Ends playback without a Finished call.
  void Stop();
  // Runs the tick at `now`; `held` (the board paused or asleep) delays playback by one tick.
  void RunTick(Nanos now, bool held = false);

  bool Active() const { return player_.active; }
  int Entry() const { return player_.entry; }
  // Where playback goes on: the motion slot and its step.
  int Motion() const { return player_.motion; }
  int Step() const { return player_.step; }
  // Playback waits for the pose step in progress until this time.
  Nanos WaitUntil() const { return player_.waitUntil; }
  int CallDepth() const { return static_cast<int>(player_.calls.size()); }

  // Everything that decides what playback does next, to find a motion repeating itself.
  struct State {
    int scenario = -1;
    int scenarioStep = 0;
    int motion = 0;
    int step = 0;
    std::vector<std::array<int, 4>> calls;
    PlaybackRegisters registers;
    bool operator==(const State&) const;
  };
  State Snapshot() const;

 private:
  struct CallFrame {
    int scenario = -1;
    int scenarioStep = 0;
    int motion = 0;
    int step = 0;
  };
  struct Player {
    bool active = false;
    int entry = 0;
    int scenario = -1;
    int scenarioStep = 0;
    int motion = 0;
    int step = 0;
    Nanos waitUntil = 0;
    std::vector<CallFrame> calls;
  };

  void ExecuteStep(Nanos now);
  bool StartEntry(int entry);
  bool StartMotion(int motion);
  void NextScenarioMotion();
  void EndMotion();
  void Finish();
  void ApplySetStep(const ChannelWords& words);
  bool BranchTaken(int wordClass);

  const PlaybackMemory& memory_;
  PlaybackOutputs& outputs_;
  PlaybackInputs inputs_;
  PlaybackRegisters registers_;
  Player player_;
};

}  // namespace brv3
