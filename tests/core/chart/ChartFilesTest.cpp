#include "core/chart/ChartFiles.h"

#include "core/chart/ChartFileReader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

using test::ScriptedPrompter;

ChartLink Wire(int32_t origin, int32_t final, std::vector<LinkPoint> points = {}) {
  ChartLink l;
  l.Origin = origin;
  l.Final = final;
  l.Point = std::move(points);
  return l;
}

// A motion chart with a Set object, a branch wire with bend points and a Japanese name.
Chart SampleMotionChart() {
  Chart chart;
  chart.PlaceObject(10, 20, kPosition);
  chart.PlaceObject(100, 20, kSet);
  chart.PlaceObject(100, 120, kCompare);
  chart.Objects[0].Name = "ポーズ 1";
  chart.Objects[0].Values[3] = 16400;
  chart.Objects[0].Color = kColorButtonFace;
  chart.Start = 0;
  chart.Name = "歩行";
  chart.Ctrl = 1234;
  chart.Links = {Wire(0, 1), Wire(1, 2, {{130, 60}, {140, 70}})};
  chart.Links[1].Main = kBranchWiring;
  return chart;
}

std::string CsvHeader(const std::string& name) {
  std::string h = "NO," + name + ",SPEED";
  for (int c = 1; c <= 24; ++c) h += ",CH" + std::to_string(c);
  return h + "\r\n";
}

std::string CsvRow(int no, const std::string& name, const std::string& speed,
                   const std::string& channels) {
  return std::to_string(no) + "," + name + "," + speed + "," + channels + "\r\n";
}

class ChartFilesTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  ScriptedPrompter prompter;
};

}  // namespace

TEST_F(ChartFilesTest, ChartRoundTripKeepsEverythingAndSelectsWhatWasRead) {
  Chart saved = SampleMotionChart();
  std::string path = dir.File("walk.QVB");
  ASSERT_TRUE(SaveChartFile(saved, path, prompter));

  Chart read;
  ASSERT_EQ(OpenChartFile(read, path, prompter).status, OpenStatus::Opened);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(read.Type, kMotionChart);
  EXPECT_EQ(read.Name, "歩行");
  EXPECT_EQ(read.Ctrl, 1234);
  EXPECT_EQ(read.Start, 0);
  ASSERT_EQ(read.ObjectCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const ChartObject& a = saved.Objects[i];
    const ChartObject& b = read.Objects[i];
    EXPECT_EQ(b.Name, a.Name);
    EXPECT_EQ(b.Left, a.Left);
    EXPECT_EQ(b.Top, a.Top);
    EXPECT_EQ(b.Color, a.Color);
    EXPECT_EQ(b.Head, a.Head);
    EXPECT_EQ(b.Values, a.Values);
    EXPECT_EQ(b.Type, a.Type);  // derived from the words
    EXPECT_EQ(b.Selected, 1);
  }
  ASSERT_EQ(read.LinkCount(), 2);
  EXPECT_EQ(read.Links[1].Main, kBranchWiring);
  EXPECT_EQ(read.Links[1].Point, (std::vector<LinkPoint>{{130, 60}, {140, 70}}));
  EXPECT_EQ(read.SelectedLinkCount(), 2);

  // The file itself: cp932, CR LF, the documented key order.
  std::string bytes = test::ReadFile(path);
  EXPECT_EQ(
      bytes.rfind("[GraphicalEdit]\r\nType=0\r\nWidth=640\r\nHeight=480\r\nItems=3\r\n"
                  "Links=2\r\nStart=0\r\nName=\x95\xE0\x8D\x73\r\nCtrl=1234\r\n\r\n[Item0]\r\n",
                  0),
      0u);
  EXPECT_NE(bytes.find("Color=-2147483633\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("[Link1]\r\nMain=1\r\nOrigin=1\r\nFinal=2\r\nPoint=130,60,140,70\r\n"),
            std::string::npos);
}

TEST_F(ChartFilesTest, ScenarioObjectsComeBackAsMotionCalls) {
  Chart saved;
  saved.PlaceObject(0, 0, kMot);
  saved.PlaceObject(0, 50, kMot);
  saved.Objects[1].Head = 12;
  std::string path = dir.File("s.QVB");
  ASSERT_TRUE(SaveChartFile(saved, path, prompter));
  Chart read;
  ASSERT_EQ(OpenChartFile(read, path, prompter).status, OpenStatus::Opened);
  EXPECT_EQ(read.Type, kScenarioChart);
  EXPECT_EQ(read.Objects[0].Type, kMot);
  EXPECT_EQ(read.Objects[1].Type, kMot);
  EXPECT_EQ(read.Objects[1].Head, 12);
}

TEST_F(ChartFilesTest, SameKindAppendsOtherKindAsksBeforeDiscarding) {
  std::string motion = dir.File("m.QVB");
  ASSERT_TRUE(SaveChartFile(SampleMotionChart(), motion, prompter));

  Chart chart;
  for (int i = 0; i < 5; ++i) chart.PlaceObject(0, 0, kPosition);
  chart.Name = "mine";
  ASSERT_EQ(OpenChartFile(chart, motion, prompter).status, OpenStatus::Opened);
  EXPECT_TRUE(prompter.messages.empty());
  ASSERT_EQ(chart.ObjectCount(), 8);
  EXPECT_EQ(chart.Name, "mine");  // a chart with objects keeps its name
  EXPECT_EQ(chart.Start, 5);
  EXPECT_EQ(chart.Links[1].Origin, 6);
  EXPECT_EQ(chart.Links[1].Final, 7);
  EXPECT_EQ(chart.Objects[4].Selected, 0);
  EXPECT_EQ(chart.Objects[5].Selected, 1);

  Chart scenario;
  scenario.PlaceObject(0, 0, kMot);
  std::string scenarioPath = dir.File("s.QVB");
  ASSERT_TRUE(SaveChartFile(scenario, scenarioPath, prompter));
  prompter.answers = {IdCancel};
  EXPECT_EQ(OpenChartFile(chart, scenarioPath, prompter).status, OpenStatus::Cancelled);
  EXPECT_EQ(chart.ObjectCount(), 8);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, kMsgDiscardData);
  EXPECT_EQ(prompter.messages[0].buttons, MsgButtons::OkCancel);
  prompter.answers = {IdOk};
  ASSERT_EQ(OpenChartFile(chart, scenarioPath, prompter).status, OpenStatus::Opened);
  EXPECT_EQ(chart.ObjectCount(), 1);
  EXPECT_EQ(chart.Type, kScenarioChart);
}

