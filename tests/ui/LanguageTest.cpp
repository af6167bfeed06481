#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QToolBar>

#include "core/util/IniFile.h"
#include "i18n/Catalogues.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"

namespace brv3 {
namespace {

const QRegularExpression kJapanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
// Two English words in a row: a sentence or caption left untranslated.
const QRegularExpression kEnglishWords(QStringLiteral("[A-Za-z]{3,} [a-z]{3,}"));

// Every text the main window shows: menus and their items, tool buttons and their hints, labels,
// buttons, group and dock titles.
QStringList ShownTexts(const QWidget& window) {
  QStringList texts;
  for (const QAction* a : window.findChildren<QAction*>()) {
    if (a->isSeparator()) continue;
    texts << a->text() << a->toolTip() << a->statusTip();
  }
  for (const QMenu* m : window.findChildren<QMenu*>()) texts << m->title();
  for (const QAbstractButton* b : window.findChildren<QAbstractButton*>())
    texts << b->text() << b->toolTip();
  for (const QLabel* l : window.findChildren<QLabel*>()) texts << l->text() << l->toolTip();
  for (const QGroupBox* g : window.findChildren<QGroupBox*>()) texts << g->title();
  for (const QDockWidget* d : window.findChildren<QDockWidget*>()) texts << d->windowTitle();
  for (const QToolBar* t : window.findChildren<QToolBar*>()) texts << t->windowTitle();
  texts.removeAll(QString());
  return texts;
}

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

}  // namespace
}  // namespace brv3
