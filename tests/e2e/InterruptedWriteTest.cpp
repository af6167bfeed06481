// Board writes stopped part-way by a refused frame on the simulated board: whatever the slot holds
// afterwards must read back as empty or as it was, never as new steps mixed with old ones.
#include <gtest/gtest.h>

#include "core/board/BoardActions.h"
#include "core/motion/MotionFakes.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

// A chain of `count` Position objects, all at `word`: count + 1 steps.
Chart Chain(int count, uint16_t word, const std::string& name) {
  test::ChartBuilder b;
  for (int i = 0; i < count; ++i) b.Pos("P" + std::to_string(i), word);
  for (int i = 0; i + 1 < count; ++i) b.Flow(i, i + 1);
  b.chart.SetChartName(name);
  return b.chart;
}

Chart Scenario(std::vector<uint8_t> motions) {
  test::ChartBuilder b(kScenarioChart);
  for (size_t i = 0; i < motions.size(); ++i)
    b.Mot("M" + std::to_string(motions[i] + 1), motions[i]);
  for (size_t i = 0; i + 1 < motions.size(); ++i)
    b.Flow(static_cast<int>(i), static_cast<int>(i + 1));
  b.chart.SetChartName("SHOW");
  return b.chart;
}

class InterruptedWriteTest : public ::testing::Test {
 protected:
  InterruptedWriteTest() : port(engine), link(&port), actions(link, prompter) {}

  void RefuseAckedFrame(int n) {
    engine.SetFaults(*sim::FaultPlan::Parse("nak@" + std::to_string(n)));
  }
  void NoFaults() { engine.SetFaults(sim::FaultPlan()); }

  sim::Engine engine;
  sim::SimPort port;
  test::ScriptedPrompter prompter;
  BoardLink link;
  BoardActions actions;
};

TEST_F(InterruptedWriteTest, MotionStoppedAtAnyFrameNeverReadsBackMixed) {
  const Slot m5 = *Slot::Motion(4);
  ASSERT_EQ(actions.Write(m5, Chain(60, 10000, "OLD")), ActionResult::Done);
  // Every acknowledged frame of the second write refused in turn: the sleep frames, the entry,
  // both continuation entries, steps early and late, and the final count.
  for (int n : {4, 5, 6, 7, 20, 60, 67, 68}) {
    RefuseAckedFrame(n);
    EXPECT_EQ(actions.Write(m5, Chain(60, 20000, "NEW")), ActionResult::BoardFailed) << n;
    NoFaults();
    link.SetSleep(ModeSwitch::Off);
    Chart read;
    const ActionResult result = actions.Read(m5, read);
    if (result == ActionResult::Done) {
      // Only the untouched old motion may come back whole.
      EXPECT_EQ(read.Name, "OLD") << n;
      for (const ChartObject& o : read.Objects) EXPECT_EQ(o.Values[0], 10000) << n;
    } else {
      EXPECT_EQ(result, ActionResult::NoData) << n;
    }
  }
  ASSERT_EQ(actions.Write(m5, Chain(60, 20000, "NEW")), ActionResult::Done);
  Chart read;
  ASSERT_EQ(actions.Read(m5, read), ActionResult::Done);
  EXPECT_EQ(read.Name, "NEW");
  EXPECT_EQ(read.ObjectCount(), 60);
}

TEST_F(InterruptedWriteTest, ScenarioStepRefusedLeavesNoEntryClaimingIt) {
  const Slot s1 = *Slot::Scenario(0);
  ASSERT_EQ(actions.Write(s1, Scenario({1, 2, 3, 4, 5})), ActionResult::Done);
  RefuseAckedFrame(6);  // a step of the next write, after the three frames of going to sleep
  EXPECT_EQ(actions.Write(s1, Scenario({7, 8, 9, 10, 11})), ActionResult::BoardFailed);
  NoFaults();
  link.SetSleep(ModeSwitch::Off);
  Chart read;
  EXPECT_EQ(actions.Read(s1, read), ActionResult::NoData);
}

TEST_F(InterruptedWriteTest, RefusedContinuationEntryFailsTheWrite) {
  const Slot m5 = *Slot::Motion(4);
  RefuseAckedFrame(5);  // the first continuation entry (after sleep and the head entry)
  EXPECT_EQ(actions.Write(m5, Chain(60, 20000, "NEW")), ActionResult::BoardFailed);
  EXPECT_NE(prompter.statuses.back(), "Write successful");
}

}  // namespace
}  // namespace brv3

namespace brv3 {
namespace {

// Each fault class the simulated board injects is named as the cause of the failed command.
TEST(LinkFaultTest, FailedCommandsNameTheirCause) {
  sim::Engine engine;
  sim::SimPort port(engine);
  BoardLink link(&port);
  Bytes reply;
  const auto faultOf = [&](const std::string& faults, auto command) {
    engine.SetFaults(*sim::FaultPlan::Parse(faults));
    const bool ok = command();
    engine.SetFaults(sim::FaultPlan());
    return ok ? LinkFault::None : link.LastFault();
  };
  const auto read = [&] { return link.ReadVersion(reply); };
  const auto write = [&] { return link.WriteModeWord(Area::Working, 0); };
  EXPECT_EQ(faultOf("", read), LinkFault::None);
  EXPECT_EQ(faultOf("no-attention@1", read), LinkFault::NoAnswer);
  EXPECT_EQ(faultOf("bad-checksum@1", read), LinkFault::BadChecksum);
  EXPECT_EQ(faultOf("short-reply:1", read), LinkFault::ShortReply);
  EXPECT_EQ(faultOf("short-reply@1", read), LinkFault::None);  // retried by the transaction
  EXPECT_EQ(faultOf("nak@1", write), LinkFault::Nak);
  port.Close();
  EXPECT_FALSE(link.ReadVersion(reply));
  EXPECT_EQ(link.LastFault(), LinkFault::PortGone);
  EXPECT_EQ(LinkFaultText(LinkFault::Nak), "the board refused the command (NAK)");
}

}  // namespace
}  // namespace brv3