TEST_F(ChartFilesTest, ReadingClampsPointsGrowsTheCanvasAndSanitisesIndices) {
  std::string path = dir.File("odd.QVB");
  test::WriteFile(path,
                  "[GraphicalEdit]\r\nType=0\r\nWidth=800\r\nHeight=100\r\nItems=2\r\nLinks=3\r\n"
                  "Start=7\r\n[Item0]\r\nPrm=7\r\n[Item1]\r\nPrm=\r\n"
                  "[Link0]\r\nOrigin=0\r\nFinal=1\r\nPoint=-5,20,9999,30,77\r\n"
                  "[Link1]\r\nOrigin=-3\r\nFinal=5\r\n");
  Chart chart;
  ASSERT_EQ(OpenChartFile(chart, path, prompter).status, OpenStatus::Opened);
  EXPECT_EQ(chart.CanvasWidth, 800);
  EXPECT_EQ(chart.CanvasHeight, 480);  // never shrinks
  EXPECT_EQ(chart.Objects[0].Head, 7);
  EXPECT_EQ(chart.Objects[1].Head, 1);
  EXPECT_EQ(chart.Objects[0].Width, 50);
  EXPECT_EQ(chart.Start, -1);  // pointed past the objects
  EXPECT_EQ(chart.Links[0].Point, (std::vector<LinkPoint>{{0, 20}, {800, 30}}));
  EXPECT_EQ(chart.Links[1].Origin, -1);
  EXPECT_EQ(chart.Links[1].Final, -1);
  EXPECT_EQ(chart.Links[2].Origin, -1);  // missing section: defaults
  EXPECT_EQ(chart.Name, "無題");
}

