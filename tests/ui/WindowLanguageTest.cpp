// Every window of the editor in each language: opened as a user opens it (the toolbar, a double
// click on an object, the table's rows, the canvas menu) against the in-process board, with every
// text it shows read back: Japanese windows show no English sentence or word beyond the board's
// tokens, English windows no Japanese.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "core/chart/CanvasMenus.h"
#include "core/chart/Interpolation.h"
#include "i18n/Catalogues.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "ui/UiTestSupport.h"
#include "ui/WindowTexts.h"
#include "ui/app/InfoDlg.h"
#include "ui/app/ItemProperty.h"
#include "ui/app/MainBoardButtons.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MessageDialogs.h"
#include "ui/app/ToolWindows.h"
#include "ui/board/SvlBoard.h"
#include "ui/chart/CanvasPopupMenu.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/ObjectDialogs.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PortDlg.h"
#include "ui/motion/PrmDlg.h"
#include "ui/robot/RobotDock.h"
#include "ui/table/DataDlg.h"
#include "ui/table/TableDlg.h"

namespace brv3 {
namespace {

using Seen = QMap<QString, QStringList>;

QString WindowName(const QWidget& w) {
  return w.objectName().isEmpty() ? QString::fromUtf8(w.metaObject()->className()) : w.objectName();
}

// While it lives, every modal window that shows has its texts taken into `seen`, then runs its
// visit (by object name), then closes: a message box through its default or escape button, any
// other dialog by rejecting it.
class ModalCollector {
 public:
  ModalCollector(Seen& seen, QMap<QString, std::function<void(QWidget*)>> visits)
      : seen_(seen), visits_(std::move(visits)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    const QString name = WindowName(*modal);
    seen_[name] << test::ShownTexts(*modal);
    if (visits_.contains(name)) visits_[name](modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      QAbstractButton* button = box->defaultButton();
      if (!button) button = box->escapeButton();
      if (!button && !box->buttons().isEmpty()) button = box->buttons().first();
      if (button) button->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    }
  }

