#include <gtest/gtest.h>

#include <filesystem>

#include "platform/SingleInstance.h"
#include "ui/UiTestSupport.h"

namespace brv3 {
namespace {

TEST(SingleInstanceStartTest, SecondCopyRefusesBeforeAnyWindow) {
  test::UiEnvironment env;
  platform::SingleInstance first("BRV3");
  ASSERT_TRUE(first.Acquired());
  // The refused copy waits on its message box; it is stopped once it has said why.
  auto result = test::RunProcessUntil(BRV3_GUI_PATH, {}, "The double start is impossible");
  EXPECT_NE(result.err.find("The double start is impossible"), std::string::npos) << result.err;
  // No main window was made, so no settings file was read or written.
  EXPECT_FALSE(std::filesystem::exists(env.SettingsPath()));
}

}  // namespace
}  // namespace brv3
