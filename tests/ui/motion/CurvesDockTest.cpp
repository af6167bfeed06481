#include "ui/motion/CurvesDock.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "core/chart/Chart.h"
#include "core/motion/MotionFakes.h"
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

  // A pose change reaches the curves on the next turn of the event loop, and moves only the
  // point it changed: no series is filled again.
  QSignalSpy kneeMoved(knee, &QXYSeries::pointReplaced);
  QSignalSpy kneeRefilled(knee, &QXYSeries::pointsReplaced);
  QSignalSpy otherRefilled(dock.ChannelSeries(3), &QXYSeries::pointsReplaced);
  QSignalSpy otherMoved(dock.ChannelSeries(3), &QXYSeries::pointReplaced);
  chart.Objects[1].Values[0] = 16400;
  dock.Update();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dock.ReplotPending(); }, 2000));
  EXPECT_EQ(dock.ChannelSeries(1)->at(1), QPointF(2, 16));
  ASSERT_EQ(kneeMoved.count(), 1);
  EXPECT_EQ(kneeMoved[0][0].toInt(), 1);
  EXPECT_EQ(kneeRefilled.count() + otherRefilled.count() + otherMoved.count(), 0);

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

// The step labels drawn along the top of the plot, by their text.
std::vector<QGraphicsSimpleTextItem*> MarkerLabels(CurvesDock& dock) {
  std::vector<QGraphicsSimpleTextItem*> labels;
  if (!dock.Curves()->scene()) return labels;
  for (QGraphicsItem* item : dock.Curves()->scene()->items()) {
    auto* text = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(item);
    if (text && text->isVisible() &&
        (text->text().startsWith("SET ") || text->text().startsWith("END ")))
      labels.push_back(text);
  }
  return labels;
}

// How far apart two colours look to the eye (weighted by the redness).
double Distance(const QColor& a, const QColor& b) {
  const double meanR = (a.red() + b.red()) / 2.0;
  const double dr = a.red() - b.red(), dg = a.green() - b.green(), db = a.blue() - b.blue();
  return std::sqrt((2 + meanR / 256) * dr * dr + 4 * dg * dg + (2 + (255 - meanR) / 256) * db * db);
}

// A look with the channel names and one panel dressed red by hand.
class RedThirdPanel : public ChannelLook {
 public:
  std::string ChannelCaption(int channel) const override { return "CH" + std::to_string(channel); }
  uint32_t ChannelColor(int channel) const override {
    return channel == 3 ? 0x0000FF : kColorButtonFace;  // 0x00BBGGRR
  }
};

TEST(CurvesDockTest, MarkersOfNeighbouringStepsStackInsteadOfOverlapping) {
  // A pose, twelve Set steps in a row, the end step: thirteen labels side by side.
  test::ChartBuilder b;
  int last = b.Pos("POS");
  for (int k = 0; k < 12; ++k) {
    const int set = b.Add(kSet, "SET" + std::to_string(k));
    b.Flow(last, set);
    last = set;
  }
  Chart chart = b.chart;
  CurvesDock dock(chart, nullptr);
  ASSERT_TRUE(dock.Message().isEmpty()) << dock.Message().toStdString();
  dock.resize(dock.minimumSizeHint());
  dock.show();
  QApplication::processEvents();
  const std::vector<QGraphicsSimpleTextItem*> labels = MarkerLabels(dock);
  ASSERT_EQ(labels.size(), 13u);
  const QRectF plot = dock.Curves()->plotArea();
  for (size_t i = 0; i < labels.size(); ++i) {
    const QRectF a = labels[i]->sceneBoundingRect();
    EXPECT_LE(a.bottom(), plot.top() + 1) << labels[i]->text().toStdString();
    EXPECT_GE(a.top(), 0) << labels[i]->text().toStdString();
    for (size_t j = i + 1; j < labels.size(); ++j)
      EXPECT_FALSE(a.intersects(labels[j]->sceneBoundingRect()))
          << labels[i]->text().toStdString() << " over " << labels[j]->text().toStdString();
  }
}

