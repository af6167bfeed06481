#include "core/util/SafeFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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
  EXPECT_FALSE(CanWriteFile(""));
  EXPECT_FALSE(WriteFileAtomically("", "x"));
  EXPECT_FALSE(ReadWholeFile(dir.File("absent")).has_value());
}

// Saving onto a link writes the file it points at, in that file's folder; the link stays a link.
TEST(SafeFile, SavingThroughLinksReplacesTheTargetAndKeepsTheLinks) {
  test::TempDir dir;
  fs::create_directories(dir.path() / "real");
  std::string target = dir.File("real/chart.QVB");
  test::WriteFile(target, "old");
  std::string link = dir.File("link.QVB");
  std::string chain = dir.File("chain.QVB");
  fs::create_symlink("real/chart.QVB", link);  // relative to the link's folder
  fs::create_symlink(link, chain);
  std::string error;
  ASSERT_TRUE(CanWriteFile(chain));
  ASSERT_TRUE(WriteFileAtomically(chain, "new", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(test::ReadFile(target), "new");
  // A link to a file not there yet creates that file.
  std::string dangling = dir.File("dangling.QVB");
  fs::create_symlink("real/later.QVB", dangling);
  ASSERT_TRUE(WriteFileAtomically(dangling, "later", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(test::ReadFile(dir.File("real/later.QVB")), "later");
  // No temporary files are left in either folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "real"), fs::directory_iterator()),
            2);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4);
  // A loop of links is refused.
  fs::create_symlink(dir.File("loop2"), dir.File("loop1"));
  fs::create_symlink(dir.File("loop1"), dir.File("loop2"));
  EXPECT_FALSE(CanWriteFile(dir.File("loop1")));
  EXPECT_FALSE(WriteFileAtomically(dir.File("loop1"), "x"));
  EXPECT_TRUE(fs::is_symlink(dir.File("loop1")));
}

TEST(SafeFile, SpecialFilesAreNeitherReplacedNorRead) {
  test::TempDir dir;
  std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string linkToFifo = dir.File("pipe.QVB");
  fs::create_symlink(fifo, linkToFifo);
  std::string error;
  for (const std::string& target : {fifo, linkToFifo, std::string("/dev/null")}) {
    EXPECT_FALSE(CanWriteFile(target)) << target;
    EXPECT_FALSE(WriteFileAtomically(target, "x", &error)) << target;
    FileProblem problem = FileProblem::None;
    // Opening a FIFO without a writer would wait forever: it must not be opened at all.
    EXPECT_FALSE(ReadWholeFile(target, &error, &problem).has_value()) << target;
    EXPECT_EQ(problem, FileProblem::NotARegularFile) << target;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_symlink(linkToFifo));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  FileProblem problem = FileProblem::None;
  EXPECT_FALSE(ReadWholeFile(dir.path().string(), &error, &problem).has_value());
  EXPECT_EQ(problem, FileProblem::NotARegularFile);
  EXPECT_NE(error.find("folder"), std::string::npos) << error;
  EXPECT_FALSE(ReadWholeFile(dir.File("absent"), &error, &problem).has_value());
  EXPECT_EQ(problem, FileProblem::CannotOpen);
}

TEST(SafeFile, InputsOverTheSizeLimitAreRefusedBeforeReading) {
  test::TempDir dir;
  std::string big = dir.File("big.QVB");
  test::WriteFile(big, "");
  fs::resize_file(big, kMaxInputFileSize + 1);  // sparse: costs no disk
  std::string error;
  FileProblem problem = FileProblem::None;
  EXPECT_FALSE(ReadWholeFile(big, &error, &problem).has_value());
  EXPECT_EQ(problem, FileProblem::TooLarge);
  fs::resize_file(big, 3);
  auto bytes = ReadWholeFile(big, &error, &problem);
  ASSERT_TRUE(bytes.has_value()) << error;
  EXPECT_EQ(*bytes, std::string(3, '\0'));
  EXPECT_EQ(problem, FileProblem::None);
}

namespace {

// The names in a folder, sorted.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(FolderReplacement, SwapsTheWholeFolderOnlyOnCommit) {
  test::TempDir dir;
  // A folder not there yet, in a parent not there yet.
  {
    FolderReplacement fresh;
    std::string error;
    ASSERT_TRUE(fresh.Begin(dir.File("a/b/new/"), &error)) << error;
    EXPECT_EQ(fresh.Target(), dir.File("a/b/new"));
    test::WriteFile(fresh.Staging() + "/one", "1");
    EXPECT_FALSE(fs::exists(dir.File("a/b/new")));
    ASSERT_TRUE(fresh.Commit(&error)) << error;
  }
  EXPECT_EQ(Names(dir.File("a/b")), std::vector<std::string>{"new"});
  EXPECT_EQ(test::ReadFile(dir.File("a/b/new/one")), "1");

  // An existing folder through a link: the old content goes, the link stays a link.
  fs::create_symlink("a/b/new", dir.File("link"));
  fs::permissions(dir.File("a/b/new"), fs::perms::owner_all);
  {
    FolderReplacement swap;
    ASSERT_TRUE(swap.Begin(dir.File("link")));
    EXPECT_EQ(swap.Target(), dir.File("a/b/new"));
    test::WriteFile(swap.Staging() + "/two", "2");
    ASSERT_TRUE(swap.Commit());
    EXPECT_EQ(swap.LeftBehind(), "");
  }
  EXPECT_TRUE(fs::is_symlink(dir.File("link")));
  EXPECT_EQ(Names(dir.File("link")), std::vector<std::string>{"two"});
  EXPECT_EQ(fs::status(dir.File("a/b/new")).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(Names(dir.File("a/b")), std::vector<std::string>{"new"});  // nothing left aside

  // Given up before the commit: the old folder as it was, the new one gone.
  {
    FolderReplacement dropped;
    ASSERT_TRUE(dropped.Begin(dir.File("a/b/new")));
    test::WriteFile(dropped.Staging() + "/three", "3");
  }
  EXPECT_EQ(Names(dir.File("a/b")), std::vector<std::string>{"new"});
  EXPECT_EQ(Names(dir.File("a/b/new")), std::vector<std::string>{"two"});

  // An old folder that cannot be removed whole is named (permissions do not stop root).
  if (geteuid() != 0) {
    fs::create_directory(dir.File("a/b/new/locked"));
    test::WriteFile(dir.File("a/b/new/locked/f"), "f");
    fs::permissions(dir.File("a/b/new/locked"), fs::perms::owner_read | fs::perms::owner_exec);
    FolderReplacement swap;
    ASSERT_TRUE(swap.Begin(dir.File("a/b/new")));
    ASSERT_TRUE(swap.Commit());
    ASSERT_NE(swap.LeftBehind(), "");
    EXPECT_TRUE(fs::exists(swap.LeftBehind() + "/locked/f"));
    EXPECT_TRUE(Names(dir.File("a/b/new")).empty());
    fs::permissions(swap.LeftBehind() + "/locked", fs::perms::owner_all);
  }
}

TEST(FolderReplacement, RefusesNonFoldersAndPutsTheOldFolderBackWhenTheSwapFails) {
  test::TempDir dir;
  test::WriteFile(dir.File("file"), "keep");
  std::string error;
  for (const std::string& target : {dir.File("file"), std::string("/dev/null"), std::string("/")}) {
    FolderReplacement refused;
    EXPECT_FALSE(refused.Begin(target, &error)) << target;
  }
  EXPECT_EQ(test::ReadFile(dir.File("file")), "keep");
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"file"});

  fs::create_directory(dir.File("old"));
  test::WriteFile(dir.File("old/kept"), "old");
  // The second rename, the new folder into place, fails.
  int renames = 0;
  {
    FolderReplacement swap([&renames](const std::string& from, const std::string& to) {
      if (++renames == 2) return false;
      std::error_code ec;
      fs::rename(from, to, ec);
      return !ec;
    });
    ASSERT_TRUE(swap.Begin(dir.File("old")));
    test::WriteFile(swap.Staging() + "/new", "new");
    EXPECT_FALSE(swap.Commit(&error));
    EXPECT_NE(error.find("old one is back"), std::string::npos) << error;
  }
  EXPECT_EQ(renames, 3);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"file", "old"}));
  EXPECT_EQ(Names(dir.File("old")), std::vector<std::string>{"kept"});
  EXPECT_EQ(test::ReadFile(dir.File("old/kept")), "old");
}

}  // namespace brv3
