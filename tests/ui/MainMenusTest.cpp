#include "ui/app/MainMenus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "core/chart/ChartFiles.h"
#include "core/util/IniFile.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"
#include "ui/chart/CanvasWidget.h"

namespace brv3 {
namespace {

using test::OnNextModal;

// Answers the next message box with `press`, remembering its text.
void Answer(QMessageBox::StandardButton press, QString* text = nullptr) {
  OnNextModal([press, text](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    if (text) *text = box->text();
    box->button(press)->click();
  });
}

struct Window {
  Window() : window(env.SettingsPath()), menus(window.Menus()) {}
  QAction* Action(const char* name) const { return window.findChild<QAction*>(name); }
  // A copy of walk.QVB under `name` in the test folder.
  QString Walk(const std::string& name = "walk.QVB") const {
    const std::string path = env.Dir().File(name);
    test::WriteFile(path, test::ReadFile(test::DataFile("walk.QVB")));
    return QString::fromStdString(path);
  }
  // Moves the first object as a drag on the canvas would.
  // A move of the first object, made as the canvas makes its edits.
  void Edit(int dx = 10) {
    window.History().Apply("Move",
                           [dx](Chart& chart) {
                             chart.Objects.at(0).Left += dx;
                             return true;
                           },
                           {ChartChangeKind::ObjectsChanged, {0}, ChangeOrigin::Edit});
  }

