#include "core/comm/ConnectionWatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "core/board/BoardActions.h"
#include "core/board/TableActions.h"
#include "core/comm/Notifications.h"
#include "core/comm/SelectPort.h"
#include "core/motion/MotionFakes.h"
#include "support/FakeBoardPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

using Strings = std::vector<std::string>;

bool Has(const Strings& statuses, const std::string& text) {
  return std::find(statuses.begin(), statuses.end(), text) != statuses.end();
}

// The editor's board actions over a board that can stop answering.
class SilentBoardTest : public ::testing::Test {
 protected:
  SilentBoardTest() : link(&board, &prompter), actions(link, prompter), watch(&prompter) {
    link.SetConnectionWatch(&watch);
    watch.PortSelected(1, true);
    test::ChartBuilder b;
    const int p1 = b.Pos("POS1"), p2 = b.Pos("POS2", 20000);
    b.Flow(p1, p2);
    b.chart.SetChartName("WALK");
    chart = b.chart;
  }

  test::FakeBoardPort board;
  test::ScriptedPrompter prompter;
  BoardLink link;
  BoardActions actions;
  ConnectionWatch watch;
  Chart chart;
};

TEST_F(SilentBoardTest, EveryActionOnASilentBoardEndsWithConnectionFailed) {
  ASSERT_EQ(actions.Write(*Slot::Motion(0), chart), ActionResult::Done);
  ASSERT_EQ(prompter.statuses.back(), "Write successful");
  ASSERT_EQ(prompter.panels[1], "RUN");

  board.offline = true;
  Chart readInto = chart;
  const std::vector<std::pair<const char*, std::function<void()>>> steps{
      {"play", [&] { actions.Play(*Slot::Motion(0)); }},
      {"write", [&] { actions.Write(*Slot::Motion(1), chart); }},
      {"read", [&] { actions.Read(*Slot::Motion(0), readInto); }},
      {"delete", [&] { actions.Delete(*Slot::Motion(0)); }},
      {"table", [&] { RefreshMotionTable(link, actions.Table()); }},
      {"stop", [&] { StopPlayback(link); }},
      {"pause", [&] { TogglePause(link); }},
  };
  for (const auto& [name, step] : steps) {
    prompter.statuses.clear();
    prompter.panels.clear();
    step();
    ASSERT_FALSE(prompter.statuses.empty()) << name;
    EXPECT_EQ(prompter.statuses.back(), "Connection failed") << name;
    EXPECT_FALSE(Has(prompter.statuses, "Write successful")) << name;
    EXPECT_EQ(prompter.panels[2], "COM1 lost") << name;
  }
  EXPECT_TRUE(watch.Lost());
  EXPECT_EQ(readInto.Objects.size(), chart.Objects.size());  // the failed read kept the chart

  // The board answers again: the first command that gets through says so.
  board.offline = false;
  prompter.statuses.clear();
  ASSERT_EQ(actions.Play(*Slot::Motion(0)), ActionResult::Done);
  EXPECT_EQ(prompter.statuses, (Strings{"COM1 OK", "Sending the Play command"}));
  EXPECT_EQ(prompter.panels[2], "COM1 OK");
  EXPECT_FALSE(watch.Lost());
}

TEST_F(SilentBoardTest, TheModePanelKeepsRunOrSleepWhileThePortPanelTellsOfThePort) {
  ASSERT_TRUE(link.SetSleep(ModeSwitch::On));
  ASSERT_EQ(prompter.panels[1], "Sleep");
  board.offline = true;
  EXPECT_FALSE(link.StopMotion());
  EXPECT_EQ(prompter.panels[2], "COM1 lost");
  EXPECT_EQ(prompter.panels[1], "Sleep");
  // Back again: the board still sleeps, and the mode panel still says so.
  board.offline = false;
  EXPECT_TRUE(link.StopMotion());
  EXPECT_EQ(prompter.panels[2], "COM1 OK");
  EXPECT_EQ(prompter.panels[1], "Sleep");
  ASSERT_TRUE(link.SetSleep(ModeSwitch::Off));
  EXPECT_EQ(prompter.panels[1], "RUN");
  EXPECT_EQ(prompter.panels[2], "COM1 OK");
}

