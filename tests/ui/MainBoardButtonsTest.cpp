#include "ui/app/MainBoardButtons.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/robot/RobotDock.h"

#include <gtest/gtest.h>

#include <future>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <deque>
#include <filesystem>

#include "core/motion/MotionFakes.h"
#include "core/motion/RestPose.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"
#include "support/UnaskedBytesPort.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainMenus.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MessageSocketListener.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/robot/RobotDock.h"
#include "ui/table/DataDlg.h"
#include "ui/table/TableDlg.h"

namespace brv3 {
namespace {

using Strings = std::vector<std::string>;

using test::UnaskedBytesPort;

// The editor's window with the full board buttons, the table and data dialogs, and the
// simulated board as its port; dialogs of the core answer from the scripted prompter.
class BoardWindow {
 public:
  BoardWindow()
      : window(env.SettingsPath()),
        port(engine),
        buttons((window.Link().SetPort(&port), window), prompter),
        data(window.Link(), buttons.Actions().Table(), window.History(), &window),
        table(window.Link(), buttons.Actions().Table(), data, &window, &window) {
    table.SetDeleteAction([this] { buttons.MotDelBtnClick(); });
    buttons.SetTableDialog(&table);
    buttons.SetDataDialog(&data);
    window.SetBoardButtons(&buttons);
    // The listings here are the chart's own; the shipped robot would add its warnings.
    window.Editors().Robot().ClearModel();
  }
  ~BoardWindow() { window.SetBoardButtons(nullptr); }

