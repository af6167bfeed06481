// The editor against qvb3-sim on a pseudo-terminal chosen as COM1: the simulator ends and starts
// again while the window stays open.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <cstdlib>
#include <memory>

#include "support/SimProcess.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"

namespace brv3 {
namespace {

TEST(LostBoardTest, AFailureShowsAsSuchAndTheSamePortIsReopenedByItself) {
  test::UiEnvironment env;
  const std::string link = env.Dir().File("qvb3");
  const std::string state = env.Dir().File("board.state");
  setenv("BRV3_COM1", link.c_str(), 1);
  auto sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--state", state});
  ASSERT_EQ(sim->FirstLine(), link);

  TBrivane3 window(env.SettingsPath());
  auto* status = window.findChild<QLineEdit*>("Edit2");
  auto* portPanel = window.findChild<QLabel*>("Panel1");
  auto* stop = window.findChild<QAction*>("MotStpBtn");
  ASSERT_TRUE(status && portPanel && stop);
  window.ChoosePort(1);
  ASSERT_TRUE(status->text().endsWith("> COM1 OK")) << status->text().toStdString();

  // Play through the window message, as another program would.
  window.WindowMessage(0x8000, 0, 0);
  EXPECT_TRUE(status->text().endsWith("> Sending the Play command"));

  sim->Stop();
  window.WindowMessage(0x8000, 0, 0);
  EXPECT_TRUE(status->text().endsWith("> Connection failed")) << status->text().toStdString();
  EXPECT_EQ(portPanel->text(), "COM1 lost");
  stop->trigger();
  EXPECT_TRUE(status->text().endsWith("> Connection failed"));
  EXPECT_FALSE(portPanel->toolTip().isEmpty());  // why the port could not be opened again
  EXPECT_GE(portPanel->minimumWidth(), portPanel->fontMetrics().horizontalAdvance("COM20 lost"));

  // The simulator is back on the same path: the next command reopens COM1 by itself.
  sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--state", state});
  ASSERT_EQ(sim->FirstLine(), link);
  window.WindowMessage(0x8000, 0, 0);
  EXPECT_TRUE(status->text().endsWith("> Sending the Play command"))
      << status->text().toStdString();
  EXPECT_EQ(portPanel->text(), "COM1 OK");
  EXPECT_TRUE(portPanel->toolTip().isEmpty());
  EXPECT_EQ(window.CommPortIndex(), 1);

  window.ChoosePort(0);
  unsetenv("BRV3_COM1");
}

}  // namespace
}  // namespace brv3
