#include "ui/app/MainWindow.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <filesystem>

#include "core/util/IniFile.h"
#include "ui/UiTestSupport.h"

namespace brv3 {
namespace {

using test::OnNextModal;

void AnswerClose(QMessageBox::StandardButton press, QString* text = nullptr) {
  OnNextModal([press, text](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    if (text) *text = box->text();
    box->button(press)->click();
  });
}

// A pseudo-terminal whose far end stands in for a board's serial device.
class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) path_ = ptsname(master_);
  }
  ~Pty() {
    if (master_ >= 0) close(master_);
  }
  const std::string& Path() const { return path_; }

 private:
  int master_ = -1;
  std::string path_;
};

class RecordingActions : public BoardButtons {
 public:
  void MotWriteBtnClick() override { ++writes; }
  void MotRunBtnClick() override { ++plays; }
  void AdBtnClick() override { ++analog; }
  void HideObjectEditors() override { ++hides; }
  bool OffersDialog(std::string_view) const override { return true; }
  void PlayMessage(int64_t w, int64_t l) override {
    lastW = w;
    lastL = l;
    ++playMessages;
  }
  int writes = 0, plays = 0, playMessages = 0, analog = 0, hides = 0;
  int64_t lastW = -1, lastL = -1;
};

TEST(MainWindowTest, StartsOnOffWithGridFiveAndGridSwitchFromTheFile) {
  test::UiEnvironment env;
  IniFile ini;
  ini.WriteInteger("BRV3", "CommPort", 3);
  ini.WriteBool("BRV3", "Grid", true);
  ini.WriteInteger("BRV3", "GridWidth", 12);
  ini.WriteInteger("BRV3", "GridHeight", 9);
  ASSERT_TRUE(ini.SaveFile(env.SettingsPath()));

  TBrivane3 window(env.SettingsPath());
  auto* port = window.findChild<QComboBox*>("CommPort");
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->currentIndex(), 0);
  EXPECT_EQ(port->currentText(), "OFF");
  ASSERT_EQ(port->count(), 21);
  EXPECT_EQ(port->itemText(20), "COM20");
  EXPECT_EQ(window.findChild<QLineEdit*>("Edit2")->text().right(15), "> No Connection");
  EXPECT_EQ(window.GridX(), 5);
  EXPECT_EQ(window.GridY(), 5);
  EXPECT_TRUE(window.findChild<QCheckBox*>("GridSw")->isChecked());
  EXPECT_EQ(window.windowTitle(), "Brivane Part3");
  EXPECT_EQ(window.objectName(), "Brivane3");
  EXPECT_EQ(window.CanvasSize(), QSize(640, 480));
  EXPECT_EQ(window.CanvasWidget()->size(), QSize(640, 480));
  EXPECT_EQ(window.CanvasWidget()->objectName(), "Image1");
  auto* pages = window.findChild<QTabWidget*>("PageControl1");
  EXPECT_EQ(pages->tabText(0), "EDIT No title");
  EXPECT_EQ(pages->tabText(1), "LIST");
  EXPECT_EQ(window.Link().AttemptLimit(), 5);
  EXPECT_FALSE(window.CommX1().IsOpen());
}

