// The toolbar's Table button shows the motion table window and hides it again.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainBoardButtons.h"
#include "ui/app/MainWindow.h"
#include "ui/table/DataDlg.h"
#include "ui/table/TableDlg.h"

namespace brv3 {
namespace {

TEST(TableButtonTest, ShowsAndHidesTheTableWindow) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  sim::Engine engine;
  sim::SimPort port(engine);
  window.Link().SetPort(&port);
  test::ScriptedPrompter prompter;
  MainBoardButtons buttons(window, prompter);
  TDataDlg data(window.Link(), buttons.Actions().Table(), window.History(), &window);
  TTableDlg table(window.Link(), buttons.Actions().Table(), data, &window, &window);
  buttons.SetTableDialog(&table);
  window.SetBoardButtons(&buttons);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  QToolButton* button = nullptr;
  auto* action = window.findChild<QAction*>("TableBtn");
  ASSERT_NE(action, nullptr);
  for (QToolBar* bar : window.findChildren<QToolBar*>())
    if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(action))) button = b;
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isVisible());

  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(table.isVisible());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(table.isVisible());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(table.isVisible());

  window.SetBoardButtons(nullptr);
  window.Link().SetPort(nullptr);
}

}  // namespace
}  // namespace brv3
