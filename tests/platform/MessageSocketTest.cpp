#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>

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

TEST(MessageSocketPathTest, UsesTheRuntimeFolderElseAPrivateOneInTmp) {
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = old ? old : "";
  const std::string uid = std::to_string(getuid());
  setenv("XDG_RUNTIME_DIR", "/run/user/test", 1);
  EXPECT_EQ(MessageSocketPath(), "/run/user/test/brivane3-" + uid + ".sock");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(MessageSocketPath(), "/tmp/brivane3-" + uid + "/brivane3-" + uid + ".sock");
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

// Sends from another thread, as send-message does from another process, while the server is
// polled here (the sender waits for the editor's answer); what arrived goes to `arrived`.
SendResult SendWhilePolling(MessageSocketServer& server, const std::string& path,
                            const WindowMessage& m, std::vector<WindowMessage>* arrived = nullptr,
                            std::string* error = nullptr, int replyTimeoutMs = 5000) {
  auto sent = std::async(std::launch::async,
                         [&] { return SendWindowMessage(path, m, error, replyTimeoutMs); });
  while (sent.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    auto got = server.Poll(20);
    if (arrived) arrived->insert(arrived->end(), got.begin(), got.end());
  }
  return sent.get();
}

TEST(MessageSocketServerTest, DeliversGoodLinesAndDropsBadOnes) {
  test::TempDir dir;
  const std::string path = dir.File("b.sock");
  EXPECT_EQ(SendWindowMessage(path, {0x8000, 0, 1}), SendResult::NoEditor);

  MessageSocketServer server;
  ASSERT_TRUE(server.Listen(path));
  std::vector<WindowMessage> got;
  EXPECT_EQ(SendWhilePolling(server, path, {0x8000, 0, 3}, &got), SendResult::Sent);
  SendRaw(path, "0x8001 0 2\nnonsense\n0x8000 16777216 0x11223344");
  SendRaw(path, std::string(5000, '1'));
  const auto more = Collect(server, 2);
  got.insert(got.end(), more.begin(), more.end());
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
  std::vector<WindowMessage> got;
  EXPECT_EQ(SendWhilePolling(server, path, {0x8000, 0, 7}, &got), SendResult::Sent);
  EXPECT_EQ(got.size(), 1u);

  const std::string plain = dir.File("plain.sock");
  test::WriteFile(plain, "keep me");
  MessageSocketServer other;
  EXPECT_FALSE(other.Listen(plain));
  EXPECT_EQ(test::ReadFile(plain), "keep me");
  EXPECT_FALSE(other.Listen(std::string(200, 'x')));
}

// Connects and stays silent, as a client holding a connection open does.
int ConnectIdle(const std::string& path) {
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  std::strncpy(a.sun_path, path.c_str(), sizeof a.sun_path - 1);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Idle connections cannot keep the editor's messages out: while they fill every place the sender
// is told its line was not accepted; once they have been idle for the time-out they are dropped
// and the next line gets through.
TEST(MessageSocketServerTest, IdleClientsAreDroppedAndARefusedLineIsReported) {
  test::TempDir dir;
  const std::string path = dir.File("b.sock");
  MessageSocketServer server;
  ASSERT_TRUE(server.Listen(path));
  server.SetIdleTimeout(60000);
  std::vector<int> idle;
  // Accepted one by one: the queue of connections not yet accepted is short.
  for (size_t i = 0; i < MessageSocketServer::kMaxClients; ++i) {
    idle.push_back(ConnectIdle(path));
    server.Poll(10);
  }

  std::vector<WindowMessage> got;
  std::string error;
  EXPECT_EQ(SendWhilePolling(server, path, {0x8000, 0, 3}, &got, &error, 2000),
            SendResult::NotAccepted);
  EXPECT_NE(error.find("did not accept"), std::string::npos) << error;
  EXPECT_TRUE(got.empty());

  // Once they have been idle for the time-out, a sender gets through.
  server.SetIdleTimeout(200);
  SendResult result = SendResult::NotAccepted;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (result != SendResult::Sent && std::chrono::steady_clock::now() < deadline)
    result = SendWhilePolling(server, path, {0x8000, 0, 4}, &got, &error);
  EXPECT_EQ(result, SendResult::Sent) << error;
  EXPECT_EQ(got, (std::vector<WindowMessage>{{0x8000, 0, 4}}));
  for (int fd : idle) close(fd);

  // A line the editor refuses is reported with its reason.
  int fd = ConnectIdle(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "0x8000 zero 3\n", 14), 14);
  Collect(server, 1);
  char reply[128] = {};
  ASSERT_GT(read(fd, reply, sizeof reply - 1), 0);
  EXPECT_EQ(std::string(reply).rfind("refused: W must be", 0), 0u) << reply;
  close(fd);
}

// The sender checks who listens before it sends: a socket of another user gets nothing.
TEST(MessageSocketServerTest, ASocketOfAnotherUserGetsNothing) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to listen as another user";
  test::TempDir dir;
  chmod(dir.path().c_str(), 0777);
  const std::string path = dir.File("squat.sock");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    MessageSocketServer squatter;
    if (!squatter.Listen(path)) _exit(3);
    (void)!write(ready[1], "x", 1);
    int received = 0;
    for (int i = 0; i < 40; ++i) received += static_cast<int>(squatter.Poll(50).size());
    _exit(received == 0 ? 0 : 4);
  }
  char c;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  std::string error;
  EXPECT_EQ(SendWindowMessage(path, {0x8000, 0, 3}, &error, 1000), SendResult::Failed);
  EXPECT_NE(error.find("belongs to another user"), std::string::npos) << error;
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the other user's socket got the line";
  close(ready[0]);
  close(ready[1]);
}

}  // namespace
}  // namespace brv3::platform
