// watch, analog and transmitter of brivane3-cli against qvb3-sim over a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "support/SimProcess.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

class CliSensors : public ::testing::Test {
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
  int LastWorkingModeWord() { return test::LastWorkingModeWord(dir.File("trace.log")); }
  // The simulator again on the same link, with `faults`.
  void RestartSim(const std::string& faults) {
    sim->Stop();
    sim = std::make_unique<test::SimProcess>(std::vector<std::string>{
        "--link", link, "--trace", dir.File("trace.log"), "--faults", faults});
    ASSERT_EQ(sim->FirstLine(), link);
  }

  test::TempDir dir;
  std::string link;
  std::unique_ptr<test::SimProcess> sim;
};

TEST_F(CliSensors, WatchPrintsReportsAndSwitchesThemOffAfterCount) {
  const auto r = Cli({"watch", "--count", "4"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::istringstream lines(r.out);
  std::string line;
  int analog = 0, remote = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("analog ", 0) == 0) {
      EXPECT_EQ(line, "analog BATT=10.00V AD1=0.00V AD2=0.00V AD3=0.00V raw=650,0,0,0");
      ++analog;
    } else {
      EXPECT_EQ(line, "remote code=65535 PA1=0 PA2=0 PA3=0 PA4=0");
      ++remote;
    }
  }
  EXPECT_EQ(analog + remote, 4);
  EXPECT_GT(analog, 0);
  EXPECT_GT(remote, 0);
  const int mode = LastWorkingModeWord();
  ASSERT_GE(mode, 0);
  EXPECT_EQ(mode & 0x0104, 0) << "the board was left reporting";
}

TEST_F(CliSensors, WatchStopsCleanlyOnSigterm) {
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    close(out[0]);
    close(out[1]);
    execl(BRV3_CLI_PATH, BRV3_CLI_PATH, "--port", link.c_str(), "watch", nullptr);
    _exit(127);
  }
  close(out[1]);
  // Wait for the first report line, then ask the command to stop.
  std::string text;
  char c;
  while (text.find('\n') == std::string::npos && read(out[0], &c, 1) == 1) text += c;
  EXPECT_NE(text.find("BATT=10.00V"), std::string::npos) << text;
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  close(out[0]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(LastWorkingModeWord() & 0x0104, 0) << "the board was left reporting";
}

TEST_F(CliSensors, StoredSettingsAsJsonAndASilentBoard) {
  auto r = Cli({"analog"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["references"].size(), 3u);
  ASSERT_EQ(j["mix"].size(), 3u);
  EXPECT_EQ(j["mix"][2].size(), 24u);
  ASSERT_EQ(j["triggers"].size(), 6u);
  EXPECT_EQ(j["triggers"][3]["input"], "AD2");
  EXPECT_TRUE(j["triggers"][3]["motion"].is_null());

  r = Cli({"transmitter"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["references"].size(), 4u);

  sim->Stop();
  test::TempDir other;
  test::SimProcess silent({"--link", other.File("qvb3"), "--faults", "no-attention:1"});
  ASSERT_EQ(silent.FirstLine(), other.File("qvb3"));
  for (const char* command : {"watch", "analog", "transmitter"}) {
    r = test::RunProcess(BRV3_CLI_PATH, {"--port", other.File("qvb3"), command});
    EXPECT_EQ(r.exitCode, 1) << command;
    EXPECT_NE(r.err.find("did not answer"), std::string::npos) << r.err;
  }
}

TEST_F(CliSensors, AFailedSettingsReadNamesTheCause) {
  RestartSim("bad-checksum:1");
  for (const char* command : {"analog", "transmitter"}) {
    const auto r = Cli({command});
    EXPECT_EQ(r.exitCode, 1) << command;
    EXPECT_NE(r.err.find("The board's reply had a bad checksum"), std::string::npos)
        << command << ": " << r.err;
  }
}

TEST_F(CliSensors, WatchNeverLeavesTheBoardReportingWhenASwitchFails) {
  // Each list makes one of the switching frames fail on the line (unanswered, refused, a
  // short reply to a frame the board did take); the reports must be off at the end all the same.
  for (const char* faults : {"no-attention:7", "nak:3", "short-reply:4"}) {
    RestartSim(faults);
    const auto r = Cli({"watch", "--count", "3"});
    const int mode = LastWorkingModeWord();
    ASSERT_GE(mode, 0) << faults;
    EXPECT_EQ(mode & 0x0104, 0) << faults << ": the board was left reporting; " << r.err;
  }
}

TEST_F(CliSensors, WatchEndsWhenTheBoardGoesAway) {
  // Reports were asked for until 1000 arrived; the board vanishes once the first was printed.
  const auto start = std::chrono::steady_clock::now();
  const auto r = test::RunProcessWatching(
      BRV3_CLI_PATH, {"--port", link, "watch", "--count", "1000"},
      [this](const test::ProcessResult& sofar) {
        if (sofar.out.find("analog BATT=") != std::string::npos) sim->Stop();
        return false;
      },
      15000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("The serial port is gone"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("analog BATT="), std::string::npos);
}

TEST_F(CliSensors, CommandInputWithoutLineEndsIsDroppedAndLaterLinesStillWork) {
  // A megabyte without a line end, then a good line: the simulator drops the long line (it
  // must not keep it in memory) and takes the next one.
  sim->Stop();
  const std::string input = std::string(1 << 20, 'x') + "\nanalog 650 100 200 300\n";
  test::WriteFile(dir.File("commands"), input);
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open(dir.File("commands").c_str(), O_RDONLY);
    const int err = open(dir.File("sim.err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(err, 2);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    execl(BRV3_SIM_PATH, BRV3_SIM_PATH, "--link", link.c_str(), "--commands", nullptr);
    _exit(127);
  }
  ASSERT_TRUE(test::WaitUntil([this] { return std::filesystem::exists(link); }));
  const auto r = Cli({"watch", "--count", "6"});
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("raw=650,100,200,300"), std::string::npos) << r.out;
  const std::string simErr = test::ReadFile(dir.File("sim.err"));
  EXPECT_NE(simErr.find("longer than"), std::string::npos) << simErr.substr(0, 200);
  EXPECT_LT(simErr.size(), 1000u);
}

}  // namespace
}  // namespace brv3
