#include "ui/board/ConfigDialogs.h"

#include "ui/app/MainWindow.h"
#include "ui/board/HomeDlg.h"
#include "ui/board/OptDlg.h"
#include "ui/board/SVLDlg.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {

ConfigDialogs::ConfigDialogs(TBrivane3& window)
    : home_(std::make_unique<THomeDlg>(window.Link(), window.Prompts(), &window)),
      opt_(std::make_unique<TOptDlg>(window.Link(), &window)),
      svl_(std::make_unique<TSVLDlg>(window.Link(), window.Prompts(), &window)) {
  TPrmDlg& editor = window.Editors().PrmDlg();
  home_->SetEditor(&editor);
  opt_->SetEditor(&editor);
  svl_->SetLook(&editor.Layout());
}

ConfigDialogs::~ConfigDialogs() = default;

void ConfigDialogs::HomeBtnClick() {
  home_->Run();
}

void ConfigDialogs::OptionBtnClick() {
  opt_->Run();
}

void ConfigDialogs::SVLBtnClick() {
  svl_->Run();
}

}  // namespace brv3