TEST(CurvesDockTest, EveryChannelIsListedInAColourOfItsOwnAndAClickHidesIt) {
  Chart chart = TwoPoses();  // step 1 drives all 24 channels
  RedThirdPanel look;
  CurvesDock dock(chart, &look);
  dock.resize(dock.minimumSizeHint());
  dock.show();
  QApplication::processEvents();

  // The plot keeps a useful width even with the dock at its narrowest.
  EXPECT_GE(dock.Curves()->plotArea().width(), 280);

  // Colours differ between every two channels, and the red panel's channel is drawn red.
  ASSERT_NE(dock.ChannelSeries(3), nullptr);
  EXPECT_EQ(dock.ChannelSeries(3)->color(), QColor(255, 0, 0));
  for (int a = 1; a <= kChannels; ++a) {
    ASSERT_NE(dock.ChannelSeries(a), nullptr) << a;
    const QColor ca = dock.ChannelSeries(a)->color();
    for (int c = a + 1; c <= kChannels; ++c) {
      EXPECT_GE(Distance(ca, dock.ChannelSeries(c)->color()), 120) << "CH" << a << " and CH" << c;
    }
  }

  // All 24 channels are listed; the list scrolls to the last one, and a click there hides it.
  auto* legend = dock.findChild<QListWidget*>("CurvesLegend");
  ASSERT_NE(legend, nullptr);
  ASSERT_EQ(legend->count(), 24);
  QListWidgetItem* last = legend->item(23);
  EXPECT_EQ(last->text(), "CH24");
  legend->scrollToItem(last);
  QApplication::processEvents();
  const QRect row = legend->visualItemRect(last);
  ASSERT_TRUE(legend->viewport()->rect().contains(row.center()));
  QTest::mouseClick(legend->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_FALSE(dock.ChannelSeries(24)->isVisible());
  EXPECT_EQ(last->checkState(), Qt::Unchecked);
  QTest::mouseClick(legend->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_TRUE(dock.ChannelSeries(24)->isVisible());
  EXPECT_EQ(last->checkState(), Qt::Checked);
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

// A hidden dock follows no change (on a big chart every replot costs seconds); shown again it
// catches up once. A motion far longer than any the board holds is named, not plotted.
TEST(CurvesDockTest, AHiddenDockWaitsUntilShownAndHugeMotionsAreNotPlotted) {
  Chart chart = TwoPoses();
  CurvesDock dock(chart, nullptr);
  ASSERT_EQ(dock.Steps().size(), 3u);
  chart.Objects[1].Values[0] = 16300;
  chart.PlaceObject(10, 150, kPosition);
  ChartLink& link = chart.Links.emplace_back();
  link.Origin = 1;
  link.Final = 2;
  dock.Update();
  QApplication::processEvents();
  EXPECT_FALSE(dock.ReplotPending());
  EXPECT_EQ(dock.Steps().size(), 3u);
  dock.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return dock.Steps().size() == 4u; }, 2000));

  Chart huge;
  const int count = static_cast<int>(CurvesDock::kMostPlottedSteps) + 50;
  huge.AppendObjects(count);
  for (int i = 0; i < count; ++i) {
    ChartObject& o = huge.Objects[static_cast<size_t>(i)];
    o.Name = "POS" + std::to_string(i + 1);
    o.Width = 50;
    o.Height = 30;
    o.Values.fill(16384);
    if (i > 0) {
      ChartLink& l = huge.Links.emplace_back();
      l.Origin = i - 1;
      l.Final = i;
    }
  }
  huge.Start = 0;
  CurvesDock big(huge, nullptr);
  EXPECT_TRUE(big.Message().contains("too many to plot")) << big.Message().toStdString();
}

}  // namespace
}  // namespace brv3