  test::UiEnvironment env;
  TBrivane3 window;
  MainMenus& menus;
};

TEST(MainMenusTest, MenuBarHoldsEveryCommandWithStandardShortcuts) {
  Window w;
  QStringList titles;
  for (QAction* menu : w.window.menuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Board", "&Help"}));

  const std::pair<const char*, QKeySequence::StandardKey> keys[] = {
      {"FileNewAction", QKeySequence::New},       {"FileOpenAction", QKeySequence::Open},
      {"FileSaveAction", QKeySequence::Save},     {"FileSaveAsAction", QKeySequence::SaveAs},
      {"FileQuitAction", QKeySequence::Quit},     {"UndoAction", QKeySequence::Undo},
      {"RedoAction", QKeySequence::Redo},         {"EditCutAction", QKeySequence::Cut},
      {"EditCopyAction", QKeySequence::Copy},     {"EditPasteAction", QKeySequence::Paste},
      {"EditDeleteAction", QKeySequence::Delete}, {"EditSelectAllAction", QKeySequence::SelectAll},
      {"ZoomInAction", QKeySequence::ZoomIn},     {"ZoomOutAction", QKeySequence::ZoomOut}};
  for (auto [name, key] : keys) {
    QAction* action = w.Action(name);
    ASSERT_NE(action, nullptr) << name;
    if (!QKeySequence::keyBindings(key).isEmpty()) {
      EXPECT_EQ(action->shortcut(), QKeySequence::keyBindings(key).first()) << name;
    }
  }
  // Every file command has a key, also where the desktop defines none for Save As.
  for (const char* name :
       {"FileNewAction", "FileOpenAction", "FileSaveAction", "FileSaveAsAction", "FileQuitAction"})
    EXPECT_FALSE(w.Action(name)->shortcut().isEmpty()) << name;
  // Undo and Redo wait for an edit history.
  EXPECT_FALSE(w.menus.UndoAction()->isEnabled());
  EXPECT_FALSE(w.menus.RedoAction()->isEnabled());
  EXPECT_EQ(w.menus.UndoAction(), w.Action("UndoAction"));

  // The Board menu offers the toolbar's own actions and the port list.
  auto* board = w.window.findChild<QMenu*>("BoardMenu");
  ASSERT_NE(board, nullptr);
  for (const char* name : {"MotWriteBtn", "MotReadBtn", "MotDelBtn", "MotRunBtn", "SpeedButton1",
                           "MotStpBtn", "HomePosBtn", "SpeedButton2", "CompileBtn", "TableBtn",
                           "HomeBtn", "OptionBtn", "AdBtn", "SVLBtn", "OptionMenu3", "FormBtn"})
    EXPECT_TRUE(board->actions().contains(w.Action(name))) << name;
  auto* ports = w.window.findChild<QMenu*>("PortMenu");
  ASSERT_NE(ports, nullptr);
  ASSERT_EQ(ports->actions().size(), 21);
  std::vector<int> chosen;
  w.window.SetSelectPortHook([&](int index) {
    chosen.push_back(index);
    return true;
  });
  ports->actions()[5]->trigger();
  EXPECT_EQ(chosen, std::vector<int>{5});
  EXPECT_EQ(w.window.CommPortIndex(), 5);

  // View > Grid and the GRID box follow each other.
  auto* grid = w.Action("ViewGridAction");
  const bool before = w.window.GridOn();
  grid->trigger();
  EXPECT_EQ(w.window.GridOn(), !before);
  EXPECT_EQ(grid->isChecked(), !before);
}

TEST(MainMenusTest, TitleNamesTheFileAndMarksUnsavedEdits) {
  Window w;
  EXPECT_EQ(w.window.windowTitle(), "Brivane Part3");
  ASSERT_TRUE(w.menus.OpenFile(w.Walk()));
  EXPECT_EQ(w.window.windowTitle(), "walk.QVB - Brivane Part3");
  EXPECT_FALSE(w.menus.Modified());

  w.Edit(10);
  EXPECT_TRUE(w.menus.Modified());
  EXPECT_EQ(w.window.windowTitle(), "*walk.QVB - Brivane Part3");
  // Board commands change the caption; the document part stays.
  w.window.SetCaption("Brivane 3");
  EXPECT_EQ(w.window.windowTitle(), "*walk.QVB - Brivane 3");
  // Undoing back to the opened state is no change; selecting is no change either.
  w.window.Undo();
  EXPECT_FALSE(w.menus.Modified());
  w.window.CurrentChart().SelectAllObjects();
  w.window.CurrentChart().Notify(ChartChangeKind::SelectionChanged);
  EXPECT_FALSE(w.menus.Modified());
  EXPECT_EQ(w.window.windowTitle(), "walk.QVB - Brivane 3");
}

TEST(MainMenusTest, FileOpenReplacesTheChartWhileTheToolbarOpenMerges) {
  Window w;
  const QString walk = w.Walk();
  ASSERT_TRUE(w.menus.OpenFile(walk));
  const int objects = w.window.CurrentChart().ObjectCount();
  ASSERT_GT(objects, 0);
  ASSERT_TRUE(w.menus.OpenFile(w.Walk("again.QVB")));
  EXPECT_EQ(w.window.CurrentChart().ObjectCount(), objects);
  EXPECT_EQ(w.window.windowTitle(), "again.QVB - Brivane Part3");

  // A merge keeps the document and marks it changed.
  ASSERT_TRUE(w.window.OpenChart(walk));
  EXPECT_EQ(w.window.CurrentChart().ObjectCount(), 2 * objects);
  EXPECT_TRUE(w.menus.Modified());
  EXPECT_EQ(w.window.windowTitle(), "*again.QVB - Brivane Part3");

  // New asks first; Cancel keeps everything, Discard clears the chart and the file name.
  Answer(QMessageBox::Cancel);
  EXPECT_FALSE(w.menus.NewChart());
  EXPECT_EQ(w.window.CurrentChart().ObjectCount(), 2 * objects);
  QString asked;
  Answer(QMessageBox::Discard, &asked);
  EXPECT_TRUE(w.menus.NewChart());
  EXPECT_TRUE(asked.contains("again.QVB"));
  EXPECT_EQ(w.window.CurrentChart().ObjectCount(), 0);
  EXPECT_EQ(w.window.windowTitle(), "Brivane Part3");
  EXPECT_TRUE(w.menus.FilePath().isEmpty());
}

// File > New by its key starts over as the program does: the previous chart's name and remote
// code are gone from the tab, the chart, and whatever is saved or written next.
TEST(MainMenusTest, NewByItsKeyForgetsTheChartsNameAndCode) {
  Window w;
  w.window.show();
  auto* pages = w.window.findChild<QTabWidget*>("PageControl1");
  ASSERT_TRUE(w.menus.OpenFile(w.Walk()));
  w.window.History().Apply("Rename",
                           [](Chart& chart) {
                             chart.SetChartName("long");
                             chart.Ctrl = 77;
                             return true;
                           },
                           {ChartChangeKind::HeaderChanged, {}, ChangeOrigin::Edit});
  ASSERT_EQ(pages->tabText(0), "EDIT long");
  w.window.findChild<QTreeWidget*>("Qvb")->addTopLevelItem(new QTreeWidgetItem({"00 stale"}));

  QApplication::setActiveWindow(&w.window);
  w.window.Canvas()->setFocus();
  Answer(QMessageBox::Discard);
  QTest::keyClick(w.window.Canvas(), Qt::Key_N, Qt::ControlModifier);
  const Chart& chart = w.window.CurrentChart();
  EXPECT_EQ(chart.ObjectCount(), 0);
  EXPECT_EQ(chart.Name, Chart().Name);
  EXPECT_EQ(chart.Ctrl, 65535);
  EXPECT_EQ(chart.Type, kMotionChart);
  EXPECT_EQ(pages->tabText(0), "EDIT No title");
  EXPECT_EQ(w.window.windowTitle(), "Brivane Part3");
  EXPECT_EQ(w.window.findChild<QTreeWidget*>("Qvb")->topLevelItemCount(), 0);
  EXPECT_FALSE(w.menus.Modified());
  EXPECT_FALSE(w.window.History().CanUndo());

  // What is saved next carries the untitled name, not the old one.
  const std::string saved = w.env.Dir().File("fresh.QVB");
  ASSERT_TRUE(SaveChartFile(chart, saved, w.window.Prompts()));
  EXPECT_EQ(test::ReadFile(saved).find("Name=long"), std::string::npos);
  EXPECT_NE(test::ReadFile(saved).find("Ctrl=65535"), std::string::npos);
}

TEST(MainMenusTest, SaveWritesInPlaceAndClearsTheMark) {
  Window w;
  const QString path = w.Walk("mine.QVB");
  ASSERT_TRUE(w.menus.OpenFile(path));
  const std::string original = test::ReadFile(path.toStdString());
  w.Edit(40);
  ASSERT_TRUE(w.menus.Save());
  EXPECT_FALSE(w.menus.Modified());
  EXPECT_EQ(w.window.windowTitle(), "mine.QVB - Brivane Part3");
  EXPECT_NE(test::ReadFile(path.toStdString()), original);

  // Read back, the moved object is where it was saved.
  const int left = w.window.CurrentChart().Objects[0].Left;
  Window other;
  ASSERT_TRUE(other.menus.OpenFile(path));
  EXPECT_EQ(other.window.CurrentChart().Objects[0].Left, left);
}

// The file dialogs start at the chart that is open, not in the program's working folder; Save As
// offers the chart's own name, a motion read from CSV as a chart file of the same name.
TEST(MainMenusTest, FileDialogsStartAtTheOpenChart) {
  Window w;
  w.window.show();
  auto look = [](QString* folder, QString* proposed) {
    OnNextModal([folder, proposed](QWidget* d) {
      auto* dialog = qobject_cast<QFileDialog*>(d);
      ASSERT_NE(dialog, nullptr);
      *folder = dialog->directory().absolutePath();
      if (proposed) *proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
      dialog->reject();
    });
  };
  const QString path = w.Walk("mine.QVB");
  const QString here = QFileInfo(path).absolutePath();
  ASSERT_NE(here, QDir::currentPath());
  ASSERT_TRUE(w.menus.OpenFile(path));
  QString folder, proposed;
  look(&folder, &proposed);
  EXPECT_FALSE(w.menus.SaveAs());
  EXPECT_EQ(folder.toStdString(), here.toStdString());
  EXPECT_EQ(proposed.toStdString(), "mine.QVB");

  folder.clear();
  look(&folder, nullptr);
  w.Action("OpenBtn")->trigger();
  EXPECT_EQ(folder.toStdString(), here.toStdString());

  const std::string csv = w.env.Dir().File("wave.csv");
  test::WriteFile(csv, test::ReadFile(test::DataFile("wave.csv")));
  ASSERT_TRUE(w.menus.OpenFile(QString::fromStdString(csv)));
  look(&folder, &proposed);
  EXPECT_FALSE(w.menus.Save());
  EXPECT_EQ(proposed.toStdString(), "wave.QVB");
}

TEST(MainMenusTest, ClosingWithUnsavedEditsAsksToSaveAfterTheUsualQuestion) {
  Window w;
  w.window.show();
  ASSERT_TRUE(w.menus.OpenFile(w.Walk()));
  w.Edit();
  QString first, second;
  OnNextModal([&](QWidget* box) {
    first = qobject_cast<QMessageBox*>(box)->text();
    Answer(QMessageBox::Cancel, &second);
    qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
  });
  EXPECT_FALSE(w.window.close());
  EXPECT_EQ(first, "Okay to close?");
  EXPECT_TRUE(second.contains("walk.QVB"));
  EXPECT_TRUE(w.window.isVisible());

  OnNextModal([&](QWidget* box) {
    Answer(QMessageBox::Discard);
    qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
  });
  EXPECT_TRUE(w.window.close());
}

TEST(MainMenusTest, RecentFilesKeepTheLastEightNewestFirst) {
  Window w;
  for (int i = 0; i < 10; ++i)
    ASSERT_TRUE(w.menus.OpenFile(w.Walk("c" + std::to_string(i) + ".QVB")));
  // Opening one again moves it to the top without a duplicate.
  ASSERT_TRUE(w.menus.OpenFile(w.Walk("c5.QVB")));
  const QStringList recent = w.menus.RecentFiles();
  ASSERT_EQ(recent.size(), 8);
  EXPECT_TRUE(recent[0].endsWith("/c5.QVB"));
  EXPECT_TRUE(recent[1].endsWith("/c9.QVB"));
  EXPECT_TRUE(recent[7].endsWith("/c2.QVB"));
  EXPECT_EQ(recent.filter("/c5.QVB").size(), 1);

  // Kept in the settings file beside the other keys, and offered by the next window.
  IniFile ini;
  ASSERT_TRUE(ini.LoadFile(w.env.SettingsPath()));
  EXPECT_EQ(QString::fromStdString(ini.ReadString("RecentFiles", "File1", "")), recent[0]);
  EXPECT_EQ(ini.ReadString("RecentFiles", "File9", "none"), "none");
  TBrivane3 next(w.env.SettingsPath());
  EXPECT_EQ(next.Menus().RecentFiles(), recent);
  auto* menu = next.findChild<QMenu*>("RecentMenu");
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->actions().size(), 8);
  menu->actions()[1]->trigger();
  EXPECT_TRUE(next.Menus().FilePath().endsWith("/c9.QVB"));
}

TEST(MainMenusTest, EditCommandsWorkOnTheChartInView) {
  Window w;
  w.window.show();
  ASSERT_TRUE(w.menus.OpenFile(w.Walk()));
  Chart& chart = w.window.CurrentChart();
  const int objects = chart.ObjectCount();
  // By its shortcut, with the canvas in focus.
  QApplication::setActiveWindow(&w.window);
  w.window.Canvas()->setFocus();
  QTest::keyClick(w.window.Canvas(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(chart.SelectedObjectCount(), objects);
  EXPECT_FALSE(w.menus.Modified());
  w.Action("EditCopyAction")->trigger();
  w.Action("EditPasteAction")->trigger();
  EXPECT_EQ(chart.ObjectCount(), 2 * objects);
  EXPECT_TRUE(w.menus.Modified());
  w.Action("EditCutAction")->trigger();  // the pasted copies are the selection
  EXPECT_EQ(chart.ObjectCount(), objects);
  // Two edits the history keeps; undoing both brings back the chart as opened.
  EXPECT_TRUE(w.menus.Modified());
  w.window.Undo();
  w.window.Undo();
  EXPECT_FALSE(w.menus.Modified());

  // With the listing in front, Delete does not reach the hidden chart.
  w.Action("EditSelectAllAction")->trigger();
  w.window.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
  w.Action("EditDeleteAction")->trigger();
  EXPECT_EQ(chart.ObjectCount(), objects);
  w.window.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(0);
  w.Action("EditDeleteAction")->trigger();
  EXPECT_EQ(chart.ObjectCount(), 0);
  EXPECT_EQ(w.window.windowTitle(), "*walk.QVB - Brivane Part3");
}

TEST(MainMenusTest, ZoomScalesTheViewOnly) {
  Window w;
  CanvasWidget* canvas = w.window.Canvas();
  w.window.show();
  w.Action("ZoomInAction")->trigger();
  w.Action("ZoomInAction")->trigger();
  EXPECT_DOUBLE_EQ(canvas->Zoom(), 1.5625);
  EXPECT_EQ(canvas->size(), QSize(1000, 750));
  EXPECT_EQ(w.window.CanvasSize(), QSize(640, 480));
  EXPECT_EQ(canvas->Picture().size(), QSize(640, 480));
  // Mouse positions are chart positions.
  QMouseEvent move(QEvent::MouseMove, QPointF(500, 250), canvas->mapToGlobal(QPointF(500, 250)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
  EXPECT_EQ(w.window.findChild<QLabel*>("Panel0")->text(), "X = 320  Y = 160");

  for (int i = 0; i < 20; ++i) w.Action("ZoomOutAction")->trigger();
  EXPECT_DOUBLE_EQ(canvas->Zoom(), CanvasWidget::kMinZoom);
  w.Action("ZoomResetAction")->trigger();
  EXPECT_EQ(canvas->size(), QSize(640, 480));
}

TEST(MainMenusTest, WindowLayoutFitsItsTextAndFillsWithCanvasBackground) {
  Window w;
  w.window.show();
  w.window.resize(1200, 900);
  QApplication::processEvents();
  // The canvas keeps its own size; the area around it is canvas background.
  EXPECT_EQ(w.window.Canvas()->size(), QSize(640, 480));
  auto* area = w.window.findChild<QScrollArea*>("ScrollBox1");
  EXPECT_GT(area->viewport()->width(), 640);
  EXPECT_EQ(area->viewport()->backgroundRole(), QPalette::Base);

  Prompter& prompter = w.window.Prompts();
  prompter.SetStatusPanel(0, "X = 486  Y = 300");
  QApplication::processEvents();
  auto* panel = w.window.findChild<QLabel*>("Panel0");
  EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()));
  EXPECT_GE(panel->width(), 100);

  // Tools without their dialog are disabled and say why; the hint itself stays.
  QAction* trim = w.Action("HomeBtn");
  EXPECT_FALSE(trim->isEnabled());
  EXPECT_EQ(trim->toolTip(), "Trim");
  auto* button = w.window.findChild<QToolButton*>("HomeBtn");
  EXPECT_TRUE(button->toolTip().contains("not available"));
  struct Offering : BoardButtons {
    bool OffersDialog(std::string_view) const override { return true; }
  } offering;
  w.window.SetBoardButtons(&offering);
  EXPECT_TRUE(trim->isEnabled());
  EXPECT_EQ(button->toolTip(), "Trim");
  w.window.SetBoardButtons(nullptr);
  EXPECT_FALSE(w.Action("AdBtn")->isEnabled());
  EXPECT_TRUE(w.Action("MotWriteBtn")->isEnabled());
}

}  // namespace
}  // namespace brv3
