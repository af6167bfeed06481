#pragma once

#include <QMetaObject>
#include <functional>
#include <memory>
#include <optional>

#include "core/board/BoardActions.h"
#include "core/board/WriteWarnings.h"
#include "ui/app/BoardButtons.h"

namespace brv3 {

class ConfigDialogs;
class TBrivane3;
class TDataDlg;
class TTableDlg;

// The main window's board buttons over the core's board actions, working on the window's chart:
// each asks the number-selection dialog for the slot first and hands it to the core; the listing
// goes to the LIST sheet and the hidden list, a read redraws the canvas, the table window follows
// every entry written, remote-control codes reach the data dialog. MOT boxes of a scenario read
// are sized with the canvas font.
class MainBoardButtons : public BasicBoardButtons, private TableEntryObserver {
 public:
  // `prompter` is the window itself in the editor; tests pass a scripted one.
  MainBoardButtons(TBrivane3& window, Prompter& prompter);
  ~MainBoardButtons() override;

  BoardActions& Actions() { return actions_; }
  // The motion table window and data dialog; not owned, either may be null.
  void SetTableDialog(TTableDlg* table) { tableDlg_ = table; }
  void SetDataDialog(TDataDlg* data) { dataDlg_ = data; }

  // Trim, options and the serial-servo list.
  void HomeBtnClick() override;
  void OptionBtnClick() override;
  void SVLBtnClick() override;
  bool OffersDialog(std::string_view button) const override;
  ConfigDialogs& Config() { return *config_; }

  void TableBtnClick() override;
  void CompileBtnClick() override;
  void MotWriteBtnClick() override;
  void MotReadBtnClick() override;
  void MotDelBtnClick() override;
  void MotRunBtnClick() override;
  void RemoteReportArrived(const RemoteReport& report) override;
  void AdBtnClick() override;
  void OptionMenu3Click() override;
  void AnalogReportArrived(const AnalogReport& report) override;

  // Puts the listing and the hexadecimal rows of the last compile or read into the window.
  void ShowListing();
  // The warnings of the last compile or write, shown above the listing: the chart's own, then,
  // while the robot dock has a model, the robot's. Notes say what the robot check left out.
  const std::vector<ChartWarning>& Warnings() const { return warnings_; }
  const std::vector<std::string>& Notes() const { return notes_; }
  // A warning of the LIST sheet was clicked: its object is selected and the robot's preview
  // goes to the first moment it holds.
  void ShowWarning(size_t index);

 private:
  void ShowTableEntry(const Bytes& entry, int index, bool add) override;
  // What the program knows of the board: the serial-servo mask the position editor last applied,
  // the entries the last table refresh found empty.
  BoardKnowledge Knowledge() const;
  // The chart's identity for "Do not ask again for this chart": its file, or its name unsaved.
  std::string ChartKey() const;
  // Fills warnings_ and notes_ for `chart`.
  void CheckBeforeWrite(const Chart& chart);

  TBrivane3& window_;
  BoardActions actions_;
  // The entry the open chart was last written to or read from: playing it also starts the
  // robot's preview, so both run together.
  std::optional<Slot> chartSlot_;
  Subscription chartReplaced_;  // another file or a new chart: no entry holds it
  WriteWarningGate writeGate_;
  std::vector<ChartWarning> warnings_;
  std::vector<std::string> notes_;
  QMetaObject::Connection warningClicks_;
  TTableDlg* tableDlg_ = nullptr;
  TDataDlg* dataDlg_ = nullptr;
  std::unique_ptr<ConfigDialogs> config_;
};

}  // namespace brv3
