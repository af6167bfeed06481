#include <stdexcept>

#include <gtest/gtest.h>

#include "ScriptedPort.h"
#include "core/comm/BoardLink.h"
#include "core/comm/Notifications.h"
#include "core/comm/SelectPort.h"
#include "core/comm/WindowMessages.h"

namespace brv3 {
namespace {

class FakeControl : public PortControl {
 public:
  std::vector<std::string> log;
  bool openFails = false;
  bool open = false;
  void Close() override {
    log.push_back("close");
    open = false;
  }
  void SetPortNo(int n) override { log.push_back("port " + std::to_string(n)); }
  void SetPortPath(const std::string& path) override { log.push_back("path " + path); }
  void SetTimeOutReceive(int ms) override { log.push_back("timeout " + std::to_string(ms)); }
  void Open() override {
    log.push_back("open");
    if (openFails) throw std::runtime_error("no such device");
    open = true;
  }
  void SetDtr(bool on) override { log.push_back(on ? "dtr on" : "dtr off"); }
  void PurgeReceive() override { log.push_back("purge rx"); }
  void PurgeTransmit() override { log.push_back("purge tx"); }
};

TEST(SelectPort, OpensClosesAndReports) {
  FakeControl port;
  test::RecordingPrompter prompter;
  NotificationBuffer buffer;
  const Bytes partial{0xFF, 1, 2};
  buffer.Append(partial.data(), partial.size());

  EXPECT_TRUE(SelectPort(port, 3, &prompter, &buffer));
  EXPECT_EQ(port.log, (std::vector<std::string>{"close", "port 3", "timeout 300", "open", "dtr on",
                                                "dtr off", "purge rx", "purge tx"}));
  EXPECT_TRUE(port.open);
  EXPECT_EQ(buffer.Size(), 0u);
  EXPECT_EQ(prompter.statuses.back(), "COM3 OK");

  port.log.clear();
  EXPECT_TRUE(SelectPort(port, 0, &prompter, &buffer));
  EXPECT_EQ(port.log, std::vector<std::string>{"close"});
  EXPECT_EQ(prompter.statuses.back(), "No Connection");

  port.openFails = true;
  port.log.clear();
  EXPECT_FALSE(SelectPort(port, 7, &prompter, &buffer));
  EXPECT_EQ(prompter.statuses.back(), "COM7 does not exist");
  EXPECT_EQ(port.log.back(), "close");
  EXPECT_FALSE(port.open);

  EXPECT_FALSE(SelectPort(port, 21, &prompter, &buffer));
  EXPECT_EQ(prompter.statuses.size(), 3u);

  const auto items = PortListItems();
  ASSERT_EQ(items.size(), 21u);
  EXPECT_EQ(items[0], "OFF");
  EXPECT_EQ(items[20], "COM20");
}

TEST(WindowMessages, SelectPortAndPlayRules) {
  EXPECT_EQ(SelectPortMessageIndex(0, 5), 5);
  EXPECT_EQ(SelectPortMessageIndex(16777215, 20), 20);
  EXPECT_EQ(SelectPortMessageIndex(-16777215, 0), 0);  // truncates toward zero
  EXPECT_FALSE(SelectPortMessageIndex(16777216, 1).has_value());
  EXPECT_FALSE(SelectPortMessageIndex(0, 21).has_value());
  EXPECT_FALSE(SelectPortMessageIndex(0, -1).has_value());

  test::ScriptedPort port;
  test::RecordingPrompter prompter;
  BoardLink link(&port, &prompter);
  port.Ack();
  EXPECT_TRUE(HandlePlayMessage(link, &prompter, 0x00001234, 84));
  EXPECT_EQ(port.Frames().back(), test::WithChecksum({0xF4, 0x05, 0x54}));
  EXPECT_EQ(prompter.statuses.back(), "Sending the Play command");

  port.Ack();
  EXPECT_TRUE(HandlePlayMessage(link, &prompter, 0x01001234, 0x0A0B0C0D));
  EXPECT_EQ(port.Frames().back(),
            test::WithChecksum({0xDE, 0x01, 0x80, 0x12, 0x34, 0x0D, 0x0C, 0x0B, 0x0A}));
  EXPECT_EQ(prompter.statuses.back(), "Sending the expanded low speed serial");

  const size_t sent = port.writes.size();
  EXPECT_FALSE(HandlePlayMessage(link, &prompter, 0, 85));
  EXPECT_FALSE(HandlePlayMessage(link, &prompter, 0x02000000, 1));
  EXPECT_EQ(port.writes.size(), sent);
  port.Reply({0x15});
  EXPECT_FALSE(HandlePlayMessage(link, &prompter, 0, 1));
  EXPECT_EQ(prompter.statuses.size(), 2u);
}

}  // namespace
}  // namespace brv3
