// Board traffic against qvb3-sim --baud-pacing on a pseudo-terminal, compared with the time the
// same bytes need on a 115200 bit/s line (10 bits a byte). Every byte is counted from the
// simulator's command table (attention, its answer, the frame and the board's reply), and every
// run is reported on its own (repetitions of one iteration each, then their mean and median).
//   BM_WriteReadMotion: write then read back the 255 records of a motion; counter "ratio" is
//   measured time / line time (goal: at most 1.15).
//   BM_ServoLive: SetServoLive frames; counter "line_share" is frames per second / the line's
//   frame limit (goal: at least 0.90).
//   BM_ServoLiveFloor: the same bytes from the plainest possible host (blocking reads and writes
//   on the raw descriptor, no purges, no threads): what the pseudo-terminal and the simulator
//   allow at best on this machine, to judge BM_ServoLive against.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "PacedSim.h"
#include "core/comm/BoardLink.h"
#include "core/comm/Frame.h"
#include "core/motion/PoseRecord.h"
#include "platform/CommX.h"
#include "sim/Protocol.h"

namespace {

using brv3::bench::PacedSim;

constexpr double kByteSeconds = 10.0 / 115200.0;
constexpr int kRuns = 5;

// Bytes on the line, both ways, for one exchange of the command starting with `code`: the
// attention byte and its answer, the frame and the board's reply.
int ExchangeBytes(uint8_t code) {
  const brv3::sim::CommandInfo* info = brv3::sim::FindCommand(code);
  return info ? 2 + info->frameLength + info->replyLength : 0;
}

struct Board {
  explicit Board(const std::string& path) {
    comm.SetDevicePath(path);
    comm.SetBitRate(115200);
    comm.SetFlowCtrl(brv3::platform::cfcNone);
    comm.SetTimeOutReceive(300);
    comm.Open();
  }
  brv3::platform::TCommX comm;
  brv3::BoardLink link{&comm};
};

void BM_WriteReadMotion(benchmark::State& state) {
  PacedSim sim;
  Board board(sim.Link());
  brv3::PoseRecord pose;
  pose.Head = 10;
  pose.Values.fill(16384);
  brv3::Bytes bytes = pose.Pack();
  constexpr int kRecords = 255;
  const int recordBytes = ExchangeBytes(0xFD) + ExchangeBytes(0xFC);  // WritePose, ReadPose
  const double lineSeconds = kRecords * recordBytes * kByteSeconds;
  double ratio = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    bool ok = true;
    brv3::Bytes reply;
    for (int r = 0; r < kRecords; ++r)
      ok &= board.link.WritePose(brv3::PoseArea::Memory, r / 30, r % 30, bytes);
    for (int r = 0; r < kRecords; ++r)
      ok &= board.link.ReadPose(brv3::PoseArea::Memory, r / 30, r % 30, reply);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) state.SkipWithError("a board command failed");
    state.SetIterationTime(seconds);
    ratio = seconds / lineSeconds;
  }
  state.counters["ratio"] = ratio;
  state.counters["bytes_per_record"] = recordBytes;
}
BENCHMARK(BM_WriteReadMotion)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(kRuns)
    ->Unit(benchmark::kMillisecond);

void BM_ServoLive(benchmark::State& state) {
  PacedSim sim;
  Board board(sim.Link());
  constexpr int kFrames = 1000;
  const double lineFramesPerSecond = 1.0 / (ExchangeBytes(0xFE) * kByteSeconds);
  double share = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i)
      board.link.SetServoLive(i % 24, static_cast<uint16_t>(16000 + i % 700));
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    share = kFrames / seconds / lineFramesPerSecond;
  }
  state.counters["line_share"] = share;
}
BENCHMARK(BM_ServoLive)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(kRuns)
    ->Unit(benchmark::kMillisecond);

void BM_ServoLiveFloor(benchmark::State& state) {
  PacedSim sim;
  const int fd = open(sim.Link().c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) {
    state.SkipWithError("cannot open the simulator's terminal");
    return;
  }
  termios settings{};
  tcgetattr(fd, &settings);
  cfmakeraw(&settings);
  tcsetattr(fd, TCSANOW, &settings);
  constexpr int kFrames = 1000;
  const double lineFramesPerSecond = 1.0 / (ExchangeBytes(0xFE) * kByteSeconds);
  double share = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) {
      const uint8_t attention = brv3::kAttention;
      uint8_t answer = 0;
      const uint16_t value = static_cast<uint16_t>(16000 + i % 700);
      brv3::Bytes frame = {0xFE,
                           0x00,
                           static_cast<uint8_t>(i % 24),
                           0x01,
                           static_cast<uint8_t>(value >> 8),
                           static_cast<uint8_t>(value & 0xFF)};
      brv3::AppendChecksum(frame);
      if (write(fd, &attention, 1) != 1 || read(fd, &answer, 1) != 1 ||
          write(fd, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) {
        state.SkipWithError("the simulator stopped answering");
        break;
      }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    share = kFrames / seconds / lineFramesPerSecond;
  }
  close(fd);
  state.counters["line_share"] = share;
}
BENCHMARK(BM_ServoLiveFloor)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(kRuns)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
