#include "core/motion/HistoryPoseTarget.h"

#include <gtest/gtest.h>

#include "core/chart/CanvasTestHost.h"

namespace brv3 {
namespace {

// A board that takes everything and answers nothing, for an editor without SYNC.
class QuietBoard : public PoseEditorBoard {
 public:
  bool WritePose(const PoseRecord&) override { return true; }
  bool ReadServoPositions(Bytes&) override { return false; }
  void SetServoLive(int, uint16_t) override {}
  std::optional<PoseRecord> ReadLivePose() override { return std::nullopt; }
  std::optional<ChannelMask> ReadSerialServoMask() override { return std::nullopt; }
  std::optional<ChannelBytes> ReadSpeedTable() override { return std::nullopt; }
  std::optional<ChannelBytes> ReadStretchTable() override { return std::nullopt; }
  bool WriteHomePosition(const ChannelWords&) override { return true; }
  bool ToggleSleep() override { return true; }
};

TEST(HistoryPoseTargetTest, ADragIsOneUndoStepAndEveryChangeIsAnnounced) {
  Chart chart;
  ChartHistory history(chart);
  const int index = chart.PlaceObject(10, 10, kPosition);
  chart.Objects[static_cast<size_t>(index)].Values.fill(16384);
  history.Clear();
  int announced = 0;
  Subscription sub = chart.Changes().Subscribe([&](const ChartChange& change) {
    EXPECT_EQ(change.kind, ChartChangeKind::ObjectsChanged);
    EXPECT_EQ(change.objects, std::vector<int32_t>{index});
    ++announced;
  });

  QuietBoard board;
  PoseEditor editor(board, [] { return false; });
  HistoryPoseTarget target(history, index);
  editor.Open(&target);
  EXPECT_EQ(target.Name(), chart.Objects[0].Name);
  for (int p = 16390; p <= 16450; p += 10) EXPECT_TRUE(editor.PositionSliderMoved(2, p));
  editor.PositionSliderReleased(2, 16460);
  EXPECT_EQ(chart.Objects[0].Values[1], 16460);
  EXPECT_EQ(history.UndoCount(), 1u);  // the whole drag
  EXPECT_EQ(announced, 8);

  // The next drag of the same slider is a step of its own, and so is an edit.
  editor.PositionSliderMoved(2, 16470);
  editor.PositionSliderReleased(2, 16480);
  editor.EditEntered(3, "5");
  EXPECT_EQ(history.UndoCount(), 3u);
  // A store that changes nothing makes no step.
  editor.EditEntered(3, "5");
  EXPECT_EQ(history.UndoCount(), 3u);

  sub.Reset();
  ASSERT_TRUE(history.Undo());
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(chart.Objects[0].Values[1], 16460);
  EXPECT_EQ(chart.Objects[0].Values[2], 16384);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(chart.Objects[0].Values[1], 16384);
  EXPECT_FALSE(history.CanUndo());
}

// A pose edit changes nothing the canvas draws: the canvas is not redrawn for it (a slider drag on
// a big chart would otherwise repaint the whole picture per move), while an undo still redraws.
TEST(HistoryPoseTargetTest, PoseEditsLeaveTheCanvasAlone) {
  Chart chart;
  ChartHistory history(chart);
  const int index = chart.PlaceObject(10, 10, kPosition);
  history.Clear();
  test::ScriptedPrompter prompter;
  test::FakeCanvasHost host;
  CanvasEditor canvas(history, prompter, host);
  QuietBoard board;
  PoseEditor editor(board, [] { return false; });
  HistoryPoseTarget target(history, index);
  editor.Open(&target);
  const int before = host.redraws;
  const ChannelWords words = chart.Objects[0].Values;
  for (int p = 16390; p <= 16450; p += 10) editor.PositionSliderMoved(2, p);
  editor.PositionSliderReleased(2, 16460);
  editor.EditEntered(3, "5");
  EXPECT_NE(chart.Objects[0].Values, words);
  EXPECT_EQ(host.redraws, before);
  ASSERT_TRUE(history.Undo());
  EXPECT_GT(host.redraws, before);
}

}  // namespace
}  // namespace brv3
