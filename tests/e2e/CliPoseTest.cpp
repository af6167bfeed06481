// The pose commands of brivane3-cli against qvb3-sim over a pseudo-terminal.
#include <gtest/gtest.h>

#include "support/SimProcess.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

std::string Repeat(const std::string& text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

class CliPose : public ::testing::Test {
 protected:
  void SetUp() override {
    link = dir.File("qvb3");
    sim = std::make_unique<test::SimProcess>(
        std::vector<std::string>{"--link", link, "--trace", dir.File("trace.log")});
    ASSERT_EQ(sim->FirstLine(), link);
    test::WriteFile(dir.File("pose.QVB"),
                    "[GraphicalEdit]\r\nType=0\r\nItems=2\r\nLinks=0\r\nStart=0\r\n"
                    "[Item0]\r\nName=Stand\r\nType=0\r\nPrm=40,16400,32769,0,0,0,0,0,0,0,0,0,0,"
                    "0,0,0,0,0,0,0,0,0,0,0,16000\r\n"
                    "[Item1]\r\nName=Loop\r\nType=1\r\nPrm=1" +
                        Repeat(",33290", 24) + "\r\n");
  }
  test::ProcessResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", link});
    return test::RunProcess(BRV3_CLI_PATH, args);
  }
  std::string Trace() { return test::ReadFile(dir.File("trace.log")); }
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

}  // namespace

TEST_F(CliPose, ServoFramesInTheOrderGiven) {
  auto r = Cli({"servo", "1", "-300", "24", "FREE", "3", "h", "4", "l"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // The board answers the next program only after it has taken every byte of the last one, so
  // the next command comes first: the last live frame must not be lost between the two.
  const auto pose = Cli({"pose", "get"});
  const std::string trace = Trace();
  const size_t first = trace.find("> FE 00 00 01 3E D4");  // 16384 - 300 = 0x3ED4
  const size_t second = trace.find("> FE 00 17 01 80 02");
  ASSERT_NE(first, std::string::npos) << trace;
  ASSERT_NE(second, std::string::npos) << trace;
  EXPECT_LT(first, second);
  EXPECT_NE(trace.find("> FE 00 02 01 80 01"), std::string::npos);
  EXPECT_NE(trace.find("> FE 00 03 01 80 00"), std::string::npos) << trace;

  ASSERT_EQ(pose.exitCode, 0) << pose.err;
  EXPECT_EQ(pose.out, "1,16084,16384,32769,32768," + Repeat("16384,", 19) + "32770\n");
}

TEST_F(CliPose, BadServoArgumentsSendNothing) {
  for (auto args : std::vector<std::vector<std::string>>{
           {"servo", "25", "0"}, {"servo", "1", "16384"}, {"servo", "1", "up"}, {"servo", "1"}}) {
    auto r = Cli(args);
    EXPECT_EQ(r.exitCode, 2) << args[1];
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_EQ(Trace().find("> FE"), std::string::npos);
}

TEST_F(CliPose, PoseSetSetHomeAndNames) {
  auto r = Cli({"pose", "set", dir.File("pose.QVB"), "--object", "Stand"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = Cli({"pose", "get"});
  EXPECT_EQ(r.out, "40,16400,32769,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,16000\n");
  EXPECT_EQ(Cli({"pose", "set", dir.File("pose.QVB"), "--object", "Loop"}).exitCode, 2);
  EXPECT_EQ(Cli({"pose", "set", dir.File("pose.QVB"), "--object", "Nobody"}).exitCode, 2);

  r = Cli({"pose", "set-home", dir.File("pose.QVB"), "--object", "Stand"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(Trace().find("> D3 01 40 10 80 01 00 00"), std::string::npos);
  EXPECT_EQ(Cli({"pose", "home"}).exitCode, 0);
  EXPECT_EQ(Cli({"pose", "trim"}).exitCode, 0);

  r = Cli({"names", "--set", "1=右足", "--set", "24=" + std::string(40, 'x')});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = Cli({"names"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("1\t右足\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\n24\t" + std::string(32, 'x') + "\n"), std::string::npos);
  EXPECT_EQ(Cli({"names", "--set", "0=x"}).exitCode, 2);
}

TEST_F(CliPose, TransformAppliesRowsToTheNamedObjects) {
  std::string rows = "\"ReadTo(24)\"";  // channel 1 takes channel 24's word
  for (int i = 1; i < 24; ++i) rows += ",\"\"";
  auto r = test::RunProcess(BRV3_CLI_PATH, {"transform", dir.File("pose.QVB"), dir.File("out.QVB"),
                                            "--rows", rows, "--objects", "Stand"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = test::RunProcess(BRV3_CLI_PATH, {"dump", dir.File("out.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("16000"), std::string::npos);
  EXPECT_EQ(r.out.find("16400"), std::string::npos) << r.out;

  EXPECT_EQ(test::RunProcess(BRV3_CLI_PATH, {"transform", dir.File("pose.QVB"), dir.File("x.QVB"),
                                             "--rows", "\"CH1\""})
                .exitCode,
            2);
  EXPECT_EQ(test::RunProcess(BRV3_CLI_PATH, {"transform", dir.File("pose.QVB"), dir.File("x.QVB"),
                                             "--rows", rows, "--objects", "Ghost"})
                .exitCode,
            2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.QVB")));
}

TEST_F(CliPose, HomeAndTrimNeverEndWithTheBoardAsleep) {
  // The first list spoils the reply to the wake's mode-word read; the others fail a frame while
  // the board sleeps. Whatever the exit code, the board must be awake at the end.
  for (const char* faults : {"bad-checksum:5", "no-attention:7", "nak:3"}) {
    for (const char* kind : {"home", "trim"}) {
      RestartSim(faults);
      const auto r = Cli({"pose", kind});
      const int mode = test::LastWorkingModeWord(dir.File("trace.log"));
      ASSERT_GE(mode, 0) << faults << " " << kind;
      EXPECT_EQ(mode & 1, 0) << faults << " " << kind << ": left asleep, exit " << r.exitCode
                             << "; " << r.err;
    }
  }
}

TEST_F(CliPose, UnreadableNamesAreNamedWithTheCause) {
  RestartSim("bad-checksum:10");
  const auto r = Cli({"names"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 24);
  EXPECT_NE(r.err.find("The names of channels 10, 20 could not be read (the board's reply had a "
                       "bad checksum)"),
            std::string::npos)
      << r.err;
}

TEST_F(CliPose, AFailedPoseCommandNamesTheCause) {
  RestartSim("nak:1");
  for (const char* command : {"set", "set-home"}) {
    const auto r = Cli({"pose", command, dir.File("pose.QVB"), "--object", "Stand"});
    EXPECT_EQ(r.exitCode, 1) << command;
    EXPECT_NE(r.err.find("The board refused the command (NAK)"), std::string::npos)
        << command << ": " << r.err;
  }
}

}  // namespace brv3
