#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/RuntimeDir.h"
#include "support/TestSupport.h"

namespace brv3::platform {
namespace {

namespace fs = std::filesystem;

TEST(SingleInstanceTest, SecondHolderIsRefusedUntilTheFirstEnds) {
  test::TempDir dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  {
    SingleInstance first("BRV3");
    EXPECT_TRUE(first.Acquired());
    EXPECT_EQ(first.LockPath(), dir.File("brivane3-BRV3.lock"));
    EXPECT_EQ(first.Problem(), "");
    SingleInstance second("BRV3");
    EXPECT_FALSE(second.Acquired());
    SingleInstance other("OTHER");
    EXPECT_TRUE(other.Acquired());
  }
  SingleInstance again("BRV3");
  EXPECT_TRUE(again.Acquired());

  // Another process sees the lock too.
  auto result = test::RunProcess("/usr/bin/flock", {"-n", again.LockPath(), "true"});
  EXPECT_NE(result.exitCode, 0);
  unsetenv("XDG_RUNTIME_DIR");
}

// Without a session folder the files go to a folder of /tmp that only this user can use: made
// 0700, refused when it is a link, has another mode or belongs to someone else.
TEST(RuntimeDirTest, PrivateFolderIsMadeAndCheckedNeverFollowed) {
  test::TempDir base;
  const std::string mine = base.File("brivane3-" + std::to_string(getuid()));
  std::string error;
  ASSERT_EQ(PrivateRuntimeDir(base.path(), &error), mine) << error;
  struct stat st {};
  ASSERT_EQ(lstat(mine.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
  EXPECT_EQ(PrivateRuntimeDir(base.path(), &error), mine) << "an existing private folder is used";

  chmod(mine.c_str(), 0755);
  EXPECT_EQ(PrivateRuntimeDir(base.path(), &error), "");
  EXPECT_NE(error.find("has mode 0755, not 0700"), std::string::npos) << error;
  chmod(mine.c_str(), 0700);

  // A link planted where the folder belongs, even to a folder that looks right.
  fs::rename(mine, base.File("real"));
  fs::create_directory_symlink(base.File("real"), mine);
  EXPECT_EQ(PrivateRuntimeDir(base.path(), &error), "");
  EXPECT_NE(error.find("is a symbolic link"), std::string::npos) << error;
  EXPECT_NE(error.find("not private"), std::string::npos) << error;
  fs::remove(mine);

  test::WriteFile(mine, "");
  EXPECT_EQ(PrivateRuntimeDir(base.path(), &error), "");
  EXPECT_NE(error.find("is not a folder"), std::string::npos) << error;
  fs::remove(mine);

  if (getuid() == 0) {
    // Root can stand in for another user: a folder made by uid 65534.
    ASSERT_EQ(mkdir(mine.c_str(), 0700), 0);
    ASSERT_EQ(chown(mine.c_str(), 65534, 65534), 0);
    EXPECT_EQ(PrivateRuntimeDir(base.path(), &error), "");
    EXPECT_NE(error.find("belongs to another user (uid 65534)"), std::string::npos) << error;
  }

  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = old ? old : "";
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(RuntimeDir(&error), "/tmp/brivane3-" + std::to_string(getuid())) << error;
  SingleInstance instance("TEST");
  EXPECT_EQ(instance.LockPath(),
            "/tmp/brivane3-" + std::to_string(getuid()) + "/brivane3-TEST.lock");
  if (old) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

// A link planted at the lock path is not followed (nothing is created where it points), and a
// lock file that is not this user's cannot stop the start; either is said.
TEST(SingleInstanceTest, LinkOrForeignLockFileIsNotUsed) {
  test::TempDir dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  const std::string lock = dir.File("brivane3-BRV3.lock");
  fs::create_symlink(dir.File("elsewhere"), lock);
  {
    SingleInstance instance("BRV3");
    EXPECT_TRUE(instance.Acquired());
    EXPECT_NE(instance.Problem().find("cannot be used"), std::string::npos) << instance.Problem();
    EXPECT_FALSE(fs::exists(dir.File("elsewhere")));
  }
  fs::remove(lock);

  if (getuid() == 0) {
    test::WriteFile(lock, "");
    ASSERT_EQ(chown(lock.c_str(), 65534, 65534), 0);
    const int held = open(lock.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    SingleInstance instance("BRV3");
    EXPECT_TRUE(instance.Acquired()) << "another user's lock file stopped the start";
    EXPECT_NE(instance.Problem().find("is not this user's file"), std::string::npos)
        << instance.Problem();
    close(held);
  }
  unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace brv3::platform
