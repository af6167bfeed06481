#include "ui/app/ShellSettings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QLocale>

#include <filesystem>

#include "core/util/IniFile.h"
#include "support/TestSupport.h"
#include "ui/app/StatusText.h"

namespace brv3 {
namespace {

TEST(ShellSettingsTest, DefaultsLimitsAndOtherWritersKeys) {
  test::TempDir dir;
  const std::string path = dir.File("BRV3.ini");
  ShellSettings s = ReadShellSettings(path);
  EXPECT_EQ(s.CommPort, 0);
  EXPECT_FALSE(s.Grid);
  EXPECT_EQ(s.GridWidth, 2);
  EXPECT_EQ(s.GridHeight, 2);

  test::WriteFile(path,
                  "[BRV3]\r\nCommPort=4\r\nGrid=1\r\nGridWidth=0\r\nGridHeight=30\r\nBmp=a.jpg\r\n"
                  "[Ports]\r\nCOM4=/dev/x\r\n");
  s = ReadShellSettings(path);
  EXPECT_EQ(s.CommPort, 4);
  EXPECT_TRUE(s.Grid);
  EXPECT_EQ(s.GridWidth, 2);
  EXPECT_EQ(s.GridHeight, 30);

  ASSERT_TRUE(WriteShellSettings(path, {3, false, 6, 7}));
  IniFile ini;
  ASSERT_TRUE(ini.LoadFile(path));
  EXPECT_EQ(ini.ReadString("BRV3", "CommPort", ""), "3");
  EXPECT_EQ(ini.ReadString("BRV3", "Grid", ""), "0");
  EXPECT_EQ(ini.ReadString("BRV3", "GridWidth", ""), "6");
  EXPECT_EQ(ini.ReadString("BRV3", "GridHeight", ""), "7");
  EXPECT_EQ(ini.ReadString("BRV3", "Bmp", ""), "a.jpg");
  EXPECT_EQ(ini.ReadString("Ports", "COM4", ""), "/dev/x");
}

TEST(ShellSettingsTest, AFileThatCannotBeReadIsNeverOverwritten) {
  test::TempDir dir;
  // A folder where the file should be: it exists, but cannot be read as a file.
  const std::string path = dir.File("BRV3.ini");
  std::filesystem::create_directories(path);
  EXPECT_EQ(ReadShellSettings(path).GridWidth, 2);
  EXPECT_FALSE(WriteShellSettings(path, {1, true, 5, 5}));
  EXPECT_TRUE(std::filesystem::is_directory(path));

  EXPECT_FALSE(WriteShellSettings(dir.File("missing-folder/BRV3.ini"), {1, true, 5, 5}));
}

TEST(ShellSettingsTest, ReadingNeverRewritesAndWritingKeepsForeignLinesByteForByte) {
  test::TempDir dir;
  const std::string path = dir.File("BRV3.ini");
  const std::string before =
      "; hand-made\n[Ports]\nCOM2=/dev/ttyACM0\n[BRV3]\nGrid=1\nCH1=250\n\x81\x7f\xff junk\n";
  test::WriteFile(path, before);
  EXPECT_TRUE(ReadShellSettings(path).Grid);
  EXPECT_EQ(test::ReadFile(path), before);

  ASSERT_TRUE(WriteShellSettings(path, {3, false, 6, 7}));
  EXPECT_EQ(test::ReadFile(path),
            "; hand-made\n[Ports]\nCOM2=/dev/ttyACM0\n[BRV3]\nGrid=0\nCH1=250\n"
            "\x81\x7f\xff junk\nCommPort=3\nGridWidth=6\nGridHeight=7\n");

  // A missing file is created at start, as before, and filled on close.
  const std::string fresh = dir.File("fresh.ini");
  ReadShellSettings(fresh);
  EXPECT_TRUE(std::filesystem::exists(fresh));
  ASSERT_TRUE(WriteShellSettings(fresh, {1, true, 2, 2}));
  EXPECT_EQ(ReadShellSettings(fresh).CommPort, 1);
}

TEST(ShellSettingsTest, FilesThatAreNoTextAreReportedAndLeftAlone) {
  test::TempDir dir;
  const std::string path = dir.File("BRV3.ini");
  // UTF-16 LE with a byte-order mark, holding a valid [Ports] section.
  std::string utf16 = "\xff\xfe";
  for (char c : std::string("[Ports]\r\nCOM1=/dev/ttyS0\r\n")) utf16 += {c, '\0'};
  test::WriteFile(path, utf16);
  std::string problem;
  EXPECT_EQ(ReadShellSettings(path, &problem).GridWidth, 2);
  EXPECT_NE(problem.find("can't be read"), std::string::npos);
  EXPECT_FALSE(WriteShellSettings(path, {1, true, 5, 5}));
  EXPECT_EQ(test::ReadFile(path), utf16);

  // A FIFO would block a reader until something writes to it: it is reported, not opened.
  const std::string fifo = dir.File("fifo.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  problem.clear();
  ReadShellSettings(fifo, &problem);
  EXPECT_NE(problem.find("FIFO"), std::string::npos) << problem;
  EXPECT_FALSE(WriteShellSettings(fifo, {1, true, 5, 5}));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST(StatusTextTest, LongTimeWithoutZoneThenPromptAndMessage) {
  const QLocale c(QLocale::C);
  EXPECT_FALSE(LongTimeFormat(c).contains('t'));
  EXPECT_EQ(StatusLineText(QTime(12, 4, 33), "Write successful", c), "12:04:33> Write successful");
  const QLocale german(QLocale::German, QLocale::Germany);
  EXPECT_EQ(StatusLineText(QTime(9, 5, 7), "Sleep on", german), "09:05:07> Sleep on");
  const QLocale us(QLocale::English, QLocale::UnitedStates);
  EXPECT_TRUE(StatusLineText(QTime(13, 4, 33), "x", us).startsWith("1:04:33"));
  EXPECT_FALSE(LongTimeFormat(us).endsWith(' '));
}

}  // namespace
}  // namespace brv3
