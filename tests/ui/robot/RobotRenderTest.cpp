#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QStandardPaths>
#include <array>
#include <cstdlib>
#include <filesystem>

#include "core/chart/ChartFiles.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionPreview.h"
#include "core/util/Prompter.h"
#include "support/TestSupport.h"
#include "ui/robot/ArmCharts.h"
#include "ui/robot/RobotPoser.h"

namespace brv3 {
namespace {

// Drawing needs OpenGL through a window system: the display the tests run on, or a private Xvfb
// the render command starts itself.
bool CanDraw() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !QStandardPaths::findExecutable("Xvfb").isEmpty();
}

// Drawing goes through the X server's and the GL driver's libraries, which keep allocations for
// the life of the process; a sanitized build's leak check of the drawing programs would report
// them. Children started while this lives run without it (the tests of our own code keep it).
class NoLeakCheckInChildren {
 public:
  NoLeakCheckInChildren() {
    const char* old = std::getenv("ASAN_OPTIONS");
    if (old) saved_ = old;
    const std::string options = (old ? saved_ + ":" : std::string()) + "detect_leaks=0";
    ::setenv("ASAN_OPTIONS", options.c_str(), 1);
  }
  ~NoLeakCheckInChildren() {
    if (saved_.empty())
      ::unsetenv("ASAN_OPTIONS");
    else
      ::setenv("ASAN_OPTIONS", saved_.c_str(), 1);
  }
  NoLeakCheckInChildren(const NoLeakCheckInChildren&) = delete;
  NoLeakCheckInChildren& operator=(const NoLeakCheckInChildren&) = delete;

 private:
  std::string saved_;
};

class RobotRenderTest : public ::testing::Test {
 protected:
  RobotRenderTest() {
    Chart chart =
        test::ArmMotion({{16384, 16384}, {16384 + 900, 16384 - 900}, {16384, 16384 + 600}});
    SilentPrompter quiet;
    EXPECT_TRUE(SaveChartFile(chart, chartPath, quiet));
  }
  test::ProcessResult Render(std::vector<std::string> args, const char* program = BRV3_GUI_PATH) {
    std::vector<std::string> all;
    if (program == std::string(BRV3_GUI_PATH))
      all.push_back("--render");
    else
      all.push_back("render");
    all.insert(all.end(), args.begin(), args.end());
    return test::RunProcess(program, all, "", 60000);
  }
  // Pixels that differ from the background (the top-left corner's colour).
  static double Drawn(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != background;
    return double(count) / (image.width() * image.height());
  }
  static double Changed(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
    return double(count) / (a.width() * a.height());
  }

  test::TempDir dir;
  const std::string chartPath = dir.File("arm.QVB");
  const std::string robot = test::DataFile("robots/arm.urdf");
};

TEST_F(RobotRenderTest, TwoStepsGiveTwoDifferentPicturesOfTheRobot) {
  if (!CanDraw()) GTEST_SKIP() << "no display and no Xvfb: nothing can draw with OpenGL";
  const NoLeakCheckInChildren drawing;
  const std::string first = dir.File("first.png");
  const std::string second = dir.File("second.png");
  test::ProcessResult r = Render({"--robot", robot, chartPath, "--step", "1", "--view", "side",
                                  "--size", "320x240", "-o", first});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = Render({"--robot", robot, chartPath, "--step", "2", "--view", "side", "--size", "320x240",
              "-o", second});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const QImage a(QString::fromStdString(first));
  const QImage b(QString::fromStdString(second));
  ASSERT_EQ(a.size(), QSize(320, 240));
  ASSERT_EQ(b.size(), a.size());
  // The robot and the floor cover part of the picture, lit: more than two shades of it.
  EXPECT_GT(Drawn(a), 0.02);
  EXPECT_GT(Drawn(b), 0.02);
  EXPECT_GT(Changed(a, b), 0.005);

  // The same moment by time: when step 2 has finished moving, as the preview model has it.
  Chart chart;
  SilentPrompter quiet;
  ASSERT_EQ(OpenChartFile(chart, chartPath, quiet).status, OpenStatus::Opened);
  const std::optional<double> settled =
      StepSettledTime(MotionPreview(CompileMotionChart(chart).records), 2);
  ASSERT_TRUE(settled);
  EXPECT_GT(*settled, 0.5);
  const std::string timed = dir.File("timed.png");
  r = Render({"--robot", robot, chartPath, "--time", std::to_string(*settled), "--view", "side",
              "--size", "320x240", "-o", timed});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_LT(Changed(QImage(QString::fromStdString(timed)), b), 0.001);

  // The command line's render hands over to the editor program.
  const std::string cli = dir.File("cli.png");
  r = Render({"--robot", robot, chartPath, "--step", "2", "--view", "side", "--size", "320x240",
              "-o", cli},
             BRV3_CLI_PATH);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_LT(Changed(QImage(QString::fromStdString(cli)), b), 0.001);
}

// An ASCII STL of a box `x` by `y` by `z` metres about its centre.
std::string BoxStl(double x, double y, double z) {
  const double h[3] = {x / 2, y / 2, z / 2};
  auto corner = [&h](int bits) {
    return std::to_string(bits & 1 ? h[0] : -h[0]) + " " + std::to_string(bits & 2 ? h[1] : -h[1]) +
           " " + std::to_string(bits & 4 ? h[2] : -h[2]);
  };
  // Each face as two triangles of corner numbers (bit 0: +x, bit 1: +y, bit 2: +z).
  const int faces[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1},
                           {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 6, 7, 5}};
  std::string stl = "solid box\n";
  for (const auto& f : faces)
    for (const auto& t :
         {std::array<int, 3>{f[0], f[1], f[2]}, std::array<int, 3>{f[0], f[2], f[3]}}) {
      stl += "facet normal 0 0 0\nouter loop\n";
      for (int c : t) stl += "vertex " + corner(c) + "\n";
      stl += "endloop\nendfacet\n";
    }
  return stl + "endsolid box\n";
}

