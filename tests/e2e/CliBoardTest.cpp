// brivane3-cli against qvb3-sim over a pseudo-terminal, as a user runs them.
#include <gtest/gtest.h>

#include "support/SimProcess.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

class CliBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    link = dir.File("qvb3");
    sim = std::make_unique<test::SimProcess>(
        std::vector<std::string>{"--link", link, "--trace", dir.File("trace.log")});
    ASSERT_EQ(sim->FirstLine(), link);
  }
  test::ProcessResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", link});
    return test::RunProcess(BRV3_CLI_PATH, args);
  }

  void RestartSim(const std::string& faults) {
    sim->Stop();
    sim = std::make_unique<test::SimProcess>(
        std::vector<std::string>{"--link", link, "--trace", dir.File("trace.log"), "--state",
                                 dir.File("board.state"), "--faults", faults});
    ASSERT_EQ(sim->FirstLine(), link);
  }

  test::TempDir dir;
  std::string link;
  std::unique_ptr<test::SimProcess> sim;
};

// How many attention bytes the program sent, as the trace shows them: one per exchange.
int Exchanges(const std::string& tracePath) {
  const std::string trace = test::ReadFile(tracePath);
  int count = 0;
  for (size_t at = trace.find(" > 0D\n"); at != std::string::npos;
       at = trace.find(" > 0D\n", at + 1))
    ++count;
  return count;
}

}  // namespace

TEST_F(CliBoard, VersionTableAndPlaybackCommands) {
  auto r = Cli({"version"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 17), "QVB-3 simulator \n");

  r = Cli({"table"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 86);
  EXPECT_NE(r.out.find("\nM80\t"), std::string::npos);
  EXPECT_NE(r.out.find("\nS5\t"), std::string::npos);

  for (auto args : std::vector<std::vector<std::string>>{{"play", "M4"},
                                                         {"play", "S2"},
                                                         {"stop"},
                                                         {"pause"},
                                                         {"sleep", "on"},
                                                         {"sleep", "off"}}) {
    r = Cli(args);
    EXPECT_EQ(r.exitCode, 0) << args[0] << ": " << r.err;
  }
  // The trace shows the play frame for entry 3 (M4) exactly.
  std::string trace = test::ReadFile(dir.File("trace.log"));
  EXPECT_NE(trace.find("> F4 05 03 FC"), std::string::npos) << trace;
}

TEST_F(CliBoard, BadArgumentsAndMissingBoardsFailClearly) {
  auto r = Cli({"play", "M81"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("M81"), std::string::npos);
  EXPECT_EQ(Cli({"sleep", "maybe"}).exitCode, 2);

  r = test::RunProcess(BRV3_CLI_PATH, {"--port", dir.File("absent"), "version"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Cannot open the serial port"), std::string::npos);
  r = test::RunProcess(BRV3_CLI_PATH, {"version"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--port"), std::string::npos);

  // A board that never answers: the command fails within its time-outs.
  sim->Stop();
  sim = std::make_unique<test::SimProcess>(
      std::vector<std::string>{"--link", link, "--faults", "no-attention:1"});
  ASSERT_EQ(sim->FirstLine(), link);
  auto start = std::chrono::steady_clock::now();
  r = Cli({"table"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("The board did not answer"), std::string::npos);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(CliBoard, AFailedTableReadWakesTheBoard) {
  // Every 50th data reply is spoilt, so both tries of the 85 reads fail; a refused frame
  // ends both tries while the board is being put to sleep.
  for (const char* faults : {"bad-checksum:50", "nak:3"}) {
    RestartSim(faults);
    const auto r = Cli({"table"});
    EXPECT_EQ(r.exitCode, 1) << faults;
    const int mode = test::LastWorkingModeWord(dir.File("trace.log"));
    ASSERT_GE(mode, 0) << faults;
    EXPECT_EQ(mode & 1, 0) << faults << ": the board was left asleep; " << r.err;
  }
}

TEST_F(CliBoard, AFailedReadWakesTheBoard) {
  RestartSim("seed:1");  // no faults, but the memory kept for the runs below
  auto r = Cli({"--yes", "write", test::DataFile("walk.QVB"), "--slot", "M5"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // A refused frame while the board is put to sleep, or the first step's reply spoilt four times
  // in a row (one more than a read is asked for again).
  for (const char* faults :
       {"nak:3", "bad-checksum@3,bad-checksum@4,bad-checksum@5,bad-checksum@6"}) {
    RestartSim(faults);
    r = Cli({"read", "--slot", "M5", "-o", dir.File("back.QVB")});
    EXPECT_EQ(r.exitCode, 1) << faults;
    const int mode = test::LastWorkingModeWord(dir.File("trace.log"));
    ASSERT_GE(mode, 0) << faults;
    EXPECT_EQ(mode & 1, 0) << faults << ": the board was left asleep; " << r.err;
    // The cause is named even though waking the board afterwards went well.
    EXPECT_NE(r.err.find(faults[0] == 'n' ? "(NAK)" : "bad checksum"), std::string::npos)
        << faults << ": " << r.err;
  }
}

// A write or trim load whose data was all acknowledged but whose wake afterwards went unanswered
// (and once more) is not "failed": exit 5 says the data is stored and the board still asleep.
TEST_F(CliBoard, StoredButNotWokenExitsFive) {
  std::string trim = "[TrimData]\r\n";
  for (int n = 1; n <= 24; ++n) trim += "CH" + std::to_string(n) + "=16400\r\n";
  test::WriteFile(dir.File("trim.QVB"), trim);
  const std::vector<std::vector<std::string>> commands = {
      {"--yes", "write", test::DataFile("walk.QVB"), "--slot", "M10"},
      {"trim", "load", dir.File("trim.QVB")}};
  for (const auto& command : commands) {
    RestartSim("seed:1");
    auto r = Cli(command);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The last two exchanges wake the board: its mode word read, then written.
    const int total = Exchanges(dir.File("trace.log"));
    ASSERT_GT(total, 10);
    RestartSim("no-attention@" + std::to_string(total - 1) + ",no-attention@" +
               std::to_string(total));
    r = Cli(command);
    EXPECT_EQ(r.exitCode, 5) << command[1] << ": " << r.err;
    EXPECT_NE(r.err.find("did not wake up"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("failed"), std::string::npos) << r.err;
  }
  // What was written is there.
  RestartSim("seed:1");
  auto r = Cli({"read", "--slot", "M10", "-o", dir.File("back.QVB")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = Cli({"trim"});
  EXPECT_NE(r.out.find("CH24\t16\n"), std::string::npos) << r.out;
}

}  // namespace brv3
