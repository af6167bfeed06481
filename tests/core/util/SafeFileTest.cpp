#include "core/util/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace brv3 {
namespace fs = std::filesystem;

TEST(SafeFile, ReplacesAtomicallyAndLeavesNoTemporaryFiles) {
  test::TempDir dir;
  std::string path = dir.File("chart.QVB");
  test::WriteFile(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "new", &error)) << error;
  EXPECT_EQ(test::ReadFile(path), "new");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(SafeFile, RefusesUnwritableTargetsAndKeepsTheOldFile) {
  test::TempDir dir;
  std::string missingFolder = dir.File("nope/chart.QVB");
  EXPECT_FALSE(CanWriteFile(missingFolder));
  EXPECT_FALSE(WriteFileAtomically(missingFolder, "x"));
  EXPECT_FALSE(fs::exists(missingFolder));

  std::string readOnly = dir.File("ro.QVB");
  test::WriteFile(readOnly, "keep");
  fs::permissions(readOnly, fs::perms::owner_read);
  EXPECT_FALSE(CanWriteFile(readOnly));
  EXPECT_FALSE(WriteFileAtomically(readOnly, "lost"));
  EXPECT_EQ(test::ReadFile(readOnly), "keep");

  EXPECT_FALSE(CanWriteFile(dir.path().string()));  // a folder is no file
  EXPECT_FALSE(ReadWholeFile(dir.File("absent")).has_value());
}

}  // namespace brv3
