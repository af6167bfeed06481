#include <gtest/gtest.h>

#include <future>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/BoardCli.h"
#include "cli/BoardPrompter.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/TableEntry.h"
#include "core/motion/MotionFakes.h"
#include "platform/MessageSocket.h"
#include "support/FakeBoardPort.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

using cli::BoardCliContext;
using test::ChartBuilder;
using test::FakeBoardPort;

// A chain of `count` Position objects; the last one ends the motion.
Chart Chain(int count, const std::string& name) {
  ChartBuilder b;
  int prev = b.Pos("P0");
  for (int i = 1; i < count; ++i) {
    int p = b.Pos("P" + std::to_string(i), static_cast<uint16_t>(16000 + i));
    b.Flow(prev, p);
    prev = p;
  }
  b.chart.SetChartName(name);
  return b.chart;
}

std::string Save(const test::TempDir& dir, const std::string& file, const Chart& chart) {
  test::ScriptedPrompter prompter;
  const std::string path = dir.File(file);
  EXPECT_TRUE(SaveChartFile(chart, path, prompter));
  return path;
}

class BoardWorkflowTest : public ::testing::Test {
 protected:
  BoardCliContext Ctx(bool yes = false) {
    err.str("");
    return {err, yes, false};
  }
  test::TempDir dir;
  FakeBoardPort board;
  std::ostringstream err;
};

TEST_F(BoardWorkflowTest, WriteReadAndDeleteRunTheEditorSequences) {
  const std::string walk = Save(dir, "walk.QVB", Chain(2, "WALK"));
  EXPECT_EQ(cli::RunWrite(board, walk, "M5", Ctx()), 0) << err.str();
  EXPECT_NE(err.str().find("> Write successful"), std::string::npos);
  EXPECT_NE(err.str().find("100% (3/3)"), std::string::npos);
  EXPECT_EQ(board.entries[4][0], 3);
  EXPECT_FALSE(board.Asleep());

  // Slot errors are bad input and touch nothing.
  board.frames.clear();
  EXPECT_EQ(cli::RunWrite(board, walk, "S2", Ctx()), 2);
  EXPECT_EQ(cli::RunWrite(board, walk, "M81", Ctx()), 2);
  EXPECT_NE(err.str().find("M1 ... M80 or S1 ... S5"), std::string::npos);
  EXPECT_EQ(cli::RunWrite(board, dir.File("missing.QVB"), "M1", Ctx()), 2);
  EXPECT_TRUE(board.frames.empty());

  // The continuation question: refused without --yes (board woken), answered by --yes.
  const std::string longer = Save(dir, "long.QVB", Chain(40, "LONG"));
  EXPECT_EQ(cli::RunWrite(board, longer, "M10", Ctx()), 1);
  EXPECT_NE(err.str().find("M11 would be deleted"), std::string::npos);
  EXPECT_EQ(board.entries[9][0], 0);
  EXPECT_FALSE(board.Asleep());
  EXPECT_EQ(cli::RunWrite(board, longer, "M10", Ctx(true)), 0) << err.str();
  EXPECT_EQ(board.entries[9][0], 41);
  EXPECT_EQ(FormatTableRow(board.entries[10], 10).Name, "M10:LONG");

  // Writing into M11, LONG's continuation, needs --yes; without it nothing is written.
  board.frames.clear();
  EXPECT_EQ(cli::RunWrite(board, walk, "M11", Ctx()), 1);
  EXPECT_NE(err.str().find("M11 holds the continuation of M10 LONG"), std::string::npos);
  EXPECT_EQ(board.Count(0xF6), 0u);
  EXPECT_EQ(board.Count(0xFD), 0u);
  EXPECT_EQ(board.entries[9][0], 41);

  const std::string out = dir.File("back.QVB");
  EXPECT_EQ(cli::RunRead(board, "m5", out, Ctx()), 0) << err.str();
  Chart read;
  test::ScriptedPrompter prompter;
  ASSERT_EQ(OpenChartFile(read, out, prompter).status, OpenStatus::Opened);
  EXPECT_EQ(read.Name, "WALK");
  EXPECT_EQ(read.ObjectCount(), 2);
  EXPECT_EQ(cli::RunRead(board, "M1", dir.File("empty.QVB"), Ctx()), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("empty.QVB")));

  EXPECT_EQ(cli::RunDelete(board, "M5", Ctx()), 1);
  EXPECT_EQ(board.entries[4][0], 3);
  EXPECT_EQ(cli::RunDelete(board, "M5", Ctx(true)), 0);
  EXPECT_EQ(board.entries[4], EmptyTableEntry());

  // A read is tried once more after a lost reply; a board that stays silent is named as the cause.
  int lost = BoardLink::kDefaultAttemptLimit;  // every try of one exchange
  board.failWhen = [&lost](const Bytes& f) { return f[0] == 0xFC && lost-- > 0; };
  EXPECT_EQ(cli::RunRead(board, "M10", out, Ctx()), 0) << err.str();
  board.failWhen = nullptr;

  // A board that does not answer fails the command, not the input.
  board.offline = true;
  EXPECT_EQ(cli::RunWrite(board, walk, "M5", Ctx()), 1);
  EXPECT_EQ(cli::RunRead(board, "M5", out, Ctx()), 1);
  EXPECT_NE(err.str().find("Read failed: the board did not answer"), std::string::npos)
      << err.str();
}

