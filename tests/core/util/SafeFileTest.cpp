#include "core/util/SafeFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

}  // namespace brv3