TEST(MainWindowTest, ToolbarsButtonsHintsAndTheToolRadioGroup) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  const std::pair<const char*, const char*> bars[] = {
      {"ToolBar1", "FILE"},   {"ToolsMenu", "Tools"},    {"CommMenu", "COMM"},
      {"PartsMenu", "PARTS"}, {"CommandMenu", "Commad"}, {"ToolBar2", "Status"}};
  for (auto [name, title] : bars) {
    auto* bar = window.findChild<QToolBar*>(name);
    ASSERT_NE(bar, nullptr) << name;
    EXPECT_EQ(bar->windowTitle(), title);
  }
  EXPECT_FALSE(window.findChild<QToolBar*>("ToolBar1")->isMovable());
  EXPECT_TRUE(window.findChild<QToolBar*>("PartsMenu")->isMovable());

  const std::pair<const char*, const char*> hints[] = {{"OpenBtn", "Load"},
                                                       {"SaveBtn", "Save"},
                                                       {"FormBtn", "Properties"},
                                                       {"InfoBtn", "Information"},
                                                       {"ExitBtn", "Exit"},
                                                       {"HomeBtn", "Trim"},
                                                       {"OptionBtn", "Option"},
                                                       {"AdBtn", "Analog"},
                                                       {"SVLBtn", "SVL"},
                                                       {"OptionMenu3", "Receiver"},
                                                       {"TableBtn", "Table"},
                                                       {"SelectBtn", "Select"},
                                                       {"SetStartBtn", "Start Flag"},
                                                       {"SetItem1Btn", "Position"},
                                                       {"SetItem2Btn", "Set"},
                                                       {"SetItem3Btn", "Compare"},
                                                       {"SetItem4Btn", "Mix"},
                                                       {"Link1Btn", "Flow Wiring"},
                                                       {"Link2Btn", "Branch Wiring"},
                                                       {"CompileBtn", "Compile"},
                                                       {"HomePosBtn", "Home position"},
                                                       {"SpeedButton2", "Trim Position"},
                                                       {"MotWriteBtn", "Write"},
                                                       {"MotReadBtn", "Read"},
                                                       {"MotDelBtn", "Delete"},
                                                       {"MotStpBtn", "Stop"},
                                                       {"SpeedButton1", "Pause"},
                                                       {"MotRunBtn", "Play"}};
  for (auto [name, hint] : hints) {
    auto* action = window.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_EQ(action->toolTip(), hint) << name;
    auto* button = window.findChild<QToolButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->size(), QSize(33, 20)) << name;
  }
  EXPECT_EQ(window.findChild<QCheckBox*>("Sync")->text(), "SYNC");
  EXPECT_EQ(window.findChild<QCheckBox*>("GridSw")->text(), "GRID");
  EXPECT_EQ(window.findChild<QCheckBox*>("GridSw")->toolTip(), "Grid");
  EXPECT_EQ(window.findChild<QComboBox*>("CommPort")->toolTip(), "COM Port");
  EXPECT_EQ(window.findChild<QLineEdit*>("Edit2")->width(), 553);

  auto checkedTools = [&] {
    QStringList down;
    for (const char* name : {"SelectBtn", "SetStartBtn", "SetItem1Btn", "SetItem2Btn",
                             "SetItem3Btn", "SetItem4Btn", "Link1Btn", "Link2Btn"})
      if (window.findChild<QAction*>(name)->isChecked()) down << name;
    return down;
  };
  EXPECT_EQ(checkedTools(), QStringList{"SelectBtn"});
  window.findChild<QAction*>("SetItem4Btn")->trigger();
  EXPECT_EQ(checkedTools(), QStringList{"SetItem4Btn"});
  EXPECT_EQ(window.Tool(), CanvasTool::Mix);
  window.findChild<QAction*>("Link2Btn")->trigger();
  EXPECT_EQ(checkedTools(), QStringList{"Link2Btn"});
  EXPECT_EQ(window.Tool(), CanvasTool::BranchWiring);
}

