#include "core/util/IniFile.h"

#include <gtest/gtest.h>

#include "core/util/Cp932.h"
#include "support/TestSupport.h"

namespace brv3 {

TEST(IniFile, ReadsTheSyntaxCorners) {
  IniFile ini;
  ini.LoadText(
      "orphan=1\r\n"
      "  [ Main ]  \r\n"
      "; comment=1\r\n"
      "  Key = spaced value  \r\n"
      "noequals\r\n"
      "Eq=a=b\r\n"
      "\r\n"
      "[Other]\n"
      "Hex1=$1F\n"
      "Hex2=0x10\n"
      "Hex3=0X\n"
      "Neg=-42\n"
      "Plus=+7\n"
      "Big=2147483648\n"
      "AllOnes=$FFFFFFFF\n"
      "Bad=12a\n"
      "Bool=2\n");
  EXPECT_FALSE(ini.SectionExists("orphan"));
  EXPECT_EQ(ini.ReadString("main", "KEY", "x"), "spaced value");
  EXPECT_EQ(ini.ReadString("MAIN", "eq", "x"), "a=b");
  EXPECT_FALSE(ini.ValueExists("Main", "noequals"));
  EXPECT_FALSE(ini.ValueExists("Main", "; comment"));
  EXPECT_EQ(ini.ReadInteger("Other", "Hex1", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Other", "Hex2", 0), 16);
  EXPECT_EQ(ini.ReadInteger("Other", "Hex3", 5), 5);  // "0X" alone is no number
  EXPECT_EQ(ini.ReadInteger("Other", "Neg", 0), -42);
  EXPECT_EQ(ini.ReadInteger("Other", "Plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("Other", "Big", 9), 9);
  EXPECT_EQ(ini.ReadInteger("Other", "AllOnes", 0), -1);
  EXPECT_EQ(ini.ReadInteger("Other", "Bad", 3), 3);
  EXPECT_EQ(ini.ReadInteger("Other", "Missing", 4), 4);
  EXPECT_TRUE(ini.ReadBool("Other", "Bool", false));
  EXPECT_FALSE(ini.ReadBool("Other", "Neg2", false));
}

TEST(IniFile, WritesSectionsAndKeysInFirstWrittenOrder) {
  IniFile ini;
  ini.WriteString("B", "z", "1");
  ini.WriteString("A", "k", "2");
  ini.WriteString("b", "Y", "3");
  ini.WriteString("B", "Z", "4");  // same key, other case: value replaced, place kept
  ini.WriteBool("A", "flag", true);
  ini.WriteString("A", "multi", "line\r\nbreak");
  EXPECT_EQ(ini.Text(),
            "[B]\r\nz=4\r\nY=3\r\n\r\n[A]\r\nk=2\r\nflag=1\r\nmulti=line  break\r\n\r\n");
  ini.EraseSection("b");
  ini.DeleteKey("A", "K");
  EXPECT_EQ(ini.Text(), "[A]\r\nflag=1\r\nmulti=line  break\r\n\r\n");
}

TEST(IniFile, KeepsOtherWritersKeysAndJapaneseTextThroughCp932) {
  test::TempDir dir;
  std::string path = dir.File("BRV3.ini");
  // "ロボ" in cp932, written by another program with a section we do not know.
  test::WriteFile(path, "[Other]\r\nName=\x83\x8D\x83\x7B\r\n\r\n[BRV3]\r\nGrid=1\r\n");
  IniFile ini;
  ASSERT_TRUE(ini.LoadFile(path));
  EXPECT_EQ(ini.ReadString("Other", "Name", ""), "ロボ");
  ini.WriteInteger("BRV3", "Grid", 0);
  ini.WriteString("BRV3", "Title", "無題");
  ASSERT_TRUE(ini.SaveFile(path));
  EXPECT_EQ(
      test::ReadFile(path),
      "[Other]\r\nName=\x83\x8D\x83\x7B\r\n\r\n[BRV3]\r\nGrid=0\r\nTitle=\x96\xB3\x91\xE8\r\n\r\n");
}

// A file is read line by line: a line longer than the bound is skipped whole (across the pieces
// the file is read in), the lines around it still count, and a NUL byte is noticed.
TEST(IniFile, SkipsOverlongLinesAndNoticesNulBytes) {
  test::TempDir dir;
  const std::string path = dir.File("BRV3.ini");
  test::WriteFile(path, "[BRV3]\r\nA=1\r\nBmp=" + std::string(IniFile::kMaxLineBytes + 5, 'x') +
                            "\r\nB=2\r\n[Other]\r\nC=" + std::string(200000, 'y') + "\r\nD=4");
  IniFile ini;
  ASSERT_TRUE(ini.LoadFile(path));
  EXPECT_EQ(ini.ReadInteger("BRV3", "A", 0), 1);
  EXPECT_FALSE(ini.ValueExists("BRV3", "Bmp"));
  EXPECT_EQ(ini.ReadInteger("BRV3", "B", 0), 2);
  EXPECT_EQ(ini.ReadString("Other", "C", "").size(), 200000u);
  EXPECT_EQ(ini.ReadInteger("Other", "D", 0), 4);
  EXPECT_EQ(ini.SkippedLines(), 1u);
  EXPECT_FALSE(ini.HeldNulBytes());

  test::WriteFile(path, std::string("[\0B\0R\0V\0]\0", 10));
  ASSERT_TRUE(ini.LoadFile(path));
  EXPECT_TRUE(ini.HeldNulBytes());
}

// Past a few sections the lookup goes through an index (its speed is measured in bench/); every
// section is still found under any case of its name.
TEST(IniFile, FindsEachOfManySectionsUnderAnyCase) {
  IniFile ini;
  std::string text;
  for (int i = 0; i < 20000; ++i)
    text += "[Item" + std::to_string(i) + "]\r\nLeft=" + std::to_string(i) + "\r\n";
  ini.LoadText(text);
  long sum = 0;
  for (int i = 0; i < 20000; ++i) sum += ini.ReadInteger("ITEM" + std::to_string(i), "left", 0);
  EXPECT_EQ(sum, 20000L * 19999 / 2);
}

TEST(Cp932, DecodesAndEncodesWithReplacements) {
  EXPECT_EQ(Cp932ToUtf8("\x96\xB3\x91\xE8"), "無題");
  EXPECT_EQ(Utf8ToCp932("無題"), "\x96\xB3\x91\xE8");
  EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");     // truncated double-byte character
  EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z");  // emoji has no cp932 form
  EXPECT_EQ(Utf8ToCp932("x\xC3"), "x?");                // broken UTF-8
}

}  // namespace brv3