  Seen& seen_;
  QMap<QString, std::function<void(QWidget*)>> visits_;
  QTimer timer_;
};

// Opens every window of the editor in the language now installed and collects what each shows.
Seen Tour() {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  sim::Engine engine(std::make_unique<sim::Board>(test::BoardWithSvlRecords()));
  sim::SimPort port(engine);
  window.Link().SetPort(&port);
  MainBoardButtons buttons(window, window.Prompts());
  TDataDlg data(window.Link(), buttons.Actions().Table(), window.History(), &window);
  TTableDlg table(window.Link(), buttons.Actions().Table(), data, &window, &window);
  buttons.SetTableDialog(&table);
  buttons.SetDataDialog(&data);
  window.SetBoardButtons(&buttons);
  Seen seen;
  auto action = [&window](const char* name) { return window.findChild<QAction*>(name); };
  // Every modal window met on the way is read and closed; a row of the SVL list opens its record.
  const QMap<QString, std::function<void(QWidget*)>> openRecord{
      {"SVLDlg", [&seen](QWidget* list) {
         auto* tree = list->findChild<QTreeWidget*>();
         ASSERT_NE(tree, nullptr);
         test::OnNextModal([&seen](QWidget* record) {
           seen[WindowName(*record)] << test::ShownTexts(*record);
           static_cast<QDialog*>(record)->reject();
         });
         // A double click as the list receives it: press, release, double click, release.
         QWidget* rows = tree->viewport();
         const QPoint at(20, tree->visualItemRect(tree->topLevelItem(1)).center().y());
         QTest::mouseClick(rows, Qt::LeftButton, {}, at);
         QMouseEvent twice(QEvent::MouseButtonDblClick, at, rows->mapToGlobal(at), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(rows, &twice);
         QTest::mouseRelease(rows, Qt::LeftButton, {}, at);
       }}};
  ModalCollector modals(seen, openRecord);

  // The chart: one object of each kind with a dialog, and compiled, so that the LIST sheet
  // carries the listing and the check's warnings.
  Chart& chart = window.CurrentChart();
  const int pos1 = chart.PlaceObject(20, 20, kPosition);
  const int pos2 = chart.PlaceObject(20, 120, kPosition);
  const int set = chart.PlaceObject(120, 20, kSet);
  const int compare = chart.PlaceObject(120, 120, kCompare);
  const int mix = chart.PlaceObject(220, 20, kMix);
  action("CompileBtn")->trigger();
  seen["Brivane3"] << test::ShownTexts(window);

  // The object editors, by a double click's path.
  window.Canvas()->OpenObjectDialog(pos1, kPosition);
  seen["PrmDlg"] << test::ShownTexts(window.Editors().PrmDlg());
  window.Editors().Hide();
  window.Canvas()->OpenObjectDialog(set, kSet);
  seen["SetDlg"] << test::ShownTexts(window.Editors().SetDlg());
  window.Editors().Hide();
  window.Canvas()->OpenObjectDialog(compare, kCompare);
  seen["CompDlg"] << test::ShownTexts(window.Editors().CompDlg());
  window.Editors().Hide();
  window.Canvas()->OpenObjectDialog(mix, kMix);
  seen["MixDlg"] << test::ShownTexts(window.Editors().MixDlg());
  window.Editors().Hide();

  // The position editor's entry dialog in each of its modes.
  TPortDlg& entries = window.Editors().PortDlg();
  entries.RunConversion();
  entries.RunNames(ChannelTexts{});
  entries.RunScales(ChannelTexts{});
  entries.RunLink();

  // The board's configuration windows, from the Tools toolbar.
  for (const ToolWindow& tool : kToolWindows) action(tool.name)->trigger();

  // The table window, read from the board, and an entry opened from it.
  action("TableBtn")->trigger();
  table.MotReadBtnClick();
  seen["TableDlg"] << test::ShownTexts(table);
  table.EditEntry(0);
  table.hide();

  // Writing asks for the slot; the canvas's Insert for a number of objects.
  action("MotWriteBtn")->trigger();
  chart.Objects[static_cast<size_t>(pos1)].Selected = true;
  chart.Objects[static_cast<size_t>(pos2)].Selected = true;
  InsertCommand(chart, window.Prompts());
  chart.DeselectAll();

  // The canvas menu over an object and over empty canvas.
  for (const CanvasHit& hit : {CanvasHit{set}, CanvasHit{}}) {
    std::unique_ptr<QMenu> menu(BuildCanvasPopupMenu(BuildPopupMenu(hit, 1), nullptr));
    seen["PopupMenu"] << test::ShownTexts(*menu);
  }

  // The environment and property dialogs, the about box, a message with a command to copy.
  action("FormBtn")->trigger();
  window.ItemProperty().Edit(chart.Objects[static_cast<size_t>(set)], QPoint(200, 200));
  action("InfoBtn")->trigger();
  if (auto* about = window.findChild<TInfoDlg*>()) {
    seen["InfoDlg"] << test::ShownTexts(*about);
    about->hide();
  }
  window.Prompts().MsgBoxWithCommand(MsgKind::Warning, "", "sudo usermod -aG dialout $USER");
  // The robot preview's inputs, from the Robot dock's Inputs button.
  window.Editors().Robot().EditPreviewInputs();

  window.SetBoardButtons(nullptr);
  window.Link().SetPort(nullptr);
  for (QStringList& texts : seen) texts.removeDuplicates();
  return seen;
}

// Texts that read the same in both languages: the program's full name, the language menu's
// names of the languages, the entry suggestions of the conversion and link boxes (commands the
// user completes and the program reads), and the command the test's message offers to copy.
const QStringList kSameInBothLanguages{
    "Brivane 3 for Linux", "&English",  "English", "CopyTo(?)",
    "ReadTo(?)",           "Change(?)", "Reverse", "sudo usermod -aG dialout $USER"};

// Windows whose every text is a technical token (CH1, AD1-P, x 5, numbers).
const QStringList kNoWordsToTranslate{"MixDlg"};

// The windows the tour must have reached.
const QStringList kWindows{
    "Brivane3",        "PrmDlg",          "SetDlg",   "CompDlg",      "MixDlg",
    "PortDlg",         "HomeDlg",         "OptDlg",   "AdDlg",        "SVLDlg",
    "SVLPrm",          "PropoDlg",        "TableDlg", "DataDlg",      "NumberSelectDialog",
    "InputTextDialog", "PopupMenu",       "FormDlg",  "ItemProperty", "InfoDlg",
    "MsgBox",          "PreviewInputsDlg"};

class WindowLanguageTest : public ::testing::Test {
 protected:
  ~WindowLanguageTest() override { InstallCatalogue(UiLanguage::English); }
};

TEST_F(WindowLanguageTest, EveryWindowIsJapaneseInJapanese) {
  ASSERT_TRUE(InstallCatalogue(UiLanguage::Japanese));
  const Seen seen = Tour();
  for (const QString& name : kWindows) {
    EXPECT_TRUE(seen.contains(name)) << name.toStdString() << " was not reached";
    const QStringList& texts = seen[name];
    if (kNoWordsToTranslate.contains(name)) continue;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const QString& t) { return t.contains(test::kJapanese); }))
        << name.toStdString() << " shows no Japanese";
  }
  for (auto it = seen.begin(); it != seen.end(); ++it)
    for (const QString& text : it.value()) {
      if (kSameInBothLanguages.contains(text) || text.endsWith(QStringLiteral("(Japanese)")))
        continue;
      const QStringList words = test::EnglishWords(text);
      EXPECT_TRUE(words.isEmpty())
          << it.key().toStdString() << ": untranslated \"" << text.toStdString() << "\"";
    }
}

TEST_F(WindowLanguageTest, NoWindowShowsJapaneseInEnglish) {
  ASSERT_TRUE(InstallCatalogue(UiLanguage::English));
  const Seen seen = Tour();
  for (const QString& name : kWindows)
    EXPECT_TRUE(seen.contains(name)) << name.toStdString() << " was not reached";
  for (auto it = seen.begin(); it != seen.end(); ++it)
    for (const QString& text : it.value()) {
      // The language menu names Japanese in Japanese on purpose: a reader of either finds it.
      if (text.contains(QStringLiteral("(Japanese)"))) continue;
      EXPECT_FALSE(text.contains(test::kJapanese))
          << it.key().toStdString() << ": Japanese in English \"" << text.toStdString() << "\"";
    }
}

}  // namespace
}  // namespace brv3