// A chart with warnings is written only with --yes; the warnings are printed either way.
TEST_F(BoardWorkflowTest, WarningsNeedYesBeforeAWrite) {
  Chart chart = Chain(3, "WIDE");
  chart.Objects[1].Values[2] = 20000;  // beyond the pulse-servo range
  const std::string wide = Save(dir, "wide.QVB", chart);
  EXPECT_EQ(cli::RunWrite(board, wide, "M2", Ctx()), 1);
  EXPECT_NE(err.str().find("warning: Object \"P1\": CH3 20000 outside the pulse-servo range"),
            std::string::npos)
      << err.str();
  EXPECT_NE(err.str().find("Write anyway? (no: answer with --yes to go on)"), std::string::npos);
  // Only the serial-servo mask was read (the check needs it); nothing was written.
  ASSERT_EQ(board.frames.size(), 1u);
  EXPECT_EQ(board.frames[0][0], 0xE9);
  EXPECT_EQ(cli::RunWrite(board, wide, "M2", Ctx(true)), 0) << err.str();
  EXPECT_NE(err.str().find("warning: Object \"P1\""), std::string::npos);
  EXPECT_EQ(board.entries[1][0], 4);
}

TEST_F(BoardWorkflowTest, BackupAndRestoreGiveBackTheSameBoard) {
  EXPECT_EQ(cli::RunWrite(board, Save(dir, "a.QVB", Chain(3, "歩く")), "M1", Ctx()), 0);
  EXPECT_EQ(cli::RunWrite(board, Save(dir, "b.QVB", Chain(35, "LONG")), "M5", Ctx(true)), 0);
  ChartBuilder s(kScenarioChart);
  int m1 = s.Mot("M1", 0), m5 = s.Mot("M5", 4);
  s.Flow(m1, m5);
  s.chart.SetChartName("SHOW");
  EXPECT_EQ(cli::RunWrite(board, Save(dir, "s.QVB", s.chart), "S2", Ctx()), 0);
  // Dates, codes and name bytes that no text can carry must come back as they were.
  board.entries[0][4] = 12, board.entries[0][5] = 31, board.entries[0][6] = 9;
  board.entries[0][7] = 5, board.entries[0][8] = 0x12;
  board.entries[20] = EmptyTableEntry();
  board.entries[20][10] = 0xFF;  // not cp932
  board.entries[20][41] = 0x7A;  // after the end of the name
  board.entries[20][1] = 0x55;

  const std::string backup = (dir.path() / "backup").string();
  ASSERT_EQ(cli::RunBackup(board, backup, Ctx()), 0) << err.str();
  EXPECT_NE(err.str().find("M21: the name bytes are not plain text"), std::string::npos);
  EXPECT_EQ(err.str().find("does not"), std::string::npos) << err.str();
  EXPECT_FALSE(board.Asleep());
  for (const char* file : {"M1.QVB", "M5.QVB", "S2.QVB", "manifest.json"})
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(backup) / file)) << file;
  const auto manifest =
      nlohmann::json::parse(test::ReadFile((std::filesystem::path(backup) / "manifest.json")));
  ASSERT_EQ(manifest["entries"].size(), 85u);
  EXPECT_EQ(manifest["entries"][0]["name"], "歩く");
  EXPECT_EQ(manifest["entries"][0]["date"], nlohmann::json::parse("[12,31,9,5]"));
  EXPECT_EQ(manifest["entries"][4]["records"].size(), 36u);
  EXPECT_EQ(manifest["entries"][81]["motions"], nlohmann::json::parse("[0,4]"));

  FakeBoardPort fresh;
  fresh.entries[30][0] = 7;  // something the backup does not have
  ASSERT_EQ(cli::RunRestore(fresh, backup, Ctx()), 0) << err.str();
  EXPECT_EQ(err.str().find("differs"), std::string::npos) << err.str();
  EXPECT_EQ(fresh.entries, board.entries);
  for (int k = 0; k < 36; ++k) EXPECT_EQ(fresh.Record(4, k), board.Record(4, k)) << k;
  EXPECT_EQ(fresh.Record(0, 2), board.Record(0, 2));
  EXPECT_EQ(fresh.scenarios[1][0], 0);
  EXPECT_EQ(fresh.scenarios[1][1], 4);
  EXPECT_EQ(fresh.scenarios[1][2], 255);
  EXPECT_FALSE(fresh.Asleep());

  // A chart file changed after the backup is reported; the kept steps are still written.
  Save(dir, "backup/M1.QVB", Chain(4, "OTHER"));
  FakeBoardPort again;
  ASSERT_EQ(cli::RunRestore(again, backup, Ctx()), 0);
  EXPECT_NE(err.str().find("M1: M1.QVB differs from the backed-up steps from step 4"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(again.entries[0], board.entries[0]);

  // A board that stops answering part-way fails the restore.
  FakeBoardPort failing;
  failing.failWhen = [](const Bytes& f) { return f[0] == 0xFD && f[1] == 0x03 && f[2] == 4; };
  EXPECT_EQ(cli::RunRestore(failing, backup, Ctx()), 1);
  EXPECT_NE(err.str().find("Writing step 1 of M5 failed"), std::string::npos);
  EXPECT_FALSE(failing.Asleep());

  // A write the board acknowledged but did not keep is found when everything is read back.
  FakeBoardPort losing;
  losing.loseWhen = [](const Bytes& f) { return f[0] == 0xFD && f[2] == 4 && f[3] == 2; };
  EXPECT_EQ(cli::RunRestore(losing, backup, Ctx()), 1);
  EXPECT_NE(err.str().find("M5: step 3 reads back differently"), std::string::npos) << err.str();
  EXPECT_FALSE(losing.Asleep());
}

TEST_F(BoardWorkflowTest, RestoreRefusesABrokenManifestBeforeTouchingTheBoard) {
  const std::string manifest = dir.File("manifest.json");
  auto refused = [&](const std::string& text, const std::string& reason) {
    test::WriteFile(manifest, text);
    board.frames.clear();
    EXPECT_EQ(cli::RunRestore(board, dir.path().string(), Ctx()), 2) << text;
    EXPECT_NE(err.str().find(reason), std::string::npos) << err.str();
    EXPECT_TRUE(board.frames.empty());
  };
  const std::string head = R"({"format":"brivane3-backup","version":1,"entries":[)";
  const std::string entry = R"("slot":"M2","value24":0,"date":[1,2,3,4],"code":65535,"name":"X")";
  refused("{", "not valid JSON");
  refused(R"({"format":7})", "not a brivane3 backup manifest");
  refused(head + "{" + entry + R"(,"count":300}]})", "M2: \"count\" must be from 0 to 255");
  refused(head + "{" + entry + R"(,"count":1,"records":["00"]}]})", "each record must be 49 bytes");
  refused(head + "{" + entry + R"(,"count":0},{)" + entry + R"(,"count":0}]})", "M2 appears twice");
  refused(head + R"({"slot":"S9"}]})", "\"slot\" must be");
  refused(head + "{" + entry + R"(,"count":0,"file":"../x.QVB"}]})", "\"file\" must be");
  EXPECT_EQ(cli::RunRestore(board, dir.File("nowhere"), Ctx()), 2);
}

TEST_F(BoardWorkflowTest, SendMessageChecksItsArgumentsAndFindsTheEditor) {
  const std::string path = dir.File("editor.sock");
  EXPECT_EQ(cli::RunSendMessage("0x8000", "0", "3", path, err), 1);
  EXPECT_NE(err.str().find("no running editor"), std::string::npos);
  err.str("");
  EXPECT_EQ(cli::RunSendMessage("0x8000", "zero", "3", path, err), 2);
  EXPECT_NE(err.str().find("W must be a number"), std::string::npos);
  EXPECT_EQ(cli::RunSendMessage("0x8000", "0", "3 4", path, err), 2);

  platform::MessageSocketServer server;
  ASSERT_TRUE(server.Listen(path));
  // The editor answers each line, so the sender runs beside the polling editor.
  std::ostringstream sendErr;
  auto sent = std::async(std::launch::async,
                         [&] { return cli::RunSendMessage("32769", "0", "0x2", path, sendErr); });
  std::vector<platform::WindowMessage> got;
  while (sent.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    auto more = server.Poll(20);
    got.insert(got.end(), more.begin(), more.end());
  }
  EXPECT_EQ(sent.get(), 0) << sendErr.str();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], (platform::WindowMessage{0x8001, 0, 2}));

  // An editor that takes the connection but never accepts the line: exit 1, said so.
  server.Close();
  platform::MessageSocketServer stuck;
  ASSERT_TRUE(stuck.Listen(path));  // never polled
  err.str("");
  EXPECT_EQ(cli::RunSendMessage("0x8000", "0", "3", path, err), 1);
  EXPECT_NE(err.str().find("The editor did not accept the message"), std::string::npos)
      << err.str();

  // No safe runtime folder: the reason, exit 1.
  err.str("");
  EXPECT_EQ(cli::RunSendMessage("0x8000", "0", "3", "", err, "The folder /tmp/x is a link"), 1);
  EXPECT_NE(err.str().find("is a link"), std::string::npos);
}

