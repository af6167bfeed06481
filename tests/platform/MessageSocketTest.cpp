#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/MessageSocket.h"
#include "support/TestSupport.h"

namespace brv3::platform {
namespace {

TEST(MessageLine, ParsesStrictlyAndExplainsWhatIsWrong) {
  EXPECT_EQ(ParseMessageLine("0x8000 0 3"), (WindowMessage{0x8000, 0, 3}));
  EXPECT_EQ(ParseMessageLine("32769\t0x0 0X14\r"), (WindowMessage{0x8001, 0, 20}));
  EXPECT_EQ(ParseMessageLine("  0x8000   16777216   -1 "), (WindowMessage{0x8000, 16777216, -1}));
  EXPECT_EQ(ParseMessageLine("0xFFFFFFFF 0xFFFFFFFF -2147483648"),
            (WindowMessage{0xFFFFFFFF, 0xFFFFFFFF, -2147483648LL}));

  std::string error;
  EXPECT_FALSE(ParseMessageLine("", &error));
  EXPECT_EQ(error, "A message is three numbers: MSG W L");
  EXPECT_FALSE(ParseMessageLine("0x8000 0", &error));
  EXPECT_FALSE(ParseMessageLine("0x8000 0 1 2", &error));
  EXPECT_FALSE(ParseMessageLine("-1 0 0", &error));
  EXPECT_NE(error.find("MSG must be"), std::string::npos);
  EXPECT_FALSE(ParseMessageLine("0x8000 0x 0", &error));
  EXPECT_NE(error.find("W must be"), std::string::npos);
  EXPECT_FALSE(ParseMessageLine("0x8000 0 -0x1", &error));
  EXPECT_NE(error.find("L must be"), std::string::npos);
  for (const std::string& bad :
       std::vector<std::string>{"0x8000 0 4294967296", "0x8000 -2147483649 0", "0x100000000 0 0",
                                "0x8000 0 99999999999999999999", "0x8000 1e3 0", "0x8000 +1 0",
                                "0x8000 0 3\n", std::string("0x8000 0\0 3", 11)})
    EXPECT_FALSE(ParseMessageLine(bad)) << bad;

  const WindowMessage m{0x8000, 16777216 + 0x1234, -5};
  std::string line = FormatMessageLine(m);
  ASSERT_EQ(line.back(), '\n');
  line.pop_back();
  EXPECT_EQ(ParseMessageLine(line), m);
}

TEST(MessageSocketPathTest, UsesTheRuntimeFolderElseTmp) {
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = old ? old : "";
  setenv("XDG_RUNTIME_DIR", "/run/user/test", 1);
  EXPECT_EQ(MessageSocketPath(), "/run/user/test/brivane3-" + std::to_string(getuid()) + ".sock");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(MessageSocketPath(), "/tmp/brivane3-" + std::to_string(getuid()) + ".sock");
  if (old) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

// Connects and sends raw bytes, as a client other than ours might.
void SendRaw(const std::string& path, const std::string& bytes) {
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  std::strncpy(a.sun_path, path.c_str(), sizeof a.sun_path - 1);
  ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  close(fd);
}

// Polls until `count` messages arrived or a second has gone by.
std::vector<WindowMessage> Collect(MessageSocketServer& server, size_t count) {
  std::vector<WindowMessage> all;
  for (int i = 0; i < 20 && all.size() < count; ++i) {
    auto got = server.Poll(50);
    all.insert(all.end(), got.begin(), got.end());
  }
  return all;
}

TEST(MessageSocketServerTest, DeliversGoodLinesAndDropsBadOnes) {
  test::TempDir dir;
  const std::string path = dir.File("b.sock");
  EXPECT_EQ(SendWindowMessage(path, {0x8000, 0, 1}), SendResult::NoEditor);

  MessageSocketServer server;
  ASSERT_TRUE(server.Listen(path));
  EXPECT_EQ(SendWindowMessage(path, {0x8000, 0, 3}), SendResult::Sent);
  SendRaw(path, "0x8001 0 2\nnonsense\n0x8000 16777216 0x11223344");
  SendRaw(path, std::string(5000, '1'));
  const auto got = Collect(server, 3);
  EXPECT_EQ(got, (std::vector<WindowMessage>{
                     {0x8000, 0, 3}, {0x8001, 0, 2}, {0x8000, 16777216, 0x11223344}}));
  EXPECT_EQ(server.RejectedLines(), 2);

  // A second editor cannot take the socket over while the first listens.
  MessageSocketServer second;
  std::string error;
  EXPECT_FALSE(second.Listen(path, &error));
  EXPECT_NE(error.find("Another editor"), std::string::npos);

  // Closing removes the socket; a stale socket file left by a crash is replaced.
  server.Close();
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(SendWindowMessage(path, {0x8000, 0, 1}), SendResult::NoEditor);
}

TEST(MessageSocketServerTest, ReplacesOnlyAStaleSocket) {
  test::TempDir dir;
  const std::string path = dir.File("stale.sock");
  {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strncpy(a.sun_path, path.c_str(), sizeof a.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    close(fd);  // the file stays, nobody listens
  }
  MessageSocketServer server;
  ASSERT_TRUE(server.Listen(path));
  EXPECT_EQ(SendWindowMessage(path, {0x8000, 0, 7}), SendResult::Sent);
  EXPECT_EQ(Collect(server, 1).size(), 1u);

  const std::string plain = dir.File("plain.sock");
  test::WriteFile(plain, "keep me");
  MessageSocketServer other;
  EXPECT_FALSE(other.Listen(plain));
  EXPECT_EQ(test::ReadFile(plain), "keep me");
  EXPECT_FALSE(other.Listen(std::string(200, 'x')));
}

}  // namespace
}  // namespace brv3::platform
