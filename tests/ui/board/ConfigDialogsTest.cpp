// The trim, options and serial-servo dialogs by their control names, against the in-process
// board, checking what the board received.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "core/util/IniFile.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainBoardButtons.h"
#include "ui/app/MainWindow.h"
#include "ui/board/ConfigDialogs.h"
#include "ui/board/HomeDlg.h"
#include "ui/board/OptDlg.h"
#include "ui/board/SVLDlg.h"
#include "ui/board/SVLPrm.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {
namespace {

sim::FlashMemory Flash() {
  sim::FlashMemory flash = sim::FlashMemory::Defaults();
  flash.ssvMask = {0x01, 0x00, 0x80};
  flash.svlMask = {0x03, 0x00, 0x00};
  flash.trim[1] = 17000;
  flash.modeWord = 0x4000;
  flash.alarmMotion = {85, 0x01, 0x87};
  for (auto& r : flash.svlShort)
    r = {0x5A, 1, 1, 1, 1, 1, 1, 0, 0x06, 0xD6, 0x04, 0xB0, 75, 1, 1, 1, 1};
  flash.svlLong[0].fill(0x30);
  flash.svlLong[0][7] = 0x0C;
  return flash;
}

class ConfigDialogsTest : public ::testing::Test {
 protected:
  ConfigDialogsTest()
      : window(env.SettingsPath()), engine(std::make_unique<sim::Board>(Flash())), port(engine) {
    window.Link().SetPort(&port);
  }
  ~ConfigDialogsTest() override { window.Link().SetPort(nullptr); }

  template <class T>
  T* Find(QWidget& dlg, const QString& name) {
    T* w = dlg.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  std::vector<Bytes> Sent(uint8_t command) const {
    std::vector<Bytes> frames;
    for (const auto& burst : port.Log())
      if (burst.direction == '>' && burst.bytes.size() > 1 && burst.bytes[0] == command)
        frames.push_back(burst.bytes);
    return frames;
  }
  const sim::FlashMemory& Board() const { return engine.board().Flash(); }

  test::UiEnvironment env;
  TBrivane3 window;
  sim::Engine engine;
  sim::SimPort port;
  test::ScriptedPrompter prompter;
};

TEST_F(ConfigDialogsTest, ToolbarButtonsOpenTheirDialogs) {
  MainBoardButtons buttons(window, window.Prompts());
  window.SetBoardButtons(&buttons);
  for (const char* name : {"HomeBtn", "OptionBtn", "SVLBtn"})
    EXPECT_TRUE(window.findChild<QAction*>(name)->isEnabled()) << name;
  QString caption;
  test::OnNextModal([&caption](QWidget* dialog) {
    caption = dialog->windowTitle();
    static_cast<QDialog*>(dialog)->reject();
  });
  window.findChild<QAction*>("SVLBtn")->trigger();
  EXPECT_EQ(caption, "SVL");
  EXPECT_EQ(Board().modeWord & 0x4000, 0);  // cleared on the way out
  window.SetBoardButtons(nullptr);
}

TEST_F(ConfigDialogsTest, TrimRowsHoldTheirRangesAndCloseWritesTheSliders) {
  THomeDlg dlg(window.Link(), prompter);
  dlg.SetEditor(&window.Editors().PrmDlg());
  window.Editors().PrmDlg().Layout().SetChannelCaption(3, "Knee");
  ASSERT_TRUE(dlg.Prepare());
  EXPECT_EQ(dlg.windowTitle(), "TrimDialog");
  EXPECT_EQ(Find<QSlider>(dlg, "Scroll1")->maximum(), 20384);
  EXPECT_EQ(Find<QSlider>(dlg, "Scroll2")->maximum(), 16729);
  EXPECT_EQ(Find<QSlider>(dlg, "Scroll2")->value(), 16729);
  EXPECT_EQ(Find<QLineEdit>(dlg, "Edit2")->text(), "616");
  EXPECT_EQ(Find<QLabel>(dlg, "Label3")->text(), "Knee");

  Find<QSlider>(dlg, "Scroll3")->setValue(16500);
  EXPECT_EQ(Find<QLineEdit>(dlg, "Edit3")->text(), "116");
  QLineEdit* edit4 = Find<QLineEdit>(dlg, "Edit4");
  edit4->setText("-100");
  QTest::keyClick(edit4, Qt::Key_Return);
  EXPECT_EQ(Find<QSlider>(dlg, "Scroll4")->value(), 16284);
  EXPECT_EQ(Sent(0xFB).size(), 2u);

  dlg.reject();
  EXPECT_EQ(Board().trim[1], 16729);
  EXPECT_EQ(Board().trim[2], 16500);
  EXPECT_EQ(Board().trim[3], 16284);
  EXPECT_EQ(Sent(0xFA).back()[1], 0x03);
}

TEST_F(ConfigDialogsTest, TrimFilesThroughTheFileButtons) {
  THomeDlg dlg(window.Link(), prompter);
  ASSERT_TRUE(dlg.Prepare());
  const std::string path = env.Dir().File("trim.ini");
  QString chosen = QString::fromStdString(path);
  int filter = 1;
  dlg.SetFileChooser([&](QWidget*, bool, int* index) {
    if (index) *index = filter;
    return chosen;
  });
  test::WriteFile(path, "[TrimData]\r\nCH1=16000\r\n");
  Find<QPushButton>(dlg, "OpenBtn")->click();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "The designated file can't be used");
  EXPECT_TRUE(Sent(0xFA).empty());