TEST_F(BoardWorkflowTest, NamesHoldingQuotesDoNotBlockOtherSlots) {
  // A quote inside a name once split the selection lists; the slot is now passed as it is.
  ASSERT_EQ(cli::RunWrite(board, Save(dir, "q.QVB", Chain(2, "a\"b,c")), "M3", Ctx()), 0)
      << err.str();
  EXPECT_EQ(cli::RunWrite(board, Save(dir, "w.QVB", Chain(3, "WALK")), "M10", Ctx()), 0)
      << err.str();
  EXPECT_EQ(board.entries[9][0], 4);
  EXPECT_EQ(cli::RunRead(board, "M10", dir.File("back.QVB"), Ctx()), 0) << err.str();
  EXPECT_EQ(cli::RunDelete(board, "M3", Ctx(true)), 0) << err.str();
  EXPECT_EQ(board.entries[2], EmptyTableEntry());
}

TEST(BoardPrompterTest, StepsDrawTheBarAndStepLinesGiveWayToIt) {
  std::ostringstream err;
  {
    cli::BoardPrompter prompter(err, false, true);
    prompter.SetSpan(2, 4);
    prompter.ShowStatus("Writing of 1 is done");
    prompter.Step(1, 2);
    prompter.ShowStatus("Writing of 2 is done");
    prompter.Step(2, 2);
    prompter.ShowStatus("Sleep off");
  }
  EXPECT_EQ(err.str(),
            "\r[######################        ] 75% (3/4)"
            "\r[##############################] 100% (4/4)\n> Sleep off\n");

  // Without a terminal: one line per new percentage; a status line after a failed step shows.
  err.str("");
  cli::BoardPrompter plain(err, false, false);
  plain.ShowStatus("Reading of 1 is done");
  plain.Step(1, 3);
  plain.ShowStatus("No Data");
  plain.EndProgress();
  EXPECT_EQ(err.str(), "33% (1/3)\n> No Data\n");
}

test::ProcessResult Cli(const std::vector<std::string>& args) {
  return test::RunProcess(BRV3_CLI_PATH, args);
}

TEST(CliBoardArguments, BadArgumentsAndPortsGiveClearErrors) {
  test::TempDir dir;
  auto r = Cli({"write", test::DataFile("walk.QVB"), "--slot", "M1"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--port"), std::string::npos) << r.err;
  r = Cli({"--port", "COMX", "read", "--slot", "M1", "-o", dir.File("x.QVB")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("COMn or a device path"), std::string::npos) << r.err;
  r = Cli({"delete", "--slot", "M1", "--yes", "--port", dir.File("no-such-tty")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Cannot open the serial port"), std::string::npos) << r.err;
  r = Cli({"read", "--slot", "M1", "--port", "COM1"});  // no -o
  EXPECT_EQ(r.exitCode, 2);
  r = Cli({"send-message", "0x8000", "0"});
  EXPECT_EQ(r.exitCode, 2);
  r = Cli({"send-message", "0x8000", "0", "-"});
  EXPECT_EQ(r.exitCode, 2);
}

}  // namespace
}  // namespace brv3
