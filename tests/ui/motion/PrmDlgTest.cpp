#include "ui/motion/PrmDlg.h"

#include <QFrame>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "core/motion/PatternStore.h"
#include "core/util/IniFile.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "ui/ComboInput.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/CurvesDock.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PortDlg.h"

namespace brv3 {
namespace {

uint16_t LiveWord(const sim::Engine& engine, int channel) {
  const auto& pose = engine.board().LivePose();
  return static_cast<uint16_t>(pose[static_cast<size_t>(2 * channel - 1)] << 8 |
                               pose[static_cast<size_t>(2 * channel)]);
}

class PrmDlgTest : public ::testing::Test {
 protected:
  PrmDlgTest() : window(env.SettingsPath()), port(engine) { window.Link().SetPort(&port); }
  ~PrmDlgTest() override { window.Link().SetPort(nullptr); }

  TPrmDlg& Dlg() { return window.Editors().PrmDlg(); }
  template <class T>
  T* Find(const char* name) {
    T* w = Dlg().findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  int PlacePosition(uint16_t word) {
    Chart& chart = window.CurrentChart();
    const int index = chart.PlaceObject(20, 20, kPosition);
    chart.Objects[static_cast<size_t>(index)].Values.fill(word);
    return index;
  }
  void SetSync(bool on) { window.findChild<QCheckBox*>("Sync")->setChecked(on); }
  // What a window manager does when a dialog closes: the main window becomes the active one.
  void ActivateMainWindow() {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
  }
  // A right click at `at` in `widget` (the press and the context-menu request a window system
  // sends with it) and a click on the item `item` of the menu it opens.
  void ChooseFromMenu(QWidget* widget, QPoint at, const char* item) {
    QTest::mousePress(widget, Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &request);
    QTest::mouseRelease(widget, Qt::RightButton, {}, at);
    auto* menu = Dlg().findChild<QMenu*>("PrmMenu");
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 3000));
    QAction* action = menu->findChild<QAction*>(item);
    ASSERT_NE(action, nullptr) << item;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
  }
  static void Click(QWidget* dialog, const char* button) {
    auto* b = dialog->findChild<QPushButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    QTest::mouseClick(b, Qt::LeftButton);
  }

  test::UiEnvironment env;
  TBrivane3 window;
  sim::Engine engine;
  sim::SimPort port;
};

TEST_F(PrmDlgTest, DoubleClickedPositionOpensAndSlidersDriveTheRobotWithSync) {
  const int index = PlacePosition(16384);
  SetSync(true);
  window.Canvas()->OpenObjectDialog(index, kPosition);
  ASSERT_TRUE(Dlg().isVisible());
  EXPECT_EQ(Dlg().windowTitle().toStdString(), window.CurrentChart().Objects[0].Name);
  // Opening with SYNC sends the whole pose.
  EXPECT_EQ(LiveWord(engine, 1), 16384);

  auto* scroll = Find<QSlider>("Scroll3");
  ASSERT_TRUE(scroll->isVisible());
  scroll->setSliderDown(true);
  scroll->setValue(16500);
  scroll->setSliderDown(false);  // the release
  EXPECT_EQ(window.CurrentChart().Objects[0].Values[2], 16500);
  EXPECT_EQ(LiveWord(engine, 3), 16500);
  EXPECT_EQ(Find<QLineEdit>("Edit3")->text(), "116");

  // Keyboard moves follow the same live rule.
  scroll->setFocus();
  QTest::keyClick(scroll, Qt::Key_Right);
  EXPECT_EQ(window.CurrentChart().Objects[0].Values[2], 16501);
  EXPECT_EQ(LiveWord(engine, 3), 16501);

  // Enter in an edit; then an output level chosen from the menu shows its radios.
  auto* edit = Find<QLineEdit>("Edit4");
  edit->setText("-100");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(LiveWord(engine, 4), 16284);
  Dlg().Editor().TypeChosen(5, kTypeHigh);
  Dlg().Refresh();
  EXPECT_TRUE(Find<QRadioButton>("CkBtn5")->isVisibleTo(&Dlg()));
  EXPECT_TRUE(Find<QRadioButton>("CkBtn5")->isChecked());
  EXPECT_FALSE(Find<QSlider>("Scroll5")->isVisibleTo(&Dlg()));
  Find<QRadioButton>("CkBtn29")->click();  // "0V (L)" of channel 5
  EXPECT_EQ(window.CurrentChart().Objects[0].Values[4], 0x8000);
  EXPECT_EQ(LiveWord(engine, 5), 0x8000);

  // Activating the main window hides the editor.
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&window, &activate);
  EXPECT_FALSE(Dlg().isVisible());
}

