// The serial component and the command set against qvb3-sim on a real pseudo-terminal.
#include <gtest/gtest.h>

#include "core/comm/BoardLink.h"
#include "core/motion/PoseRecord.h"
#include "platform/CommX.h"
#include "support/SimProcess.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

void SetUpBoardPort(platform::TCommX& comm, const std::string& path) {
  comm.SetDevicePath(path);
  comm.SetBitRate(115200);
  comm.SetFlowCtrl(platform::cfcNone);
  comm.SetTimeOutReceive(300);
  comm.Open();
}

}  // namespace

TEST(SerialAgainstSim, LongMotionRoundTripThenThePeerVanishesAndComesBack) {
  test::TempDir dir;
  std::string link = dir.File("qvb3");
  std::string state = dir.File("board.state");
  auto sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--state", state});
  ASSERT_EQ(sim->FirstLine(), link);

  platform::TCommX comm;
  SetUpBoardPort(comm, link);
  BoardLink board(&comm);

  // 65 records run through slots M1..M3.
  std::vector<Bytes> written;
  for (int r = 0; r < 65; ++r) {
    PoseRecord pose;
    pose.Head = static_cast<uint8_t>(r + 1);
    pose.Values.fill(static_cast<uint16_t>(16000 + r));
    written.push_back(pose.Pack());
    ASSERT_TRUE(board.WritePose(PoseArea::Memory, r / 30, r % 30, written.back())) << r;
  }
  Bytes reply;
  for (int r = 0; r < 65; ++r) {
    ASSERT_TRUE(board.ReadPose(PoseArea::Memory, r / 30, r % 30, reply)) << r;
    EXPECT_EQ(reply, written[r]) << r;
  }

  // The board goes away: commands fail promptly, nothing hangs or crashes.
  sim->Stop();
  EXPECT_FALSE(board.ReadVersion(reply));
  EXPECT_TRUE(reply.empty());
  comm.Close();

  // It comes back with its memory kept: reopen and read on.
  sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--state", state});
  ASSERT_EQ(sim->FirstLine(), link);
  SetUpBoardPort(comm, link);
  ASSERT_TRUE(board.ReadPose(PoseArea::Memory, 2, 4, reply));
  EXPECT_EQ(reply, written[64]);
}

}  // namespace brv3
