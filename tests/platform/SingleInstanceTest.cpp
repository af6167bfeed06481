#include "platform/SingleInstance.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/TestSupport.h"

namespace brv3::platform {
namespace {

TEST(SingleInstanceTest, SecondHolderIsRefusedUntilTheFirstEnds) {
  test::TempDir dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  {
    SingleInstance first("BRV3");
    EXPECT_TRUE(first.Acquired());
    EXPECT_EQ(first.LockPath(), dir.File("brivane3-BRV3.lock"));
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

}  // namespace
}  // namespace brv3::platform