TEST_F(PrmDlgTest, WithoutSyncOnlyTheChartChangesAndButtonsStillTalkToTheBoard) {
  const int index = PlacePosition(0);
  window.CurrentChart().Objects[0].Values[0] = 16600;
  SetSync(false);
  window.Canvas()->OpenObjectDialog(index, kPosition);
  Find<QSlider>("Scroll1")->setValue(16700);
  EXPECT_EQ(window.CurrentChart().Objects[0].Values[0], 16700);
  EXPECT_NE(LiveWord(engine, 1), 16700);
  Find<QToolButton>("SetBtn")->click();
  EXPECT_EQ(LiveWord(engine, 1), 16700);
  // Channels that hold 0 show only their label.
  EXPECT_FALSE(Find<QLineEdit>("Edit2")->isVisibleTo(&Dlg()));
  EXPECT_TRUE(Find<QLabel>("Label2")->isVisibleTo(&Dlg()));
}

TEST_F(PrmDlgTest, LayoutIsReadFromAndWrittenToTheSettingsFile) {
  // A fresh window reads the channel keys of BRV3.ini.
  test::WriteFile(env.SettingsPath(),
                  "[BRV3]\r\n; kept as it is\r\nCH5=0,300,40,255,1,0.5,Knee\r\n"
                  "Form=600,400,-2147483633\r\n[Other]\r\nx = 1\r\n");
  TBrivane3 other(env.SettingsPath());
  TPrmDlg& dlg = other.Editors().PrmDlg();
  EXPECT_EQ(dlg.width(), 600);
  EXPECT_EQ(dlg.findChild<QLabel*>("Label5")->text(), "Knee");
  EXPECT_EQ(dlg.ChannelPanel(5)->pos(), QPoint(300, 40));
  EXPECT_FALSE(dlg.ChannelPanel(5)->isVisibleTo(&dlg));
  dlg.Layout().SetChannelCaption(6, "Hip");
  ASSERT_TRUE(dlg.SaveLayout());
  IniFile back;
  ASSERT_TRUE(back.LoadFile(env.SettingsPath()));
  EXPECT_EQ(back.ReadString("BRV3", "CH6", ""), "1,0,120,-2147483633,0,1,Hip");
  EXPECT_EQ(back.ReadString("BRV3", "CH5", ""), "0,300,40,255,1,0.5,Knee");
  const std::string raw = test::ReadFile(env.SettingsPath());
  EXPECT_NE(raw.find("\r\n; kept as it is\r\n"), std::string::npos);
  EXPECT_NE(raw.find("[Other]\r\nx = 1\r\n"), std::string::npos);
}

TEST_F(PrmDlgTest, AnUnreadablePictureSaysSo) {
  const std::string path = env.Dir().File("robot.jpg");
  test::WriteFile(path, "not a picture");
  auto text = std::make_shared<std::string>();
  test::ModalWatch watch = test::OnNextModal([text](QWidget* dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) *text = box->text().toStdString();
    if (auto* d = qobject_cast<QDialog*>(dialog)) d->accept();
  });
  EXPECT_FALSE(Dlg().LoadPicture(path));
  watch.Cancel();
  EXPECT_NE(text->find("There is no designated background image"), std::string::npos)
      << "no message: " << *text;
}

// A small JPEG (progressive or not) whose header then claims 16384 x 16384 pixels.
std::string HugeJpeg(bool progressive) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "JPG");
  writer.setProgressiveScanWrite(progressive);
  QImage small(16, 16, QImage::Format_RGB888);
  small.fill(Qt::gray);
  EXPECT_TRUE(writer.write(small)) << writer.errorString().toStdString();
  std::string bytes = buffer.data().toStdString();
  for (size_t i = 0; i + 9 < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    if (static_cast<unsigned char>(bytes[i]) == 0xFF && (b == 0xC0 || b == 0xC2)) {
      bytes[i + 5] = '\x40';  // height 0x4000
      bytes[i + 6] = 0;
      bytes[i + 7] = '\x40';  // width 0x4000
      bytes[i + 8] = 0;
      return bytes;
    }
  }
  ADD_FAILURE() << "no frame header";
  return bytes;
}

