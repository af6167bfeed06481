#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "core/comm/Frame.h"
#include "core/util/Bytes.h"
#include "support/SimProcess.h"
#include "support/TestSupport.h"

namespace brv3::sim::test {
namespace {

using brv3::test::SimProcess;

int OpenRaw(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return fd;
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
  return fd;
}

Bytes ReadSome(int fd, size_t count, int timeoutMs = 2000) {
  Bytes out;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (out.size() < count && std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    uint8_t buffer[256];
    const ssize_t n = read(fd, buffer, std::min(sizeof buffer, count - out.size()));
    if (n <= 0) break;
    out.insert(out.end(), buffer, buffer + n);
  }
  return out;
}

Bytes Exchange(int fd, const Bytes& frame, size_t replyLength) {
  const uint8_t attention = 0x0D;
  if (write(fd, &attention, 1) != 1) return {};
  if (ReadSome(fd, 1) != Bytes{0x06}) return {};
  if (write(fd, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) return {};
  return ReadSome(fd, replyLength);
}

TEST(PtyEndToEnd, LinkExchangeStateAndTrace) {
  brv3::test::TempDir dir;
  const std::string link = dir.File("qvb3");
  const std::string state = dir.File("board.state");
  const std::string trace = dir.File("trace.txt");
  {
    SimProcess sim({"--link", link, "--state", state, "--trace", trace, "--baud-pacing"});
    ASSERT_EQ(sim.FirstLine(), link);
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    int fd = OpenRaw(link);
    ASSERT_GE(fd, 0);
    const Bytes entry = Exchange(fd, {0xF5, 0x03, 0xF8}, 43);
    ASSERT_EQ(entry.size(), 43u);
    EXPECT_EQ(entry[42], 0xFA);
    EXPECT_EQ(Exchange(fd, {0xF2, 0x03, 0x12, 0x30, 0x37}, 1), Bytes{0x06});
    // The client may close and reopen the port.
    close(fd);
    fd = OpenRaw(link);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Exchange(fd, {0xF1, 0x02, 0xF3}, 3), (Bytes{0x12, 0x30, 0x42}));
    close(fd);
    EXPECT_EQ(sim.Stop(), 0);
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  const std::string log = brv3::test::ReadFile(trace);
  EXPECT_TRUE(std::regex_search(log, std::regex(R"(^\d+\.\d{6} > 0D\n\d+\.\d{6} < 06\n)")));
  EXPECT_NE(log.find("> F5 03 F8\n"), std::string::npos);
  EXPECT_NE(log.find("> F2 03 12 30 37\n"), std::string::npos);

  // The stored mode word survives a restart.
  SimProcess again({"--link", link, "--state", state});
  ASSERT_EQ(again.FirstLine(), link);
  const int fd = OpenRaw(link);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(Exchange(fd, {0xF1, 0x02, 0xF3}, 3), (Bytes{0x12, 0x30, 0x42}));
  close(fd);
}

TEST(PtyEndToEnd, DisconnectFaultClosesThePort) {
  brv3::test::TempDir dir;
  const std::string link = dir.File("qvb3");
  SimProcess sim({"--link", link, "--faults", "disconnect-after:1"});
  ASSERT_EQ(sim.FirstLine(), link);
  const int fd = OpenRaw(link);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(Exchange(fd, {0xF1, 0x00, 0xF1}, 3), (Bytes{0x00, 0x00, 0x00}));
  // The board goes away like an unplugged adapter: the link vanishes and the port fails.
  for (int i = 0; i < 100 && std::filesystem::exists(std::filesystem::symlink_status(link)); ++i) {
    usleep(20000);
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  const uint8_t attention = 0x0D;
  EXPECT_LT(write(fd, &attention, 1), 0);
  close(fd);
  EXPECT_EQ(sim.Stop(), 0);
}

// A hand turns a freed servo through a "move" line on standard input; the board reports where it
// was left, and a held servo is not moved.
TEST(PtyEndToEnd, MoveLineTurnsAFreeServo) {
  brv3::test::TempDir dir;
  const std::string link = dir.File("qvb3");
  const std::string commands = dir.File("commands");
  ASSERT_EQ(mkfifo(commands.c_str(), 0600), 0);
  SimProcess sim({"--link", link, "--commands"}, commands);
  const int input = open(commands.c_str(), O_WRONLY);
  ASSERT_GE(input, 0);
  ASSERT_EQ(sim.FirstLine(), link);
  const int fd = OpenRaw(link);
  ASSERT_GE(fd, 0);
  auto frame = [](Bytes body) {
    AppendChecksum(body);
    return body;
  };
  auto position = [&](int channel) {
    const Bytes r = Exchange(fd, frame({0xF0}), 49);
    return r.size() == 49 ? r[2 * channel] << 8 | r[2 * channel + 1] : -1;
  };
  auto send = [&](const std::string& line) {
    ASSERT_EQ(write(input, line.data(), line.size()), static_cast<ssize_t>(line.size()));
  };
  auto waitFor = [&](int channel, int value) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (position(channel) != value && std::chrono::steady_clock::now() < end) usleep(10000);
    return position(channel);
  };
  // Channel 3 held at 16000, channel 4 set free where it stands (the home position).
  Exchange(fd, frame({0xFE, 0x00, 0x02, 0x01, 0x3E, 0x80}), 0);
  Exchange(fd, frame({0xFE, 0x00, 0x03, 0x01, 0x80, 0x02}), 0);
  EXPECT_EQ(waitFor(2, 16000), 16000);
  EXPECT_EQ(waitFor(3, 16384), 16384);
  send("move 4 12345\n");
  EXPECT_EQ(waitFor(3, 12345), 12345);
  send("move 3 9000\nmove 4 99999\nmove 4 20000\n");
  EXPECT_EQ(waitFor(3, 20000), 20000);
  EXPECT_EQ(position(2), 16000);
  close(fd);
  close(input);
  EXPECT_EQ(sim.Stop(), 0);
}

TEST(PtyEndToEnd, BadArgumentsAndStateFailClearly) {
  brv3::test::TempDir dir;
  auto r = brv3::test::RunProcess(BRV3_SIM_PATH, {"--faults", "nak:zero"}, "", 10000);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("nak:zero"), std::string::npos);
  brv3::test::WriteFile(dir.File("bad.state"), "not a state\n");
  r = brv3::test::RunProcess(BRV3_SIM_PATH, {"--state", dir.File("bad.state")}, "", 10000);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("not a qvb3-sim state file"), std::string::npos);
  r = brv3::test::RunProcess(BRV3_SIM_PATH, {"--state", dir.File("no/such/dir/state")}, "", 10000);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("cannot be written"), std::string::npos);
  brv3::test::WriteFile(dir.File("plain"), "x");
  r = brv3::test::RunProcess(BRV3_SIM_PATH, {"--link", dir.File("plain")}, "", 10000);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(brv3::test::ReadFile(dir.File("plain")), "x");
  // A FIFO as the trace would block the start until someone read it: refused at once.
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  r = brv3::test::RunProcess(BRV3_SIM_PATH,
                             {"--link", dir.File("qvb3"), "--trace", dir.File("fifo")}, "", 5000);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("it is a FIFO"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace brv3::sim::test