  void Press(const char* name) {
    auto* action = window.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  // POS1 -> POS2 named WALK, put into the window's own chart.
  void LoadWalk() {
    test::ChartBuilder b;
    int p1 = b.Pos("POS1"), p2 = b.Pos("POS2", 16900);
    b.Flow(p1, p2);
    Chart& chart = window.CurrentChart();
    chart.ClearChart();
    chart.Type = kMotionChart;
    chart.Objects = b.chart.Objects;
    chart.Links = b.chart.Links;
    chart.Start = b.chart.Start;
    chart.SetChartName("WALK");
  }
  QString Cell(int row, int column) const {
    return table.ListView()->topLevelItem(row)->text(column);
  }

  test::UiEnvironment env;
  TBrivane3 window;
  sim::Engine engine;
  sim::SimPort port;
  test::ScriptedPrompter prompter;
  MainBoardButtons buttons;
  TDataDlg data;
  TTableDlg table;
};

TEST(MainBoardButtonsTest, CompileWriteReadPlayDeleteThroughTheToolbar) {
  BoardWindow w;
  ASSERT_EQ(w.table.ListView()->topLevelItemCount(), 85);
  EXPECT_EQ(w.Cell(84, 0), "S5");
  EXPECT_EQ(w.Cell(4, 3), "--/-- --:--");

  w.LoadWalk();
  w.Press("CompileBtn");
  EXPECT_EQ(w.prompter.statuses, Strings{"Compile successful"});
  EXPECT_EQ(w.window.Qvb()->topLevelItemCount(), 3);
  EXPECT_EQ(w.window.List()->topLevelItemCount(), 3);
  EXPECT_TRUE(w.port.Log().empty());  // compiling sends nothing

  // Write to M5: the table window shows the entry the write stamped.
  w.prompter.statuses.clear();
  w.prompter.selections.push_back(4);
  w.Press("MotWriteBtn");
  ASSERT_FALSE(w.prompter.statuses.empty());
  EXPECT_EQ(w.prompter.statuses.back(), "Write successful");
  EXPECT_EQ(w.Cell(4, 1), "WALK");
  EXPECT_EQ(w.Cell(4, 2), "3");
  EXPECT_NE(w.Cell(4, 3), "--/-- --:--");
  EXPECT_EQ(w.Cell(5, 2), "0");

  // Read it back into an emptied chart: views hear the chart was replaced.
  w.window.CurrentChart().ClearChart();
  w.window.Qvb()->clear();
  int replaced = 0;
  Subscription counting = w.window.CurrentChart().Changes().Subscribe(
      [&](const ChartChange& c) { replaced += c.kind == ChartChangeKind::Replaced ? 1 : 0; });
  w.prompter.statuses.clear();
  w.prompter.selections.push_back(4);
  w.Press("MotReadBtn");
  EXPECT_EQ(w.prompter.statuses.back(), "Reading succeeded");
  EXPECT_EQ(w.window.CurrentChart().ObjectCount(), 2);
  EXPECT_EQ(w.window.CurrentChart().Name, "WALK");
  EXPECT_EQ(w.window.Qvb()->topLevelItemCount(), 3);
  EXPECT_EQ(replaced, 1);
  EXPECT_EQ(w.window.History().UndoLabel(), "Read");

  // An empty entry: "No Data", the chart stays: no change, no undo step.
  w.prompter.selections.push_back(6);
  w.Press("MotReadBtn");
  EXPECT_EQ(w.prompter.statuses.back(), "No Data");
  EXPECT_EQ(w.window.CurrentChart().ObjectCount(), 2);
  EXPECT_EQ(replaced, 1);
  EXPECT_EQ(w.window.Qvb()->topLevelItemCount(), 0);  // not the rows of the motion read before
  // Cancel in the selection dialog: nothing happens.
  w.prompter.selections.push_back(-2);
  w.Press("MotReadBtn");
  EXPECT_EQ(replaced, 1);
  EXPECT_EQ(w.window.History().UndoCount(), 1u);

  // Play M5, then Play again opens on M5.
  w.prompter.statuses.clear();
  w.prompter.selections.push_back(4);
  w.Press("MotRunBtn");
  EXPECT_EQ(w.prompter.statuses, Strings{"Sending the Play command"});
  w.prompter.selections.push_back(-2);
  w.Press("MotRunBtn");
  EXPECT_EQ(w.prompter.selectDialogs.back().SelectIndex, 4);
  w.Press("MotStpBtn");

  // Delete through the table window's button; No first sends nothing.
  w.prompter.statuses.clear();
  w.prompter.answers.push_back(IdNo);
  w.prompter.selections.push_back(4);
  w.port.ClearLog();
  w.table.findChild<QToolButton*>("MotDelBtn")->click();
  EXPECT_TRUE(w.port.Log().empty());
  EXPECT_EQ(w.Cell(4, 1), "WALK");
  w.prompter.selections.push_back(4);
  w.table.MotDelBtnClick();
  EXPECT_EQ(w.prompter.statuses.back(), "Delete successful");
  EXPECT_EQ(w.Cell(4, 1), "");
  EXPECT_EQ(w.Cell(4, 2), "0");

  // A refresh reads all 85 entries back and agrees.
  w.window.CurrentChart().ClearChart();
  w.LoadWalk();
  w.prompter.selections.push_back(79);
  w.Press("MotWriteBtn");
  w.table.ShowRows();
  w.table.ListView()->clear();
  EXPECT_TRUE(w.table.MotReadBtnClick());
  ASSERT_EQ(w.table.ListView()->topLevelItemCount(), 85);
  EXPECT_EQ(w.Cell(79, 0), "M80");
  EXPECT_EQ(w.Cell(79, 1), "WALK");
  EXPECT_EQ(w.Cell(4, 2), "0");
  EXPECT_TRUE(w.window.isEnabled());
  EXPECT_TRUE(w.table.isEnabled());

  // A dragged row carries "row|label|name".
  QTreeWidget* list = w.table.ListView();
  std::unique_ptr<QMimeData> mime(list->model()->mimeData({list->model()->index(79, 0)}));
  ASSERT_NE(mime, nullptr);
  EXPECT_EQ(QString::fromUtf8(mime->data("application/x-brivane3-table-row")), "79|M80|WALK");
}

// Warnings head the LIST sheet after a compile; before a write they are asked about, and "Do not
// ask again for this chart" quiets the question for that chart only after a Yes.
TEST(MainBoardButtonsTest, WarningsAreShownAndAskedAboutBeforeWrite) {
  BoardWindow w;
  w.LoadWalk();
  w.window.CurrentChart().Objects[1].Values[0] = 20000;
  w.Press("CompileBtn");
  ASSERT_EQ(w.window.Qvb()->topLevelItemCount(), 4);
  EXPECT_TRUE(w.window.Qvb()->topLevelItem(0)->text(0).startsWith(
      "warning: Object \"POS2\": CH1 20000 outside the pulse-servo range"))
      << w.window.Qvb()->topLevelItem(0)->text(0).toStdString();
  EXPECT_TRUE(w.prompter.checkMessages.empty());  // compiling asks nothing

  w.prompter.checkAnswers = {{IdNo, true}, {IdYes, true}};
  w.prompter.selections = {4, 4, 4};
  w.Press("MotWriteBtn");
  ASSERT_EQ(w.prompter.checkMessages.size(), 1u);
  EXPECT_NE(w.prompter.checkMessages[0].text.find("Write anyway?"), std::string::npos);
  EXPECT_TRUE(w.port.Log().empty());  // refused: nothing reached the board
  EXPECT_EQ(w.window.Qvb()->topLevelItemCount(), 4);
  w.Press("MotWriteBtn");
  EXPECT_EQ(w.prompter.statuses.back(), "Write successful");
  w.Press("MotWriteBtn");  // the same chart: not asked again
  EXPECT_EQ(w.prompter.checkMessages.size(), 2u);
  EXPECT_EQ(w.prompter.statuses.back(), "Write successful");

  // A chart of another name is asked about again.
  w.window.CurrentChart().SetChartName("RUN");
  w.prompter.checkAnswers = {{IdNo, false}};
  w.prompter.selections = {4};
  w.prompter.statuses.clear();
  w.Press("MotWriteBtn");
  EXPECT_EQ(w.prompter.checkMessages.size(), 3u);
  EXPECT_TRUE(w.prompter.statuses.empty());
}

// A scenario read back sizes its MOT boxes with the canvas font, not a fixed width per character.
TEST(MainBoardButtonsTest, ScenarioReadSizesMotBoxesWithTheCanvasFont) {
  BoardWindow w;
  w.LoadWalk();
  w.window.CurrentChart().SetChartName("WWWWWWWW");
  w.prompter.selections.push_back(4);
  w.Press("MotWriteBtn");
  ASSERT_EQ(w.prompter.statuses.back(), "Write successful");
  test::ChartBuilder s(kScenarioChart);
  const int a = s.Mot("M5", 4), b = s.Mot("M5", 4);
  s.Flow(a, b);
  ASSERT_EQ(w.buttons.Actions().Write(*Slot::Scenario(0), s.chart), ActionResult::Done);

  QWidget* canvas = w.window.CanvasWidget();
  ASSERT_NE(canvas, nullptr);
  QFont font = canvas->font();
  font.setPixelSize(23);  // far from 8 px per character
  canvas->setFont(font);
  w.prompter.selections.push_back(80);
  w.Press("MotReadBtn");
  const Chart& chart = w.window.CurrentChart();
  ASSERT_EQ(chart.ObjectCount(), 2) << w.prompter.statuses.back();
  EXPECT_EQ(chart.Objects[0].Name, "M5 WWWWWWWW");
  const int measured = QFontMetrics(font).horizontalAdvance("M5 WWWWWWWW");
  EXPECT_EQ(chart.Objects[0].Width, measured + 20);
  EXPECT_NE(chart.Objects[0].Width, 11 * 8 + 20);
}

// Home keeps the held pose; Trim centres every servo but leaves the other words. Both leave the
// board awake with motion disabled, and a silent board stops the sequence before any pose.
TEST(MainBoardButtonsTest, HomeAndTrimPositionSendTheStopPoseAndWakeTheBoard) {
  BoardWindow w;
  Bytes pose(49, 0);
  pose[0] = 20;
  const uint16_t words[4] = {0x5000, 0x8001, 0x0000, 0x2345};
  for (int c = 0; c < 24; ++c) {
    pose[1 + 2 * c] = static_cast<uint8_t>(words[c % 4] >> 8);
    pose[2 + 2 * c] = static_cast<uint8_t>(words[c % 4] & 0xFF);
  }
  ASSERT_TRUE(w.window.Link().WritePose(PoseArea::Live, 0, 0, pose));
  const auto liveWord = [&](int c) {
    const auto& live = w.engine.board().LivePose();
    return static_cast<uint16_t>(live[1 + 2 * c] << 8 | live[2 + 2 * c]);
  };

  w.Press("HomePosBtn");
  EXPECT_EQ(w.engine.board().LivePose()[0], 100);
  for (int c = 0; c < 24; ++c) EXPECT_EQ(liveWord(c), words[c % 4]) << c;
  EXPECT_EQ(w.engine.board().Working().modeWord & (kModeSleep | kModePause), 0);

  w.Press("SpeedButton2");
  const uint16_t trimmed[4] = {0x4000, 0x8001, 0x0000, 0x4000};
  for (int c = 0; c < 24; ++c) EXPECT_EQ(liveWord(c), trimmed[c % 4]) << c;
  EXPECT_EQ(w.engine.board().Working().modeWord & kModeSleep, 0);

  // The record rules on their own: only servo positions 1..0x7FFF are centred.
  const Bytes stop = {0x00, 0x01, 0x7F, 0xFF, 0x80, 0x00, 0x80, 0x02, 0x00, 0x00};
  const Bytes record = RestPoseRecord(stop, RestPose::Trim);
  ASSERT_EQ(record.size(), 49u);
  EXPECT_EQ(Bytes(record.begin(), record.begin() + 11),
            (Bytes{100, 0x40, 0x00, 0x40, 0x00, 0x80, 0x00, 0x80, 0x02, 0x00, 0x00}));
  EXPECT_EQ(RestPoseRecord(stop, RestPose::Home)[2], 0x01);

  // No board: nothing after the failed sleep command.
  w.port.Close();
  w.port.ClearLog();
  w.Press("HomePosBtn");
  EXPECT_TRUE(w.port.Log().empty());
}

TEST(MainBoardButtonsTest, DataDialogCleansTheNameAndKeepsTheCodeOnBadInput) {
  EXPECT_EQ(TDataDlg::CleanName("a,b\"c"), "a b c");
  EXPECT_EQ(TDataDlg::CleanName("歩く"), "歩く");
  EXPECT_EQ(TDataDlg::CodeFromText("abc", 7), 7);
  EXPECT_EQ(TDataDlg::CodeFromText(" 258 ", 7), 258);
  EXPECT_EQ(TDataDlg::CodeFromText("-1", 7), 7);
  EXPECT_EQ(TDataDlg::CodeFromText("65536", 7), 7);
  EXPECT_EQ(TDataDlg::CodeFromText("65535", 7), 65535);

  BoardWindow w;
  // The open chart (-1): name and code go into the chart.
  w.window.CurrentChart().Ctrl = 99;
  w.data.ShowEntry(-1);
  EXPECT_EQ(w.data.CntEdit()->text(), "99");
  w.data.MotName()->setText("a,b\"c");
  w.data.CntEdit()->setText("abc");
  w.data.OkClick();
  EXPECT_EQ(w.data.MotName()->text(), "a b c");
  EXPECT_EQ(w.window.CurrentChart().Name, "a b c");
  EXPECT_EQ(w.window.CurrentChart().Ctrl, 99);
  w.data.CntEdit()->setText("300");
  w.data.OkClick();
  EXPECT_EQ(w.window.CurrentChart().Ctrl, 300);

  // A table entry: the board's entry is updated and the table row follows.
  w.data.ShowEntry(3);
  EXPECT_EQ(w.data.CntEdit()->text(), "65535");
  w.data.MotName()->setText("x\"y");
  w.data.CntEdit()->setText("1234");
  w.data.OkClick();
  EXPECT_EQ(w.Cell(3, 1), "x y");
  EXPECT_EQ(w.Cell(3, 4), "1234");
  w.data.ShowEntry(3);
  w.data.CntEdit()->setText("abc");  // falls back to the open chart's code
  w.data.OkClick();
  EXPECT_EQ(w.Cell(3, 4), "300");

  // A remote-control report the board sends on its own lands in the code box, whether the
  // dialog shows or not.
  UnaskedBytesPort unasked;
  unasked.incoming = {0x00, 0xFD, 0x00, 0x12, 0x34, 1, 2, 3, 4, 0x00};
  w.window.Link().SetPort(&unasked);
  w.buttons.CommX1Receive(10);
  EXPECT_EQ(w.data.CntEdit()->text(), "4660");
  w.window.Link().SetPort(&w.port);
}

// The chart's name and code typed into the data dialog (opened by a double click on empty
// canvas) are one undoable edit: the title marks it unsaved and Undo brings the old name back.
TEST(MainBoardButtonsTest, RenamingTheChartInTheDataDialogIsAnUndoableEdit) {
  BoardWindow w;
  w.window.Canvas()->SetDataDialogHook([&w] { w.data.ShowForChart(); });
  w.window.show();
  QApplication::setActiveWindow(&w.window);
  auto* pages = w.window.findChild<QTabWidget*>("PageControl1");
  const std::string untitled = Chart().Name;
  ASSERT_FALSE(w.window.Menus().Modified());

  // The name of a new chart is shown in the user's language; OK leaves the stored name alone.
  QString shownName;
  test::OnNextModal([&shownName](QWidget* dialog) {
    shownName = dialog->findChild<QLineEdit*>("MotName")->text();
    QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  });
  w.data.ShowForChart();
  EXPECT_EQ(shownName, "No title");
  EXPECT_EQ(w.window.CurrentChart().Name, untitled);
  EXPECT_EQ(w.window.History().UndoCount(), 0u);

  auto typeInto = [](QWidget* dialog, const char* name, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
  };
  test::OnNextModal([&](QWidget* dialog) {
    typeInto(dialog, "MotName", "HOP");
    typeInto(dialog, "CntEdit", "77");
    QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  });
  QWidget* canvas = w.window.Canvas();
  const QPoint empty(600, 450);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, empty);
  QTest::mousePress(canvas, Qt::LeftButton, {}, empty);
  QTest::mouseDClick(canvas, Qt::LeftButton, {}, empty);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, empty);

