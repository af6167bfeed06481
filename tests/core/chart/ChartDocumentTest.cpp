#include "core/chart/ChartDocument.h"

#include <gtest/gtest.h>

#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

// Places one Position object as an undoable edit.
void PlaceOne(ChartDocument& doc) {
  doc.History().Apply("Place",
                      [](Chart& chart) {
                        chart.PlaceObject(10, 10, kPosition);
                        return true;
                      },
                      {ChartChangeKind::ObjectsChanged, {}, ChangeOrigin::Edit});
}

class ChartDocumentTest : public ::testing::Test {
 protected:
  // A saved chart file with `objects` Position objects, named `name`.
  std::string ChartFile(const std::string& file, int objects, const std::string& name) {
    Chart chart;
    chart.Name = name;
    for (int i = 0; i < objects; ++i) chart.PlaceObject(10 + 60 * i, 10, kPosition);
    const std::string path = dir.File(file);
    EXPECT_TRUE(SaveChartFile(chart, path, prompter));
    return path;
  }

  test::TempDir dir;
  test::ScriptedPrompter prompter;
  ChartDocument doc;
};

TEST_F(ChartDocumentTest, NewForgetsTheChartItsHistoryAndItsFile) {
  const std::string path = ChartFile("a.QVB", 2, "walk");
  ASSERT_EQ(doc.Open(path, prompter, true).status, OpenStatus::Opened);
  PlaceOne(doc);
  ASSERT_TRUE(doc.IsModified());

  doc.New();
  EXPECT_EQ(doc.Get().ObjectCount(), 0);
  EXPECT_EQ(doc.Get().Name, kUntitledName);
  EXPECT_TRUE(doc.Path().empty());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.History().CanUndo());
}

TEST_F(ChartDocumentTest, OpenReplacesOrMergesAndARefusedFileChangesNothingItShouldNot) {
  const std::string two = ChartFile("two.QVB", 2, "two");
  const std::string three = ChartFile("three.QVB", 3, "three");

  // Into an empty chart: the file becomes the document, unmodified, with no history.
  ASSERT_EQ(doc.Open(two, prompter, false).status, OpenStatus::Opened);
  EXPECT_EQ(doc.Path(), two);
  EXPECT_EQ(doc.Get().ObjectCount(), 2);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.History().CanUndo());

  // Into a chart with objects: one undoable edit, and the document keeps its own file.
  ASSERT_EQ(doc.Open(three, prompter, false).status, OpenStatus::Opened);
  EXPECT_EQ(doc.Get().ObjectCount(), 5);
  EXPECT_EQ(doc.Path(), two);
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.History().Undo());
  EXPECT_EQ(doc.Get().ObjectCount(), 2);
  EXPECT_FALSE(doc.IsModified());

  // A missing file merged into it: nothing changes, not even the history.
  PlaceOne(doc);
  EXPECT_NE(doc.Open(dir.File("missing.QVB"), prompter, false).status, OpenStatus::Opened);
  EXPECT_EQ(doc.Get().ObjectCount(), 3);
  EXPECT_EQ(doc.History().UndoCount(), 1u);
  EXPECT_EQ(doc.Path(), two);

  // Opened in place of the chart (File > Open after the user let the changes go): a refused
  // file leaves an empty chart, which no longer belongs to the old file, so a later Save cannot
  // overwrite that file with nothing.
  EXPECT_NE(doc.Open(dir.File("missing.QVB"), prompter, true).status, OpenStatus::Opened);
  EXPECT_EQ(doc.Get().ObjectCount(), 0);
  EXPECT_TRUE(doc.Path().empty());
  EXPECT_FALSE(doc.History().CanUndo());
}

TEST_F(ChartDocumentTest, SaveAsMarksTheDocumentSavedOnlyWhenTheFileWasWritten) {
  PlaceOne(doc);
  ASSERT_TRUE(doc.IsModified());
  const std::string path = dir.File("saved.QVB");
  ASSERT_TRUE(doc.SaveAs(path, prompter));
  EXPECT_EQ(doc.Path(), path);
  EXPECT_FALSE(doc.IsModified());

  PlaceOne(doc);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_FALSE(doc.SaveAs(dir.File("no-such-folder/x.QVB"), prompter));
  EXPECT_TRUE(doc.IsModified()) << "a failed save looked like a saved chart";
  EXPECT_EQ(doc.Path(), path);

  // Undo back to the saved state is clean again.
  ASSERT_TRUE(doc.History().Undo());
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace brv3
