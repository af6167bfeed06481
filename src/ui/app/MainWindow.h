#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/chart/CanvasGrid.h"
#include "core/chart/CanvasTool.h"
#include "core/chart/Chart.h"
#include "core/chart/ChartDocument.h"
#include "core/chart/ChartEvents.h"
#include "core/chart/ChartHistory.h"
#include "core/comm/BoardLink.h"
#include "core/comm/ConnectionWatch.h"
#include "core/comm/Notifications.h"
#include "core/util/Prompter.h"
#include "platform/CommX.h"
#include "platform/CommXPortControl.h"
#include "platform/SerialDevices.h"
#include "ui/app/BoardButtons.h"
#include "ui/app/EnvironmentRole.h"
#include "ui/app/FormDlg.h"
#include "ui/app/QtEventPump.h"
#include "ui/app/WindowMessageBridge.h"
#include "ui/app/WindowPrompter.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QLineEdit;
class QScrollArea;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QLabel;
class QMimeData;

namespace brv3 {

class CanvasWidget;
class CommPortCombo;
class MainMenus;
class TInfoDlg;
class TItemProperty;
class ObjectEditors;

// The main window: toolbars, the EDIT and LIST sheets, the status line and status bar. It owns the
// chart with its undo history, the serial component and the board link for the whole run. The
// core talks to the user through Prompts(); the environment dialog works on Environment(). The
// tab caption and the undo buttons follow the chart's and the history's change events.
class TBrivane3 : public QMainWindow, public WindowMessageReceiver {
  Q_OBJECT
 public:
  static constexpr const char* kApplicationTitle = "Brivane 3";
  static constexpr const char* kStartCaption = "Brivane Part3";

  // `settingsPath` is BRV3.ini; empty means the usual location.
  explicit TBrivane3(const std::string& settingsPath = std::string(), QWidget* parent = nullptr);
  ~TBrivane3() override;
  // The signal-quit path: lets the port go and writes BRV3.ini without asking anything.
  void KeepStateOnSignalQuit();

  // Message boxes, selection dialogs, the status line and panels, the caption.
  Prompter& Prompts() { return prompter_; }
  // Canvas size, grid spacing and toolbar visibility as the environment dialog sets them.
  EnvironmentRole& Environment() { return environment_; }

  // Messages 0x8000 and 0x8001 from other programs.
  void WindowMessage(uint32_t message, int64_t w, int64_t l) override;
  WindowMessageBridge& MessageBridge() { return *messageBridge_; }

  Chart& CurrentChart() { return chart_; }
  // Every undoable edit of the chart goes through here.
  ChartHistory& History() { return history_; }
  ChartDocument& Document() { return document_; }
  // Undo and Redo as the toolbar buttons and their keys run them.
  void Undo();
  void Redo();
  BoardLink& Link() { return link_; }
  platform::TCommX& CommX1() { return commX1_; }
  NotificationBuffer& Notifications() { return notifications_; }
  // The compiler's listing on the LIST sheet and its hidden working list.
  QTreeWidget* Qvb() const { return qvb_; }
  QTreeWidget* List() const { return list_; }
  // After File > New: the edit tab and the listing as at start.
  void ShowNewChart();
  // The object property dialog, made once for the canvas's pop-up menu.
  TItemProperty& ItemProperty() const { return *itemProperty_; }
  // "SYNC": the position editor sends every change to the board live.
  bool SyncOn() const;

  // The board sequences behind the buttons; not owned. Null restores the built-in basic set.
  void SetBoardButtons(BoardButtons* actions);
  // Replaces the placeholder canvas inside the EDIT sheet's scroll box; the window takes it.
  void SetCanvasWidget(QWidget* canvas);
  QWidget* CanvasWidget() const;
  // The drawing canvas the window made for its chart (null once replaced).
  brv3::CanvasWidget* Canvas() const;
  QSize CanvasSize() const { return environment_.CanvasSize(); }
  // The canvas's snapping grid (the GRID switch and the environment's spacing).
  const CanvasGrid& Grid() const { return grid_; }
  int GridX() const { return grid_.Width(); }
  int GridY() const { return grid_.Height(); }
  bool GridOn() const { return grid_.On(); }
  // The tool whose button is down; pressing one sets the canvas editor's tool.
  CanvasTool Tool() const;
  void SetTool(CanvasTool tool);

  // Replaces what choosing a port entry does (the default opens it through SelectPort).
  void SetSelectPortHook(std::function<bool(int index)> hook) { selectPortHook_ = std::move(hook); }
  // Chooses entry `index` of the port list and selects that port, as closing the list does.
  void ChoosePort(int index);
  int CommPortIndex() const;
  // Where the port list finds USB serial adapters (the system's udev by default; tests put a
  // fake here). The list is filled again from it.
  void SetSerialDevices(std::unique_ptr<platform::SerialDeviceSource> devices);