  const Chart& chart = w.window.CurrentChart();
  EXPECT_EQ(chart.Name, "HOP");
  EXPECT_EQ(chart.Ctrl, 77);
  EXPECT_EQ(pages->tabText(0), "EDIT HOP");
  EXPECT_TRUE(w.window.Menus().Modified());
  EXPECT_TRUE(w.window.windowTitle().startsWith("*")) << w.window.windowTitle().toStdString();
  EXPECT_EQ(w.window.History().UndoCount(), 1u);

  // OK without a change is no edit at all.
  test::OnNextModal([](QWidget* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  });
  w.data.ShowForChart();
  EXPECT_EQ(w.window.History().UndoCount(), 1u);

  // Undo by its key.
  QApplication::setActiveWindow(&w.window);
  canvas->setFocus();
  QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(chart.Name, untitled);
  EXPECT_EQ(chart.Ctrl, 65535);
  EXPECT_NE(pages->tabText(0), "EDIT HOP");
  EXPECT_FALSE(w.window.Menus().Modified());
}

TEST(MainBoardButtonsTest, DoubleClickEditsAnEntryThroughTheDataDialog) {
  BoardWindow w;
  test::OnNextModal([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("MotName")->setText("HOP");
    dialog->findChild<QLineEdit*>("CntEdit")->setText("77");
    dialog->findChild<QPushButton*>("Button1")->click();
  });
  w.table.EditEntry(2);
  EXPECT_EQ(w.Cell(2, 1), "HOP");
  EXPECT_EQ(w.Cell(2, 4), "77");
  EXPECT_EQ(w.data.result(), QDialog::Accepted);

  // Cancel stores nothing.
  test::OnNextModal([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("MotName")->setText("JUMP");
    dialog->findChild<QPushButton*>("Button2")->click();
  });
  w.table.EditEntry(2);
  EXPECT_EQ(w.Cell(2, 1), "HOP");

  // Without a board the sequence stops before any dialog shows.
  w.port.Close();
  w.table.EditEntry(2);
  EXPECT_EQ(w.Cell(2, 1), "HOP");
}

// Answers the next message box (a question asked over an open dialog) with `press`.
void AnswerBox(QMessageBox::StandardButton press, QString* text = nullptr) {
  test::OnNextModal([press, text](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    if (text) *text = box->text();
    QTest::mouseClick(box->button(press), Qt::LeftButton);
  });
}

int TableReads(const sim::SimPort& port) {
  int reads = 0;
  for (const sim::SimPort::Burst& burst : port.Log())
    if (burst.direction == '>' && !burst.bytes.empty() && burst.bytes[0] == 0xF5) ++reads;
  return reads;
}

// The real selection dialog behind Play: slots never read say so instead of passing for empty,
// and the table is read only after the user asks in the dialog and agrees.
TEST(MainBoardButtonsTest, TheSelectionDialogMarksUnreadSlotsAndReadsTheTableWhenAsked) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  sim::Engine engine;
  sim::SimPort port(engine);
  window.Link().SetPort(&port);
  MainBoardButtons buttons(window, window.Prompts());
  TDataDlg data(window.Link(), buttons.Actions().Table(), window.History(), &window);
  TTableDlg table(window.Link(), buttons.Actions().Table(), data, &window, &window);
  buttons.SetTableDialog(&table);
  buttons.SetDataDialog(&data);
  window.SetBoardButtons(&buttons);
  window.show();
  // The board holds a motion in M5 that this run of the editor never read.
  BoardLink other(&port);
  ASSERT_TRUE(other.UpdateTableEntry(4, 3, 0, "WALK", EntryDate::Given({3, 7, 9, 5}), 0xFFFF));
  port.ClearLog();

