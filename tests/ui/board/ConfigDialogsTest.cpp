// The trim, options and serial-servo dialogs by their control names, against the in-process
// board, checking what the board received.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "core/board/RecordFields.h"
#include "core/chart/CanvasDrawing.h"
#include "core/motion/PanelLayout.h"
#include "core/util/IniFile.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"
#include "ui/ComboInput.h"
#include "ui/PumpingPort.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainBoardButtons.h"
#include "ui/app/MainWindow.h"
#include "ui/board/ConfigDialogs.h"
#include "ui/board/HomeDlg.h"
#include "ui/board/OptDlg.h"
#include "ui/board/SVLDlg.h"
#include "ui/board/SVLPrm.h"
#include "ui/board/SvlBoard.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {
namespace {

class ConfigDialogsTest : public ::testing::Test {
 protected:
  ConfigDialogsTest()
      : window(env.SettingsPath()),
        engine(std::make_unique<sim::Board>(test::BoardWithSvlRecords())),
        port(engine) {
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
  // A double click as a widget receives it: press, release, double click, release.
  static void DoubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &twice);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
  }
  // A click on a check box's tick.
  static void Tick(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }

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
  // Each file button asks through the prompter; the second filter keeps the name as typed.
  for (int i = 0; i < 3; ++i) prompter.fileAnswers.push_back(FileAnswer{path, 1});
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
  ASSERT_EQ(prompter.fileQuestions.size(), 3u);
  EXPECT_FALSE(prompter.fileQuestions[0].save);
  EXPECT_TRUE(prompter.fileQuestions[1].save);
  dlg.reject();
}

// Enter in a trim edit sends that channel's trim and nothing else: no file button stands in as
// the dialog's default button.
TEST_F(ConfigDialogsTest, EnterInATrimEditPressesNoFileButton) {
  THomeDlg dlg(window.Link(), prompter);
  ASSERT_TRUE(dlg.Prepare());
  dlg.show();
  QLineEdit* edit = Find<QLineEdit>(dlg, "Edit1");
  edit->setFocus();
  edit->setText("5");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_TRUE(prompter.fileQuestions.empty()) << "Enter pressed a file button";
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

  dlg.show();
  ASSERT_TRUE(test::ChooseWithMouse(Find<QComboBox>(dlg, "CycleList"), 2));
  EXPECT_EQ(Board().modeWord, 0x4040);

  Tick(Find<QCheckBox>(dlg, "Check7"));
  EXPECT_EQ(Board().modeWord, 0x4048);

  // Page Up steps a volt; each step is written when its key is let go.
  QSpinBox* volt = Find<QSpinBox>(dlg, "AlmVoltBtn");
  for (int i = 0; i < 9; ++i) QTest::keyClick(volt, Qt::Key_PageUp);
  EXPECT_EQ(Find<QLineEdit>(dlg, "AlmVoltEdit")->text(), "15.0V");
  EXPECT_EQ(Board().alarmMotion, (std::array<uint8_t, 3>{85, 0x03, 0xD1}));

  for (int n = 1; n <= 24; ++n) {
    auto* box = Find<QCheckBox>(dlg, "SSV_C" + QString::number(n));
    if (box->isChecked() != (n == 9)) Tick(box);
  }
  EXPECT_EQ(Sent(0xEA).back(), (Bytes{0xEA, 0x01, 0x00, 0x01, 0x00, 0xEC}));
  EXPECT_EQ(window.Editors().PrmDlg().Editor().Channel(9).Range, kSerialServoRange);
  EXPECT_NE(window.Editors().PrmDlg().Editor().Channel(1).Range, kSerialServoRange);

  Tick(Find<QCheckBox>(dlg, "SVL_C4"));
  EXPECT_EQ(Board().svlMask, (sim::Mask{0x0B, 0x00, 0x00}));

  // Every described option has its control, and the board now holds what the dialog shows.
  TOptDlg reread(window.Link());
  ASSERT_TRUE(reread.Prepare());
  for (const OptionField& field : kOptionFields)
    EXPECT_NE(reread.findChild<QWidget*>(field.control), nullptr) << field.control;
  EXPECT_EQ(reread.Choices(), dlg.Choices());
}

// A click on another control right after the voltage arrows: the board waits on nothing then, so
// the click arrives whole (its release is already queued when its press is handled, as on a
// real display) and the box ticks and is written.
TEST_F(ConfigDialogsTest, TheFirstClickAfterTheVoltageArrowsIsNotSwallowed) {
  test::PumpingPort pumping(port);
  window.Link().SetPort(&pumping);
  TOptDlg dlg(window.Link());
  ASSERT_TRUE(dlg.Prepare());
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  QSpinBox* volt = Find<QSpinBox>(dlg, "AlmVoltBtn");
  port.ClearLog();
  QTest::mouseClick(volt, Qt::LeftButton, {}, QPoint(volt->width() / 2, volt->height() / 4));
  EXPECT_EQ(Find<QLineEdit>(dlg, "AlmVoltEdit")->text(), "06.1V");
  EXPECT_EQ(Sent(0xEC).size(), 1u);

  QCheckBox* box = Find<QCheckBox>(dlg, "SSV_C9");
  const QPoint tick(6, box->height() / 2);
  QCoreApplication::postEvent(
      box, new QMouseEvent(QEvent::MouseButtonRelease, tick, box->mapToGlobal(tick), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier));
  QTest::mousePress(box, Qt::LeftButton, {}, tick);
  QCoreApplication::processEvents();
  EXPECT_TRUE(box->isChecked());
  ASSERT_EQ(Sent(0xEA).size(), 1u);
  EXPECT_EQ(Board().ssvMask[1], 0x01);
  EXPECT_EQ(Sent(0xEC).size(), 1u);  // the voltage went out once, when the arrow was let go
  dlg.reject();
  window.Link().SetPort(&port);
}

