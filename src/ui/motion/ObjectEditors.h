#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "core/board/PoseBoardLink.h"
#include "core/board/SensorDialogs.h"
#include "core/chart/ChartEvents.h"
#include "ui/app/QtEventPump.h"

namespace brv3 {

class CurvesDock;
class RobotDock;
class MotionTable;
class SlotLists;
class TAdDlg;
class TBrivane3;
class TCompDlg;
class TMixDlg;
class TPortDlg;
class TPrmDlg;
class TPropoDlg;
class TSetDlg;

// The object editors of the main window: the position, Set, Compare and mixing dialogs opened by
// a double click on their objects, the per-channel entry dialog behind the canvas menu's Convert,
// the analog and transmitter dialogs (the Set dialog reads the analog dialog's triggers), and the
// curves dock beside the canvas.
class ObjectEditors : public QObject {
  Q_OBJECT
 public:
  explicit ObjectEditors(TBrivane3& window);
  ~ObjectEditors() override;

  TPrmDlg& PrmDlg() const { return *prmDlg_; }
  TPortDlg& PortDlg() const { return *portDlg_; }
  CurvesDock& Curves() const { return *curves_; }
  RobotDock& Robot() const { return *robot_; }
  // View > Robot Model...: a file dialog, then the model; a bad file keeps the model shown.
  void ChooseRobotModel();
  // Loads a robot description into the robot dock and keeps its path in BRV3.ini; false (after
  // telling the user) when the file is unusable.
  bool UseRobotModel(const std::string& path);
  TSetDlg& SetDlg() const { return *setDlg_; }
  TCompDlg& CompDlg() const { return *compDlg_; }
  TMixDlg& MixDlg() const { return *mixDlg_; }
  TAdDlg& AdDlg() const { return *adDlg_; }
  TPropoDlg& PropoDlg() const { return *propoDlg_; }
  // The board's motion table, whose rows fill the slot and motion lists; may stay null.
  void SetMotionTable(const MotionTable* table) { table_ = table; }
  // The offer to read the table in the Set and analog dialogs; may stay null.
  void SetSlotLists(SlotLists* lists);
  std::vector<std::string> SlotItems() const;
  // Opens an object's dialog by its type.
  void OpenObject(int index, uint8_t type);
  // AdBtn and OptionMenu3.
  void RunAnalogDialog();
  void RunTransmitterDialog();
  // The main window became active: the modeless editors hide.
  void Hide();
  // Writes the position editor's layout and whether the curves and the robot are shown into
  // BRV3.ini.
  void SaveLayout();
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Convert: asks for the rows and applies them to the selected objects.
  void Convert();

 private:
  TBrivane3& window_;
  QtEventPump pump_;
  TPortDlg* portDlg_ = nullptr;
  TPrmDlg* prmDlg_ = nullptr;
  CurvesDock* curves_ = nullptr;
  RobotDock* robot_ = nullptr;
  Subscription chartChanges_;
  int editedObject_ = -1;
  bool storing_ = false;  // the position editor is storing into the chart
  PoseBoardLink poseBoard_;
  SensorBoardLink sensorBoard_;
  AnalogInputs analog_;
  TransmitterInputs transmitter_;
  const MotionTable* table_ = nullptr;
  TSetDlg* setDlg_ = nullptr;
  TCompDlg* compDlg_ = nullptr;
  TMixDlg* mixDlg_ = nullptr;
  TAdDlg* adDlg_ = nullptr;
  TPropoDlg* propoDlg_ = nullptr;
};

}  // namespace brv3