  QString question;
  bool checked = false;
  test::OnNextModal([&](QWidget* dialog) {
    checked = true;
    auto* combo = dialog->findChild<QComboBox*>("Combo");
    auto* note = dialog->findChild<QLabel*>("TableNoteText");
    auto* read = dialog->findChild<QPushButton*>("ReadTableBtn");
    ASSERT_TRUE(combo && note && read);
    EXPECT_EQ(combo->itemText(4), "M5 (not read)");
    EXPECT_EQ(combo->itemText(84), "S5 (not read)");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().contains("not been read")) << note->text().toStdString();
    EXPECT_TRUE(read->isVisible() && read->isEnabled());
    EXPECT_EQ(TableReads(port), 0);

    // No to the question: nothing is read.
    AnswerBox(QMessageBox::No, &question);
    QTest::mouseClick(read, Qt::LeftButton);
    EXPECT_TRUE(question.contains("limp")) << question.toStdString();
    EXPECT_EQ(TableReads(port), 0);
    EXPECT_EQ(combo->itemText(4), "M5 (not read)");

    // Yes: read; the list shows names and dates as the table window does.
    AnswerBox(QMessageBox::Yes);
    QTest::mouseClick(read, Qt::LeftButton);
    EXPECT_EQ(TableReads(port), 85);
    EXPECT_EQ(combo->itemText(4), "M5 WALK 3/7 09:05");
    EXPECT_EQ(combo->itemText(0), "M1  --/-- --:--");
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(table.ListView()->topLevelItem(4)->text(1), "WALK");
    QTest::mouseClick(dialog->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
  });
  auto* play = window.findChild<QToolButton*>("MotRunBtn");
  ASSERT_NE(play, nullptr);
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(window.isEnabled());
  window.SetBoardButtons(nullptr);
}

