// USB serial adapters in the editor's port list, from a fake device source behind the same seam
// the system's udev fills, with the simulator on a pseudo-terminal standing in for the adapter.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <memory>
#include <vector>

#include "core/comm/WindowMessages.h"
#include "platform/SerialDevices.h"
#include "support/SimProcess.h"
#include "ui/UiTestSupport.h"
#include "ui/app/CommPortCombo.h"
#include "ui/app/MainWindow.h"

namespace brv3 {
namespace {

// Adapters the test plugs in and pulls out; a pipe stands for the hot-plug monitor's socket.
class FakeDevices final : public platform::SerialDeviceSource {
 public:
  struct State {
    std::vector<SerialAdapter> adapters;
    int pipe[2] = {-1, -1};
    int enumerations = 0;
  };
  explicit FakeDevices(std::shared_ptr<State> state) : state_(std::move(state)) {}
  std::vector<SerialAdapter> Enumerate() override {
    ++state_->enumerations;
    return state_->adapters;
  }
  int MonitorFd() override { return state_->pipe[0]; }
  bool TakeChanges() override {
    char buffer[16];
    bool any = false;
    while (read(state_->pipe[0], buffer, sizeof buffer) > 0) any = true;
    return any;
  }

 private:
  std::shared_ptr<State> state_;
};

class AdapterPortsTest : public ::testing::Test {
 protected:
  AdapterPortsTest() : window(env.SettingsPath()) {
    state = std::make_shared<FakeDevices::State>();
    EXPECT_EQ(pipe2(state->pipe, O_NONBLOCK | O_CLOEXEC), 0);
    adapter.Device = "/dev/ttyUSB7";
    adapter.ById = env.Dir().File("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    adapter.Vendor = "FTDI";
    adapter.Model = "FT232R USB UART";
    adapter.Serial = "A50285BI";
    state->adapters = {adapter};
    window.SetSerialDevices(std::make_unique<FakeDevices>(state));
    window.show();
    port = window.findChild<CommPortCombo*>("CommPort");
    status = window.findChild<QLineEdit*>("Edit2");
    portPanel = window.findChild<QLabel*>("Panel2");
  }
  ~AdapterPortsTest() override {
    for (int fd : state->pipe)
      if (fd >= 0) close(fd);
  }

  // Plugs in or pulls out: the list changes and the monitor says so.
  void Plug(std::vector<SerialAdapter> adapters) {
    state->adapters = std::move(adapters);
    ASSERT_EQ(write(state->pipe[1], "x", 1), 1);
  }
  // Picks entry `row` of the drop-down list with the mouse.
  void Pick(int row) {
    port->showPopup();
    QCoreApplication::processEvents();
    QAbstractItemView* list = port->view();
    ASSERT_TRUE(list->isVisible());
    const QRect cell = list->visualRect(list->model()->index(row, 0));
    // The whole entry can be seen, not cut at the box's narrow width.
    EXPECT_GE(list->viewport()->width(), cell.width());
    EXPECT_GE(list->viewport()->width(),
              list->fontMetrics().horizontalAdvance(port->itemText(row)));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QCoreApplication::processEvents();
  }
  template <typename Done>
  bool WaitFor(Done done, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
  }
  std::string Status() const { return status->text().toStdString(); }

  test::UiEnvironment env;
  TBrivane3 window;
  std::shared_ptr<FakeDevices::State> state;
  SerialAdapter adapter;
  CommPortCombo* port = nullptr;
  QLineEdit* status = nullptr;
  QLabel* portPanel = nullptr;
};

TEST_F(AdapterPortsTest, AdaptersAreListedByNameBetweenOffAndTheComEntries) {
  ASSERT_TRUE(port && status && portPanel);
  ASSERT_EQ(port->count(), 22);
  EXPECT_EQ(port->itemText(0), "OFF");
  EXPECT_EQ(port->itemText(1), "FT232R USB UART (A50285BI) - /dev/ttyUSB7");
  EXPECT_EQ(port->itemData(1, Qt::ToolTipRole).toString().toStdString(), adapter.ById);
  EXPECT_EQ(port->itemText(2), "COM1");
  EXPECT_EQ(port->itemText(21), "COM20");

  // Plugged in while the editor runs: listed at once, sorted by device.
  SerialAdapter second;
  second.Device = "/dev/ttyACM0";
  second.Vendor = "Example Boards (www.example.com)";
  Plug({adapter, second});
  ASSERT_TRUE(WaitFor([&] { return port->count() == 23; }));
  EXPECT_EQ(port->itemText(1), "Example Boards (www.example.com) - /dev/ttyACM0");
  EXPECT_EQ(port->itemText(2), "FT232R USB UART (A50285BI) - /dev/ttyUSB7");

  // The Board menu's port entries follow the list.
  auto* menu = window.findChild<QMenu*>("PortMenu");
  ASSERT_NE(menu, nullptr);
  emit menu->aboutToShow();
  ASSERT_EQ(menu->actions().size(), 23);
  EXPECT_EQ(menu->actions()[1]->text(), port->itemText(1));

  // Pulled out: gone from the list; the COM entries and the window message's numbers stay.
  Plug({});
  ASSERT_TRUE(WaitFor([&] { return port->count() == 21; }));
  EXPECT_EQ(port->itemText(1), "COM1");
  window.WindowMessage(kSelectPortMessage, 0, 3);
  EXPECT_EQ(port->currentText(), "COM3");
}

TEST_F(AdapterPortsTest, AChosenAdapterIsOpenedByItsStableLinkAndFollowedWhenPulledAndReplugged) {
  const std::string state_file = env.Dir().File("board.state");
  auto sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", adapter.ById, "--state", state_file});
  ASSERT_EQ(sim->FirstLine(), adapter.ById);

  Pick(1);
  ASSERT_TRUE(WaitFor([&] { return status->text().endsWith("> FT232R USB UART (A50285BI) OK"); }))
      << Status();
  EXPECT_EQ(window.CommX1().DevicePath(), adapter.ById);
  window.WindowMessage(kPlayMessage, 0, 0);
  EXPECT_TRUE(status->text().endsWith("> Sending the Play command")) << Status();

  // The monitor says it was pulled out: the panel says so at once; the entry stays, marked.
  Plug({});
  ASSERT_TRUE(WaitFor([&] { return portPanel->text() == "FT232R USB UART (A50285BI) lost"; }))
      << portPanel->text().toStdString();
  EXPECT_EQ(port->currentIndex(), 1);
  EXPECT_EQ(port->currentText().toStdString(),
            "FT232R USB UART (A50285BI) - /dev/ttyUSB7 (unplugged)");
  EXPECT_EQ(port->itemText(2).toStdString(), "COM1");

  // It comes back on another socket: same link, new device; still the chosen entry.
  sim.reset();
  sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", adapter.ById, "--state", state_file});
  ASSERT_EQ(sim->FirstLine(), adapter.ById);
  SerialAdapter moved = adapter;
  moved.Device = "/dev/ttyUSB2";
  Plug({moved});
  ASSERT_TRUE(WaitFor([&] { return !port->currentText().endsWith("(unplugged)"); }));
  EXPECT_EQ(port->count(), 22);
  EXPECT_EQ(port->currentIndex(), 1);
  EXPECT_EQ(port->currentText().toStdString(), "FT232R USB UART (A50285BI) - /dev/ttyUSB2");

  // The next command opens it again by itself.
  window.WindowMessage(kPlayMessage, 0, 0);
  EXPECT_TRUE(status->text().endsWith("> Sending the Play command")) << Status();
  EXPECT_EQ(portPanel->text(), "FT232R USB UART (A50285BI) OK");

  // Closing the window keeps the adapter's path in BRV3.ini, and no COM number.
  test::ClickNextModalButton("&Yes");
  window.close();
  const std::string ini = test::ReadFile(env.SettingsPath());
  EXPECT_NE(ini.find("CommPortDevice=" + adapter.ById), std::string::npos) << ini;
  EXPECT_NE(ini.find("CommPort=0"), std::string::npos) << ini;
}

TEST_F(AdapterPortsTest, ADeviceTheUserMayNotOpenNamesItsGroupAndOffersTheCommand) {
  // A device owned by a group the user could join.
  const std::string device = env.Dir().File("ttyUSB7");
  test::WriteFile(device, "");
  if (geteuid() == 0) {
    const group* dialout = getgrnam("dialout");
    if (!dialout) GTEST_SKIP() << "no dialout group here";
    ASSERT_EQ(chown(device.c_str(), 0, dialout->gr_gid), 0);
  }
  struct stat info {};
  ASSERT_EQ(stat(device.c_str(), &info), 0);
  const std::string groupName = getgrgid(info.st_gid)->gr_name;
  if (groupName == "root") GTEST_SKIP() << "the test's files belong to root's group";
  adapter.ById = device;
  Plug({adapter});
  ASSERT_TRUE(WaitFor(
      [&] { return port->itemData(1, Qt::ToolTipRole).toString().toStdString() == device; }));
  // The open itself fails as it does for a user outside the group (root would be let in).
  window.CommX1().SetDeviceOpenFunction([](const std::string&, int) {
    errno = EACCES;
    return -1;
  });

  bool copied = false;
  bool stayedOpen = false;
  QString text;
  test::OnNextModal([&](QWidget* box) {
    text = static_cast<QMessageBox*>(box)->text();
    auto* copy = box->findChild<QPushButton*>("CopyCommandBtn");
    ASSERT_NE(copy, nullptr);
    QTest::mouseClick(copy, Qt::LeftButton);
    copied = QApplication::clipboard()->text() ==
             QString::fromStdString("sudo usermod -aG " + groupName + " $USER");
    stayedOpen = box->isVisible();
    QTest::keyClick(box, Qt::Key_Return);
  });
  Pick(1);
  ASSERT_TRUE(WaitFor([&] { return !text.isEmpty(); }));
  EXPECT_TRUE(text.contains(QString::fromStdString("belongs to group " + groupName)))
      << text.toStdString();
  EXPECT_TRUE(text.contains("log out and in")) << text.toStdString();
  EXPECT_TRUE(copied);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(
      status->text().endsWith("> FT232R USB UART (A50285BI) can't be opened: permission denied"))
      << Status();
  EXPECT_FALSE(window.CommX1().IsOpen());
  window.CommX1().SetDeviceOpenFunction(nullptr);
}

}  // namespace
}  // namespace brv3