// The INI reading rules, for files laid out in every way a hand or another program may write
// them: names of any case, repeated keys (the last wins), repeated sections (merged), sections in
// any order, names only similar to the ones read, and cp932 text whose second bytes look like
// brackets.
TEST_F(ChartFilesTest, IniReadingRulesHoldInEveryLayout) {
  const std::string raw =
      "; comment\n"
      "[item1]\nNAME=first\nname=second\n  Left = 7 \nPrm=8,16400\n"
      "[Link0]\nOrigin=1\nFinal=0\n"
      "[GRAPHICALEDIT]\nType=0\nItems=3\nLinks=1\nItems=2\nname=\x95\x5C\x83\x5D\n"
      "[Item01]\nName=not read\n"
      "[Item0]\nTop=5\nLeft=bad\nColor=$FF\n"
      "[ITEM1]\nTop=9\n"
      "[Item4000000000]\nName=far away\n"
      "[\x83\x5D]\nName=x\n";
  Chart chart;
  ASSERT_EQ(OpenChartBytes(chart, raw, prompter).status, OpenStatus::Opened);
  ASSERT_EQ(chart.ObjectCount(), 2);
  EXPECT_EQ(chart.Name, "\xE8\xA1\xA8\xE3\x82\xBE");  // both second bytes are '\\' and ']'
  EXPECT_EQ(chart.Objects[0].Left, 0);                // not a number: the default
  EXPECT_EQ(chart.Objects[0].Top, 5);
  EXPECT_EQ(chart.Objects[0].Color, 0xFFu);
  EXPECT_EQ(chart.Objects[0].Name, "");
  EXPECT_EQ(chart.Objects[0].Width, 50);
  EXPECT_EQ(chart.Objects[1].Name, "second");
  EXPECT_EQ(chart.Objects[1].Left, 7);
  EXPECT_EQ(chart.Objects[1].Top, 9);
  EXPECT_EQ(chart.Objects[1].Head, 8);
  EXPECT_EQ(chart.Objects[1].Values[0], 16400);
  ASSERT_EQ(chart.LinkCount(), 1);
  EXPECT_EQ(chart.Links[0].Origin, 1);
  EXPECT_EQ(chart.Links[0].Final, 0);

  // The allowance for missing sections counts every differently named section once.
  std::string counted = "[GraphicalEdit]\nType=0\nItems=1006\n";
  for (const char* name : {"A", "a", "B", "Item7", "ITEM7", "Item07", "Link9"})
    counted += "[" + std::string(name) + "]\n";
  Chart second;
  EXPECT_EQ(OpenChartBytes(second, counted, prompter).status, OpenStatus::Opened);
  EXPECT_EQ(second.ObjectCount(), 1006);
  counted.replace(counted.find("1006"), 4, "1007");
  Chart third;
  EXPECT_EQ(OpenChartBytes(third, counted, prompter).status, OpenStatus::ReadError);
}

// Files are read in pieces; a line, a CR LF pair or a two-byte character split between two
// pieces reads as it does whole.
TEST_F(ChartFilesTest, ReadingInPiecesGivesWhatReadingWholeGives) {
  const std::string chart =
      "[GraphicalEdit]\r\nType=0\r\nItems=2\r\nLinks=1\r\nName=\x95\xE0\x8D\x73\r\n"
      "[Item0]\r\nName=\x83\x5D\r\nPrm=4,16390\r\n[Item1]\r\nLeft=9\r\n"
      "[Link0]\r\nOrigin=0\r\nFinal=1\r\nPoint=3,4";
  const std::string csv =
      CsvHeader("w") + CsvRow(1, "a", "2", "10") + CsvRow(2, "b", "3", "-5") + "\r\n \r\n";
  for (bool isChart : {true, false}) {
    const std::string& bytes = isChart ? chart : csv;
    for (size_t piece : {size_t{1}, size_t{2}, size_t{7}}) {
      ChartFileReader ini(bytes.size());
      CsvMotionReader rows;
      for (size_t at = 0; at < bytes.size(); at += piece) {
        ini.Feed(std::string_view(bytes).substr(at, piece));
        rows.Feed(std::string_view(bytes).substr(at, piece));
      }
      ini.Finish();
      rows.Finish();
      if (isChart) {
        EXPECT_EQ(ini.HeaderString(ChartFileReader::HName, ""), "\xE6\xAD\xA9\xE8\xA1\x8C");
        EXPECT_EQ(ini.SectionCount(), 4u);
        std::vector<ChartObject> objects = ini.TakeObjects(2);
        EXPECT_EQ(objects[0].Name, "\xE3\x82\xBE");
        EXPECT_EQ(objects[0].Head, 4);
        EXPECT_EQ(objects[0].Values[0], 16390);
        EXPECT_EQ(objects[1].Left, 9);
        ASSERT_NE(ini.Link(0), nullptr);
        EXPECT_EQ(ini.Link(0)->points, (std::vector<LinkPoint>{{3, 4}}));
        EXPECT_FALSE(rows.Valid());
      } else {
        ASSERT_TRUE(rows.Valid()) << piece;
        ASSERT_EQ(rows.Steps().size(), 2u);
        EXPECT_EQ(rows.Steps()[1].name, "b");
        EXPECT_EQ(rows.Steps()[1].head, 8);
        EXPECT_EQ(rows.Steps()[1].values[0], 16384 - 5);
      }
    }
  }
}