// The channel boxes wear the position editor's panel colour behind the caption and the font
// colour that reads on it.
TEST_F(ConfigDialogsTest, ChannelBoxesAreDressedAsTheEditorPanels) {
  PanelLayout& layout = window.Editors().PrmDlg().Layout();
  const uint32_t red = 0x0000FF;  // blue-green-red order
  layout.SetPanelColor(3, red);
  layout.SetChannelCaption(3, "Knee");
  TOptDlg dlg(window.Link());
  dlg.SetEditor(&window.Editors().PrmDlg());
  ASSERT_TRUE(dlg.Prepare());
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  const QColor text = QColor(static_cast<int>(LabelColorFor(red) & 0xFF),
                             static_cast<int>(LabelColorFor(red) >> 8 & 0xFF),
                             static_cast<int>(LabelColorFor(red) >> 16 & 0xFF));
  for (const char* name : {"SSV_C3", "SVL_C3"}) {
    QCheckBox* box = Find<QCheckBox>(dlg, name);
    EXPECT_EQ(box->text(), "Knee");
    const QImage shot = box->grab().toImage();
    int fill = 0;
    int letters = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        fill += c == QColor(255, 0, 0);
        letters += c == text;
      }
    EXPECT_GT(fill, shot.width() * shot.height() / 3) << name << ": the panel colour is behind it";
    EXPECT_GT(letters, 0) << name << ": the caption is written in the font colour";
  }
  dlg.reject();
}

TEST_F(ConfigDialogsTest, AFreshSimulatedBoardHoldsAVoltageTheDialogCanShow) {
  sim::Engine fresh;
  sim::SimPort freshPort(fresh);
  window.Link().SetPort(&freshPort);
  {
    TOptDlg dlg(window.Link());
    ASSERT_TRUE(dlg.Prepare());
    EXPECT_EQ(Find<QLineEdit>(dlg, "AlmVoltEdit")->text(), "06.0V");
  }
  window.Link().SetPort(&port);
}

// Wherever the editor's panels were dragged, the trim rows keep their own grid: none overlaps
// another and all lie inside the dialog.
TEST_F(ConfigDialogsTest, TrimRowsStayInTheirGrid) {
  test::WriteFile(env.SettingsPath(),
                  "[BRV3]\r\nCH2=1,0,0,255,0,1,Knee\r\nCH14=1,10,5,-2147483633,0,1,CH14\r\n");
  TBrivane3 dragged(env.SettingsPath());
  THomeDlg dlg(window.Link(), prompter);
  dlg.SetEditor(&dragged.Editors().PrmDlg());
  ASSERT_TRUE(dlg.Prepare());
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  EXPECT_EQ(Find<QLabel>(dlg, "Label2")->text(), "Knee");
  std::vector<QRect> rows;
  for (int n = 1; n <= 24; ++n) {
    QWidget* row = Find<QWidget>(dlg, "Panel" + QString::number(n));
    ASSERT_TRUE(row->isVisible());
    EXPECT_TRUE(dlg.rect().contains(row->geometry())) << n;
    for (const QRect& other : rows) EXPECT_FALSE(other.intersects(row->geometry())) << n;
    rows.push_back(row->geometry());
  }
  dlg.reject();
}

// A double click on a row opens its parameters usable; Escape closes them; closed without a
// change the record goes back exactly as it was read.
TEST_F(ConfigDialogsTest, ParameterDialogOpensUsableAndEscapeWritesTheRecordAsRead) {
  TSVLDlg dlg(window.Link(), prompter);
  ASSERT_TRUE(dlg.Prepare());
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  QTest::mouseClick(Find<QPushButton>(dlg, "SioReadBtn"), Qt::LeftButton);
  auto* list = Find<QTreeWidget>(dlg, "SVLList");
  ASSERT_EQ(list->topLevelItem(1)->text(14), "1");
  const auto row = [list](int r) {  // in the first column, which is on the screen
    const QRect cell = list->visualItemRect(list->topLevelItem(r));
    return QPoint(cell.left() + 10, cell.center().y());
  };
  const auto escape = [](QWidget* prm) {
    QTest::keyClick(prm, Qt::Key_Escape);
    if (prm->isVisible()) {
      ADD_FAILURE() << "Escape left the parameters open";
      static_cast<QDialog*>(prm)->reject();
    }
  };
  const std::array<uint8_t, 17> asRead = Board().svlShort[1];
  QString caption;
  test::OnNextModal([&](QWidget* prm) {
    caption = prm->windowTitle();
    EXPECT_TRUE(prm->isEnabled());
    for (QComboBox* control : prm->findChildren<QComboBox*>()) {
      if (control->isVisible()) {
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
      }
    }
    escape(prm);
  });
  port.ClearLog();
  DoubleClick(list->viewport(), row(1));

  EXPECT_EQ(caption, "2:CH2");
  EXPECT_EQ(Sent(0xDB).size(), 1u);
  EXPECT_EQ(Board().svlShort[1], asRead);  // 75 in byte 12 stays: the user chose nothing

  // A change made with the mouse is written, with Escape as much as with any close.
  test::OnNextModal([&](QWidget* prm) {
    ASSERT_TRUE(test::ChooseWithMouse(prm->findChild<QComboBox*>("Reverse"), 1));
    escape(prm);
  });
  DoubleClick(list->viewport(), row(0));
  EXPECT_EQ(Board().svlLong[0][7], 0x0D);
  EXPECT_TRUE(dlg.isEnabled());
  dlg.reject();
}