  Find<QSlider>(dlg, "Scroll5")->setValue(16400);
  test::WriteFile(path, "[Keep]\r\nx=1\r\n");
  Find<QPushButton>(dlg, "SaveBtn")->click();  // second filter: the name stays
  IniFile saved;
  ASSERT_TRUE(saved.LoadFile(path));
  EXPECT_EQ(saved.SectionNames(), std::vector<std::string>{"TrimData"});
  EXPECT_EQ(saved.ReadInteger("TrimData", "CH5", 0), 16400);

  Find<QSlider>(dlg, "Scroll5")->setValue(16384);
  Find<QPushButton>(dlg, "OpenBtn")->click();
  EXPECT_EQ(Find<QSlider>(dlg, "Scroll5")->value(), 16400);
  EXPECT_EQ(Sent(0xFA).back()[1], 0x01);
  EXPECT_EQ(engine.board().Working().trim[4], 16400);
  dlg.reject();
}

// Enter in a trim edit sends that channel's trim and nothing else: no file button stands in as
// the dialog's default button.
TEST_F(ConfigDialogsTest, EnterInATrimEditPressesNoFileButton) {
  THomeDlg dlg(window.Link(), prompter);
  ASSERT_TRUE(dlg.Prepare());
  int chooserCalls = 0;
  dlg.SetFileChooser([&](QWidget*, bool, int*) {
    ++chooserCalls;
    return QString();
  });
  dlg.show();
  QLineEdit* edit = Find<QLineEdit>(dlg, "Edit1");
  edit->setFocus();
  edit->setText("5");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(chooserCalls, 0);
  EXPECT_EQ(Find<QSlider>(dlg, "Scroll1")->value(), 16389);
  for (QPushButton* button : dlg.findChildren<QPushButton*>())
    EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
  dlg.reject();
}

TEST_F(ConfigDialogsTest, OptionControlsWriteOnRelease) {
  TOptDlg dlg(window.Link());
  dlg.SetEditor(&window.Editors().PrmDlg());
  ASSERT_TRUE(dlg.Prepare());
  EXPECT_EQ(dlg.windowTitle(), "Option");
  EXPECT_EQ(Find<QLineEdit>(dlg, "AlmVoltEdit")->text(), "06.0V");
  EXPECT_EQ(Find<QComboBox>(dlg, "AlarmList")->currentIndex(), 0);
  EXPECT_EQ(Find<QComboBox>(dlg, "BtnList")->count(), 86);
  EXPECT_TRUE(Find<QCheckBox>(dlg, "SSV_C24")->isChecked());

  QComboBox* cycle = Find<QComboBox>(dlg, "CycleList");
  cycle->setCurrentIndex(2);
  emit cycle->activated(2);
  EXPECT_EQ(Board().modeWord, 0x4040);

  Find<QCheckBox>(dlg, "Check7")->click();
  EXPECT_EQ(Board().modeWord, 0x4048);

  QSpinBox* volt = Find<QSpinBox>(dlg, "AlmVoltBtn");
  volt->setValue(150);
  EXPECT_EQ(Find<QLineEdit>(dlg, "AlmVoltEdit")->text(), "15.0V");
  QTest::mouseRelease(volt, Qt::LeftButton);
  EXPECT_EQ(Board().alarmMotion, (std::array<uint8_t, 3>{85, 0x03, 0xD1}));

  for (int n = 1; n <= 24; ++n) {
    auto* box = Find<QCheckBox>(dlg, "SSV_C" + QString::number(n));
    if (box->isChecked() != (n == 9)) box->click();
  }
  EXPECT_EQ(Sent(0xEA).back(), (Bytes{0xEA, 0x01, 0x00, 0x01, 0x00, 0xEC}));
  EXPECT_EQ(window.Editors().PrmDlg().Editor().Channel(9).Range, kSerialServoRange);
  EXPECT_NE(window.Editors().PrmDlg().Editor().Channel(1).Range, kSerialServoRange);

  Find<QCheckBox>(dlg, "SVL_C4")->click();
  EXPECT_EQ(Board().svlMask, (sim::Mask{0x0B, 0x00, 0x00}));
}

// The options dialog opened from its toolbar button: its motion lists mark the slots never read
// and the dialog offers to read the table; once read (after Yes) the lists show the names.
TEST_F(ConfigDialogsTest, OptionMotionListsMarkUnreadSlotsUntilTheTableIsRead) {
  sim::FlashMemory flash = Flash();
  flash.table[4] = {3, 0, 0, 0, 3, 7, 9, 5, 0xFF, 0xFF, 'W', 'A', 'L', 'K'};
  sim::Engine stocked(std::make_unique<sim::Board>(flash));
  sim::SimPort stockedPort(stocked);
  window.Link().SetPort(&stockedPort);
  MainBoardButtons buttons(window, window.Prompts());
  window.SetBoardButtons(&buttons);
  bool shown = false;
  test::OnNextModal([&](QWidget* dialog) {
    shown = true;
    auto* start = dialog->findChild<QComboBox*>("BtnList");
    auto* read = dialog->findChild<QPushButton*>("ReadTableBtn");
    auto* note = dialog->findChild<QLabel*>("TableNoteText");
    ASSERT_TRUE(start && read && note);
    const int chosen = start->currentIndex();
    EXPECT_EQ(start->itemText(5), "M5 (not read)");
    EXPECT_EQ(start->itemText(1), "M1 (not read)");
    EXPECT_TRUE(note->isVisible());
    test::OnNextModal([](QWidget* box) {
      QTest::mouseClick(static_cast<QMessageBox*>(box)->button(QMessageBox::Yes), Qt::LeftButton);
    });
    QTest::mouseClick(read, Qt::LeftButton);
    EXPECT_EQ(start->currentIndex(), chosen);
    EXPECT_EQ(start->itemText(5), "M5 WALK 3/7 09:05");
    EXPECT_EQ(start->itemText(1), "M1  --/-- --:--");
    EXPECT_EQ(dialog->findChild<QComboBox*>("AlarmList")->itemText(5), "M5 WALK 3/7 09:05");
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  QTest::mouseClick(window.findChild<QToolButton*>("OptionBtn"), Qt::LeftButton);
  EXPECT_TRUE(shown);
  window.SetBoardButtons(nullptr);
  window.Link().SetPort(&port);
}

// The low-voltage threshold has one readout, the text: the arrows beside it show no number of
// their own (a board threshold below their range would otherwise show two different values) and
// take no typing.
TEST_F(ConfigDialogsTest, VoltageShownOnceWithArrowsOnly) {
  sim::FlashMemory flash = Flash();
  flash.alarmMotion = {85, 0x00, 0x00};
  sim::Engine low(std::make_unique<sim::Board>(flash));
  sim::SimPort lowPort(low);
  window.Link().SetPort(&lowPort);
  {
    TOptDlg dlg(window.Link());
    dlg.SetEditor(&window.Editors().PrmDlg());
    ASSERT_TRUE(dlg.Prepare());
    dlg.show();
    auto* text = Find<QLineEdit>(dlg, "AlmVoltEdit");
    auto* arrows = Find<QSpinBox>(dlg, "AlmVoltBtn");
    EXPECT_EQ(text->text(), "00.0V");
    for (QLineEdit* inner : arrows->findChildren<QLineEdit*>()) EXPECT_FALSE(inner->isVisible());
    EXPECT_LT(arrows->width(), 40);
    QTest::keyClicks(arrows, "99");
    EXPECT_EQ(arrows->value(), 55);
    EXPECT_EQ(text->text(), "00.0V");
    QTest::keyClick(arrows, Qt::Key_Up);
    EXPECT_EQ(text->text(), "05.6V");
    dlg.reject();
  }
  window.Link().SetPort(&port);
}

TEST_F(ConfigDialogsTest, ServoListLoadsEditsAndCopies) {
  TSVLDlg dlg(window.Link(), prompter);
  ASSERT_TRUE(dlg.Prepare());
  EXPECT_EQ(Board().modeWord & 0x4000, 0x4000);
  auto* list = Find<QTreeWidget>(dlg, "SVLList");
  ASSERT_EQ(list->columnCount(), 19);
  EXPECT_EQ(list->headerItem()->text(18), "SIO");

  port.ClearLog();
  Find<QPushButton>(dlg, "SioReadBtn")->click();
  EXPECT_EQ(Sent(0xD8).size(), 1u);  // channel 1 is serial
  EXPECT_EQ(Sent(0xDA).size(), 1u);  // channel 2 is a pulse channel
  EXPECT_EQ(list->topLevelItem(0)->text(2), "SIO");
  EXPECT_EQ(list->topLevelItem(0)->text(18), "ON");
  EXPECT_EQ(list->topLevelItem(1)->text(14), "1");  // 75 / 50
  EXPECT_EQ(list->topLevelItem(2)->text(2), "");

  // Editing the pulse channel: the power-free byte 75 goes back as 50, byte 0 unchanged.
  QString caption;
  dlg.SetShowParameters([&caption](TSVLPrm& prm) {
    caption = prm.windowTitle();
    EXPECT_EQ(prm.findChild<QComboBox*>("PowFreeP")->currentIndex(), 0);
    EXPECT_EQ(prm.findChild<QLineEdit*>("Edit7")->text(), "50");
    EXPECT_FALSE(prm.findChild<QWidget*>("OffSetPn")->isVisibleTo(&prm));
  });
  dlg.EditRow(1);
  EXPECT_EQ(caption, "2:CH2");
  EXPECT_EQ(Board().svlShort[1][12], 50);
  EXPECT_EQ(Board().svlShort[1][0], 0x5A);

  dlg.SetShowParameters([](TSVLPrm& prm) {
    EXPECT_EQ(prm.findChild<QComboBox*>("DontPWM")->currentIndex(), 1);
    prm.findChild<QComboBox*>("Reverse")->setCurrentIndex(1);
  });
  dlg.EditRow(0);
  EXPECT_EQ(Board().svlLong[0][7], 0x0D);

  EXPECT_FALSE(dlg.CanDrop(1, 0));  // PWM onto SIO
  EXPECT_FALSE(dlg.CanDrop(1, 2));  // no SVL bit on channel 3
  dlg.reject();
  EXPECT_EQ(Board().modeWord & 0x4000, 0);
}

TEST_F(ConfigDialogsTest, DroppingARowCopiesTheWholeRecord) {
  sim::FlashMemory flash = Flash();
  flash.svlMask = {0x07, 0x00, 0x00};  // channels 2 and 3 are pulse channels
  flash.svlShort[2].fill(0x03);
  engine.ReplaceBoard(std::make_unique<sim::Board>(flash));
  TSVLDlg dlg(window.Link(), prompter);
  ASSERT_TRUE(dlg.Prepare());
  port.ClearLog();
  dlg.DropRow(1, 0);  // refused: nothing sent
  EXPECT_TRUE(Sent(0xDA).empty());
  dlg.DropRow(2, 1);
  EXPECT_EQ(Board().svlShort[1], Board().svlShort[2]);
  EXPECT_EQ(Board().svlShort[1][0], 0x03);
  auto* list = Find<QTreeWidget>(dlg, "SVLList");
  EXPECT_EQ(list->topLevelItem(1)->text(3), "3");
  EXPECT_TRUE(dlg.isEnabled());
  dlg.reject();
}

TEST_F(ConfigDialogsTest, ServoListWarnsWhenTheBoardIsNotInSvlMode) {
  sim::FlashMemory flash = Flash();
  flash.modeWord = 0;
  engine.ReplaceBoard(std::make_unique<sim::Board>(flash));
  TSVLDlg dlg(window.Link(), prompter);
  ASSERT_TRUE(dlg.Prepare());
  port.ClearLog();
  Find<QPushButton>(dlg, "SioReadBtn")->click();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Reboot the QVB-3 to change to mode");
  EXPECT_TRUE(Sent(0xD8).empty());
  EXPECT_TRUE(dlg.isEnabled());
}

}  // namespace
}  // namespace brv3