TEST_F(SilentBoardTest, AnAnswerThatIsWrongIsNoLostConnection) {
  // Frames go unanswered after the attention byte was answered: a short reply, the board is there.
  board.failWhen = [](const Bytes&) { return true; };
  EXPECT_FALSE(link.StopMotion());
  EXPECT_EQ(link.LastFault(), LinkFault::ShortReply);
  EXPECT_FALSE(Has(prompter.statuses, "Connection failed"));
  EXPECT_EQ(prompter.panels.count(2), 0u);
  EXPECT_FALSE(watch.Lost());
  // Nor is a question answered No: nothing is sent, nothing is reported.
  prompter.answers.push_back(IdNo);
  EXPECT_EQ(actions.Delete(*Slot::Motion(0)), ActionResult::Cancelled);
  EXPECT_TRUE(prompter.statuses.empty());
}

// A board behind a device that can hang up (a pulled adapter, a simulator that ended): the
// descriptor stays open but reads and writes fail, and the device can be missing when opened.
class PluggableBoard : public test::FakeBoardPort {
 public:
  bool open = true;
  bool hungUp = false;
  bool missing = false;

  bool IsOpen() const override { return open; }
  bool WriteBytes(const uint8_t* data, size_t count) override {
    return open && !hungUp && FakeBoardPort::WriteBytes(data, count);
  }
  int ReadBytes(uint8_t* buffer, int count) override {
    if (!open || hungUp) return -1;
    return FakeBoardPort::ReadBytes(buffer, count);
  }
};

class PluggableControl : public PortControl {
 public:
  explicit PluggableControl(PluggableBoard& board) : board_(board) {}
  Strings log;

  void Close() override {
    log.push_back("close");
    board_.open = false;
  }
  void SetPortNo(int number) override { log.push_back("port " + std::to_string(number)); }
  void SetPortPath(const std::string& path) override { log.push_back("path " + path); }
  void SetTimeOutReceive(int) override {}
  void Open() override {
    log.push_back("open");
    if (board_.missing) throw std::runtime_error("cannot open: no such device");
    board_.open = true;
    board_.hungUp = false;
  }
  void SetDtr(bool) override {}
  void PurgeReceive() override {}
  void PurgeTransmit() override {}
  bool Gone() override { return !board_.open || board_.hungUp; }

 private:
  PluggableBoard& board_;
};

class LostPortTest : public ::testing::Test {
 protected:
  LostPortTest() : control(board), watch(&prompter, &control, &buffer), link(&board, &prompter) {
    link.SetConnectionWatch(&watch);
    watch.PortSelected(2, true);
  }

  PluggableBoard board;
  PluggableControl control;
  test::ScriptedPrompter prompter;
  NotificationBuffer buffer;
  ConnectionWatch watch;
  BoardLink link;
};

