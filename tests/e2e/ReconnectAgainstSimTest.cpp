// A port chosen once keeps working when qvb3-sim ends and starts again on the same path.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/comm/BoardLink.h"
#include "core/comm/ConnectionWatch.h"
#include "core/comm/Notifications.h"
#include "core/comm/SelectPort.h"
#include "platform/CommX.h"
#include "platform/CommXPortControl.h"
#include "support/ScriptedPrompter.h"
#include "support/SimProcess.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

// COM1 names `path` for the life of the object.
class Com1Path {
 public:
  explicit Com1Path(const std::string& path) { setenv("BRV3_COM1", path.c_str(), 1); }
  ~Com1Path() { unsetenv("BRV3_COM1"); }
};

TEST(ReconnectAgainstSim, TheBoardComesBackAndTheNextCommandReopensThePort) {
  test::TempDir dir;
  const std::string link = dir.File("qvb3");
  const std::string state = dir.File("board.state");
  const Com1Path com1(link);
  auto sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--state", state});
  ASSERT_EQ(sim->FirstLine(), link);

  platform::TCommX comm;
  comm.SetBitRate(115200);
  comm.SetFlowCtrl(platform::cfcNone);
  platform::CommXPortControl control(comm);
  test::ScriptedPrompter prompter;
  NotificationBuffer buffer;
  ConnectionWatch watch(&prompter, &control, &buffer);
  BoardLink board(&comm, &prompter);
  board.SetConnectionWatch(&watch);
  watch.PortSelected(1, SelectPort(control, 1, &prompter, &buffer));
  ASSERT_EQ(prompter.statuses.back(), "COM1 OK");

  Bytes before;
  ASSERT_TRUE(board.ReadVersion(before));
  ASSERT_FALSE(before.empty());

  // The simulator ends: the command fails at once as a lost connection.
  sim->Stop();
  Bytes reply;
  EXPECT_FALSE(board.ReadVersion(reply));
  EXPECT_EQ(prompter.statuses.back(), "Connection failed");
  EXPECT_EQ(prompter.panels[1], "COM1 lost");
  // While the path is missing each command tries once and says why it could not open it.
  EXPECT_FALSE(board.StopMotion());
  EXPECT_EQ(board.LastFault(), LinkFault::PortGone);
  EXPECT_NE(watch.ReopenFailure().find("no such device"), std::string::npos)
      << watch.ReopenFailure();
  EXPECT_FALSE(comm.IsOpen());

  // It starts again on the same path; nobody chooses the port again.
  sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--state", state});
  ASSERT_EQ(sim->FirstLine(), link);
  ASSERT_TRUE(board.ReadVersion(reply));
  EXPECT_EQ(reply, before);
  EXPECT_TRUE(comm.IsOpen());
  EXPECT_EQ(prompter.statuses.back(), "COM1 OK");
  EXPECT_EQ(prompter.panels[1], "COM1 OK");
  EXPECT_TRUE(board.StopMotion());
}

}  // namespace
}  // namespace brv3
