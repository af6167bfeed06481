#include "core/util/IniLines.h"

#include <gtest/gtest.h>

#include "core/util/IniFile.h"

namespace brv3 {
namespace {

const std::vector<std::pair<std::string, std::string>> kKeys = {{"Grid", "1"}, {"CommPort", "3"}};

TEST(IniLinesTest, OnlyTheOwnedLinesChangeEverythingElseStaysByteForByte) {
  // Mixed line ends, a comment, a line that is no key, a binary line, foreign sections, odd
  // spacing and case: all of it survives.
  const std::string raw =
      "; my notes\n"
      "[Ports]\r\nCOM4=/dev/ttyUSB0\r\n"
      "[brv3]\r\n  grid = 0 \r\nBmp=\x82\xa0.jpg\r\n\x01\xff\xfe binary\r\n"
      "no key here\r\n\r\n"
      "[Other]\r\nGrid=7\r\n";
  const std::string out = SetIniKeys(raw, "BRV3", kKeys);
  EXPECT_EQ(out,
            "; my notes\n"
            "[Ports]\r\nCOM4=/dev/ttyUSB0\r\n"
            "[brv3]\r\nGrid=1\r\nBmp=\x82\xa0.jpg\r\n\x01\xff\xfe binary\r\n"
            "no key here\r\nCommPort=3\r\n\r\n"
            "[Other]\r\nGrid=7\r\n");
  // Setting the same values again changes nothing more.
  EXPECT_EQ(SetIniKeys(out, "BRV3", kKeys), out);
}

TEST(IniLinesTest, MissingSectionsAndFilesEndLikeTheFile) {
  EXPECT_EQ(SetIniKeys("", "BRV3", kKeys), "[BRV3]\r\nGrid=1\r\nCommPort=3\r\n");
  // A Unix file gets Unix line ends, also after a last line without one.
  EXPECT_EQ(SetIniKeys("[Ports]\nCOM1=/dev/a", "BRV3", kKeys),
            "[Ports]\nCOM1=/dev/a\n[BRV3]\nGrid=1\nCommPort=3\n");
  EXPECT_EQ(SetIniKeys("[BRV3]\nX=1", "BRV3", kKeys), "[BRV3]\nX=1\nGrid=1\nCommPort=3\n");
}

TEST(IniLinesTest, RepeatedSectionsAndKeysReadBackAsTheNewValues) {
  // A reader merges repeated sections and takes the last value of a key: every copy of a key is
  // rewritten and new keys go into the last copy of the section.
  const std::string raw = "[BRV3]\r\nGrid=0\r\nGrid=0\r\n[X]\r\na=1\r\n[BRV3]\r\nZ=2\r\n[Y]\r\n";
  const std::string out = SetIniKeys(raw, "BRV3", kKeys);
  EXPECT_EQ(out,
            "[BRV3]\r\nGrid=1\r\nGrid=1\r\n[X]\r\na=1\r\n[BRV3]\r\nZ=2\r\nCommPort=3\r\n[Y]\r\n");
  IniFile ini;
  ini.LoadText(out);
  EXPECT_EQ(ini.ReadInteger("BRV3", "Grid", -1), 1);
  EXPECT_EQ(ini.ReadInteger("BRV3", "CommPort", -1), 3);
  EXPECT_EQ(ini.ReadInteger("BRV3", "Z", -1), 2);
}

TEST(IniLinesTest, TextFilesHoldNoNulBytes) {
  EXPECT_TRUE(ReadableAsText("[BRV3]\r\nBmp=\x82\xa0\xff\r\n"));
  // "[P" in UTF-16 LE after its byte-order mark.
  EXPECT_FALSE(ReadableAsText(std::string("\xff\xfe[\0P\0", 6)));
}

}  // namespace
}  // namespace brv3