  // Reads a chart file as the open button, a drop or the command line does, then redraws.
  bool OpenChart(const QString& path, bool clearFirst = false);
  // Files dropped from the desktop: the first one is opened. False when there is no local file.
  bool OpenDroppedFiles(const QMimeData& data);

  // The menu bar and the document state behind it.
  MainMenus& Menus() const { return *menus_; }
  // The position editor and the per-channel entry dialog.
  ObjectEditors& Editors() const { return *objectEditors_; }

  // The settings file this window reads and writes.
  const std::string& SettingsPath() const { return settingsPath_; }

  // The window caption before the document name (board commands change it while they run).
  void SetCaption(const std::string& caption);
  // The document shown in the window title before the caption: a file name (empty: none) and
  // whether it has unsaved changes ("*" before the name).
  void SetDocumentTitle(const QString& name, bool modified);
  // Asked after a confirmed close, before anything is closed; false keeps the window open.
  void SetCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }
  // The toolbar's Save: the save dialog, then the file.
  void SaveBtnClick();

 signals:
  // A chart file was read: into an empty chart, or merged into the chart already open.
  void ChartFileOpened(const QString& path, bool merged);
  // The chart was written to `path`.
  void ChartFileSaved(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildToolbars();
  void BuildSheets();
  void BuildStatusBar();
  QAction* AddButton(QToolBar* bar, const char* name, const QString& hint, const QIcon& icon);
  void ReadSettings();
  void WriteSettings();
  void CommPortCloseUp();
  void ConnectCanvas();
  void ChartChanged(const ChartChange& change);
  void HistoryChanged(const HistoryState& state);
  void MotReadBtnClick();

  void OpenBtnClick();
  QString DialogFolder() const;
  void UpdateTitle();
  void FormBtnClick();
  void InfoBtnClick();
  std::array<std::string, 4> ReadBoardVersion();

  std::string settingsPath_;
  std::string settingsProblem_;  // why BRV3.ini could not be read; empty when it could
  ChartDocument document_;
  Chart& chart_{document_.ForViews()};
  ChartHistory& history_{document_.History()};
  CanvasGrid grid_;
  WindowPrompter prompter_{*this};
  EnvironmentRole environment_{history_, grid_};
  platform::TCommX commX1_;
  platform::CommXPortControl portControl_{commX1_};
  QtEventPump eventPump_;
  BoardLink link_;
  NotificationBuffer notifications_;
  ConnectionWatch watch_{&prompter_, &portControl_, &notifications_};
  BasicBoardButtons basicButtons_{link_, prompter_, notifications_};
  BoardButtons* actions_ = &basicButtons_;
  std::function<bool(int)> selectPortHook_;
  std::unique_ptr<platform::SerialDeviceSource> serialDevices_;
  std::unique_ptr<WindowMessageBridge> messageBridge_;

  QToolBar* toolBar1_ = nullptr;
  QToolBar* toolsMenu_ = nullptr;
  QToolBar* commMenu_ = nullptr;
  QToolBar* partsMenu_ = nullptr;
  QToolBar* commandMenu_ = nullptr;
  QToolBar* toolBar2_ = nullptr;
  QActionGroup* toolGroup_ = nullptr;
  QAction* undoBtn_ = nullptr;
  QAction* redoBtn_ = nullptr;
  QCheckBox* sync_ = nullptr;
  QCheckBox* gridSw_ = nullptr;
  CommPortCombo* commPort_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QTabWidget* pageControl1_ = nullptr;
  QWidget* sheet1_ = nullptr;
  QScrollArea* scrollBox1_ = nullptr;
  QTreeWidget* qvb_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QStatusBar* staBar_ = nullptr;
  QLabel* panels_[3] = {nullptr, nullptr, nullptr};
  TFormDlg* formDlg_ = nullptr;
  TInfoDlg* infoDlg_ = nullptr;
  TItemProperty* itemProperty_ = nullptr;
  MainMenus* menus_ = nullptr;
  QPointer<brv3::CanvasWidget> canvas_;
  std::unique_ptr<ObjectEditors> objectEditors_;
  QString openFolder_;
  QString caption_;
  QString documentName_;
  bool documentModified_ = false;
  std::function<bool()> closeGuard_;
  std::string captionName_;  // the chart name the tab caption shows
  Subscription chartChanges_;
  Subscription historyChanges_;
};

}  // namespace brv3