// A visual mesh is drawn from its file: a plate described only by an STL covers far more of the
// picture than the marker left where its file is missing.
TEST_F(RobotRenderTest, MeshesAreDrawnFromTheirFiles) {
  if (!CanDraw()) GTEST_SKIP() << "no display and no Xvfb: nothing can draw with OpenGL";
  const NoLeakCheckInChildren drawing;
  const std::string urdf = dir.File("plate.urdf");
  test::WriteFile(urdf,
                  "<robot name=\"plate\"><link name=\"base\"><visual><geometry>"
                  "<box size=\"0.02 0.02 0.02\"/></geometry></visual></link>"
                  "<link name=\"plate\"><visual><origin xyz=\"0 0 0.2\"/><geometry>"
                  "<mesh filename=\"plate.stl\" scale=\"2 2 2\"/></geometry></visual></link>"
                  "<joint name=\"j\" type=\"fixed\"><parent link=\"base\"/>"
                  "<child link=\"plate\"/></joint></robot>");
  test::WriteFile(dir.File("plate.stl"), BoxStl(0.1, 0.1, 0.1));
  const std::string withMesh = dir.File("with.png"), without = dir.File("without.png");
  test::ProcessResult r =
      Render({"--robot", urdf, chartPath, "--view", "front", "--size", "320x240", "-o", withMesh});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::filesystem::remove(dir.File("plate.stl"));
  r = Render({"--robot", urdf, chartPath, "--view", "front", "--size", "320x240", "-o", without});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const QImage a(QString::fromStdString(withMesh)), b(QString::fromStdString(without));
  ASSERT_EQ(a.size(), QSize(320, 240));
  EXPECT_GT(Changed(a, b), 0.05);
}

TEST_F(RobotRenderTest, UnusableInputIsNamedAndNothingIsWritten) {
  const std::string out = dir.File("out.png");
  const std::string bad = dir.File("bad.urdf");
  test::WriteFile(bad,
                  "<robot name=\"x\"><link name=\"a\"/><link name=\"b\"/>"
                  "<joint name=\"j\" type=\"continuous\"><parent link=\"a\"/>"
                  "<child link=\"b\"/></joint>\n<transmission name=\"t\">"
                  "<joint name=\"j\"/><actuator name=\"CH25\">"
                  "<mechanicalReduction>1</mechanicalReduction></actuator>"
                  "</transmission></robot>");
  for (const char* program : {BRV3_GUI_PATH, BRV3_CLI_PATH}) {
    test::ProcessResult r = Render({"--robot", bad, chartPath, "-o", out}, program);
    EXPECT_EQ(r.exitCode, 2) << program;
    EXPECT_NE(r.err.find("bad.urdf"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("CH25"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  const std::vector<std::vector<std::string>> wrong = {
      {"--robot", robot, chartPath, "--step", "9", "-o", out},
      {"--robot", robot, chartPath, "--step", "0", "-o", out},
      {"--robot", robot, chartPath, "--step", "2", "--time", "1", "-o", out},
      {"--robot", robot, chartPath, "--size", "12x9000", "-o", out},
      {"--robot", robot, chartPath, "--view", "back", "-o", out},
      {"--robot", robot, dir.File("missing.QVB"), "-o", out},
      {"--robot", robot, chartPath},
  };
  for (const auto& args : wrong) {
    test::ProcessResult r = Render(args);
    EXPECT_EQ(r.exitCode, 2) << args[3] << ": " << r.err;
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  EXPECT_NE(Render({"--robot", robot, chartPath, "--step", "9", "-o", out}).err.find("step 9"),
            std::string::npos);
}

}  // namespace
}  // namespace brv3
