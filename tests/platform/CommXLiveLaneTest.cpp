#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "core/comm/BoardLink.h"
#include "core/comm/Frame.h"
#include "platform/CommX.h"
#include "platform/PtyBoard.h"

namespace brv3::platform {
namespace {

using test::PtyBoard;

// Plays the board on the far end of the pseudo-terminal: answers each attention byte, takes the
// frame that follows (live frames unanswered, a stop acknowledged) and keeps them in order.
class AnsweringBoard {
 public:
  AnsweringBoard() : thread_([this] { Run(); }) {}
  ~AnsweringBoard() {
    stop_ = true;
    thread_.join();
  }
  const std::string& Path() const { return pty_.SlavePath(); }
  std::vector<Bytes> Frames() {
    std::lock_guard hold(lock_);
    return frames_;
  }

 private:
  void Run() {
    while (!stop_) {
      const Bytes first = pty_.Receive(1, 20);
      if (first.size() != 1 || first[0] != kAttention) continue;
      pty_.Send({0x06});
      const Bytes code = pty_.Receive(1, 1000);
      if (code.empty()) continue;
      const size_t length = code[0] == 0xFE ? 7 : 6;  // a live servo frame, or the stop
      Bytes frame = code;
      const Bytes rest = pty_.Receive(length - 1, 1000);
      frame.insert(frame.end(), rest.begin(), rest.end());
      if (code[0] != 0xFE) pty_.Send({0x06});
      std::lock_guard hold(lock_);
      frames_.push_back(frame);
    }
  }

  PtyBoard pty_;
  std::mutex lock_;
  std::vector<Bytes> frames_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

uint16_t Word(const Bytes& frame) {
  return static_cast<uint16_t>(frame[4] << 8 | frame[5]);
}

// The live lane and the main thread share the real serial component: the board sees every frame
// whole, a command after the live frames asked before it, and the newest value last.
TEST(CommXLiveLane, LiveFramesFromTheLaneAndACommandShareTheLineInOrder) {
  AnsweringBoard board;
  TCommX comm;
  comm.SetDevicePath(board.Path());
  comm.SetBitRate(115200);
  comm.SetFlowCtrl(cfcNone);
  comm.SetTimeOutReceive(1000);
  comm.Open();
  {
    BoardLink link(&comm);
    link.SendLiveFramesInBackground();
    for (uint16_t word = 16000; word < 16300; ++word) link.SetServoLive(0, word);
    EXPECT_TRUE(link.StopMotion());
    link.SetServoLive(0, 17000);
    link.FlushLiveFrames();
  }
  comm.CloseAfterSending(1000);

  // Sent is not yet read: the board takes the last frame off the line in its own time.
  std::vector<Bytes> frames;
  for (auto start = test::Clock::now(); test::MsSince(start) < 3000;) {
    frames = board.Frames();
    if (!frames.empty() && frames.back().size() == 7 && Word(frames.back()) == 17000) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_GE(frames.size(), 3u);
  size_t stop = frames.size();
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_TRUE(VerifyReply(frames[i])) << "frame " << i << " arrived broken";
    if (frames[i][0] == 0xF3) stop = i;
  }
  ASSERT_EQ(stop, frames.size() - 2) << "the stop is followed by the one frame asked after it";
  EXPECT_EQ(Word(frames[stop - 1]), 16299);
  EXPECT_EQ(Word(frames.back()), 17000);
  // Values only ever move on: none older follows a newer one.
  for (size_t i = 1; i < stop; ++i) EXPECT_GT(Word(frames[i]), Word(frames[i - 1]));
}

}  // namespace
}  // namespace brv3::platform
