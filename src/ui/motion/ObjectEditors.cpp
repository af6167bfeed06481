#include "ui/motion/ObjectEditors.h"

#include <filesystem>

#include "core/comm/MotionTable.h"
#include "core/motion/Conversion.h"
#include "platform/ConfigLocation.h"
#include "ui/app/MainWindow.h"
#include "ui/board/InputDialogs.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/ObjectDialogs.h"
#include "ui/motion/PortDlg.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {

ObjectEditors::ObjectEditors(TBrivane3& window)
    : window_(window),
      poseBoard_(window.Link()),
      sensorBoard_(window.Link()),
      analog_(sensorBoard_),
      transmitter_(sensorBoard_) {
  prmDlg_ = new TPrmDlg(
      window.Link(), window, [&window] { return window.SyncOn(); }, &pump_, window.SettingsPath(),
      &window);
  // PATTERN.ini lives beside BRV3.ini.
  const std::filesystem::path settings(window.SettingsPath());
  const std::string patternPath = settings.has_parent_path()
                                      ? (settings.parent_path() / "PATTERN.ini").string()
                                      : platform::PatternFilePath();
  portDlg_ = new TPortDlg(patternPath, window, &prmDlg_->Layout(), &window);
  prmDlg_->SetPortDialog(portDlg_);
  prmDlg_->FillLinkList(portDlg_->Store());
  connect(portDlg_, &TPortDlg::LinksChanged, prmDlg_,
          [this] { prmDlg_->FillLinkList(portDlg_->Store()); });
  connect(portDlg_, &TPortDlg::LinkDeleted, prmDlg_, [this] { prmDlg_->Editor().ClearLink(); });
  connect(prmDlg_, &TPrmDlg::PoseChanged, &window, &TBrivane3::ChartChanged);

  setDlg_ = new TSetDlg(&window);
  compDlg_ = new TCompDlg(&window);
  mixDlg_ = new TMixDlg(
      poseBoard_, [&window] { return window.SyncOn(); }, &prmDlg_->Layout(), &window);
  connect(setDlg_, &TSetDlg::ObjectChanged, &window, &TBrivane3::ChartChanged);
  connect(compDlg_, &TCompDlg::ObjectChanged, &window, &TBrivane3::ChartChanged);
  connect(mixDlg_, &TMixDlg::ObjectChanged, &window, &TBrivane3::ChartChanged);
  adDlg_ = new TAdDlg(
      analog_, sensorBoard_, &prmDlg_->Layout(), [&window] { window.Notifications().Clear(); },
      &window);
  propoDlg_ = new TPropoDlg(transmitter_, sensorBoard_, &window);

  if (CanvasWidget* canvas = window.Canvas()) {
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
  prmDlg_->hide();
  setDlg_->hide();
  compDlg_->hide();
  mixDlg_->hide();
}

std::vector<std::string> ObjectEditors::SlotItems() const {
  return SlotItemTexts(table_);
}

void ObjectEditors::OpenObject(int index, uint8_t type) {
  Chart& chart = window_.CurrentChart();
  switch (type) {
    case kPosition:
      prmDlg_->Open(chart, index);
      break;
    case kSet:
      setDlg_->Open(chart, index, analog_.Triggers(), SlotItems());
      break;
    case kCompare:
      compDlg_->Open(chart, index);
      break;
    case kMix:
      mixDlg_->Open(chart, index);
      break;
    default:
      break;
  }
}

void ObjectEditors::RunAnalogDialog() {
  adDlg_->Run(SlotItems());
}

void ObjectEditors::RunTransmitterDialog() {
  propoDlg_->Run([this](const std::string& message) { window_.ShowStatus(message); });
}

void ObjectEditors::SaveLayout() {
  prmDlg_->SaveLayout();
}

void ObjectEditors::Convert() {
  const std::optional<ChannelTexts> rows = portDlg_->RunConversion();
  if (!rows) return;
  if (ApplyConversion(window_.CurrentChart(), *rows) > 0) emit window_.ChartChanged();
}

}  // namespace brv3