TEST(MainWindowTest, PortListTooltipsAndWindowMessages) {
  test::UiEnvironment env;
  setenv("BRV3_COM3", "/dev/brv3-test-board", 1);
  TBrivane3 window(env.SettingsPath());
  unsetenv("BRV3_COM3");
  auto* port = window.findChild<QComboBox*>("CommPort");
  EXPECT_EQ(port->itemData(3, Qt::ToolTipRole).toString(), "/dev/brv3-test-board");
  EXPECT_EQ(port->itemData(11, Qt::ToolTipRole).toString(), "/dev/ttyACM0");

  std::vector<int> chosen;
  window.SetSelectPortHook([&](int index) {
    chosen.push_back(index);
    return true;
  });
  window.WindowMessage(0x8001, 0, 21);  // one past the last entry
  window.WindowMessage(0x8001, 0x01000000, 2);
  window.WindowMessage(0x8002, 0, 2);
  EXPECT_TRUE(chosen.empty());
  window.WindowMessage(0x8001, 0, 20);
  EXPECT_EQ(chosen, std::vector<int>{20});
  EXPECT_EQ(port->currentIndex(), 20);
  // Closing the drop-down list selects the entry shown, even when it did not change.
  port->showPopup();
  port->hidePopup();
  QCoreApplication::processEvents();
  EXPECT_EQ(chosen, (std::vector<int>{20, 20}));
  // Hiding the window hides the combo box and its closed list: no choice is made.
  window.show();
  window.hide();
  QCoreApplication::processEvents();
  EXPECT_EQ(chosen, (std::vector<int>{20, 20}));

  RecordingActions actions;
  window.SetBoardButtons(&actions);
  window.WindowMessage(0x8000, 0, 3);
  EXPECT_EQ(actions.playMessages, 1);
  EXPECT_EQ(actions.lastL, 3);
  window.findChild<QAction*>("MotWriteBtn")->trigger();
  window.findChild<QAction*>("MotRunBtn")->trigger();
  EXPECT_EQ(actions.writes, 1);
  EXPECT_EQ(actions.plays, 1);

  const uint8_t stray[] = {0xAA, 0x01};
  window.Notifications().Append(stray, sizeof stray);
  ASSERT_GT(window.Notifications().Size(), 0u);
  window.findChild<QAction*>("AdBtn")->trigger();
  EXPECT_EQ(actions.analog, 1);
  EXPECT_EQ(window.Notifications().Size(), 0u);

  // Becoming the active window hides the about box and the object editors.
  window.findChild<QAction*>("InfoBtn")->trigger();
  auto* about = window.findChild<QDialog*>("InfoDlg");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(&window, &activate);
  EXPECT_FALSE(about->isVisible());
  EXPECT_EQ(actions.hides, 1);

  window.SetBoardButtons(nullptr);
  window.findChild<QAction*>("MotWriteBtn")->trigger();
  EXPECT_EQ(actions.writes, 1);
}

TEST(MainWindowTest, MessagesThroughTheBridgeArriveOnTheEventLoop) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  RecordingActions actions;
  window.SetBoardButtons(&actions);
  window.MessageBridge().Post(0x8000, 0x01001234, 77);
  EXPECT_EQ(actions.playMessages, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(actions.playMessages, 1);
  EXPECT_EQ(actions.lastW, 0x01001234);
  EXPECT_EQ(actions.lastL, 77);
  window.SetBoardButtons(nullptr);
}

TEST(MainWindowTest, CloseAnsweredNoKeepsPortOpenAndFileUntouchedYesWritesSettings) {
  test::UiEnvironment env;
  IniFile ini;
  ini.WriteString("BRV3", "Bmp", "back.jpg");
  ini.WriteInteger("BRV3", "Form", 1);
  ini.WriteInteger("BRV3", "Robot", 250);  // a key no part of the program owns
  ini.WriteString("Ports", "COM4", "/dev/null-board");
  ASSERT_TRUE(ini.SaveFile(env.SettingsPath()));

  Pty pty;
  ASSERT_FALSE(pty.Path().empty());
  setenv("BRV3_COM3", pty.Path().c_str(), 1);
  TBrivane3 window(env.SettingsPath());
  window.show();
  window.ChoosePort(3);
  unsetenv("BRV3_COM3");
  EXPECT_EQ(window.findChild<QLineEdit*>("Edit2")->text().right(9), "> COM3 OK");
  ASSERT_TRUE(window.CommX1().IsOpen());
  window.findChild<QCheckBox*>("GridSw")->setChecked(false);
  const std::string before = test::ReadFile(env.SettingsPath());

  QString asked;
  AnswerClose(QMessageBox::No, &asked);
  EXPECT_FALSE(window.close());
  EXPECT_EQ(asked, "Okay to close?");
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.CommX1().IsOpen());
  EXPECT_EQ(test::ReadFile(env.SettingsPath()), before);

  AnswerClose(QMessageBox::Yes);
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.CommX1().IsOpen());
  IniFile after;
  ASSERT_TRUE(after.LoadFile(env.SettingsPath()));
  EXPECT_EQ(after.ReadInteger("BRV3", "CommPort", -1), 3);
  EXPECT_EQ(after.ReadString("BRV3", "Grid", ""), "0");
  EXPECT_EQ(after.ReadInteger("BRV3", "GridWidth", -1), 5);
  EXPECT_EQ(after.ReadInteger("BRV3", "GridHeight", -1), 5);
  EXPECT_EQ(after.ReadString("BRV3", "Bmp", ""), "back.jpg");
  EXPECT_EQ(after.ReadInteger("BRV3", "Robot", 0), 250);
  EXPECT_EQ(after.ReadString("Ports", "COM4", ""), "/dev/null-board");
}