TEST_F(ChartFilesTest, BadInputIsRefusedOrStopsCleanly) {
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);

  std::string junk = dir.File("junk.txt");
  test::WriteFile(junk, "hello\r\nworld\r\n");
  EXPECT_EQ(OpenChartFile(chart, junk, prompter).status, OpenStatus::Unusable);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, kMsgFileUnusable);
  EXPECT_EQ(prompter.messages[0].kind, MsgKind::Warning);
  EXPECT_EQ(chart.ObjectCount(), 1);

  EXPECT_EQ(OpenChartFile(chart, dir.File("absent.QVB"), prompter).status, OpenStatus::CannotRead);

  // A bad bend point stops the read: the wires before it stay, nothing dangles.
  std::string bad = dir.File("bad.QVB");
  test::WriteFile(bad,
                  "[GraphicalEdit]\r\nType=0\r\nItems=2\r\nLinks=3\r\n"
                  "[Link0]\r\nOrigin=0\r\nFinal=1\r\nPoint=1,2\r\n"
                  "[Link1]\r\nOrigin=1\r\nFinal=0\r\nPoint=1,zz\r\n"
                  "[Link2]\r\nOrigin=0\r\nFinal=1\r\n");
  prompter.messages.clear();
  OpenResult r = OpenChartFile(chart, bad, prompter);
  EXPECT_EQ(r.status, OpenStatus::ReadError);
  EXPECT_EQ(r.message, "'zz' is not a valid integer value");
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].kind, MsgKind::Error);
  EXPECT_EQ(chart.ObjectCount(), 3);
  ASSERT_EQ(chart.LinkCount(), 1);
  EXPECT_EQ(chart.Links[0].Origin, 1);
  EXPECT_EQ(chart.Links[0].Final, 2);

  // Huge counts in a tiny file are refused without building anything.
  std::string huge = dir.File("huge.QVB");
  test::WriteFile(huge, "[GraphicalEdit]\r\nType=0\r\nItems=2000000000\r\nLinks=5\r\n");
  EXPECT_EQ(OpenChartFile(chart, huge, prompter).status, OpenStatus::ReadError);
  EXPECT_EQ(chart.ObjectCount(), 3);
}

TEST_F(ChartFilesTest, SavingHonoursTheFilterAndRefusesUnwritablePlaces) {
  EXPECT_EQ(ChartFileName("walk.txt", 1), "walk.QVB");
  EXPECT_EQ(ChartFileName("/a/b/walk", 1), "/a/b/walk.QVB");
  EXPECT_EQ(ChartFileName("walk.txt", 2), "walk.txt");

  Chart chart = SampleMotionChart();
  EXPECT_FALSE(SaveChartFile(chart, dir.File("no/such/folder/x.QVB"), prompter));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, kMsgCannotKeep);
  EXPECT_EQ(prompter.messages[0].kind, MsgKind::Error);

  // Saving over an existing chart replaces every section, stray ones included.
  std::string path = dir.File("over.QVB");
  test::WriteFile(path, "[Stray]\r\nx=1\r\n[Item9]\r\nName=old\r\n");
  ASSERT_TRUE(SaveChartFile(chart, path, prompter));
  EXPECT_EQ(test::ReadFile(path).find("Stray"), std::string::npos);
  EXPECT_EQ(test::ReadFile(path).find("Item9"), std::string::npos);
}

