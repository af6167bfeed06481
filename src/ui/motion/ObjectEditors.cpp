#include "ui/motion/ObjectEditors.h"

#include <filesystem>

#include "core/motion/Conversion.h"
#include "core/motion/HistoryPoseTarget.h"
#include "core/util/IniFile.h"
#include "platform/ConfigLocation.h"
#include "ui/app/MainWindow.h"
#include "ui/app/ShellSettings.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/CurvesDock.h"
#include "ui/motion/PortDlg.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {
namespace {

constexpr const char* kCurvesSection = "BRV3";
constexpr const char* kCurvesKey = "Curves";

}  // namespace

ObjectEditors::ObjectEditors(TBrivane3& window) : window_(window) {
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
  connect(portDlg_, &TPortDlg::LinkDeleted, prmDlg_, [this] { prmDlg_->Editor().ClearLink(); });
  // Changes from elsewhere (undo, redo, a conversion, a read back) reach the open editor and the
  // curves; the editor's own edits are already shown.
  chartChanges_ = window.CurrentChart().Changes().Subscribe([this](const ChartChange& change) {
    curves_->Update();
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

  if (CanvasWidget* canvas = window.Canvas()) {
    connect(canvas, &CanvasWidget::Edited, curves_, &CurvesDock::Update);
    canvas->SetObjectDialogHook([this](int32_t index, uint8_t type) {
      if (type == kPosition) {
        editedObject_ = index;
        prmDlg_->Open(window_.CurrentChart(), index,
                      std::make_unique<HistoryPoseTarget>(window_.History(), index, &storing_));
        return;
      }
      const char* dialog = type == kSet       ? "The Set dialog"
                           : type == kCompare ? "The Compare dialog"
                                              : "The mixing dialog";
      window_.Prompts().ShowStatus(std::string(dialog) + " is not available yet");
    });
    canvas->SetConvertDialogHook([this] { Convert(); });
  }
}

ObjectEditors::~ObjectEditors() {
  if (CanvasWidget* canvas = window_.Canvas()) {
    canvas->SetObjectDialogHook({});
    canvas->SetConvertDialogHook({});
  }
  delete prmDlg_;
  delete portDlg_;
}

void ObjectEditors::Hide() {
  prmDlg_->hide();
}

void ObjectEditors::SaveLayout() {
  prmDlg_->SaveLayout();
  WriteSettingsKeys(window_.SettingsPath(), kCurvesSection,
                    {{kCurvesKey, curves_->isVisible() ? "1" : "0"}});
}

void ObjectEditors::Convert() {
  const std::optional<ChannelTexts> rows = portDlg_->RunConversion();
  if (!rows) return;
  window_.History().Apply("Convert",
                          [&rows](Chart& chart) { return ApplyConversion(chart, *rows) > 0; },
                          {ChartChangeKind::ObjectsChanged, {}, ChangeOrigin::Edit});
}

}  // namespace brv3
