#pragma once

#include <memory>

namespace brv3 {

class TBrivane3;
class THomeDlg;
class TOptDlg;
class TSVLDlg;

// The board configuration dialogs behind the Tools buttons HomeBtn, OptionBtn and SVLBtn, made
// once for the main window and dressed from its position editor.
class ConfigDialogs {
 public:
  explicit ConfigDialogs(TBrivane3& window);
  ~ConfigDialogs();

  void HomeBtnClick();
  void OptionBtnClick();
  void SVLBtnClick();

  THomeDlg& HomeDlg() const { return *home_; }
  TOptDlg& OptDlg() const { return *opt_; }
  TSVLDlg& SVLDlg() const { return *svl_; }

 private:
  std::unique_ptr<THomeDlg> home_;
  std::unique_ptr<TOptDlg> opt_;
  std::unique_ptr<TSVLDlg> svl_;
};

}  // namespace brv3