// Special files are neither read (a FIFO would block the reader) nor replaced by a save; a link
// is saved through.
TEST_F(ChartFilesTest, SpecialFilesAreRefusedAndLinksAreSavedThrough) {
  std::string fifo = dir.File("pipe.QVB");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  Chart chart = SampleMotionChart();
  for (const std::string& path : {fifo, dir.path().string()}) {
    prompter.messages.clear();
    OpenResult r = OpenChartFile(chart, path, prompter);
    EXPECT_EQ(r.status, OpenStatus::Unusable) << path;
    EXPECT_EQ(r.message.rfind(kMsgFileUnusable, 0), 0u) << r.message;
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, r.message);
    EXPECT_EQ(OpenItemFile(chart, path, 0, 0, prompter).status, OpenStatus::Unusable);
  }
  EXPECT_NE(OpenChartFile(chart, fifo, prompter).message.find("FIFO"), std::string::npos);
  EXPECT_EQ(chart.ObjectCount(), 3);

  prompter.messages.clear();
  chart.SelectAllObjects();
  EXPECT_FALSE(SaveChartFile(chart, fifo, prompter));
  EXPECT_FALSE(SaveItemFile(chart, fifo, prompter));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[1].text, kMsgCannotKeep);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  std::string real = dir.File("real.QVB");
  std::string link = dir.File("link.QVB");
  test::WriteFile(real, "old");
  std::filesystem::create_symlink(real, link);
  ASSERT_TRUE(SaveChartFile(chart, link, prompter));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(test::ReadFile(real).rfind("[GraphicalEdit]", 0), 0u);
  ASSERT_TRUE(SaveItemFile(chart, link, prompter));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_NE(test::ReadFile(real).find("[ItemFile]"), std::string::npos);
}

TEST_F(ChartFilesTest, CsvMotionFilesBecomeChainsOfPositions) {
  std::string path = dir.File("walk.csv");
  std::string ch = "0,-180,180,181,221,222,223,224,225,226,-181,x";
  for (int c = 12; c < 24; ++c) ch += ",0";
  std::string text = CsvHeader("walk") + CsvRow(1, "a", "0", ch) + CsvRow(2, "b", "7", ch) +
                     CsvRow(3, "c", "8", ch) + CsvRow(4, "d", "zz", ch);
  for (int k = 5; k <= 13; ++k) text += CsvRow(k, "n", "1", ch);
  text += "\r\n  \r\n";  // blank lines at the end are harmless
  test::WriteFile(path, text);
  Chart chart;
  ASSERT_EQ(OpenChartFile(chart, path, prompter).status, OpenStatus::Opened);
  EXPECT_EQ(chart.Name, "walk");
  EXPECT_EQ(chart.Start, 0);
  ASSERT_EQ(chart.ObjectCount(), 13);
  EXPECT_EQ(chart.Objects[0].Head, 1);
  EXPECT_EQ(chart.Objects[1].Head, 128);
  EXPECT_EQ(chart.Objects[2].Head, 0);  // speed 8 overflows the byte
  EXPECT_EQ(chart.Objects[3].Head, 2);  // not a number: speed 1
  const ChannelWords& w = chart.Objects[0].Values;
  EXPECT_EQ(w[0], 16384);
  EXPECT_EQ(w[1], 16384 - 180);
  EXPECT_EQ(w[2], 16384 + 180);
  EXPECT_EQ(w[3], 0);
  EXPECT_EQ(w[4], 0x8002);
  EXPECT_EQ(w[7], 0x8005);
  EXPECT_EQ(w[8], 0x8000);
  EXPECT_EQ(w[9], 0x8001);
  EXPECT_EQ(w[10], 0);
  EXPECT_EQ(w[11], 0x8000);  // not a number: 225
  // Placement runs down in steps of 40 and wraps to a new column.
  EXPECT_EQ(chart.Objects[1].Top, 45);
  EXPECT_EQ(chart.Objects[11].Top, 445);
  EXPECT_EQ(chart.Objects[12].Left, 75);
  EXPECT_EQ(chart.Objects[12].Top, 5);
  ASSERT_EQ(chart.LinkCount(), 12);
  EXPECT_EQ(chart.Links[11].Origin, 11);
  EXPECT_EQ(chart.Links[11].Final, 12);
  EXPECT_EQ(chart.SelectedLinkCount(), 12);
}

