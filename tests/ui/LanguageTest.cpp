#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>

#include "core/util/IniFile.h"
#include "i18n/Catalogues.h"
#include "ui/UiTestSupport.h"
#include "ui/WindowTexts.h"
#include "ui/app/MainWindow.h"

namespace brv3 {
namespace {

using test::kJapanese;
using test::ShownTexts;

// Two English words in a row: a sentence or caption left untranslated.
const QRegularExpression kEnglishWords(QStringLiteral("[A-Za-z]{3,} [a-z]{3,}"));

class LanguageTest : public ::testing::Test {
 protected:
  ~LanguageTest() override { InstallCatalogue(UiLanguage::English); }
  test::UiEnvironment env;
};

TEST_F(LanguageTest, TheMainWindowIsJapaneseInJapaneseAndHasNoJapaneseInEnglish) {
  ASSERT_TRUE(InstallCatalogue(UiLanguage::Japanese));
  {
    TBrivane3 window(env.SettingsPath());
    const QStringList texts = ShownTexts(window);
    ASSERT_GT(texts.size(), 50);
    QStringList titles;
    for (QAction* menu : window.menuBar()->actions()) titles << menu->text();
    for (const QString& title : titles)
      EXPECT_TRUE(title.contains(kJapanese)) << title.toStdString();
    for (const QString& text : texts)
      EXPECT_FALSE(text.contains(kEnglishWords)) << "untranslated: " << text.toStdString();
  }
  ASSERT_TRUE(InstallCatalogue(UiLanguage::English));
  {
    TBrivane3 window(env.SettingsPath());
    for (const QString& text : ShownTexts(window)) {
      // The language menu names Japanese in Japanese on purpose: a reader of either finds it.
      if (text.contains(QStringLiteral("(Japanese)"))) continue;
      EXPECT_FALSE(text.contains(kJapanese)) << "Japanese in English: " << text.toStdString();
    }
  }
}

TEST_F(LanguageTest, TheLanguageChosenInTheViewMenuIsKeptAndSaidToApplyAtTheNextStart) {
  TBrivane3 window(env.SettingsPath());
  auto* japanese = window.findChild<QAction*>("LanguageJapaneseAction");
  auto* system = window.findChild<QAction*>("LanguageSystemAction");
  ASSERT_TRUE(japanese && system);
  EXPECT_TRUE(system->isChecked());  // nothing chosen yet: the desktop decides

  QString said;
  auto acknowledge = [&said] {
    test::OnNextModal([&said](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      said = box->text();
      box->button(QMessageBox::Ok)->click();
    });
  };
  acknowledge();
  japanese->trigger();
  EXPECT_TRUE(japanese->isChecked());
  IniFile ini;
  ASSERT_TRUE(ini.LoadFile(env.SettingsPath()));
  EXPECT_EQ(ini.ReadString("BRV3", "Language", ""), "ja");
  // Said in the language chosen, since that catalogue is now in use.
  EXPECT_TRUE(said.contains(kJapanese)) << said.toStdString();

  // Back to the desktop's language (English here): the key is emptied and the change is said.
  const QByteArray desktop = qgetenv("LC_ALL");
  qputenv("LC_ALL", "C");
  acknowledge();
  system->trigger();
  qputenv("LC_ALL", desktop);
  EXPECT_FALSE(said.contains(kJapanese)) << said.toStdString();
  ASSERT_TRUE(ini.LoadFile(env.SettingsPath()));
  EXPECT_EQ(ini.ReadString("BRV3", "Language", "x"), "");
}

// No toolbar button is folded away for want of room, in either language.
TEST_F(LanguageTest, TheMainWindowIsWideEnoughForItsToolbarsInEitherLanguage) {
  for (UiLanguage language : {UiLanguage::Japanese, UiLanguage::English}) {
    ASSERT_TRUE(InstallCatalogue(language));
    TBrivane3 window(env.SettingsPath());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
      if (!bar->isVisible()) continue;
      for (QAction* action : bar->actions()) {
        QWidget* shown = bar->widgetForAction(action);
        if (!shown || action->isSeparator()) continue;
        EXPECT_TRUE(shown->isVisible() && bar->rect().contains(shown->geometry()))
            << bar->objectName().toStdString() << ": " << action->objectName().toStdString()
            << " folded away (" << (language == UiLanguage::Japanese ? "Japanese" : "English")
            << ")";
      }
    }
  }
}

// An undo step keeps the name it was made with; the hints show it in the language of the moment.
TEST_F(LanguageTest, UndoStepsAreNamedInTheLanguageShownAndKeptUntranslated) {
  ASSERT_TRUE(InstallCatalogue(UiLanguage::Japanese));
  TBrivane3 window(env.SettingsPath());
  QWidget* canvas = window.CanvasWidget();
  window.findChild<QAction*>("SetItem1Btn")->trigger();
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(40, 40));
  ASSERT_EQ(window.CurrentChart().ObjectCount(), 1);
  EXPECT_EQ(window.History().UndoLabel(), "Place");
  const QString hint = window.findChild<QAction*>("UndoBtn")->toolTip();
  EXPECT_TRUE(hint.contains(QStringLiteral("配置"))) << hint.toStdString();
  EXPECT_FALSE(hint.contains(QStringLiteral("Place"))) << hint.toStdString();
}

}  // namespace
}  // namespace brv3