TEST_F(LostPortTest, TheNextCommandReopensTheSamePortOnce) {
  // The device hangs up during a command.
  board.failWhen = [this](const Bytes&) {
    board.hungUp = true;
    return true;
  };
  EXPECT_FALSE(link.StopMotion());
  EXPECT_EQ(link.LastFault(), LinkFault::PortGone);
  EXPECT_EQ(prompter.statuses.back(), "Connection failed");
  EXPECT_EQ(prompter.panels[2], "COM2 lost");
  EXPECT_TRUE(control.log.empty());  // nothing reopened within the failed command
  board.failWhen = nullptr;

  // Still gone at the next command: one attempt, nothing sent, the open error's reason kept.
  board.missing = true;
  board.frames.clear();
  EXPECT_FALSE(link.PlayMotion(*Slot::FromIndex(4)));
  EXPECT_EQ(control.log, (Strings{"close", "port 2", "open", "close"}));
  EXPECT_TRUE(board.frames.empty());
  EXPECT_EQ(link.LastFault(), LinkFault::PortGone);
  EXPECT_EQ(prompter.statuses.back(), "Connection failed");
  EXPECT_EQ(watch.ReopenFailure(), "cannot open: no such device");
  EXPECT_EQ(prompter.panelHints[2], "cannot open: no such device");

  // Back on the same path: reopened, sent, and shown as OK; stale report bytes dropped.
  board.missing = false;
  control.log.clear();
  const Bytes partial{0xFF, 1};
  buffer.Append(partial.data(), partial.size());
  EXPECT_TRUE(link.PlayMotion(*Slot::FromIndex(4)));
  EXPECT_EQ(control.log, (Strings{"close", "port 2", "open"}));
  EXPECT_EQ(board.played, std::vector<int>{4});
  EXPECT_EQ(buffer.Size(), 0u);
  EXPECT_EQ(prompter.statuses.back(), "COM2 OK");
  EXPECT_EQ(prompter.panels[2], "COM2 OK");
  EXPECT_EQ(prompter.panelHints[2], "");
  EXPECT_TRUE(watch.ReopenFailure().empty());

  // A working port is left alone.
  control.log.clear();
  EXPECT_TRUE(link.PlayMotion(*Slot::FromIndex(5)));
  EXPECT_TRUE(control.log.empty());
}

TEST_F(LostPortTest, AHangUpBetweenCommandsShowsAtOnceAndTheNextCommandReopens) {
  board.hungUp = true;
  watch.PortHungUp();
  EXPECT_TRUE(watch.Lost());
  EXPECT_EQ(prompter.panels[2], "COM2 lost");
  EXPECT_TRUE(prompter.statuses.empty());  // no command failed: the status line is left alone
  EXPECT_TRUE(link.PlayMotion(*Slot::FromIndex(4)));
  EXPECT_EQ(control.log, (Strings{"close", "port 2", "open"}));
  EXPECT_EQ(prompter.panels[2], "COM2 OK");

  // With no port chosen there is nothing to call lost.
  watch.PortSelected(0, true);
  prompter.panels.clear();
  watch.PortHungUp();
  EXPECT_FALSE(watch.Lost());
  EXPECT_TRUE(prompter.panels.empty());
}

TEST_F(LostPortTest, OnlyAChosenPortThatOpenedIsReopened) {
  // A silent board on a working port: reported, but the port is not touched.
  board.offline = true;
  EXPECT_FALSE(link.StopMotion());
  EXPECT_EQ(link.LastFault(), LinkFault::NoAnswer);
  EXPECT_EQ(prompter.statuses.back(), "Connection failed");
  EXPECT_TRUE(control.log.empty());
  board.offline = false;

  // "OFF" chosen: every command fails, nothing is opened behind the user's back.
  watch.PortSelected(0, true);
  board.open = false;
  EXPECT_FALSE(link.StopMotion());
  EXPECT_TRUE(control.log.empty());
  EXPECT_EQ(prompter.panels[2], "No Connection");

  // A port that could not be opened when chosen is not retried either.
  watch.PortSelected(7, false);
  EXPECT_FALSE(link.StopMotion());
  EXPECT_TRUE(control.log.empty());

  // Choosing the port again clears the lost mark.
  EXPECT_TRUE(watch.Lost());
  board.open = true;
  watch.PortSelected(3, true);
  EXPECT_FALSE(watch.Lost());
  EXPECT_EQ(prompter.panels[2], "COM3 OK");

  // A port chosen again while a command waited: that command's failure is not the new port's.
  prompter.statuses.clear();
  ASSERT_TRUE(watch.BeforeCommand());
  watch.PortSelected(4, true);
  watch.CommandEnded(LinkFault::PortGone);
  EXPECT_TRUE(prompter.statuses.empty());
  EXPECT_FALSE(watch.Lost());
}

}  // namespace
}  // namespace brv3
