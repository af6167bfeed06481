#include "core/chart/Chart.h"

#include <gtest/gtest.h>

namespace brv3 {
namespace {

// Records the name the chart had at each header change.
struct CaptionSpy {
  std::string caption;
  Subscription subscription;
  explicit CaptionSpy(const Chart& chart) {
    subscription = chart.Changes().Subscribe([this, &chart](const ChartChange& c) {
      if (c.kind == ChartChangeKind::HeaderChanged) caption = "EDIT " + chart.Name;
    });
  }
};

ChartLink Wire(int32_t origin, int32_t final) {
  ChartLink l;
  l.Origin = origin;
  l.Final = final;
  return l;
}

}  // namespace

TEST(ChartModel, StartsEmptyAndUntitled) {
  Chart chart;
  EXPECT_EQ(chart.Type, kMotionChart);
  EXPECT_EQ(chart.Start, -1);
  EXPECT_EQ(chart.Name, "無題");
  EXPECT_EQ(chart.Ctrl, 65535);
  EXPECT_EQ(chart.CanvasWidth, 640);
  EXPECT_EQ(chart.CanvasHeight, 480);
}

TEST(ChartModel, PlacingDecidesTheKindAndNamesWithTheSmallestFreeNumber) {
  Chart chart;
  EXPECT_EQ(chart.PlaceObject(10, 20, kPosition), 0);
  EXPECT_EQ(chart.PlaceObject(0, 0, kMot), -1);  // wrong family: silently refused
  EXPECT_EQ(chart.ObjectCount(), 1);
  chart.PlaceObject(0, 0, kPosition);
  chart.PlaceObject(0, 0, kPosition);
  EXPECT_EQ(chart.Objects[2].Name, "POS3");
  const ChartObject& first = chart.Objects[0];
  EXPECT_EQ(first.Name, "POS1");
  EXPECT_EQ(first.Left, 10);
  EXPECT_EQ(first.Top, 20);
  EXPECT_EQ(first.Width, 50);
  EXPECT_EQ(first.Height, 30);
  EXPECT_EQ(first.Color, 0xFFFFFFu);
  EXPECT_EQ(first.Head, 100);

  chart.Objects[1].Selected = 1;
  chart.DeleteSelectedObjects();
  chart.DeleteSelectedLinks();
  EXPECT_EQ(chart.Objects[chart.PlaceObject(0, 0, kPosition)].Name, "POS2");

  int set = chart.PlaceObject(0, 0, kSet);
  int cmp = chart.PlaceObject(0, 0, kCompare);
  int mix = chart.PlaceObject(0, 0, kMix);
  EXPECT_EQ(chart.Objects[set].Name, "SET1");
  EXPECT_EQ(chart.Objects[set].Head, 1);
  EXPECT_EQ(chart.Objects[set].Values[23], 32774);
  EXPECT_EQ(chart.Objects[cmp].Values[0], 33543);
  EXPECT_EQ(chart.Objects[mix].Name, "MIX1");
  EXPECT_EQ(chart.Objects[mix].Values[5], 64500);
  EXPECT_EQ(chart.SelectedObjectCount(), 0);

  // Names are compared exactly: "pos1" does not take POS1's number.
  Chart other;
  other.PlaceObject(0, 0, kPosition);
  other.Objects[0].Name = "pos1";
  EXPECT_EQ(other.Objects[other.PlaceObject(0, 0, kPosition)].Name, "POS1");

  // After every object is gone the next one decides the kind again.
  chart.SelectAllObjects();
  chart.DeleteSelectedObjects();
  EXPECT_EQ(chart.PlaceObject(0, 0, kMot), 0);
  EXPECT_EQ(chart.Type, kScenarioChart);
  EXPECT_EQ(chart.Objects[0].Name, "MOT1");
  EXPECT_EQ(chart.Objects[0].Head, 1);
}

TEST(ChartModel, DeletingRemapsWiresAndTheStartFlag) {
  Chart chart;
  for (int i = 0; i < 5; ++i) chart.PlaceObject(0, 0, kPosition);
  chart.Start = 3;
  chart.Links = {Wire(0, 1), Wire(1, 2), Wire(3, 4), Wire(4, 0), Wire(-1, 4), Wire(2, 9)};
  chart.Links[0].Selected = 1;  // chosen by the user, deleted too
  chart.Objects[1].Selected = 1;
  chart.DeleteSelectedObjects();
  chart.DeleteSelectedLinks();
  ASSERT_EQ(chart.ObjectCount(), 4);
  EXPECT_EQ(chart.Objects[1].Name, "POS3");
  EXPECT_EQ(chart.Start, 2);
  ASSERT_EQ(chart.LinkCount(), 4);
  EXPECT_EQ(chart.Links[0].Origin, 2);
  EXPECT_EQ(chart.Links[0].Final, 3);
  EXPECT_EQ(chart.Links[1].Origin, 3);
  EXPECT_EQ(chart.Links[1].Final, 0);
  EXPECT_EQ(chart.Links[2].Origin, -1);  // a loose end stays loose
  EXPECT_EQ(chart.Links[2].Final, 3);
  EXPECT_EQ(chart.Links[3].Origin, 1);
  EXPECT_EQ(chart.Links[3].Final, 9);  // out of range before, left alone
  EXPECT_EQ(chart.SelectedLinkCount(), 0);

  chart.Objects[2].Selected = 1;  // the Start object
  chart.DeleteSelectedObjects();
  chart.DeleteSelectedLinks();
  EXPECT_EQ(chart.Start, -1);
  ASSERT_EQ(chart.LinkCount(), 3);  // only the wire that touched it went
  EXPECT_EQ(chart.Links[0].Origin, 2);
  EXPECT_EQ(chart.Links[0].Final, 0);
}

TEST(ChartModel, SelectionAppendAndNameOperations) {
  Chart chart;
  CaptionSpy spy(chart);
  chart.PlaceObject(0, 0, kPosition);
  chart.Links = {Wire(0, 0), Wire(0, 0)};
  chart.Links[1].Selected = 1;
  chart.Links[1].Point = {{1, 2}};
  chart.SelectAllObjects();
  EXPECT_EQ(chart.SelectedObjectCount(), 1);
  EXPECT_EQ(chart.SelectedLinkCount(), 1);  // wires keep their state
  EXPECT_EQ(chart.AppendLinks(2), 2);
  EXPECT_EQ(chart.SelectedLinkCount(), 0);
  EXPECT_EQ(chart.Links[1].Point.size(), 1u);
  EXPECT_EQ(chart.AppendObjects(3), 1);
  EXPECT_EQ(chart.SelectedObjectCount(), 0);
  EXPECT_EQ(chart.Objects[3].Name, "");

  chart.SetChartName("walk");
  EXPECT_EQ(spy.caption, "EDIT walk");
  Chart copy = chart;  // a copy carries the data, not the subscribers
  copy.SetChartName("other");
  EXPECT_EQ(spy.caption, "EDIT walk");

  chart.Type = kScenarioChart;
  chart.ClearChart();
  EXPECT_EQ(chart.ObjectCount(), 0);
  EXPECT_EQ(chart.Start, -1);
  EXPECT_EQ(chart.Type, kScenarioChart);
  EXPECT_EQ(chart.Name, "walk");
}

TEST(ChartModel, PrmTextRoundTripsAndFillsDefaults) {
  Chart chart;
  chart.AppendObjects(1);
  chart.ParsePrm(0, "7");
  EXPECT_EQ(chart.Objects[0].Head, 7);
  EXPECT_EQ(chart.Objects[0].Values, ChannelWords{});
  chart.ParsePrm(0, "");
  EXPECT_EQ(chart.Objects[0].Head, 1);
  chart.ParsePrm(0, "x,65537,-1,abc,5");
  EXPECT_EQ(chart.Objects[0].Head, 1);
  EXPECT_EQ(chart.Objects[0].Values[0], 1);  // wraps into 16 bits
  EXPECT_EQ(chart.Objects[0].Values[1], 65535);
  EXPECT_EQ(chart.Objects[0].Values[2], 0);
  EXPECT_EQ(chart.Objects[0].Values[3], 5);
  chart.ParsePrm(0, "300");
  EXPECT_EQ(chart.Objects[0].Head, 44);  // wraps into a byte
  chart.Objects[0].Values[23] = 65535;
  EXPECT_EQ(chart.FormatPrm(0), "44,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,65535");
}

}  // namespace brv3
