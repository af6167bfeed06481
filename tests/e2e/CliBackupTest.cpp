// A whole board's work kept safe: write motions and a scenario with the CLI, back the board up,
// restore onto an erased board, and find the same memory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

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
      : link_(dir.File(name + ".link")),
        state_(dir.File(name + ".state")),
        trace_(dir.File(name + ".trace")) {
    Start();
  }
  // (Re)starts the simulator on the kept memory, with `faults` when given.
  void Start(const std::string& faults = "") {
    sim_.reset();
    std::vector<std::string> args{"--link", link_, "--state", state_, "--trace", trace_};
    if (!faults.empty()) args.insert(args.end(), {"--faults", faults});
    sim_ = std::make_unique<test::SimProcess>(args);
    EXPECT_EQ(sim_->FirstLine(), link_);
  }
  // Stops the simulator, which saves its memory, and returns the saved state.
  std::string StoppedState() {
    sim_->Stop();
    return test::ReadFile(state_);
  }
  const std::string& Link() const { return link_; }
  // How many frames starting with `command` (as the trace writes them, "> F5") the board got.
  int FramesReceived(const std::string& command) const {
    const std::string trace = test::ReadFile(trace_);
    int count = 0;
    for (size_t at = trace.find(command); at != std::string::npos; at = trace.find(command, at + 1))
      ++count;
    return count;
  }
  test::ProcessResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", link_, "--yes"});
    return test::RunProcess(BRV3_CLI_PATH, args, "", 60000);
  }

 private:
  std::string link_, state_, trace_;
  std::unique_ptr<test::SimProcess> sim_;
};

// Every file of a folder with its bytes.
std::map<std::string, std::string> FolderContent(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    files[e.path().filename().string()] = test::ReadFile(e.path().string());
  return files;
}

// The names of the files that differ between two folder contents (short failure messages).
std::vector<std::string> Differing(const std::map<std::string, std::string>& a,
                                   const std::map<std::string, std::string>& b) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : a)
    if (!b.count(name) || b.at(name) != bytes) names.push_back(name);
  for (const auto& [name, bytes] : b)
    if (!a.count(name)) names.push_back(name);
  return names;
}

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

