#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/TestSupport.h"

namespace brv3 {
namespace {

test::ProcessResult Cli(const std::vector<std::string>& args) {
  return test::RunProcess(BRV3_CLI_PATH, args);
}

}  // namespace

TEST(CliFileCommands, DumpPrintsTheChartAsTheEditorReadsIt) {
  auto r = Cli({"dump", test::DataFile("walk.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["type"], 0);
  EXPECT_EQ(j["name"], "歩行テスト");
  EXPECT_EQ(j["start"], 0);
  EXPECT_EQ(j["width"], 800);
  EXPECT_EQ(j["height"], 600);
  ASSERT_EQ(j["objects"].size(), 3u);
  EXPECT_EQ(j["objects"][0]["name"], "立つ");
  EXPECT_EQ(j["objects"][1]["type"], 1);
  EXPECT_EQ(j["objects"][1]["color"], 0x8000000Fu);
  EXPECT_EQ(j["objects"][2]["type"], 2);
  EXPECT_EQ(j["objects"][2]["values"].size(), 24u);
  EXPECT_EQ(j["objects"][2]["selected"], true);
  EXPECT_EQ(j["links"][1]["points"], nlohmann::json::parse("[[100,155],[100,35]]"));
  EXPECT_EQ(j["links"][1]["main"], 1);

  auto csv = Cli({"dump", test::DataFile("wave.csv")});
  ASSERT_EQ(csv.exitCode, 0) << csv.err;
  auto c = nlohmann::json::parse(csv.out);
  EXPECT_EQ(c["name"], "wave");
  EXPECT_EQ(c["objects"].size(), 3u);
  EXPECT_EQ(c["objects"][2]["head"], 8);
  EXPECT_EQ(c["objects"][2]["values"][0], 16384 + 30);
  EXPECT_EQ(c["links"].size(), 2u);
}

TEST(CliFileCommands, ConvertWritesExactlyTheNamedFileAndRoundTrips) {
  test::TempDir dir;
  std::string out = dir.File("copy.txt");
  auto r = Cli({"convert", test::DataFile("wave.csv"), out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_TRUE(std::filesystem::exists(out));
  auto a = nlohmann::json::parse(Cli({"dump", test::DataFile("wave.csv")}).out);
  auto b = nlohmann::json::parse(Cli({"dump", out}).out);
  EXPECT_EQ(a, b);
}

TEST(CliFileCommands, ItemFilesArePlacedAtTheGivenPoint) {
  auto r = Cli({"dump", "--item-at", "100", "50", test::DataFile("arm.items")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["objects"].size(), 2u);
  EXPECT_EQ(j["objects"][0]["name"], "腕");
  EXPECT_EQ(j["objects"][1]["left"], 170);
  EXPECT_EQ(j["objects"][1]["top"], 50);
  EXPECT_EQ(j["links"][0]["final"], 1);
  // Opened as a chart, an item file is not usable.
  EXPECT_EQ(Cli({"dump", test::DataFile("arm.items")}).exitCode, 2);
}

TEST(CliFileCommands, ErrorsHaveClearMessagesAndExitCodes) {
  test::TempDir dir;
  std::string junk = dir.File("junk.txt");
  test::WriteFile(junk, "not a chart\n");
  auto r = Cli({"dump", junk});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("The designated file can't be used"), std::string::npos);
  EXPECT_TRUE(r.out.empty());

  r = Cli({"dump", dir.File("missing.QVB")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("No such file or directory"), std::string::npos);

  r = Cli({"convert", test::DataFile("walk.QVB"), dir.File("no/folder/x.QVB")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("It can't be kept in the designated place"), std::string::npos);

  // Special files: never read (a FIFO would hang the command), never replaced.
  std::string fifo = dir.File("pipe.QVB");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  r = Cli({"dump", fifo});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("The designated file can't be used (it is a FIFO)"), std::string::npos)
      << r.err;
  r = Cli({"convert", test::DataFile("walk.QVB"), fifo});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_NE(r.err.find("It can't be kept in the designated place"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  // A link is saved through and stays a link.
  std::string link = dir.File("link.QVB");
  std::filesystem::create_symlink("junk.txt", link);
  ASSERT_EQ(Cli({"convert", test::DataFile("walk.QVB"), link}).exitCode, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Cli({"dump", junk}).exitCode, 0);

  EXPECT_EQ(Cli({"dump"}).exitCode, 2);
  EXPECT_EQ(Cli({"frobnicate"}).exitCode, 2);
  r = Cli({"dump", "--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("FILE"), std::string::npos);
}

}  // namespace brv3
