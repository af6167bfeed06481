#include "cli/PortsCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace brv3::cli {
namespace {

std::vector<PortListing> Listing() {
  SerialAdapter ftdi{"/dev/ttyUSB0",
                     "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "FTDI",
                     "FT232R USB UART", "A50285BI"};
  SerialAdapter acm{"/dev/ttyACM0", "", "Example Boards (www.example.com)", "", ""};
  return ListPorts(
      {ftdi, acm},
      [](const std::string& path) -> std::string {
        if (path.find("FTDI") != std::string::npos) return "permission denied (group dialout)";
        if (path == "/dev/ttyUSB0") return "";
        return "no such device";
      },
      [](int n) { return "/dev/ttyS" + std::to_string(n); });
}

TEST(PortsCommand, ListsTheEditorsEntriesWithWhatPortTakesAndWhyOneCannotBeOpened) {
  const auto ports = Listing();
  ASSERT_EQ(ports.size(), 22u);  // no "OFF"
  EXPECT_EQ(ports[0].entry.Caption, "Example Boards (www.example.com) - /dev/ttyACM0");
  EXPECT_EQ(ports[0].port, "/dev/ttyACM0");
  EXPECT_EQ(ports[0].problem, "no such device");
  EXPECT_EQ(ports[1].port, ports[1].adapter.ById);
  EXPECT_EQ(ports[1].device, "/dev/ttyUSB0");
  // The adapter is checked through the link it is opened by.
  EXPECT_EQ(ports[1].problem, "permission denied (group dialout)");
  EXPECT_EQ(ports[2].port, "COM1");
  EXPECT_EQ(ports[2].device, "/dev/ttyS1");

  std::ostringstream text;
  PrintPorts(ports, text);
  std::istringstream lines(text.str());
  std::string header, first, second, com1;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, second);
  std::getline(lines, com1);
  EXPECT_EQ(header.rfind("ENTRY", 0), 0u);
  EXPECT_NE(second.find("FT232R USB UART (A50285BI) - /dev/ttyUSB0"), std::string::npos);
  EXPECT_NE(second.find("permission denied (group dialout)"), std::string::npos);
  EXPECT_NE(com1.find("COM1 -> /dev/ttyS1"), std::string::npos) << com1;
  // The columns line up.
  EXPECT_EQ(header.find("STATE"), com1.find("no such device"));

  std::ostringstream json;
  PrintPortsJson(ports, json);
  const auto parsed = nlohmann::json::parse(json.str());
  ASSERT_EQ(parsed.size(), 22u);
  EXPECT_EQ(parsed[1]["kind"], "adapter");
  EXPECT_EQ(parsed[1]["serial"], "A50285BI");
  EXPECT_EQ(parsed[1]["usable"], false);
  EXPECT_EQ(parsed[1]["problem"], "permission denied (group dialout)");
  EXPECT_EQ(parsed[2]["kind"], "com");
  EXPECT_EQ(parsed[2]["port"], "COM1");
  EXPECT_FALSE(parsed[2].contains("serial"));

  std::ostringstream names;
  PrintPortNames(ports, names);
  EXPECT_EQ(names.str().rfind("/dev/ttyACM0\n/dev/serial/by-id/", 0), 0u);
  EXPECT_NE(names.str().find("\nCOM20\n"), std::string::npos);
}

std::string RunCli(const std::string& args) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((BRV3_CLI_PATH " " + args).c_str(), "r"),
                                             pclose);
  std::string out;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
  return out;
}

TEST(PortsCommand, TheProgramListsThisMachinesPortsAndNamesItsVersion) {
  const auto parsed = nlohmann::json::parse(RunCli("ports --json"));
  ASSERT_GE(parsed.size(), 20u);
  EXPECT_EQ(parsed.back()["port"], "COM20");
  EXPECT_NE(RunCli("ports").find("COM1"), std::string::npos);
  EXPECT_EQ(RunCli("--version").rfind("brivane3-cli ", 0), 0u);
}

}  // namespace
}  // namespace brv3::cli