// A backup that fails part-way over an older one leaves the older one exactly as it was (no
// new chart beside the old manifest) and nothing of its own; a later good backup replaces the
// older one whole.
TEST(CliBackup, AFailedBackupLeavesTheOlderBackupAsItWas) {
  namespace fs = std::filesystem;
  test::TempDir dir;
  test::WriteFile(dir.File("long.csv"), CsvMotion("long", 40));
  Board board(dir, "board");
  for (auto args :
       std::vector<std::vector<std::string>>{{"write", test::DataFile("walk.QVB"), "--slot", "M5"},
                                             {"write", dir.File("long.csv"), "--slot", "M10"},
                                             {"backup", dir.File("backup")}}) {
    auto r = board.Cli(args);
    ASSERT_EQ(r.exitCode, 0) << args[0] << ": " << r.err;
  }
  const auto older = FolderContent(dir.File("backup"));
  ASSERT_TRUE(older.count("M5.QVB") && older.count("manifest.json")) << older.size();

  // M1 is new and M5 changes; the line goes away while M10 is read, after both were saved.
  auto r = board.Cli({"write", dir.File("long.csv"), "--slot", "M1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = board.Cli({"write", test::DataFile("walk.QVB"), "--slot", "M6"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = board.Cli({"delete", "--slot", "M5"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  board.Start("disconnect-after:" + std::to_string(1 + 85 + 40 + 20 + 10));
  r = board.Cli({"backup", dir.File("backup")});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("M10 could not be read"), std::string::npos) << r.err;
  EXPECT_EQ(Differing(FolderContent(dir.File("backup")), older), std::vector<std::string>{});
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(dir.path()))
    if (e.path().filename() != "board.link" && e.path().filename() != "board.trace")
      left.push_back(e.path().filename());  // the sim's
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"backup", "board.state", "long.csv"}));

  // Without faults the new backup replaces the old one whole: M5's chart is gone.
  board.Start();
  r = board.Cli({"backup", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto newer = FolderContent(dir.File("backup"));
  EXPECT_TRUE(newer.count("M1.QVB") && newer.count("M6.QVB") && newer.count("M10.QVB"));
  EXPECT_FALSE(newer.count("M5.QVB"));

  // A folder holding other files is not replaced, nor is a file.
  test::WriteFile(dir.File("backup/notes.txt"), "mine");
  r = board.Cli({"backup", dir.File("backup")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("notes.txt"), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadFile(dir.File("backup/notes.txt")), "mine");
  r = board.Cli({"backup", dir.File("long.csv")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("long.csv"), std::string::npos) << r.err;
}

// A restore that stops while steps are written never leaves a slot whose old table entry now
// stands over new steps: the slots it writes read as empty until their entries are written.
TEST(CliBackup, AnInterruptedRestoreLeavesNoMixedSlot) {
  test::TempDir dir;
  test::WriteFile(dir.File("long.csv"), CsvMotion("long", 40));  // M5 and its continuation M6
  Board source(dir, "source");
  ASSERT_EQ(source.Cli({"write", dir.File("long.csv"), "--slot", "M5"}).exitCode, 0);
  ASSERT_EQ(source.Cli({"backup", dir.File("backup")}).exitCode, 0);
  std::filesystem::remove(dir.File("backup/config.json"));

  Board target(dir, "target");
  for (const char* slot : {"M5", "M6"}) {
    const auto r = target.Cli({"write", test::DataFile("walk.QVB"), "--slot", slot});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  // Sleep (2 frames), the 80 motion entries read, M5 and M6 emptied, then the steps.
  target.Start("disconnect-after:95");
  auto r = target.Cli({"restore", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 1) << r.err;
  ASSERT_NE(r.err.find("Writing step"), std::string::npos) << r.err;

  target.Start();
  for (const char* slot : {"M5", "M6"}) {
    r = target.Cli({"read", "--slot", slot, "-o", dir.File("back.QVB")});
    EXPECT_EQ(r.exitCode, 1) << slot << " reads as a motion after the interrupted restore";
    EXPECT_NE(r.err.find("The slot is empty"), std::string::npos) << slot << ": " << r.err;
  }
  // Restored in full, M5 reads back as the backed-up motion.
  r = target.Cli({"restore", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = target.Cli({"read", "--slot", "M5", "-o", dir.File("back.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string back = test::ReadFile(dir.File("back.QVB"));
  EXPECT_NE(back.find("Items=40\r\n"), std::string::npos) << back.substr(0, 100);
  EXPECT_NE(back.find("Name=long\r\n"), std::string::npos) << back.substr(0, 100);
}

// A motion written after the backup whose steps reach into a restored slot from a slot before it
// (big at M30 runs on over M31, where the backup has mid) never reads on into restored steps:
// wherever the restore stops, M30 reads as it was or empty, M31 as it was or empty, never mixed.
TEST(CliBackup, AnInterruptedRestoreLeavesNoMotionReachingIntoRestoredSlots) {
  test::TempDir dir;
  test::WriteFile(dir.File("mid.csv"), CsvMotion("mid", 40));   // 41 steps: M31, M32
  test::WriteFile(dir.File("big.csv"), CsvMotion("big", 100));  // 101 steps: M30 ... M33
  Board board(dir, "board");
  ASSERT_EQ(board.Cli({"write", dir.File("mid.csv"), "--slot", "M31"}).exitCode, 0);
  ASSERT_EQ(board.Cli({"backup", dir.File("backup")}).exitCode, 0);
  std::filesystem::remove(dir.File("backup/config.json"));
  auto r = board.Cli({"read", "--slot", "M31", "-o", dir.File("mid-before.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_EQ(board.Cli({"write", dir.File("big.csv"), "--slot", "M30"}).exitCode, 0);
  r = board.Cli({"read", "--slot", "M30", "-o", dir.File("big-before.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string state = board.StoppedState();
  const std::string before[] = {test::ReadFile(dir.File("big-before.QVB")),
                                test::ReadFile(dir.File("mid-before.QVB"))};

  // Stopped in the table reads, while entries are emptied, while steps and entries are written.
  for (int frames : {30, 60, 84, 86, 100, 120, 150}) {
    test::WriteFile(dir.File("board.state"), state);
    board.Start("disconnect-after:" + std::to_string(frames));
    r = board.Cli({"restore", dir.File("backup")});
    EXPECT_EQ(r.exitCode, 1) << frames << ": " << r.err;
    board.Start();
    int k = 0;
    for (const char* slot : {"M30", "M31"}) {
      const std::string out = dir.File(std::string(slot) + ".QVB");
      std::filesystem::remove(out);
      r = board.Cli({"read", "--slot", slot, "-o", out});
      if (r.exitCode == 0)
        EXPECT_TRUE(test::ReadFile(out) == before[k])
            << slot << " reads mixed after a restore stopped at frame " << frames;
      else
        EXPECT_NE(r.err.find("The slot is empty"), std::string::npos) << frames << ": " << r.err;
      ++k;
    }
  }
  // In full, from the same start: mid at M31 as backed up, big gone with its continuation
  // entries, and named.
  board.StoppedState();
  test::WriteFile(dir.File("board.state"), state);
  board.Start();
  r = board.Cli({"restore", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("M30 big reached into the restored slots"), std::string::npos) << r.err;
  r = board.Cli({"table"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.find("big"), std::string::npos) << r.out;
  r = board.Cli({"read", "--slot", "M31", "-o", dir.File("M31.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(test::ReadFile(dir.File("M31.QVB")) == before[1]);
}

// A long motion read, backed up and restored while one reply in a few is spoilt or short: each
// failed read is asked for again (a bounded number of times), so none of them gives up.
TEST(CliBackup, LongTransfersRideOutOccasionalBadReplies) {
  test::TempDir dir;
  test::WriteFile(dir.File("long.csv"), CsvMotion("long", 250));  // 251 steps: M1 ... M9
  Board board(dir, "board");
  ASSERT_EQ(board.Cli({"write", dir.File("long.csv"), "--slot", "M1"}).exitCode, 0);
  auto r = board.Cli({"read", "--slot", "M1", "-o", dir.File("clean.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  board.Start("bad-checksum:7,short-reply:11,no-attention@40");
  r = board.Cli({"read", "--slot", "M1", "-o", dir.File("faulty.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(test::ReadFile(dir.File("faulty.QVB")) == test::ReadFile(dir.File("clean.QVB")));
  r = board.Cli({"backup", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  board.Start("bad-checksum:7,short-reply:11");
  r = board.Cli({"restore", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("Restored"), std::string::npos) << r.err;
}

// A backup killed outright leaves its new folder beside DIR; the next backup of DIR removes such
// folders (only those holding nothing but a backup's files) and says so.
TEST(CliBackup, StaleFoldersOfAKilledBackupAreRemovedAndNamed) {
  namespace fs = std::filesystem;
  test::TempDir dir;
  Board board(dir, "board");
  ASSERT_EQ(board.Cli({"write", test::DataFile("walk.QVB"), "--slot", "M5"}).exitCode, 0);
  fs::create_directory(dir.File(".backup.tmp1f2e3d0"));
  test::WriteFile(dir.File(".backup.tmp1f2e3d0/M5.QVB"), "partial");
  test::WriteFile(dir.File(".backup.tmp1f2e3d0/.manifest.json.tmp77aa1"), "{");
  fs::create_directory(dir.File(".backup.tmp99"));
  test::WriteFile(dir.File(".backup.tmp99/notes.txt"), "not ours");

  auto r = board.Cli({"backup", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_FALSE(fs::exists(dir.File(".backup.tmp1f2e3d0")));
  EXPECT_NE(r.err.find("Removed .backup.tmp1f2e3d0, left behind by an earlier backup"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(fs::exists(dir.File(".backup.tmp99/notes.txt"))) << "a folder not ours was removed";
  EXPECT_TRUE(fs::exists(dir.File("backup/M5.QVB")));

  // A file where the backup folder belongs is named for what it is.
  test::WriteFile(dir.File("plain"), "x");
  r = board.Cli({"backup", dir.File("plain")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("it is a file, not a folder"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("not a regular file"), std::string::npos) << r.err;
}

// Ctrl+C during a backup stops it between two reads: the older backup stays, the new folder goes.
TEST(CliBackup, CtrlCLeavesTheOlderBackupAndNoTemporaryFolder) {
  namespace fs = std::filesystem;
  test::TempDir dir;
  Board board(dir, "board");
  auto r = board.Cli({"write", test::DataFile("walk.QVB"), "--slot", "M5"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = board.Cli({"backup", dir.File("backup")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto older = FolderContent(dir.File("backup"));

  board.Start("delay:15");  // the table alone now takes over a second
  const pid_t pid = fork();
  if (pid == 0) {
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 2);
    execl(BRV3_CLI_PATH, BRV3_CLI_PATH, "--port", board.Link().c_str(), "backup",
          dir.File("backup").c_str(), nullptr);
    _exit(127);
  }
  // The new folder is there and the table is being read: the second table read has arrived.
  const int tableReads = board.FramesReceived("> F5 ");
  auto building = [&] {
    for (const auto& e : fs::directory_iterator(dir.path()))
      if (e.path().filename().string().rfind(".backup.tmp", 0) == 0) return true;
    return false;
  };
  EXPECT_TRUE(test::WaitUntil(
      [&] { return building() && board.FramesReceived("> F5 ") >= tableReads + 2; }, 10000));
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by the signal instead of stopping";
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(Differing(FolderContent(dir.File("backup")), older), std::vector<std::string>{});
  for (const auto& e : fs::directory_iterator(dir.path()))
    EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
}

TEST(CliBackup, AFailedBackupWakesTheBoard) {
  // The first list spoils the reply of one table read four times in a row (one more than a read
  // is asked for again), the second refuses a frame while the board is being put to sleep;
  // either way the backup fails and the board must end awake.
  for (const char* faults :
       {"bad-checksum@3,bad-checksum@4,bad-checksum@5,bad-checksum@6", "nak:3"}) {
    test::TempDir dir;
    test::SimProcess sim(
        {"--link", dir.File("qvb3"), "--trace", dir.File("trace.log"), "--faults", faults});
    ASSERT_EQ(sim.FirstLine(), dir.File("qvb3"));
    const auto r =
        test::RunProcess(BRV3_CLI_PATH, {"--port", dir.File("qvb3"), "backup", dir.File("backup")});
    EXPECT_EQ(r.exitCode, 1) << faults << ": " << r.err;
    const int mode = test::LastWorkingModeWord(dir.File("trace.log"));
    ASSERT_GE(mode, 0) << faults;
    EXPECT_EQ(mode & 1, 0) << faults << ": the board was left asleep; " << r.err;
  }
}

}  // namespace brv3
