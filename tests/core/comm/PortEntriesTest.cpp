#include "core/comm/PortEntries.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/comm/ConnectionWatch.h"
#include "core/comm/Notifications.h"
#include "core/comm/SelectPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

SerialAdapter Ftdi() {
  return {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "FTDI",
          "FT232R USB UART", "A50285BI"};
}

TEST(PortEntries, AdaptersComeBetweenOffAndTheComEntriesNamedByTheirOwnProperties) {
  SerialAdapter bare{"/dev/ttyACM1", "", "", "", ""};
  SerialAdapter vendorOnly{"/dev/ttyUSB10", "", "Acme", "", "X1"};
  SerialAdapter ninth{"/dev/ttyUSB9", "", "", "USB-Serial Controller", ""};
  const auto entries = PortEntries({vendorOnly, Ftdi(), bare, ninth});
  ASSERT_EQ(entries.size(), 25u);
  EXPECT_EQ(entries[0], PortEntry::Off());
  // Sorted as people count: ttyUSB9 before ttyUSB10.
  EXPECT_EQ(entries[1].Caption, "USB serial adapter - /dev/ttyACM1");
  EXPECT_EQ(entries[2].Caption, "FT232R USB UART (A50285BI) - /dev/ttyUSB0");
  EXPECT_EQ(entries[3].Caption, "USB-Serial Controller - /dev/ttyUSB9");
  EXPECT_EQ(entries[4].Caption, "Acme (X1) - /dev/ttyUSB10");
  // Opened by the stable link where there is one, else by the device.
  EXPECT_EQ(entries[2].Path, Ftdi().ById);
  EXPECT_EQ(entries[2].Name, "FT232R USB UART (A50285BI)");
  EXPECT_EQ(entries[1].Path, "/dev/ttyACM1");
  EXPECT_EQ(entries[5].Caption, "COM1");
  EXPECT_EQ(entries[24].Caption, "COM20");
  // The window message and BRV3.ini count COM numbers, not list rows.
  EXPECT_EQ(IndexOfCom(entries, 0), 0);
  EXPECT_EQ(IndexOfCom(entries, 3), 7);
  EXPECT_EQ(IndexOfCom(entries, 21), -1);
  EXPECT_EQ(IndexOfCom(PortEntries({}), 20), 20);
}

// A port whose opening can be made to fail the way the platform layer reports it.
class PathControl : public PortControl {
 public:
  std::vector<std::string> log;
  std::string deniedCommand;  // Open throws PortAccessDenied with this command when set
  bool denied = false;
  bool missing = false;
  bool open = false;
  void Close() override { open = false; }
  void SetPortNo(int n) override { log.push_back("port " + std::to_string(n)); }
  void SetPortPath(const std::string& path) override { log.push_back("path " + path); }
  void SetTimeOutReceive(int) override {}
  void Open() override {
    if (denied)
      throw PortAccessDenied(
          "cannot open: permission denied: /dev/ttyUSB0 belongs to group dialout", deniedCommand);
    if (missing) throw std::runtime_error("cannot open: no such device");
    open = true;
  }
  void SetDtr(bool) override {}
  void PurgeReceive() override {}
  void PurgeTransmit() override {}
  bool Gone() override { return !open; }
};

TEST(PortEntries, AnAdapterIsOpenedByItsPathAndAPermissionProblemIsExplained) {
  PathControl port;
  test::ScriptedPrompter prompter;
  NotificationBuffer buffer;
  const PortEntry ftdi = PortEntry::Adapter(Ftdi());

  EXPECT_TRUE(SelectPortEntry(port, ftdi, &prompter, &buffer));
  EXPECT_EQ(port.log, std::vector<std::string>{"path " + Ftdi().ById});
  EXPECT_EQ(prompter.statuses.back(), "FT232R USB UART (A50285BI) OK");
  EXPECT_TRUE(prompter.messages.empty());

  port.denied = true;
  port.deniedCommand = "sudo usermod -aG dialout $USER";
  EXPECT_FALSE(SelectPortEntry(port, ftdi, &prompter, &buffer));
  EXPECT_FALSE(port.open);
  EXPECT_EQ(prompter.statuses.back(),
            "FT232R USB UART (A50285BI) can't be opened: permission denied");
  ASSERT_EQ(prompter.messages.size(), 1u);
  // Without a box of its own, the prompter shows the command under the reason.
  EXPECT_EQ(prompter.messages[0].text,
            "cannot open: permission denied: /dev/ttyUSB0 belongs to group dialout\n\n"
            "sudo usermod -aG dialout $USER");

  // The same for a COM entry; a device no group would help gets the reason alone.
  port.deniedCommand.clear();
  EXPECT_FALSE(SelectPort(port, 4, &prompter, &buffer));
  EXPECT_EQ(prompter.statuses.back(), "COM4 can't be opened: permission denied");
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[1].text,
            "cannot open: permission denied: /dev/ttyUSB0 belongs to group dialout");

  port.denied = false;
  port.missing = true;
  EXPECT_FALSE(SelectPortEntry(port, ftdi, &prompter, &buffer));
  EXPECT_EQ(prompter.statuses.back(), "FT232R USB UART (A50285BI) does not exist");
  EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST(PortEntries, ALostAdapterIsNamedOnThePanelAndReopenedByTheSamePath) {
  PathControl port;
  test::ScriptedPrompter prompter;
  ConnectionWatch watch(&prompter, &port);
  const PortEntry ftdi = PortEntry::Adapter(Ftdi());
  ASSERT_TRUE(SelectPortEntry(port, ftdi, &prompter, nullptr));
  watch.PortSelected(ftdi, true);

  port.open = false;
  watch.PortHungUp();
  EXPECT_EQ(prompter.panels[2], "FT232R USB UART (A50285BI) lost");
  port.log.clear();
  ASSERT_TRUE(watch.BeforeCommand());
  EXPECT_EQ(port.log, std::vector<std::string>{"path " + Ftdi().ById});
  watch.CommandEnded(LinkFault::None);
  EXPECT_EQ(prompter.panels[2], "FT232R USB UART (A50285BI) OK");
}

}  // namespace
}  // namespace brv3
