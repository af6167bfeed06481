#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "platform/ComPortName.h"
#include "platform/ConfigLocation.h"
#include "support/TestSupport.h"

namespace brv3::platform {
namespace {

// Sets an environment variable for the life of the object, restoring what was there before.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ConfigLocation, ChoosesVariableThenPortableFolderThenTheUsersConfigFolder) {
  ConfigSources sources;
  sources.programDir = "/opt/brivane3";
  sources.programDirWritable = true;
  sources.xdgConfigHome = "/home/u/.xdg";
  sources.home = "/home/u";
  sources.tempDir = "/tmp";

  sources.configDirVariable = "/srv/settings";
  EXPECT_EQ(ChooseConfigDir(sources), "/srv/settings");
  sources.configDirVariable.clear();
  EXPECT_EQ(ChooseConfigDir(sources), "/opt/brivane3");

  // An installed program never keeps its settings beside itself, even when run as root.
  for (const char* installed : {"/usr/bin", "/usr", "/usr/local/bin"}) {
    sources.programDir = installed;
    EXPECT_EQ(ChooseConfigDir(sources), "/home/u/.xdg/brivane3") << installed;
  }
  // Only /usr itself counts, not a folder whose name begins the same way.
  sources.programDir = "/usrdata/brivane3";
  EXPECT_EQ(ChooseConfigDir(sources), "/usrdata/brivane3");

  sources.programDirWritable = false;
  EXPECT_EQ(ChooseConfigDir(sources), "/home/u/.xdg/brivane3");
  sources.xdgConfigHome.clear();
  EXPECT_EQ(ChooseConfigDir(sources), "/home/u/.config/brivane3");
  sources.home.clear();
  EXPECT_EQ(ChooseConfigDir(sources), "/tmp/brivane3");
  sources.programDir.clear();
  sources.programDirWritable = true;
  EXPECT_EQ(ChooseConfigDir(sources), "/tmp/brivane3");
}

TEST(ConfigLocation, FilesLiveInTheFolderTheVariableNames) {
  test::TempDir dir;
  ScopedVariable config("BRV3_CONFIG_DIR", dir.path().string());
  EXPECT_EQ(ConfigDir(), dir.path().string());
  EXPECT_EQ(SettingsFilePath(), dir.File("BRV3.ini"));
  EXPECT_EQ(PatternFilePath(), dir.File("PATTERN.ini"));
}

TEST(ComPortName, VariableThenSettingsKeyThenTheUsbAndAcmDevices) {
  test::TempDir dir;
  ScopedVariable config("BRV3_CONFIG_DIR", dir.path().string());
  ScopedVariable com2("BRV3_COM2", std::nullopt);
  ScopedVariable com3("BRV3_COM3", std::nullopt);

  EXPECT_EQ(ComPortPath(1), "/dev/ttyUSB0");
  EXPECT_EQ(ComPortPath(10), "/dev/ttyUSB9");
  EXPECT_EQ(ComPortPath(11), "/dev/ttyACM0");
  EXPECT_EQ(ComPortPath(20), "/dev/ttyACM9");
  EXPECT_EQ(ComPortPath(21), "/dev/ttyS20");

  test::WriteFile(dir.File("BRV3.ini"),
                  "[Main]\r\nCOM2=/dev/wrong\r\n[Ports]\r\ncom2=/dev/serial/by-id/board\r\n"
                  "COM3=\r\n");
  EXPECT_EQ(ComPortPath(2), "/dev/serial/by-id/board");  // keys are case-insensitive
  EXPECT_EQ(ComPortPath(3), "/dev/ttyUSB2");             // an empty key is no choice

  ScopedVariable chosen("BRV3_COM2", "/dev/pts/7");
  EXPECT_EQ(ComPortPath(2), "/dev/pts/7");
  ScopedVariable empty("BRV3_COM3", "");
  EXPECT_EQ(ComPortPath(3), "/dev/ttyUSB2");
}

TEST(ComPortName, ResolvesComNamesAndPathsAndRejectsTheRest) {
  test::TempDir dir;
  ScopedVariable config("BRV3_CONFIG_DIR", dir.path().string());
  ScopedVariable com5("BRV3_COM5", std::nullopt);
  EXPECT_EQ(ResolvePortName("COM5"), "/dev/ttyUSB4");
  EXPECT_EQ(ResolvePortName("com5"), "/dev/ttyUSB4");
  EXPECT_EQ(ResolvePortName("Com255"), "/dev/ttyS254");
  EXPECT_EQ(ResolvePortName("/dev/ttyS0"), "/dev/ttyS0");
  EXPECT_EQ(ResolvePortName("./relative/pty"), "./relative/pty");
  for (const char* bad : {"COM0", "COM256", "COM", "COM+5", "COM 5", "COM5x", "COM-1", "ttyUSB0",
                          "", "COM99999999999999999999"})
    EXPECT_EQ(ResolvePortName(bad), "") << bad;
}

}  // namespace
}  // namespace brv3::platform
