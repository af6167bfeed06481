#include "ui/motion/ObjectEditors.h"

#include <QEvent>
#include <QFileInfo>
#include <filesystem>

#include "core/comm/MotionTable.h"
#include "core/motion/Conversion.h"
#include "core/motion/HistoryPoseTarget.h"
#include "core/util/IniFile.h"
#include "platform/ConfigLocation.h"
#include "ui/app/MainWindow.h"
#include "ui/app/ShellSettings.h"
#include "ui/app/WindowPlacement.h"
#include "ui/board/InputDialogs.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/CurvesDock.h"
#include "ui/motion/ObjectDialogs.h"
#include "ui/motion/PortDlg.h"
#include "ui/motion/PrmDlg.h"
#include "ui/robot/RobotDock.h"

namespace brv3 {
namespace {

constexpr const char* kCurvesSection = "BRV3";
constexpr const char* kCurvesKey = "Curves";
constexpr const char* kRobotKey = "RobotView";
constexpr const char* kRobotModelKey = "RobotModel";

}  // namespace

ObjectEditors::ObjectEditors(TBrivane3& window)
    : window_(window),
      poseBoard_(window.Link()),
      sensorBoard_(window.Link()),
      analog_(sensorBoard_),
      transmitter_(sensorBoard_) {
  prmDlg_ = new TPrmDlg(
      window.Link(), window.Prompts(), [&window] { return window.SyncOn(); }, &pump_,
      window.SettingsPath(), &window);
  // PATTERN.ini lives beside BRV3.ini.
  const std::filesystem::path settings(window.SettingsPath());
  const std::string patternPath = settings.has_parent_path()
                                      ? (settings.parent_path() / "PATTERN.ini").string()
                                      : platform::PatternFilePath();
  portDlg_ = new TPortDlg(patternPath, window.Prompts(), &prmDlg_->Layout(), &window);
  prmDlg_->SetPortDialog(portDlg_);
  prmDlg_->FillLinkList(portDlg_->Store());
  connect(portDlg_, &TPortDlg::LinksChanged, prmDlg_,
          [this] { prmDlg_->FillLinkList(portDlg_->Store()); });
  connect(portDlg_, &TPortDlg::LinkDeleted, prmDlg_, [this] { prmDlg_->SelectNewLink(); });
  // Changes from elsewhere (undo, redo, a conversion, a read back) reach the open editor and the
  // curves; the editor's own edits are already shown.
  chartChanges_ = window.CurrentChart().Changes().Subscribe([this](const ChartChange& change) {
    curves_->Update();
    robot_->ChartChanged(change.kind != ChartChangeKind::SelectionChanged);
    if (storing_ || !prmDlg_->isVisible()) return;
    const Chart& chart = window_.CurrentChart();
    if (!chart.ValidObject(editedObject_) ||
        chart.Objects[static_cast<size_t>(editedObject_)].Type != kPosition) {
      if (change.IndicesStale()) prmDlg_->hide();
      return;
    }
    prmDlg_->ReloadObject();
  });

  curves_ = new CurvesDock(window.CurrentChart(), &prmDlg_->Layout(), &window);
  window.addDockWidget(Qt::RightDockWidgetArea, curves_);
  IniFile stored;
  stored.LoadFile(window.SettingsPath());
  curves_->setVisible(stored.ReadBool(kCurvesSection, kCurvesKey, false));
  connect(curves_, &QDockWidget::visibilityChanged, curves_, [this](bool shown) {
    if (shown) curves_->Update();
  });
  // A point of the curves selects the object its step came from.
  connect(curves_, &CurvesDock::StepClicked, this, [this](int, int object) {
    Chart& chart = window_.CurrentChart();
    if (!chart.ValidObject(object)) return;
    chart.DeselectAll();
    chart.Objects[static_cast<size_t>(object)].Selected = 1;
    chart.Notify(ChartChangeKind::SelectionChanged);
  });

  // The robot follows the position editor while it is open, every slider move included.
  robot_ = new RobotDock(window.CurrentChart(), &window);
  window.addDockWidget(Qt::RightDockWidgetArea, robot_);
  robot_->setVisible(stored.ReadBool(kCurvesSection, kRobotKey, false));
  std::string modelPath = stored.ReadString(kCurvesSection, kRobotModelKey, "");
  std::string modelError;
  if (modelPath.empty() || !robot_->LoadModel(modelPath, &modelError)) {
    const std::string shipped = DefaultRobotFile();
    // The shipped robot is shown for want of the user's own; its warnings stay in the dock.
    if (!shipped.empty() && shipped != modelPath) robot_->LoadModel(shipped, &modelError);
    robot_->SetUsersRobot(false);
  }
  // The step being previewed is marked on the canvas and in the curves.
  connect(robot_, &RobotDock::PreviewStepChanged, this, [this](int step, int object) {
    curves_->SetPlayedStep(step);
    if (CanvasWidget* canvas = window_.Canvas()) canvas->SetPlayedObject(object);
  });
  prmDlg_->installEventFilter(this);
  connect(prmDlg_, &TPrmDlg::PoseChanged, robot_, [this] {
    if (prmDlg_->isVisible()) robot_->SetEditorPose(prmDlg_->Editor().BuildRecord().Values);
  });

  setDlg_ = new TSetDlg(&window);
  compDlg_ = new TCompDlg(&window);
  mixDlg_ = new TMixDlg(
      poseBoard_, [&window] { return window.SyncOn(); }, &prmDlg_->Layout(), &window);
  adDlg_ = new TAdDlg(
      analog_, sensorBoard_, &prmDlg_->Layout(), [&window] { window.Notifications().Clear(); },
      &window);
  propoDlg_ = new TPropoDlg(transmitter_, sensorBoard_, &window);

  if (CanvasWidget* canvas = window.Canvas()) {
    connect(canvas, &CanvasWidget::Edited, curves_, &CurvesDock::Update);
    canvas->SetObjectDialogHook(
        [this](int32_t index, uint8_t type) { OpenObject(static_cast<int>(index), type); });
    canvas->SetConvertDialogHook([this] { Convert(); });
  }
}

ObjectEditors::~ObjectEditors() {
  if (CanvasWidget* canvas = window_.Canvas()) {
    canvas->SetObjectDialogHook({});
    canvas->SetConvertDialogHook({});
  }
  delete setDlg_;
  delete compDlg_;
  delete mixDlg_;
  delete adDlg_;
  delete propoDlg_;
  delete prmDlg_;
  delete portDlg_;
}

void ObjectEditors::Hide() {
  if (!prmDlg_->ReclaimFocus()) prmDlg_->hide();
  setDlg_->hide();
  compDlg_->hide();
  mixDlg_->hide();
}

void ObjectEditors::SetSlotLists(SlotLists* lists) {
  setDlg_->SetSlotLists(lists);
  adDlg_->SetSlotLists(lists);
}

std::vector<std::string> ObjectEditors::SlotItems() const {
  return SlotItemTexts(table_);
}

// Every dialog writes through the chart's history, so each change is an undoable step the canvas
// and the curves hear of.
void ObjectEditors::OpenObject(int index, uint8_t type) {
  Chart& chart = window_.CurrentChart();
  editedObject_ = index;
  const auto target = [this, index] {
    return std::make_unique<HistoryPoseTarget>(window_.History(), index, &storing_);
  };
  // Each editor opens beside the main window the first time, then where the user left it. It is
  // placed once open, when its size for this chart is known.
  QWidget* dialog = nullptr;
  switch (type) {
    case kPosition:
      prmDlg_->Open(chart, index, target());
      dialog = prmDlg_;
      break;
    case kSet:
      setDlg_->Open(chart, index, analog_.Triggers(), SlotItems(), target());
      dialog = setDlg_;
      break;
    case kCompare:
      compDlg_->Open(chart, index, target());
      dialog = compDlg_;
      break;
    case kMix:
      mixDlg_->Open(chart, index, target());
      dialog = mixDlg_;
      break;
    default:
      break;
  }
  if (dialog && !dialog->property("placed").toBool()) {
    PlaceBesideWindow(*dialog, window_);
    dialog->setProperty("placed", true);
  }
}

void ObjectEditors::RunAnalogDialog() {
  adDlg_->Run(SlotItems());
}

void ObjectEditors::RunTransmitterDialog() {
  propoDlg_->Run([this](const std::string& message) { window_.Prompts().ShowStatus(message); });
}

void ObjectEditors::SaveLayout() {
  prmDlg_->SaveLayout();
  WriteSettingsKeys(window_.SettingsPath(), kCurvesSection,
                    {{kCurvesKey, curves_->isVisibleTo(&window_) ? "1" : "0"},
                     {kRobotKey, robot_->isVisibleTo(&window_) ? "1" : "0"}});
}

bool ObjectEditors::eventFilter(QObject* watched, QEvent* event) {
  if (watched == prmDlg_) {
    if (event->type() == QEvent::Show)
      robot_->SetEditorPose(prmDlg_->Editor().BuildRecord().Values);
    else if (event->type() == QEvent::Hide)
      robot_->SetEditorPose(std::nullopt);
  }
  return QObject::eventFilter(watched, event);
}

void ObjectEditors::ChooseRobotModel() {
  const QString folder =
      robot_->ModelPath().empty()
          ? QString::fromStdString(ShippedRobotsFolder())
          : QFileInfo(QString::fromStdString(robot_->ModelPath())).absolutePath();
  const std::optional<FileAnswer> file = window_.Prompts().ChooseFile(
      {false, tr("Robot Model").toStdString(), folder.toStdString(),
       tr("Robot descriptions (*.urdf);;All files (*)").toStdString()});
  if (file) UseRobotModel(file->path);
}

bool ObjectEditors::UseRobotModel(const std::string& path) {
  std::string error;
  if (!robot_->LoadModel(path, &error)) {
    window_.Prompts().MsgBox(MsgKind::Error, MsgButtons::Ok,
                             tr("The robot model was not changed.\n%1")
                                 .arg(QString::fromStdString(error))
                                 .toStdString());
    return false;
  }
  WriteSettingsKeys(window_.SettingsPath(), kCurvesSection, {{kRobotModelKey, path}});
  window_.Prompts().ShowStatus(
      tr("Robot model: %1").arg(QString::fromStdString(path)).toStdString());
  return true;
}

void ObjectEditors::Convert() {
  const std::optional<ChannelTexts> rows = portDlg_->RunConversion();
  if (!rows) return;
  window_.History().Apply(QT_TRANSLATE_NOOP("ChartHistory", "Convert"),
                          [&rows](Chart& chart) { return ApplyConversion(chart, *rows) > 0; },
                          {ChartChangeKind::ObjectsChanged, {}, ChangeOrigin::Edit});
}

}  // namespace brv3
