#include "platform/DurableFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/util/SafeFile.h"
#include "support/TestSupport.h"

namespace brv3::platform {
namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// A new file is made only where nothing is, never through a link, readable by its owner alone
// whatever the umask, and its bytes are all there.
TEST(DurableFiles, NewFilesAreExclusiveOwnerOnlyAndNeverThroughALink) {
  test::TempDir dir;
  const mode_t old = umask(0);
  std::string error;
  ASSERT_TRUE(WriteNewFileExclusive(dir.File("new"), "content", error)) << error;
  EXPECT_EQ(ModeOf(dir.File("new")), 0600u);
  EXPECT_EQ(test::ReadFile(dir.File("new")), "content");

  EXPECT_FALSE(WriteNewFileExclusive(dir.File("new"), "other", error));
  EXPECT_EQ(test::ReadFile(dir.File("new")), "content");

  fs::create_symlink(dir.File("target"), dir.File("dangling"));
  EXPECT_FALSE(WriteNewFileExclusive(dir.File("dangling"), "x", error));
  EXPECT_FALSE(fs::exists(dir.File("target"))) << "a file was made where the link points";
  fs::create_symlink(dir.File("new"), dir.File("link"));
  EXPECT_FALSE(WriteNewFileExclusive(dir.File("link"), "x", error));
  EXPECT_EQ(test::ReadFile(dir.File("new")), "content");
  umask(old);
}

// With the program's hooks in place a save ends with the mode the umask gives a new file, keeps
// the mode of a file it replaces, and leaves no temporary file behind.
TEST(DurableFiles, SavedFilesGetTheirLastingModeOnlyWhenComplete) {
  InstallDurableFileWrites();
  test::TempDir dir;
  const mode_t old = umask(027);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir.File("a.ini"), "one", &error)) << error;
  EXPECT_EQ(ModeOf(dir.File("a.ini")), 0640u);
  chmod(dir.File("a.ini").c_str(), 0604);
  ASSERT_TRUE(WriteFileAtomically(dir.File("a.ini"), "two", &error)) << error;
  EXPECT_EQ(ModeOf(dir.File("a.ini")), 0604u);
  EXPECT_EQ(test::ReadFile(dir.File("a.ini")), "two");
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir.path())) files += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 1);
  umask(old);
  InstallFileSystemHooks({});
}

}  // namespace
}  // namespace brv3::platform