// Play of the entry the open chart was written to also starts the robot's preview; once another
// chart is opened, that entry no longer holds it and the preview stays still.
TEST(MainBoardButtonsTest, PlayStartsThePreviewOnlyForTheEntryTheOpenChartIsIn) {
  BoardWindow w;
  RobotDock& robot = w.window.Editors().Robot();
  std::string error;
  ASSERT_TRUE(robot.LoadModel(test::DataFile("robots/arm.urdf"), &error)) << error;
  w.window.show();
  robot.show();
  ASSERT_TRUE(robot.isVisible());
  w.LoadWalk();
  w.prompter.selections.push_back(4);
  w.Press("MotWriteBtn");
  ASSERT_EQ(w.prompter.statuses.back(), "Write successful");
  w.prompter.selections.push_back(4);
  w.Press("MotRunBtn");
  EXPECT_TRUE(robot.Playing());
  w.Press("MotStpBtn");
  robot.Stop();

  w.window.Document().New();
  w.LoadWalk();
  w.prompter.selections.push_back(4);
  w.Press("MotRunBtn");
  EXPECT_FALSE(robot.Playing());
  w.Press("MotStpBtn");
}

// Records the play messages the window hands on.
class PlayRecorder : public BoardButtons {
 public:
  void PlayMessage(int64_t w, int64_t l) override { plays.push_back({w, l}); }
  std::vector<std::pair<int64_t, int64_t>> plays;
};

