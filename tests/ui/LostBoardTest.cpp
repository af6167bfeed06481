// The editor against qvb3-sim on a pseudo-terminal chosen as COM1: the simulator ends and starts
// again while the window stays open.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <cstdlib>
#include <memory>

#include "support/SimProcess.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"

namespace brv3 {
namespace {

// COM1 names `path` for the life of the object.
class Com1Path {
 public:
  explicit Com1Path(const std::string& path) { setenv("BRV3_COM1", path.c_str(), 1); }
  ~Com1Path() { unsetenv("BRV3_COM1"); }
};

TEST(LostBoardTest, AFailureShowsAsSuchAndTheSamePortIsReopenedByItself) {
  test::UiEnvironment env;
  const std::string link = env.Dir().File("qvb3");
  const std::string state = env.Dir().File("board.state");
  const Com1Path com1(link);
  auto sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--state", state});
  ASSERT_EQ(sim->FirstLine(), link);

  TBrivane3 window(env.SettingsPath());
  auto* status = window.findChild<QLineEdit*>("Edit2");
  auto* modePanel = window.findChild<QLabel*>("Panel1");
  auto* portPanel = window.findChild<QLabel*>("Panel2");
  auto* stop = window.findChild<QAction*>("MotStpBtn");
  ASSERT_TRUE(status && modePanel && portPanel && stop);
  window.ChoosePort(1);
  ASSERT_TRUE(status->text().endsWith("> COM1 OK")) << status->text().toStdString();

  // Play through the window message, as another program would.
  window.WindowMessage(0x8000, 0, 0);
  EXPECT_TRUE(status->text().endsWith("> Sending the Play command"));

  // The hang-up alone shows on the port panel, before any command fails.
  sim->Stop();
  QDeadlineTimer deadline(5000);
  while (portPanel->text() != "COM1 lost" && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(portPanel->text(), "COM1 lost");
  window.WindowMessage(0x8000, 0, 0);
  EXPECT_TRUE(status->text().endsWith("> Connection failed")) << status->text().toStdString();
  EXPECT_EQ(portPanel->text(), "COM1 lost");
  stop->trigger();
  EXPECT_TRUE(status->text().endsWith("> Connection failed"));
  // Why the port could not be opened again: its path is gone with the simulator.
  EXPECT_TRUE(portPanel->toolTip().contains("no such device"))
      << portPanel->toolTip().toStdString();
  EXPECT_GE(portPanel->minimumWidth(), portPanel->fontMetrics().horizontalAdvance("COM20 lost"));
  EXPECT_FALSE(modePanel->text().startsWith("COM"));

  // The simulator is back on the same path: the next command reopens COM1 by itself.
  sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--state", state});
  ASSERT_EQ(sim->FirstLine(), link);
  window.WindowMessage(0x8000, 0, 0);
  EXPECT_TRUE(status->text().endsWith("> Sending the Play command"))
      << status->text().toStdString();
  EXPECT_EQ(portPanel->text(), "COM1 OK");
  EXPECT_TRUE(portPanel->toolTip().isEmpty());
  EXPECT_FALSE(modePanel->text().startsWith("COM"));
  EXPECT_EQ(window.CommPortIndex(), 1);
}

}  // namespace
}  // namespace brv3