TEST_F(ChartFilesTest, CsvWithBrokenNumberingOrHeaderIsRefused) {
  std::string ch = "0";
  for (int c = 2; c <= 24; ++c) ch += ",0";
  std::string path = dir.File("bad.csv");
  Chart chart;
  test::WriteFile(path, CsvHeader("w") + CsvRow(1, "a", "1", ch) + CsvRow(3, "b", "1", ch));
  EXPECT_EQ(OpenChartFile(chart, path, prompter).status, OpenStatus::Unusable);
  test::WriteFile(path, CsvHeader("w"));
  EXPECT_EQ(OpenChartFile(chart, path, prompter).status, OpenStatus::Unusable);
  std::string lower = CsvHeader("w");
  lower.replace(0, 2, "no");
  test::WriteFile(path, lower + CsvRow(1, "a", "1", ch));
  EXPECT_EQ(OpenChartFile(chart, path, prompter).status, OpenStatus::Unusable);
  EXPECT_EQ(chart.ObjectCount(), 0);
}

TEST_F(ChartFilesTest, ItemFilesCarrySelectedObjectsAndTheirWires) {
  Chart chart;
  for (int i = 0; i < 6; ++i) chart.PlaceObject(100 + 10 * i, 200 - 10 * i, kPosition);
  chart.Objects[5].Left = 50;  // further left and further up than object 1: the corner
  chart.Objects[5].Top = 100;
  for (int i : {1, 2, 5}) chart.Objects[i].Selected = 1;
  chart.Links = {Wire(0, 1), Wire(1, 2), Wire(2, 3), Wire(2, 5, {{60, 110}}),
                 Wire(5, 1), Wire(1, 5)};
  for (int j : {0, 3, 5}) chart.Links[j].Selected = 1;
  std::string path = dir.File("items.QVB");
  test::WriteFile(path, "[Keep]\r\nme=1\r\n");
  ASSERT_TRUE(SaveItemFile(chart, path, prompter));
  std::string bytes = test::ReadFile(path);
  EXPECT_NE(bytes.find("[Keep]"), std::string::npos);
  EXPECT_NE(bytes.find("[ItemFile]\r\nItemCount=3\r\nLinkCount=2\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("[Link0]\r\nMain=0\r\nOrigin=1\r\nFinal=2\r\nPoint=10,10\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("[Link1]\r\nMain=0\r\nOrigin=0\r\nFinal=2\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("[Item0]\r\nName=POS2\r\nWidth=50\r\nHeight=30\r\nLeft=60\r\nTop=90\r\n"),
            std::string::npos);

  Chart target;
  target.PlaceObject(0, 0, kPosition);
  target.Objects[0].Selected = 1;
  ASSERT_EQ(OpenItemFile(target, path, 600, 10, prompter).status, OpenStatus::Opened);
  ASSERT_EQ(target.ObjectCount(), 4);
  EXPECT_EQ(target.Objects[0].Selected, 0);
  EXPECT_EQ(target.Objects[1].Left, 640 - 50 - 1);  // clamped onto the canvas
  EXPECT_EQ(target.Objects[1].Top, 100);
  EXPECT_EQ(target.Objects[3].Left, 589);
  EXPECT_EQ(target.Objects[3].Top, 10);
  ASSERT_EQ(target.LinkCount(), 2);
  EXPECT_EQ(target.Links[0].Origin, 2);
  EXPECT_EQ(target.Links[0].Final, 3);
  EXPECT_EQ(target.Links[0].Point, (std::vector<LinkPoint>{{610, 20}}));
  EXPECT_EQ(target.SelectedObjectCount(), 3);

  // Nothing selected: nothing to save.
  chart.DeselectAll();
  EXPECT_FALSE(SaveItemFile(chart, dir.File("none.QVB"), prompter));
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.QVB")));
}

TEST_F(ChartFilesTest, ItemFileWithoutNamesGetsIndexNames) {
  std::string path = dir.File("i.QVB");
  test::WriteFile(path, "[Item0]\r\nType=1\r\nPrm=1,0\r\n[ItemFile]\r\nItemCount=1\r\n");
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);
  chart.PlaceObject(0, 0, kPosition);
  ASSERT_EQ(OpenItemFile(chart, path, 0, 0, prompter).status, OpenStatus::Opened);
  EXPECT_EQ(chart.Objects[2].Name, "Item2");
  EXPECT_EQ(chart.Objects[2].Type, kSet);  // used as read, not derived
}

}  // namespace brv3
