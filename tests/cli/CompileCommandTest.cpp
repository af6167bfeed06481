#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace brv3::test {
namespace {

// A motion chart: POS1 -> CMP1 -> POS1, CMP1 branching to POS2.
const char* const kLoopChart =
    "[GraphicalEdit]\r\nType=0\r\nWidth=640\r\nHeight=480\r\nItems=3\r\nLinks=3\r\nStart=0\r\n"
    "Name=LOOP\r\nCtrl=65535\r\n\r\n"
    "[Item0]\r\nName=POS1\r\nType=0\r\n"
    "Prm=100,16384,16384,16384,16384,16384,16384,16384,16384,16384,16384,16384,16384,16384,16384,"
    "16384,16384,16384,16384,16384,16384,16384,16384,16384,16384\r\n\r\n"
    "[Item1]\r\nName=CMP1\r\nType=2\r\n"
    "Prm=1,33543,33543,33543,33543,33543,33543,33543,33543,33543,33543,33543,33543,33543,33543,"
    "33543,33543,33543,33543,33543,33543,33543,33543,33543,33543\r\n\r\n"
    "[Item2]\r\nName=POS2\r\nType=0\r\nPrm=7\r\n\r\n"
    "[Link0]\r\nMain=0\r\nOrigin=0\r\nFinal=1\r\nPoint=\r\n\r\n"
    "[Link1]\r\nMain=0\r\nOrigin=1\r\nFinal=0\r\nPoint=10,20\r\n\r\n"
    "[Link2]\r\nMain=1\r\nOrigin=1\r\nFinal=2\r\nPoint=\r\n\r\n";

std::string Repeat(const std::string& text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

TEST(CompileCommand, PrintsListingOrHexView) {
  TempDir dir;
  WriteFile(dir.File("loop.QVB"), kLoopChart);
  ProcessResult r = RunProcess(BRV3_CLI_PATH, {"compile", dir.File("loop.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "\"POS1\",PRM,64" + Repeat("4000", 24) + "\n" +
                       "\"CMP1\",CPJ,\"POS2\",\"; POS2へ条件分岐\"\n" +
                       ",JMP,\"POS1(0)\",\"; POS1にジャンプ\"\n" + "\"POS2\",PRM,07" +
                       Repeat("0000", 24) + "\n" + ",END,,\"; 終了\"\n");

  r = RunProcess(BRV3_CLI_PATH, {"compile", "--hex", dir.File("loop.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "001 64" + Repeat(" 4000", 24) + "\n" + "002 01" + Repeat(" 830A", 24) + "\n" +
                       "003 01" + Repeat(" 8107", 24) + "\n" + "004 07" + Repeat(" 0000", 24) +
                       "\n" + "005 01" + Repeat(" FFFF", 24) + "\n");
}

TEST(CompileCommand, CompilerErrorsAndBadFilesExitWithTwo) {
  TempDir dir;
  std::string noBranch = kLoopChart;
  noBranch.replace(noBranch.find("Main=1"), 6, "Main=0");  // CMP1 now has two flows, no branch
  WriteFile(dir.File("bad.QVB"), noBranch);
  ProcessResult r = RunProcess(BRV3_CLI_PATH, {"compile", dir.File("bad.QVB")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "CMP1 Branch destination not defined\n");
  EXPECT_TRUE(r.out.empty());

  std::string noStart = kLoopChart;
  noStart.replace(noStart.find("Start=0"), 7, "Start=-1");
  WriteFile(dir.File("nostart.QVB"), noStart);
  r = RunProcess(BRV3_CLI_PATH, {"compile", dir.File("nostart.QVB")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "No Start object\n");

  WriteFile(dir.File("text.QVB"), "hello\r\n");
  r = RunProcess(BRV3_CLI_PATH, {"compile", dir.File("text.QVB")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("can't be used"), std::string::npos);

  WriteFile(dir.File("huge.QVB"), "[GraphicalEdit]\r\nType=0\r\nItems=2000000000\r\n");
  r = RunProcess(BRV3_CLI_PATH, {"compile", dir.File("huge.QVB")});
  EXPECT_EQ(r.exitCode, 2);

  r = RunProcess(BRV3_CLI_PATH, {"compile", dir.File("missing.QVB")});
  EXPECT_EQ(r.exitCode, 2);
}

TEST(CompileCommand, ScenarioChartListsItsMotions) {
  TempDir dir;
  WriteFile(dir.File("scn.QVB"),
            "[GraphicalEdit]\r\nType=7\r\nItems=2\r\nLinks=1\r\nStart=0\r\n\r\n"
            "[Item0]\r\nName=M3 WALK\r\nPrm=2\r\n\r\n[Item1]\r\nName=M1 BOW\r\nPrm=0\r\n\r\n"
            "[Link0]\r\nMain=0\r\nOrigin=0\r\nFinal=1\r\n\r\n");
  ProcessResult r = RunProcess(BRV3_CLI_PATH, {"compile", dir.File("scn.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "M3 M3 WALK\nM1 M1 BOW\n");
}

}  // namespace
}  // namespace brv3::test

namespace brv3::test {
namespace {

TEST(CompileCommand, CurvesAndChecks) {
  TempDir dir;
  WriteFile(dir.File("loop.QVB"), kLoopChart);
  ProcessResult r = RunProcess(BRV3_CLI_PATH, {"compile", "--curves", dir.File("loop.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::string header = "step,kind,speed";
  for (int c = 1; c <= 24; ++c) header += ",CH" + std::to_string(c);
  EXPECT_EQ(r.out, header + "\n1,PRM,100" + Repeat(",0", 24) + "\n2,CPJ,1" + Repeat(",", 24) +
                       "\n3,JMP,1" + Repeat(",", 24) + "\n4,PRM,7" + Repeat(",", 24) + "\n5,END,1" +
                       Repeat(",", 24) + "\n");

  // CMP1 tests the loop counter with no Set of it anywhere: one warning, exit 4.
  r = RunProcess(BRV3_CLI_PATH, {"compile", "--check", dir.File("loop.QVB")});
  EXPECT_EQ(r.exitCode, 4) << r.err;
  EXPECT_EQ(r.out,
            "warning: Compare \"CMP1\" tests the loop counter, but no Set of the loop "
            "counter comes before it\n");
  WriteFile(dir.File("walk.QVB"), ReadFile(std::string(BRV3_TEST_DATA) + "/walk.QVB"));
  r = RunProcess(BRV3_CLI_PATH, {"compile", "--check", dir.File("walk.QVB")});
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_NE(r.out.find("is not reachable from the Start object"), std::string::npos) << r.out;

  EXPECT_EQ(
      RunProcess(BRV3_CLI_PATH, {"compile", "--hex", "--check", dir.File("loop.QVB")}).exitCode, 2);
}

}  // namespace
}  // namespace brv3::test
