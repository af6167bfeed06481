#include "platform/FileIcon.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace brv3::platform {
namespace {

TEST(FileIconTest, OnWritesMimePackageAndDesktopEntryOffRemovesThem) {
  test::TempDir dir;
  setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
  EXPECT_FALSE(FileIconInstalled());
  std::string error;
  ASSERT_TRUE(SetFileIcon(true, "/opt/my tools/brivane3", &error)) << error;
  EXPECT_TRUE(FileIconInstalled());
  const std::string mime = test::ReadFile(MimePackagePath());
  EXPECT_NE(mime.find("<glob pattern=\"*.qvb\"/>"), std::string::npos);
  EXPECT_NE(mime.find(kQvbMimeType), std::string::npos);
  const std::string desktop = test::ReadFile(AssociationDesktopPath());
  EXPECT_NE(desktop.find("Exec=\"/opt/my tools/brivane3\" %f\n"), std::string::npos);
  EXPECT_NE(desktop.find(std::string("MimeType=") + kQvbMimeType + ";"), std::string::npos);

  ASSERT_TRUE(SetFileIcon(false, "/opt/my tools/brivane3", &error)) << error;
  EXPECT_FALSE(FileIconInstalled());
  EXPECT_FALSE(std::filesystem::exists(AssociationDesktopPath()));
  // Switching off twice is not an error.
  EXPECT_TRUE(SetFileIcon(false, "/opt/my tools/brivane3", &error));

  // A data folder that cannot hold the files reports the failure.
  test::WriteFile(dir.File("blocked"), "");
  setenv("XDG_DATA_HOME", dir.File("blocked").c_str(), 1);
  error.clear();
  EXPECT_FALSE(SetFileIcon(true, "/usr/bin/brivane3", &error));
  EXPECT_FALSE(error.empty());
  unsetenv("XDG_DATA_HOME");
}

TEST(FileIconTest, ExecArgumentsAreQuotedAndEscaped) {
  EXPECT_EQ(DesktopExecArgument("/usr/bin/brivane3"), "/usr/bin/brivane3");
  EXPECT_EQ(DesktopExecArgument("/a b/c"), "\"/a b/c\"");
  EXPECT_EQ(DesktopExecArgument("/a$b"), "\"/a\\\\$b\"");
  EXPECT_EQ(DesktopExecArgument("/a\\b"), "\"/a\\\\\\\\b\"");
  EXPECT_EQ(DesktopExecArgument("/100%"), "\"/100%%\"");
}

}  // namespace
}  // namespace brv3::platform
