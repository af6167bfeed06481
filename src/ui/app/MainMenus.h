#pragma once

#include <QObject>
#include <QStringList>
#include <cstdint>

#include "core/chart/ChartEvents.h"
#include "core/util/LanguageChoice.h"

class QAction;
class QMenu;
class QWidget;

namespace brv3 {

class BoardButtons;
class Chart;
class TBrivane3;

// The main window's menu bar and the document around the chart: the file it came from, whether
// it changed since, the recent files kept in BRV3.ini, and the questions before a change would be
// lost. The menus reuse the window's toolbar actions, so both always agree.
class MainMenus : public QObject {
  Q_OBJECT
 public:
  static constexpr int kRecentLimit = 8;
  static constexpr const char* kRecentSection = "RecentFiles";

  explicit MainMenus(TBrivane3& window);

  // File menu commands. False when the user cancelled or the file could not be used.
  bool NewChart();
  bool OpenFile(const QString& path);
  bool Save();
  bool SaveAs();

  // The open document's file and whether it has unsaved changes.
  QString FilePath() const;
  bool Modified() const;
  const QStringList& RecentFiles() const { return recent_; }

  // Undo and Redo of the window's edit history, enabled as it allows.
  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }

 private:
  void BuildFileMenu();
  void BuildEditMenu();
  void BuildViewMenu();
  void BuildLanguageMenu(QMenu& view);
  void ChooseLanguage(LanguageChoice choice);
  void BuildBoardMenu();
  void BuildHelpMenu();
  void FillRecentMenu();
  void ReadRecent();
  void WriteRecent() const;
  void RememberFile(const QString& path);
  void FileOpened(const QString& path, bool merged);
  void FileSaved(const QString& path);
  // Asks whether to save unsaved changes first; false when the user cancelled.
  bool MayDiscard();
  void SetZoom(double zoom);
  void UpdateTitle();
  QAction* Existing(const char* name) const;

  TBrivane3& window_;
  Subscription historyChanges_;
  QStringList recent_;
  QMenu* recentMenu_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
};

// Disables the Tools buttons whose dialogs `actions` does not offer; their buttons say so.
void MarkMissingDialogs(QWidget& window, const BoardButtons& actions);

}  // namespace brv3