TEST(MainBoardButtonsTest, MessageThroughTheSocketReachesTheWindow) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  PlayRecorder recorder;
  window.SetBoardButtons(&recorder);
  const std::string path = env.Dir().File("editor.sock");
  {
    MessageSocketListener listener(window.MessageBridge());
    std::string error;
    ASSERT_TRUE(listener.Listen(path, &error)) << error;
    // The sender waits for the editor's answer, so it runs beside the window's event loop.
    auto sent = std::async(std::launch::async, [&path] {
      return std::pair{platform::SendWindowMessage(path, {0x8000, 0, 3}),
                       platform::SendWindowMessage(path, {0x8000, 1, 5})};
    });
    QElapsedTimer timer;
    timer.start();
    while ((recorder.plays.size() < 2 ||
            sent.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) &&
           timer.elapsed() < 10000)
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    const auto results = sent.get();
    EXPECT_EQ(results.first, platform::SendResult::Sent);
    EXPECT_EQ(results.second, platform::SendResult::Sent);
    ASSERT_EQ(recorder.plays.size(), 2u);
    EXPECT_EQ(recorder.plays[0], (std::pair<int64_t, int64_t>{0, 3}));
    EXPECT_EQ(recorder.plays[1], (std::pair<int64_t, int64_t>{1, 5}));
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  window.SetBoardButtons(nullptr);
}

}  // namespace
}  // namespace brv3
