// The position editor over the real command set and the in-process simulated board.
#include <gtest/gtest.h>

#include "core/board/PoseBoardLink.h"
#include "core/comm/BoardLink.h"
#include "core/motion/PoseEditor.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

uint16_t LiveWord(const sim::Engine& engine, int channel) {
  const auto& pose = engine.board().LivePose();
  return static_cast<uint16_t>(pose[static_cast<size_t>(2 * channel - 1)] << 8 |
                               pose[static_cast<size_t>(2 * channel)]);
}

TEST(PoseEditorAgainstSim, TheRobotFollowsTheEditor) {
  sim::Engine engine;
  sim::SimPort port{engine};
  test::ScriptedPrompter prompter;
  BoardLink link{&port, &prompter};
  PoseBoardLink board{link};
  bool sync = true;
  PoseEditor editor(board, [&sync] { return sync; });

  ASSERT_TRUE(link.WriteSsvChannelMask({0x00, 0x02, 0x00}));  // channel 10 is a serial servo
  PoseRecord onBoard;
  onBoard.Head = 1;
  onBoard.Values[0] = 16500;
  onBoard.Values[9] = 20000;
  ASSERT_TRUE(link.WritePose(PoseArea::Live, 0, 0, onBoard.Pack()));

  Chart chart;
  const int index = chart.PlaceObject(0, 0, kPosition);
  chart.Objects[static_cast<size_t>(index)].Values.fill(0);
  ChartPoseTarget target(chart, index);
  editor.Open(&target);
  // The empty object took the board's pose; channel 10's serial range holds 20000.
  const ChartObject& object = chart.Objects[static_cast<size_t>(index)];
  EXPECT_EQ(object.Values[0], 16500);
  EXPECT_EQ(object.Values[9], 20000);
  EXPECT_EQ(editor.Channel(10).Range, kSerialServoRange);

  EXPECT_TRUE(editor.PositionSliderMoved(1, 16600));
  EXPECT_EQ(LiveWord(engine, 1), 16600);
  editor.TypeChosen(2, kTypeHigh);
  EXPECT_EQ(LiveWord(engine, 2), 0x8001);
  editor.EditEntered(10, "-3000");
  EXPECT_EQ(LiveWord(engine, 10), 13384);
  EXPECT_EQ(object.Values[9], 13384);

  sync = false;
  EXPECT_TRUE(editor.PositionSliderMoved(1, 16700));
  EXPECT_EQ(LiveWord(engine, 1), 16600);  // without SYNC only the chart changes
  EXPECT_EQ(object.Values[0], 16700);

  ASSERT_TRUE(editor.SetHomePosition());
  EXPECT_EQ(engine.board().Flash().home[0], 16700);
  EXPECT_EQ(engine.board().Flash().home[1], 0x8001);
  ASSERT_TRUE(editor.WritePose());
  EXPECT_EQ(LiveWord(engine, 1), 16700);
}

}  // namespace
}  // namespace brv3
