#include "ui/motion/CurvesDock.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QLineSeries>
#include <QSignalSpy>

#include "core/chart/Chart.h"
#include "core/motion/PanelLayout.h"

namespace brv3 {
namespace {

// POS1 (channel 1 at +100) -> POS2 (channel 1 at -50, channel 2 not driven).
Chart TwoPoses() {
  Chart chart;
  const int a = chart.PlaceObject(10, 10, kPosition);
  const int b = chart.PlaceObject(10, 80, kPosition);
  chart.Objects[static_cast<size_t>(a)].Values.fill(16384);
  chart.Objects[static_cast<size_t>(a)].Values[0] = 16484;
  chart.Objects[static_cast<size_t>(b)].Values.fill(16384);
  chart.Objects[static_cast<size_t>(b)].Values[0] = 16334;
  chart.Objects[static_cast<size_t>(b)].Values[1] = 0;
  ChartLink& link = chart.Links.emplace_back();
  link.Origin = a;
  link.Final = b;
  chart.Start = a;
  return chart;
}

TEST(CurvesDockTest, PlotsTheCompiledStepsAndFollowsChanges) {
  Chart chart = TwoPoses();
  PanelLayout layout;
  layout.SetChannelCaption(1, "Knee");
  CurvesDock dock(chart, &layout);
  dock.show();
  ASSERT_TRUE(dock.Message().isEmpty()) << dock.Message().toStdString();
  ASSERT_EQ(dock.Steps().size(), 3u);  // two poses and the end step
  QLineSeries* knee = dock.ChannelSeries(1);
  ASSERT_NE(knee, nullptr);
  EXPECT_EQ(knee->name(), "Knee");
  ASSERT_EQ(knee->count(), 2);
  EXPECT_EQ(knee->at(0), QPointF(1, 100));
  EXPECT_EQ(knee->at(1), QPointF(2, -50));
  // Channel 2 has a gap at step 2: its line holds step 1 only.
  ASSERT_NE(dock.ChannelSeries(2), nullptr);
  EXPECT_EQ(dock.ChannelSeries(2)->count(), 1);
  // Each speed bar stands under its step: both plots are equally wide, though only the curves
  // have a legend.
  dock.resize(700, 500);
  QApplication::processEvents();
  const QRectF curves = dock.Curves()->plotArea(), speeds = dock.Speeds()->plotArea();
  EXPECT_NEAR(speeds.left(), curves.left(), 1.5);
  EXPECT_NEAR(speeds.right(), curves.right(), 1.5);

  // A pose change reaches the curves on the next turn of the event loop.
  chart.Objects[1].Values[0] = 16400;
  dock.Update();
  QApplication::processEvents();
  EXPECT_EQ(dock.ChannelSeries(1)->at(1), QPointF(2, 16));

  // Gaps moving change the plot's shape: channel 2 loses its only run, then gets one at step 2;
  // the unchanged channel 1 keeps its points.
  chart.Objects[0].Values[1] = 0;
  dock.Rebuild();
  EXPECT_EQ(dock.ChannelSeries(2), nullptr);
  chart.Objects[1].Values[1] = 16390;
  dock.Rebuild();
  ASSERT_NE(dock.ChannelSeries(2), nullptr);
  ASSERT_EQ(dock.ChannelSeries(2)->count(), 1);
  EXPECT_EQ(dock.ChannelSeries(2)->at(0), QPointF(2, 6));
  EXPECT_EQ(dock.ChannelSeries(1)->count(), 2);
  EXPECT_EQ(dock.ChannelSeries(1)->at(1), QPointF(2, 16));

  // Selecting an object highlights its step; a click on a point names the step's object.
  chart.Objects[1].Selected = 1;
  dock.Rebuild();
  EXPECT_EQ(dock.HighlightedSteps(), std::vector<int>{2});
  QSignalSpy clicked(&dock, &CurvesDock::StepClicked);
  emit dock.ChannelSeries(1)->clicked(QPointF(1.1, 99));
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked[0][0].toInt(), 1);
  EXPECT_EQ(clicked[0][1].toInt(), 0);

  dock.SetChannelShown(1, false);
  EXPECT_FALSE(dock.ChannelSeries(1)->isVisible());
  dock.Rebuild();  // hidden channels stay hidden across a replot
  chart.Objects[0].Values[0] = 16500;
  dock.Rebuild();
  EXPECT_FALSE(dock.ChannelSeries(1)->isVisible());
}

TEST(CurvesDockTest, ChartsThatDoNotCompileShowTheCompilersMessage) {
  Chart chart = TwoPoses();
  chart.Start = -1;
  CurvesDock dock(chart, nullptr);
  EXPECT_FALSE(dock.Message().isEmpty());
  EXPECT_TRUE(dock.Steps().empty());
  chart.Start = 0;
  dock.Rebuild();
  EXPECT_TRUE(dock.Message().isEmpty());
  chart.Type = kScenarioChart;
  dock.Rebuild();
  EXPECT_EQ(dock.Message(), "A scenario chart has no curves");
}

}  // namespace
}  // namespace brv3
