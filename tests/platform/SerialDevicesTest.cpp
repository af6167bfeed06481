#include <glob.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>

#include "core/comm/SelectPort.h"
#include "platform/CommX.h"
#include "platform/CommXPortControl.h"
#include "platform/PortAccess.h"
#include "platform/SerialDevices.h"
#include "support/TestSupport.h"

namespace brv3::platform {
namespace {

TEST(SerialDevices, UdevTextsAndDeviceNames) {
  EXPECT_EQ(DecodeUdevText("FT232R\\x20USB\\x20UART"), "FT232R USB UART");
  EXPECT_EQ(DecodeUdevText("Example\\x20Boards\\x20\\x28www.example.com\\x29"),
            "Example Boards (www.example.com)");
  // Padding goes; a broken escape stays as it is.
  EXPECT_EQ(DecodeUdevText("\\x20USB-Serial Controller\\x20\\x20"), "USB-Serial Controller");
  EXPECT_EQ(DecodeUdevText("a\\x2"), "a\\x2");
  EXPECT_EQ(DecodeUdevText("a\\xZZb"), "a\\xZZb");
  EXPECT_EQ(DecodeUdevText(""), "");

  for (const char* name : {"ttyUSB0", "ttyUSB12", "ttyACM3"})
    EXPECT_TRUE(IsAdapterDeviceName(name));
  for (const char* name : {"ttyUSB", "ttyS0", "tty1", "ttyUSB0x", "ttyAMA0", "pts"})
    EXPECT_FALSE(IsAdapterDeviceName(name)) << name;
}

// The system's own adapters, where the machine has any.
TEST(SerialDevices, TheSystemsAdaptersAreFoundWithTheirLinks) {
  std::set<std::string> present;
  for (const char* pattern : {"/dev/ttyUSB*", "/dev/ttyACM*"}) {
    glob_t found{};
    if (glob(pattern, 0, nullptr, &found) == 0)
      for (size_t i = 0; i < found.gl_pathc; ++i) present.insert(found.gl_pathv[i]);
    globfree(&found);
  }
  auto source = MakeUdevSerialDevices();
  const auto adapters = source->Enumerate();
  if (present.empty()) {
    EXPECT_TRUE(adapters.empty());
    GTEST_SKIP() << "no USB serial adapter on this machine";
  }
  std::set<std::string> listed;
  for (const SerialAdapter& a : adapters) {
    listed.insert(a.Device);
    if (!a.ById.empty()) {
      // The link leads to the device it is listed with.
      char target[PATH_MAX];
      ASSERT_NE(realpath(a.ById.c_str(), target), nullptr) << a.ById;
      EXPECT_EQ(std::string(target), a.Device);
    }
  }
  EXPECT_EQ(listed, present);
}

TEST(SerialDevices, APermissionProblemNamesTheGroupAndTheFix) {
  test::TempDir dir;
  const std::string device = dir.File("ttyUSB0");
  test::WriteFile(device, "");
  const group* dialout = getgrnam("dialout");
  if (geteuid() == 0 && dialout) {
    ASSERT_EQ(chown(device.c_str(), 0, dialout->gr_gid), 0);
  }
  struct stat info {};
  ASSERT_EQ(stat(device.c_str(), &info), 0);
  const std::string owner = getgrgid(info.st_gid)->gr_name;

  // The open fails as it does for a user outside the group (root would be let in).
  TCommX comm;
  comm.SetDevicePath(device);
  comm.SetDeviceOpenFunction([](const std::string&, int) {
    errno = EACCES;
    return -1;
  });
  CommXPortControl control(comm);
  try {
    control.Open();
    ADD_FAILURE() << "opened";
  } catch (const PortAccessDenied& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Could not open the port: permission denied: " + device, 0), 0u) << text;
    if (owner == "root") {
      // Joining root's group is no fix; the text says what is.
      EXPECT_TRUE(e.FixCommand().empty());
      EXPECT_NE(text.find("udev rule"), std::string::npos) << text;
    } else {
      EXPECT_NE(text.find("belongs to group " + owner), std::string::npos) << text;
      EXPECT_EQ(e.FixCommand(), "sudo usermod -aG " + owner + " $USER");
      EXPECT_NE(text.find("log out and in again"), std::string::npos) << text;
    }
  }
  EXPECT_FALSE(comm.IsOpen());

  // Other failures stay what they were.
  comm.SetDeviceOpenFunction([](const std::string&, int) {
    errno = ENOENT;
    return -1;
  });
  try {
    control.Open();
  } catch (const PortAccessDenied&) {
    ADD_FAILURE() << "a missing device is no permission problem";
  } catch (const ECommError& e) {
    EXPECT_NE(std::string(e.what()).find("no such device"), std::string::npos);
  }
}

TEST(SerialDevices, PortProblemsAreFoundWithoutOpeningTheDevice) {
  test::TempDir dir;
  EXPECT_EQ(PortProblem(dir.File("missing")), "no such device");
  const std::string device = dir.File("ttyUSB0");
  test::WriteFile(device, "");
  EXPECT_EQ(PortProblem(device), "");
  if (geteuid() != 0) {
    ASSERT_EQ(chmod(device.c_str(), 0), 0);
    EXPECT_EQ(PortProblem(device).rfind("permission denied", 0), 0u);
  }
}

}  // namespace
}  // namespace brv3::platform