// Background pictures go through the bounded reader of regular files: a FIFO is refused without
// being opened (it used to hang the editor), and a picture whose header claims more pixels than
// can sensibly be held is refused before any decoding, with the reason.
TEST_F(PrmDlgTest, BackgroundPicturesAreBoundedAndOnlyRegularFiles) {
  const std::string fifo = env.Dir().File("pipe.jpg");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::vector<std::pair<std::string, std::string>> cases = {{fifo, "it is a FIFO"}};
  for (bool progressive : {false, true}) {
    const std::string path = env.Dir().File(progressive ? "huge-p.jpg" : "huge.jpg");
    test::WriteFile(path, HugeJpeg(progressive));
    cases.push_back({path, "too large (16384 x 16384 pixels"});
  }
  // A BMP header alone claiming the same.
  std::string bmp(54, '\0');
  auto put32 = [&bmp](size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) bmp[at + k] = static_cast<char>(v >> (8 * k));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, 54);
  put32(10, 54);
  put32(14, 40);
  put32(18, 16384);
  put32(22, 16384);
  bmp[26] = 1;
  bmp[28] = 24;
  test::WriteFile(env.Dir().File("huge.bmp"), bmp);
  cases.push_back({env.Dir().File("huge.bmp"), "too large (16384 x 16384 pixels"});

  for (const auto& [path, why] : cases) {
    auto text = std::make_shared<std::string>();
    test::ModalWatch watch = test::OnNextModal([text](QWidget* dialog) {
      if (auto* box = qobject_cast<QMessageBox*>(dialog)) *text = box->text().toStdString();
      if (auto* d = qobject_cast<QDialog*>(dialog)) d->accept();
    });
    EXPECT_FALSE(Dlg().LoadPicture(path)) << path;
    watch.Cancel();
    EXPECT_NE(text->find("There is no designated background image"), std::string::npos) << *text;
    EXPECT_NE(text->find(why), std::string::npos) << path << ": " << *text;
  }
}

TEST_F(PrmDlgTest, ConversionFromTheCanvasMenuRewritesTheSelectedObjects) {
  const int index = PlacePosition(16000);
  window.CurrentChart().Objects[static_cast<size_t>(index)].Selected = 1;
  test::OnNextModal([](QWidget* dialog) {
    auto* port = qobject_cast<TPortDlg*>(dialog);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->windowTitle(), "Convert");
    port->Entry(1)->setEditText("Reverse");
    port->ListMenu()->setEditText("Mirror");
    port->OKBtnClick();
  });
  window.Editors().Convert();
  EXPECT_EQ(window.CurrentChart().Objects[0].Values[0], 16768);
  EXPECT_EQ(window.CurrentChart().Objects[0].Values[1], 16000);
  // The conversion was saved and PATTERN.ini written at once.
  IniFile pattern;
  ASSERT_TRUE(pattern.LoadFile(env.Dir().File("config/PATTERN.ini")));
  EXPECT_EQ(pattern.ReadString("Convert", "CnvList", ""), "Mirror");
}

TEST_F(PrmDlgTest, TheCurvesDockFollowsThePositionEditor) {
  const int index = PlacePosition(16384);
  window.CurrentChart().Start = index;
  auto* toggle = window.findChild<QAction*>("ViewCurvesAction");
  ASSERT_NE(toggle, nullptr);
  CurvesDock& curves = window.Editors().Curves();
  EXPECT_FALSE(curves.isVisibleTo(&window));
  toggle->trigger();
  EXPECT_TRUE(curves.isVisibleTo(&window));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !curves.ReplotPending(); }, 2000));
  ASSERT_NE(curves.ChannelSeries(2), nullptr);
  EXPECT_EQ(curves.ChannelSeries(2)->at(0).y(), 0);

  window.Canvas()->OpenObjectDialog(index, kPosition);
  Find<QSlider>("Scroll2")->setValue(16450);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !curves.ReplotPending(); }, 2000));
  EXPECT_EQ(curves.ChannelSeries(2)->at(0).y(), 66);

  // The dock's state is kept with the other window settings.
  window.Editors().SaveLayout();
  IniFile back;
  ASSERT_TRUE(back.LoadFile(env.SettingsPath()));
  EXPECT_TRUE(back.ReadBool("BRV3", "Curves", false));
}

