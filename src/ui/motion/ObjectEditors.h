#pragma once

#include <QObject>

#include "core/chart/ChartEvents.h"
#include "ui/app/QtEventPump.h"

namespace brv3 {

class CurvesDock;
class TBrivane3;
class TPortDlg;
class TPrmDlg;

// The object editors of the main window: the position editor opened by a double click on a
// Position object, the per-channel entry dialog behind the canvas menu's Convert, and the curves
// dock beside the canvas.
class ObjectEditors : public QObject {
  Q_OBJECT
 public:
  explicit ObjectEditors(TBrivane3& window);
  ~ObjectEditors() override;

  TPrmDlg& PrmDlg() const { return *prmDlg_; }
  TPortDlg& PortDlg() const { return *portDlg_; }
  CurvesDock& Curves() const { return *curves_; }
  // The main window became active: the modeless editors hide.
  void Hide();
  // Writes the position editor's layout and whether the curves are shown into BRV3.ini.
  void SaveLayout();
  // Convert: asks for the rows and applies them to the selected objects.
  void Convert();

 private:
  TBrivane3& window_;
  QtEventPump pump_;
  TPortDlg* portDlg_ = nullptr;
  TPrmDlg* prmDlg_ = nullptr;
  CurvesDock* curves_ = nullptr;
  Subscription chartChanges_;
  int editedObject_ = -1;
  bool storing_ = false;  // the position editor is storing into the chart
};

}  // namespace brv3