// Every field of each format has its control shown in that format's layout, holding the field's
// items or range and the record's value: the dialog and the field descriptions cannot disagree.
TEST_F(ConfigDialogsTest, ParameterDialogShowsEveryFieldOfEachFormat) {
  for (RecordFormat format : {RecordFormat::Short, RecordFormat::Long}) {
    TSVLPrm prm;
    ServoRecord record{format, Bytes(RecordSize(format), 2)};
    record.SetWord(8, format == RecordFormat::Short ? 1800 : 9000);
    prm.Load(record);
    prm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&prm));
    for (const RecordField& field : RecordFields(format)) {
      SCOPED_TRACE(field.key);
      QWidget* control = prm.findChild<QWidget*>(field.control);
      ASSERT_NE(control, nullptr);
      EXPECT_TRUE(control->isVisible());
      if (auto* list = qobject_cast<QComboBox*>(control)) {
        ASSERT_TRUE(field.IsList());
        EXPECT_EQ(list->count(), static_cast<int>(field.items->size()));
        EXPECT_EQ(list->currentIndex(), LoadField(field, record));
      } else {
        auto* slider = qobject_cast<QSlider*>(control);
        ASSERT_TRUE(slider && !field.IsList());
        EXPECT_EQ(slider->minimum(), field.min);
        EXPECT_EQ(slider->maximum(), field.max);
        EXPECT_EQ(slider->value(), LoadField(field, record));
      }
    }
    EXPECT_EQ(prm.Store(), record);
  }
}

// The options dialog opened from its toolbar button: its motion lists mark the slots never read
// and the dialog offers to read the table; once read (after Yes) the lists show the names.
TEST_F(ConfigDialogsTest, OptionMotionListsMarkUnreadSlotsUntilTheTableIsRead) {
  sim::FlashMemory flash = test::BoardWithSvlRecords();
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
  sim::FlashMemory flash = test::BoardWithSvlRecords();
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

  // Editing the pulse channel: the power-free byte 75 shows as its fallback; closed without a
  // change the record goes back as read.
  QString caption;
  dlg.SetShowParameters([&caption](TSVLPrm& prm) {
    caption = prm.windowTitle();
    EXPECT_EQ(prm.findChild<QComboBox*>("PowFreeP")->currentIndex(), 0);
    EXPECT_EQ(prm.findChild<QLineEdit*>("Edit7")->text(), "50");
    EXPECT_FALSE(prm.findChild<QWidget*>("OffSetPn")->isVisibleTo(&prm));
  });
  dlg.EditRow(1);
  EXPECT_EQ(caption, "2:CH2");
  EXPECT_EQ(Board().svlShort[1][12], 75);
  EXPECT_EQ(Board().svlShort[1][0], 0x5A);

  // A change writes the fallback values with it.
  dlg.SetShowParameters([](TSVLPrm& prm) {
    prm.show();
    ASSERT_TRUE(test::ChooseWithMouse(prm.findChild<QComboBox*>("Punch"), 4));
    prm.hide();
  });
  dlg.EditRow(1);
  EXPECT_EQ(Board().svlShort[1][3], 5);
  EXPECT_EQ(Board().svlShort[1][12], 50);
  EXPECT_EQ(Board().svlShort[1][0], 0x5A);

  dlg.SetShowParameters(
      [](TSVLPrm& prm) { EXPECT_EQ(prm.findChild<QComboBox*>("DontPWM")->currentIndex(), 1); });
  dlg.EditRow(0);

  EXPECT_FALSE(dlg.CanDrop(1, 0));  // PWM onto SIO
  EXPECT_FALSE(dlg.CanDrop(1, 2));  // no SVL bit on channel 3
  dlg.reject();
  EXPECT_EQ(Board().modeWord & 0x4000, 0);
}

TEST_F(ConfigDialogsTest, DroppingARowCopiesTheWholeRecord) {
  sim::FlashMemory flash = test::BoardWithSvlRecords();
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
  sim::FlashMemory flash = test::BoardWithSvlRecords();
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
