// A slider dragged in the position editor with SYNC ticked, against qvb3-sim --baud-pacing on a
// pseudo-terminal: 2,000 slider events at 1 kHz, the last one the release.
//   BM_SliderDrag: the editor (PoseEditor over the command set and the serial component). Events
//   that arrive while a live frame is on its way are delivered from inside the wait, as the
//   event loop delivers them, and refused; the release is applied after the send in progress.
//   BM_SliderDragFloor: the same event stream and the same drop rule from the plainest possible
//   host (blocking reads and writes on the raw descriptor).
// Counters: frames = live frames sent; line_share = frames per second of the drag / the line's
// frame limit (attention 1 + answer 1 + frame 7 bytes, 10 bits a byte at 115200 bit/s);
// last_byte_frames = time from the last event until the last byte of its frame has left the
// line (write returned + the frame's own line time), in frame times (goal: under 2).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "PacedSim.h"
#include "core/board/PoseBoardLink.h"
#include "core/comm/BoardLink.h"
#include "core/comm/EventPump.h"
#include "core/comm/Frame.h"
#include "core/motion/PoseEditor.h"
#include "platform/CommX.h"

namespace {

using brv3::bench::PacedSim;

using Clock = std::chrono::steady_clock;

constexpr double kByteSeconds = 10.0 / 115200.0;
constexpr double kFrameSeconds = (1 + 1 + 7) * kByteSeconds;
constexpr int kEvents = 2000;
constexpr auto kEventSpacing = std::chrono::microseconds(1000);

int32_t EventPosition(int i) {
  return 16000 + i % 700;
}

// The scripted drag: event i falls due at start + i ms.
struct Drag {
  Clock::time_point start;
  int next = 0;
  bool Due() const { return next < kEvents && Clock::now() >= start + next * kEventSpacing; }
  Clock::time_point NextTime() const { return start + next * kEventSpacing; }
  Clock::time_point LastTime() const { return start + (kEvents - 1) * kEventSpacing; }
};

// Counts the live frames the editor sends and remembers when the last write returned.
class CountingBoard final : public brv3::PoseBoardLink {
 public:
  using PoseBoardLink::PoseBoardLink;
  void SetServoLive(int channel, uint16_t word) override {
    PoseBoardLink::SetServoLive(channel, word);
    ++frames;
    lastWrite = Clock::now();
  }
  int frames = 0;
  Clock::time_point lastWrite;
};

// The event loop during a wait: every event that has fallen due reaches the editor.
class DragPump final : public brv3::EventPump {
 public:
  DragPump(Drag& drag, brv3::PoseEditor*& editor) : drag_(drag), editor_(editor) {}
  void Pump() override {
    while (editor_ != nullptr && drag_.Due()) Deliver(*editor_, drag_);
  }
  static void Deliver(brv3::PoseEditor& editor, Drag& drag) {
    const int i = drag.next++;
    if (i == kEvents - 1)
      editor.PositionSliderReleased(1, EventPosition(i));
    else
      editor.PositionSliderMoved(1, EventPosition(i));
  }

 private:
  Drag& drag_;
  brv3::PoseEditor*& editor_;
};

void WaitUntil(Clock::time_point t) {
  while (Clock::now() < t) {
    const auto left = t - Clock::now();
    if (left > std::chrono::microseconds(200)) std::this_thread::sleep_for(left / 2);
  }
}

void Report(benchmark::State& state, int frames, Drag& drag, Clock::time_point lastWrite) {
  const double seconds = std::chrono::duration<double>(lastWrite - drag.start).count();
  state.counters["frames"] = frames;
  state.counters["line_share"] = frames / seconds * kFrameSeconds;
  const double lastByte =
      std::chrono::duration<double>(lastWrite - drag.LastTime()).count() + 7 * kByteSeconds;
  state.counters["last_byte_frames"] = lastByte / kFrameSeconds;
}

void BM_SliderDrag(benchmark::State& state) {
  PacedSim sim("drag");
  Drag drag;
  brv3::PoseEditor* current = nullptr;
  DragPump pump(drag, current);
  brv3::platform::TCommX comm;
  comm.SetDevicePath(sim.Link());
  comm.SetBitRate(115200);
  comm.SetFlowCtrl(brv3::platform::cfcNone);
  comm.SetTimeOutReceive(300);
  comm.SetEventPump(&pump);
  comm.Open();
  brv3::BoardLink link(&comm);
  link.SetAttemptLimit(5);
  for (auto _ : state) {
    CountingBoard board(link);
    brv3::PoseEditor editor(
        board, [] { return true; }, &pump);
    brv3::Chart chart;
    const int index = chart.PlaceObject(0, 0, brv3::kPosition);
    brv3::ChartPoseTarget target(chart, index);
    editor.Open(&target);
    current = &editor;
    drag = Drag{Clock::now() + std::chrono::milliseconds(5), 0};
    while (drag.next < kEvents) {
      WaitUntil(drag.NextTime());
      DragPump::Deliver(editor, drag);
    }
    current = nullptr;
    state.SetIterationTime(std::chrono::duration<double>(board.lastWrite - drag.start).count());
    if (chart.Objects[0].Values[0] != EventPosition(kEvents - 1))
      state.SkipWithError("the release did not land");
    Report(state, board.frames, drag, board.lastWrite);
  }
}
BENCHMARK(BM_SliderDrag)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_SliderDragFloor(benchmark::State& state) {
  PacedSim sim("drag");
  const int fd = open(sim.Link().c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) {
    state.SkipWithError("cannot open the simulator's terminal");
    return;
  }
  termios settings{};
  tcgetattr(fd, &settings);
  cfmakeraw(&settings);
  tcsetattr(fd, TCSANOW, &settings);
  for (auto _ : state) {
    Drag drag{Clock::now() + std::chrono::milliseconds(5), 0};
    int frames = 0;
    Clock::time_point lastWrite;
    int32_t pending = -1;
    while (drag.next < kEvents || pending >= 0) {
      if (pending < 0) {
        WaitUntil(drag.NextTime());
        pending = EventPosition(drag.next++);
      }
      const uint8_t attention = brv3::kAttention;
      uint8_t answer = 0;
      brv3::Bytes frame = {0xFE,
                           0x00,
                           0x00,
                           0x01,
                           static_cast<uint8_t>(pending >> 8),
                           static_cast<uint8_t>(pending & 0xFF)};
      brv3::AppendChecksum(frame);
      if (write(fd, &attention, 1) != 1 || read(fd, &answer, 1) != 1 ||
          write(fd, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) {
        state.SkipWithError("the simulator stopped answering");
        break;
      }
      ++frames;
      lastWrite = Clock::now();
      pending = -1;
      // Moves that came during the send are dropped; the release never is.
      while (drag.Due()) {
        const int i = drag.next++;
        if (i == kEvents - 1) pending = EventPosition(i);
      }
    }
    state.SetIterationTime(std::chrono::duration<double>(lastWrite - drag.start).count());
    Report(state, frames, drag, lastWrite);
  }
  close(fd);
}
BENCHMARK(BM_SliderDragFloor)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