TEST(MainWindowTest, UnreadableSettingsAreReportedOnceAndNeverWritten) {
  test::UiEnvironment env;
  const std::string binary("\xff\xfe[\0B\0R\0V\0", 10);
  test::WriteFile(env.SettingsPath(), binary);
  TBrivane3 window(env.SettingsPath());
  EXPECT_NE(window.findChild<QLineEdit*>("Edit2")->text().indexOf("can't be read"), -1);
  AnswerClose(QMessageBox::Yes);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(test::ReadFile(env.SettingsPath()), binary);

  // A FIFO in its place would block a reader until someone writes to it.
  std::filesystem::remove(env.SettingsPath());
  ASSERT_EQ(::mkfifo(env.SettingsPath().c_str(), 0600), 0);
  TBrivane3 second(env.SettingsPath());
  EXPECT_NE(second.findChild<QLineEdit*>("Edit2")->text().indexOf("FIFO"), -1);
  AnswerClose(QMessageBox::Yes);
  EXPECT_TRUE(second.close());
  EXPECT_TRUE(std::filesystem::is_fifo(env.SettingsPath()));
}

TEST(MainWindowTest, MissingDeviceLeavesThePortClosedAndSaysSo) {
  test::UiEnvironment env;
  setenv("BRV3_COM7", env.Dir().File("no-such-device").c_str(), 1);
  TBrivane3 window(env.SettingsPath());
  window.ChoosePort(7);
  unsetenv("BRV3_COM7");
  EXPECT_EQ(window.findChild<QLineEdit*>("Edit2")->text().right(21), "> COM7 does not exist");
  EXPECT_FALSE(window.CommX1().IsOpen());
  window.ChoosePort(0);
  EXPECT_EQ(window.findChild<QLineEdit*>("Edit2")->text().right(15), "> No Connection");
}

TEST(MainWindowTest, CommandLineAndDroppedFilesOpenCharts) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  window.show();
  int redraws = 0;
  Subscription counting = window.CurrentChart().Changes().Subscribe([&](const ChartChange& c) {
    if (c.kind == ChartChangeKind::Replaced) ++redraws;
  });
  ASSERT_TRUE(window.OpenChart(QString::fromStdString(test::DataFile("walk.QVB")), true));
  const int objects = window.CurrentChart().ObjectCount();
  EXPECT_GT(objects, 0);
  EXPECT_EQ(redraws, 1);
  EXPECT_NE(window.findChild<QTabWidget*>("PageControl1")->tabText(0), "EDIT No title");

  // A second motion chart dropped on the window is appended to the open one.
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(test::DataFile("walk.QVB"))),
                QUrl::fromLocalFile("/nonexistent/second.QVB")});
  EXPECT_TRUE(window.OpenDroppedFiles(mime));
  EXPECT_EQ(window.CurrentChart().ObjectCount(), 2 * objects);
  EXPECT_EQ(redraws, 2);
  EXPECT_TRUE(window.History().CanUndo());  // adding a file's objects is an edit
  QMimeData text;
  text.setText("not a file");
  EXPECT_FALSE(window.OpenDroppedFiles(text));
  EXPECT_EQ(window.CurrentChart().ObjectCount(), 2 * objects);
}

TEST(MainWindowTest, PrompterSeamShowsStatusPanelsAndCaption) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  Prompter& prompter = window.Prompts();
  prompter.ShowStatus("Write successful");
  const QString status = window.findChild<QLineEdit*>("Edit2")->text();
  EXPECT_TRUE(status.endsWith("> Write successful"));
  EXPECT_FALSE(status.startsWith(">"));
  prompter.SetStatusPanel(1, "MODE");
  prompter.SetStatusPanel(5, "ignored");
  EXPECT_EQ(window.findChild<QLabel*>("Panel1")->text(), "MODE");
  prompter.SetCaption("Brivane 3 [Communication now]");
  EXPECT_EQ(window.windowTitle(), "Brivane 3 [Communication now]");

  OnNextModal([](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click(); });
  EXPECT_EQ(prompter.MsgBox(MsgKind::Information, MsgButtons::Ok, "Done"), IdOk);
}

}  // namespace
}  // namespace brv3
