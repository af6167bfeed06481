#include "ui/motion/ObjectEditors.h"

#include <filesystem>

#include "core/motion/Conversion.h"
#include "platform/ConfigLocation.h"
#include "ui/app/MainWindow.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/PortDlg.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {

ObjectEditors::ObjectEditors(TBrivane3& window) : window_(window) {
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

  if (CanvasWidget* canvas = window.Canvas()) {
    canvas->SetObjectDialogHook([this](int32_t index, uint8_t type) {
      if (type == kPosition) {
        prmDlg_->Open(window_.CurrentChart(), index);
        return;
      }
      const char* dialog = type == kSet       ? "The Set dialog"
                           : type == kCompare ? "The Compare dialog"
                                              : "The mixing dialog";
      window_.ShowStatus(std::string(dialog) + " is not available yet");
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
}

void ObjectEditors::Convert() {
  const std::optional<ChannelTexts> rows = portDlg_->RunConversion();
  if (!rows) return;
  if (ApplyConversion(window_.CurrentChart(), *rows) > 0) emit window_.ChartChanged();
}

}  // namespace brv3