// Each dialog opened from the editor returns to it: a window manager hands the focus to the main
// window when the dialog closes, and that must not hide the editor.
TEST_F(PrmDlgTest, TheEditorStaysShownAfterEachDialogOpenedFromIt) {
  const int index = PlacePosition(16384);
  window.Canvas()->OpenObjectDialog(index, kPosition);
  ASSERT_TRUE(Dlg().isVisible());
  const QPoint background(Dlg().width() - 20, Dlg().height() - 8);  // no panel stands there

  QString caption;
  const auto cancel = [&caption](QWidget* dialog) {
    caption = dialog->windowTitle();
    Click(dialog, "Button1");
  };
  auto* links = Find<QComboBox>("LinkList");
  test::OnNextModal(cancel);
  ASSERT_TRUE(test::ChooseWithMouse(links, links->count() - 1));  // "New Link"
  EXPECT_EQ(caption, "Link Editing");
  ActivateMainWindow();
  EXPECT_TRUE(Dlg().isVisible()) << "after New Link";

  test::OnNextModal(cancel);
  ChooseFromMenu(&Dlg(), background, "RateBtn");
  EXPECT_EQ(caption, "Display Scale Factor");
  ActivateMainWindow();
  EXPECT_TRUE(Dlg().isVisible()) << "after Display Scale Factor";

  test::OnNextModal(cancel);
  ChooseFromMenu(Find<QLabel>("Label3"), {5, 5}, "PmName");
  EXPECT_EQ(caption, "Change of the name");
  ActivateMainWindow();
  EXPECT_TRUE(Dlg().isVisible()) << "after Name";

  test::OnNextModal([&caption](QWidget* dialog) {
    caption = dialog->windowTitle();
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  ChooseFromMenu(&Dlg(), background, "PmImage");
  EXPECT_EQ(caption, "Background Image");
  ActivateMainWindow();
  EXPECT_TRUE(Dlg().isVisible()) << "after the picture's file dialog";

  // The user going to the main window by hand still hides it.
  ActivateMainWindow();
  EXPECT_FALSE(Dlg().isVisible());
}

TEST_F(PrmDlgTest, AChosenLinkStaysChosenAndDeletingItLeavesNewLinkChosen) {
  ChannelTexts walk{};
  walk[0] = "MOV(+10)";
  TPortDlg& port = window.Editors().PortDlg();
  ASSERT_TRUE(port.Store().Store(PatternKind::Link, "Walk", walk));
  Dlg().FillLinkList(port.Store());
  const int index = PlacePosition(16384);
  window.Canvas()->OpenObjectDialog(index, kPosition);
  auto* links = Find<QComboBox>("LinkList");
  ASSERT_TRUE(test::ChooseWithMouse(links, 0));
  EXPECT_EQ(links->currentText(), "Walk");

  // Opened again (the user went to the main window and back): the link is still the one in use.
  ActivateMainWindow();
  window.Canvas()->OpenObjectDialog(index, kPosition);
  EXPECT_EQ(links->currentText(), "Walk");
  QTest::mouseClick(Find<QToolButton>("LinkAddBtn"), Qt::LeftButton);
  EXPECT_EQ(window.CurrentChart().Objects[0].Values[0], 16394);

  // Deleted in the link editor: "New Link" is chosen and no link applies any more.
  test::OnNextModal([](QWidget* dialog) {
    auto* names = dialog->findChild<QComboBox*>("ListMenu");
    ASSERT_TRUE(test::ChooseWithMouse(names, 0));
    test::OnNextModal([](QWidget* ask) {
      auto* box = qobject_cast<QMessageBox*>(ask);
      ASSERT_NE(box, nullptr);
      QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    Click(dialog, "DelBtn");
    Click(dialog, "Button1");
  });
  ASSERT_TRUE(test::ChooseWithMouse(links, links->count() - 1));
  EXPECT_EQ(links->count(), 1);
  EXPECT_EQ(links->currentText(), "New Link");
  EXPECT_FALSE(Dlg().Editor().LinkChosen());
  EXPECT_FALSE(port.Store().Contains(PatternKind::Link, "Walk"));
}

// Saving a link to a file with the QVB filter replaces the typed extension, as charts do.
TEST_F(PrmDlgTest, SavingALinkToAFileReplacesTheExtension) {
  const int index = PlacePosition(16384);
  window.Canvas()->OpenObjectDialog(index, kPosition);
  const std::string typed = env.Dir().File("walk.txt");
  test::OnNextModal([&typed](QWidget* dialog) {
    auto* name = dialog->findChild<QComboBox*>("ListMenu");
    QTest::keyClicks(name->lineEdit(), "Walk");
    QTest::keyClicks(dialog->findChild<QComboBox*>("Cmb1")->lineEdit(), "MOV(+10)");
    test::OnNextModal([&typed](QWidget* files) {
      ASSERT_NE(qobject_cast<QFileDialog*>(files), nullptr);
      auto* edit = files->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(edit, nullptr);
      // The name goes in whole (typing would open the name completer, which takes the Enter).
      edit->setText(QString::fromStdString(typed));
      QTest::keyClick(edit, Qt::Key_Return);
      if (files->isVisible()) {
        ADD_FAILURE() << "the file dialog did not take the name";
        static_cast<QDialog*>(files)->reject();
      }
    });
    Click(dialog, "Button2");
    Click(dialog, "Button1");
  });
  auto* links = Find<QComboBox>("LinkList");
  ASSERT_TRUE(test::ChooseWithMouse(links, links->count() - 1));
  EXPECT_TRUE(std::filesystem::exists(env.Dir().File("walk.QVB")));
  EXPECT_FALSE(std::filesystem::exists(env.Dir().File("walk.txt.QVB")));
}

}  // namespace
}  // namespace brv3
