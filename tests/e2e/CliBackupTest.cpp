// A whole board's work kept safe: write motions and a scenario with the CLI, back the board up,
// restore onto an erased board, and find the same memory.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/SimProcess.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

// A CSV motion of `steps` poses.
std::string CsvMotion(const std::string& name, int steps) {
  std::string text = "NO," + name + ",SPEED";
  for (int c = 1; c <= 24; ++c) text += ",CH" + std::to_string(c);
  text += "\r\n";
  for (int k = 1; k <= steps; ++k) {
    text += std::to_string(k) + ",p" + std::to_string(k) + "," + std::to_string(k % 8);
    for (int c = 1; c <= 24; ++c) text += "," + std::to_string((k * 7 + c) % 181 - 90);
    text += "\r\n";
  }
  return text;
}

// A scenario chart calling M5 then M10.
const char* kScenario =
    "[GraphicalEdit]\r\nType=7\r\nItems=2\r\nLinks=1\r\nStart=0\r\nName=show\r\n"
    "[Item0]\r\nName=M5\r\nPrm=4\r\n[Item1]\r\nName=M10\r\nLeft=80\r\nPrm=9\r\n"
    "[Link0]\r\nOrigin=0\r\nFinal=1\r\n";

// A listing without its first column, the object names.
std::string StepsOnly(const std::string& listing) {
  std::string out;
  size_t pos = 0;
  while (pos < listing.size()) {
    size_t eol = listing.find('\n', pos);
    if (eol == std::string::npos) eol = listing.size();
    std::string line = listing.substr(pos, eol - pos);
    out += line.substr(std::min(line.find(','), line.size())) + "\n";
    pos = eol + 1;
  }
  return out;
}

class Board {
 public:
  Board(const test::TempDir& dir, const std::string& name)
      : link_(dir.File(name + ".link")), state_(dir.File(name + ".state")) {
    Start();
  }
  void Start() {
    sim_ = std::make_unique<test::SimProcess>(
        std::vector<std::string>{"--link", link_, "--state", state_});
    EXPECT_EQ(sim_->FirstLine(), link_);
  }
  // Stops the simulator, which saves its memory, and returns the saved state.
  std::string StoppedState() {
    sim_->Stop();
    return test::ReadFile(state_);
  }
  test::ProcessResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", link_, "--yes"});
    return test::RunProcess(BRV3_CLI_PATH, args, "", 60000);
  }

 private:
  std::string link_, state_;
  std::unique_ptr<test::SimProcess> sim_;
};

}  // namespace

TEST(CliBackup, RestoreOntoAnErasedBoardGivesTheSameMemory) {
  test::TempDir dir;
  test::WriteFile(dir.File("long.csv"), CsvMotion("long", 40));
  test::WriteFile(dir.File("show.QVB"), kScenario);

  Board first(dir, "first");
  for (auto args : std::vector<std::vector<std::string>>{
           {"write", test::DataFile("walk.QVB"), "--slot", "M5"},
           {"write", dir.File("long.csv"), "--slot", "M10"},  // runs on into M11
           {"write", dir.File("show.QVB"), "--slot", "S2"},
           {"backup", dir.File("backup")}}) {
    auto r = first.Cli(args);
    ASSERT_EQ(r.exitCode, 0) << args[0] << ": " << r.err;
  }
  EXPECT_TRUE(std::filesystem::exists(dir.File("backup/manifest.json")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("backup/M10.QVB")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("backup/S2.QVB")));

  // Reading M10 back gives the chart's 40 poses again.
  auto r = first.Cli({"read", "--slot", "M10", "-o", dir.File("m10.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto compiled = test::RunProcess(BRV3_CLI_PATH, {"compile", dir.File("m10.QVB")});
  auto original = test::RunProcess(BRV3_CLI_PATH, {"compile", dir.File("long.csv")});
  EXPECT_EQ(StepsOnly(compiled.out), StepsOnly(original.out));  // names are rebuilt as POSn

  Board second(dir, "second");
  r = second.Cli({"restore", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(second.StoppedState(), first.StoppedState());
}

}  // namespace brv3
