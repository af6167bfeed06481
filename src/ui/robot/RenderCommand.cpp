#include "ui/robot/RenderCommand.h"

#include <CLI/CLI.hpp>
#include <QBuffer>
#include <QGuiApplication>
#include <cstring>
#include <iostream>
#include <regex>

#include "core/chart/Chart.h"
#include "core/chart/ChartFiles.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionPreview.h"
#include "core/util/Prompter.h"
#include "core/util/SafeFile.h"
#include "core/util/Translate.h"
#include "i18n/Catalogues.h"
#include "platform/PrivateDisplay.h"
#include "ui/robot/RobotPoser.h"
#include "ui/robot/RobotRender.h"

namespace brv3 {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitBadInput = 2;

// Messages of the chart reader go to the error stream; questions are answered no.
class StderrPrompter final : public Prompter {
 public:
  int MsgBox(MsgKind, MsgButtons buttons, const std::string& text, int) override {
    std::cerr << "brivane3: " << text << "\n";
    switch (buttons) {
      case MsgButtons::YesNo:
      case MsgButtons::YesNoCancel:
        return IdNo;
      case MsgButtons::Ok:
      case MsgButtons::Help:
        return IdOk;
      case MsgButtons::AbortRetryIgnore:
        return IdAbort;
      default:
        return IdCancel;
    }
  }
  bool NumberSelectDialog(NumberSelectState&) override { return false; }
  bool InputTextDialog(const std::string&, const std::string&, std::string&) override {
    return false;
  }
  void ShowStatus(const std::string&) override {}
};

struct RenderArgs {
  std::string robot;
  std::string chart;
  int step = 1;
  double time = -1;
  std::string view = "front";
  std::string size = "640x480";
  std::string out;
};

int Fail(int code, const std::string& message) {
  std::cerr << "brivane3: " << message << "\n";
  return code;
}

}  // namespace

bool IsRenderCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--render") == 0) return true;
  return false;
}

int RunRenderCommand(int argc, char** argv) {
  CLI::App app{Tr("RenderCommand",
                  "brivane3 --render: draw the robot in a pose of a motion chart into a PNG file")};
  app.name("brivane3 --render");
  RenderArgs args;
  bool render = false;
  app.add_flag("--render", render, Tr("RenderCommand", "Render instead of starting the editor"))
      ->required();
  app.add_option("--robot", args.robot, Tr("RenderCommand", "Robot description (.urdf)"))
      ->required();
  app.add_option("CHART", args.chart, Tr("RenderCommand", "Motion chart file (.QVB)"))->required();
  auto* step = app.add_option("--step", args.step,
                              Tr("RenderCommand", "Show the pose after step N (default 1)"))
                   ->check(CLI::Range(1, 100000));
  auto* time = app.add_option("--time", args.time,
                              Tr("RenderCommand", "Show the preview at SECONDS after Play"))
                   ->check(CLI::Range(0.0, kPreviewHorizonSeconds));
  step->excludes(time);
  app.add_option("--view", args.view, Tr("RenderCommand", "front, side or top"))
      ->check(CLI::IsMember({"front", "side", "top"}));
  app.add_option("--size", args.size, Tr("RenderCommand", "Image size WxH (default 640x480)"));
  app.add_option("-o,--output", args.out, Tr("RenderCommand", "The PNG file to write"))->required();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int rc = app.exit(e);
    return rc == 0 ? kExitOk : kExitBadInput;
  }
  std::smatch m;
  const std::regex sizePattern("([0-9]{1,5})x([0-9]{1,5})");
  if (!std::regex_match(args.size, m, sizePattern))
    return Fail(kExitBadInput,
                Tr("RenderCommand", "--size takes WIDTHxHEIGHT, for example 640x480"));
  const QSize size(std::stoi(m[1]), std::stoi(m[2]));
  if (size.width() < 16 || size.height() < 16 || size.width() > 4096 || size.height() > 4096)
    return Fail(kExitBadInput, Tr("RenderCommand", "--size: each side must be 16 to 4096 pixels"));

  robot::RobotLoadResult loaded = robot::LoadRobotModel(args.robot);
  if (!loaded.model) return Fail(kExitBadInput, loaded.error);

  Chart chart;
  StderrPrompter prompter;
  const OpenResult opened = OpenChartFile(chart, args.chart, prompter);
  if (opened.status != OpenStatus::Opened)
    return Fail(kExitBadInput, Args(Tr("RenderCommand", "cannot read the chart %1"), {args.chart}));
  if (chart.Type == kScenarioChart)
    return Fail(kExitBadInput,
                Tr("RenderCommand", "a scenario chart has no poses to show: give a motion chart"));
  const MotionCompileResult compiled = CompileMotionChart(chart);
  if (!compiled.ok)
    return Fail(kExitBadInput, compiled.failure.text.empty()
                                   ? Tr("RenderCommand", "the chart has no objects")
                                   : Args(Tr("RenderCommand", "the chart does not compile: %1"),
                                          {compiled.failure.text}));
  const MotionPreview preview(compiled.records);
  double at = args.time;
  if (at < 0) {
    const std::optional<double> settled = StepSettledTime(preview, args.step);
    if (!settled)
      return Fail(kExitBadInput,
                  Args(Tr("RenderCommand", "step %1 is never played (the motion has %2 steps)"),
                       {std::to_string(args.step), std::to_string(compiled.records.size())}));
    at = *settled;
  }
  const PreviewSample sample = preview.At(at);

  // OpenGL needs a windowing system: without a display a private one is started.
  platform::PrivateDisplay display;
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::string error;
    if (!display.Start(error)) return Fail(kExitFailure, error);
    qputenv("DISPLAY", QByteArray::fromStdString(display.Name()));
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication application(qtArgc, qtArgv);
  // The catalogue was chosen before there was an application; the toolkit's texts need it too.
  InstallProcessLanguage();

  auto model = std::make_shared<const robot::RobotModel>(std::move(*loaded.model));
  RobotPoser poser(model);
  poser.Pose(sample.words);
  const RobotViewAngle angle = args.view == "side"  ? RobotViewAngle::Side
                               : args.view == "top" ? RobotViewAngle::Top
                                                    : RobotViewAngle::Front;
  QString error;
  const QImage image = RenderRobotImage(*model, poser.Links(), angle, size, &error);
  if (image.isNull())
    return Fail(kExitFailure,
                Args(Tr("RenderCommand", "cannot draw the robot: %1"), {error.toStdString()}));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG"))
    return Fail(kExitFailure, Tr("RenderCommand", "cannot encode the image"));
  std::string writeError;
  if (!WriteFileAtomically(args.out, png.toStdString(), &writeError))
    return Fail(kExitFailure,
                Args(Tr("RenderCommand", "cannot write %1: %2"), {args.out, writeError}));
  return kExitOk;
}

}  // namespace brv3
