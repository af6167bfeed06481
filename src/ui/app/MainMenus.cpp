#include "ui/app/MainMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>
#include <QToolButton>
#include <cstring>

#include "core/chart/Chart.h"
#include "core/chart/ChartFiles.h"
#include "core/util/IniFile.h"
#include "core/util/LanguageChoice.h"
#include "i18n/Catalogues.h"
#include "ui/app/BoardButtons.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MessageDialogs.h"
#include "ui/app/ShellSettings.h"
#include "ui/app/ShownTexts.h"
#include "ui/app/ToolWindows.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/ObjectEditors.h"

namespace brv3 {

namespace {

constexpr double kZoomStep = 1.25;

}  // namespace

MainMenus::MainMenus(TBrivane3& window) : QObject(&window), window_(window) {
  setObjectName("MainMenus");
  ReadRecent();
  BuildFileMenu();
  BuildEditMenu();
  BuildViewMenu();
  BuildBoardMenu();
  BuildHelpMenu();
  UpdateTitle();

  connect(&window_, &TBrivane3::ChartFileOpened, this, &MainMenus::FileOpened);
  connect(&window_, &TBrivane3::ChartFileSaved, this, &MainMenus::FileSaved);
  window_.SetCloseGuard([this] { return MayDiscard(); });
}

QAction* MainMenus::Existing(const char* name) const {
  return window_.findChild<QAction*>(name);
}

void MainMenus::BuildFileMenu() {
  QMenu* menu = window_.menuBar()->addMenu(tr("&File"));
  menu->setObjectName("FileMenu");
  auto add = [&](const char* name, const QString& text, QKeySequence::StandardKey key,
                 auto handler) {
    QAction* action = menu->addAction(text, this, handler);
    action->setObjectName(name);
    action->setShortcut(key);
    return action;
  };
  add("FileNewAction", tr("&New"), QKeySequence::New, [this] { NewChart(); });
  add("FileOpenAction", tr("&Open..."), QKeySequence::Open, [this] {
    if (!MayDiscard()) return;
    const std::optional<FileAnswer> file = window_.Prompts().ChooseFile(
        {false, tr("Open").toStdString(), QFileInfo(FilePath()).absolutePath().toStdString(),
         ChartFileFilters()});
    if (file) OpenFile(QString::fromStdString(file->path));
  });
  recentMenu_ = menu->addMenu(tr("Open &Recent"));
  recentMenu_->setObjectName("RecentMenu");
  FillRecentMenu();
  menu->addSeparator();
  add("FileSaveAction", tr("&Save"), QKeySequence::Save, [this] { Save(); });
  QAction* saveAs =
      add("FileSaveAsAction", tr("Save &As..."), QKeySequence::SaveAs, [this] { SaveAs(); });
  menu->addSeparator();
  QAction* quit =
      add("FileQuitAction", tr("&Quit"), QKeySequence::Quit, [this] { window_.close(); });
  // Desktops without a key for Save As or Quit still get the usual ones.
  if (saveAs->shortcut().isEmpty())
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  if (quit->shortcut().isEmpty()) quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void MainMenus::BuildEditMenu() {
  QMenu* menu = window_.menuBar()->addMenu(tr("&Edit"));
  menu->setObjectName("EditMenu");
  // The menu's Undo and Redo carry the keys; the toolbar buttons do the same without them, so no
  // key is claimed twice.
  undo_ = menu->addAction(tr("&Undo"), this, [this] { window_.Undo(); });
  undo_->setObjectName("UndoAction");
  undo_->setShortcuts(QKeySequence::Undo);
  redo_ = menu->addAction(tr("&Redo"), this, [this] { window_.Redo(); });
  redo_->setObjectName("RedoAction");
  QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
  for (const QKeySequence& key :
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
    if (!redoKeys.contains(key)) redoKeys << key;
  redo_->setShortcuts(redoKeys);
  const auto follow = [this](const HistoryState& state) {
    undo_->setEnabled(state.CanUndo);
    redo_->setEnabled(state.CanRedo);
    UpdateTitle();
  };
  historyChanges_ = window_.History().SubscribeState(follow);
  follow(window_.History().State());
  menu->addSeparator();
  // Each command runs on the canvas editor as its pop-up menu would, then redraws.
  auto add = [&](const char* name, const QString& text, const QKeySequence& key, auto command) {
    QAction* action = menu->addAction(text, this, [this, command] {
      // Only on the chart in view: never on a canvas hidden behind the listing.
      CanvasWidget* canvas = window_.Canvas();
      if (!canvas || !canvas->isVisible()) return;
      CanvasEditor& editor = canvas->Editor();
      // A command is the user's next action after opening a file, as a mouse event would be.
      if (editor.Tool() == CanvasTool::Inert)
        editor.MouseMove(editor.LastPoint().x, editor.LastPoint().y, 0, 0);
      command(editor);
      canvas->Redraw();
    });
    action->setObjectName(name);
    action->setShortcut(key);
    // The canvas takes its own keys first; elsewhere in the window the shortcut runs.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
  };
  add("EditCutAction", tr("Cu&t"), QKeySequence::Cut, [](CanvasEditor& e) {
    e.Copy();
    e.DeleteSelection();
  });
  add("EditCopyAction", tr("&Copy"), QKeySequence::Copy, [](CanvasEditor& e) { e.Copy(); });
  add("EditPasteAction", tr("&Paste"), QKeySequence::Paste, [](CanvasEditor& e) { e.Paste(); });
  add("EditDeleteAction", tr("&Delete"), QKeySequence::Delete,
      [](CanvasEditor& e) { e.DeleteSelection(); });
  menu->addSeparator();
  add("EditSelectAllAction", tr("Select &All"), QKeySequence::SelectAll,
      [](CanvasEditor& e) { e.SelectAll(); });
  add("EditInsertAction", tr("&Insert..."), QKeySequence(Qt::Key_Insert),
      [](CanvasEditor& e) { e.Insert(); });
}

void MainMenus::BuildViewMenu() {
  QMenu* menu = window_.menuBar()->addMenu(tr("&View"));
  menu->setObjectName("ViewMenu");
  auto* gridSw = window_.findChild<QCheckBox*>("GridSw");
  QAction* grid = menu->addAction(tr("&Grid"));
  grid->setObjectName("ViewGridAction");
  grid->setCheckable(true);
  if (gridSw) {
    grid->setChecked(gridSw->isChecked());
    connect(grid, &QAction::toggled, gridSw, &QCheckBox::setChecked);
    connect(gridSw, &QCheckBox::toggled, grid, &QAction::setChecked);
  }
  QMenu* bars = menu->addMenu(tr("&Toolbars"));
  bars->setObjectName("ToolbarsMenu");
  const std::pair<const char*, QString> toolbars[] = {{"ToolsMenu", tr("&Tools")},
                                                      {"CommMenu", tr("&Communication")},
                                                      {"PartsMenu", tr("&Parts")},
                                                      {"CommandMenu", tr("Co&mmands")}};
  for (const auto& [name, text] : toolbars) {
    if (auto* bar = window_.findChild<QToolBar*>(name)) {
      QAction* toggle = bar->toggleViewAction();
      toggle->setText(text);
      bars->addAction(toggle);
    }
  }
  if (auto* curves = window_.findChild<QDockWidget*>("CurvesDock")) {
    QAction* toggle = curves->toggleViewAction();
    toggle->setText(tr("&Curves"));
    toggle->setObjectName("ViewCurvesAction");
    menu->addAction(toggle);
  }
  if (auto* robot = window_.findChild<QDockWidget*>("RobotDock")) {
    QAction* toggle = robot->toggleViewAction();
    toggle->setText(tr("&Robot"));
    toggle->setObjectName("ViewRobotAction");
    menu->addAction(toggle);
    QAction* model = menu->addAction(tr("Robot &Model..."), this,
                                     [this] { window_.Editors().ChooseRobotModel(); });
    model->setObjectName("ViewRobotModelAction");
  }
  menu->addSeparator();
  auto zoom = [&](const char* name, const QString& text, const QKeySequence& key, auto next) {
    QAction* action = menu->addAction(text, this, [this, next] {
      if (CanvasWidget* canvas = window_.Canvas()) SetZoom(next(canvas->Zoom()));
    });
    action->setObjectName(name);
    action->setShortcut(key);
  };
  zoom("ZoomInAction", tr("Zoom &In"), QKeySequence::ZoomIn,
       [](double z) { return z * kZoomStep; });
  zoom("ZoomOutAction", tr("Zoom &Out"), QKeySequence::ZoomOut,
       [](double z) { return z / kZoomStep; });
  zoom("ZoomResetAction", tr("&Actual Size"), QKeySequence(Qt::CTRL | Qt::Key_0),
       [](double) { return 1.0; });
  menu->addSeparator();
  BuildLanguageMenu(*menu);
}

void MainMenus::BuildLanguageMenu(QMenu& view) {
  QMenu* menu = view.addMenu(tr("&Language"));
  menu->setObjectName("LanguageMenu");
  auto* group = new QActionGroup(menu);
  const LanguageChoice current = ReadLanguageChoice(window_.SettingsPath());
  const std::pair<LanguageChoice, QString> choices[] = {
      {LanguageChoice::System, tr("Follow the &System")},
      {LanguageChoice::Japanese, QStringLiteral("&日本語 (Japanese)")},
      {LanguageChoice::English, QStringLiteral("&English")}};
  const char* names[] = {"LanguageSystemAction", "LanguageJapaneseAction", "LanguageEnglishAction"};
  int i = 0;
  for (const auto& [choice, text] : choices) {
    QAction* action = menu->addAction(text);
    action->setObjectName(names[i++]);
    action->setCheckable(true);
    action->setChecked(choice == current);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, choice = choice] { ChooseLanguage(choice); });
  }
}

void MainMenus::ChooseLanguage(LanguageChoice choice) {
  if (!WriteSettingsKeys(window_.SettingsPath(), "BRV3",
                         {{"Language", LanguageChoiceValue(choice)}})) {
    window_.Prompts().ShowStatus(tr("The language could not be kept in BRV3.ini").toStdString());
    return;
  }
  // Windows already open keep their texts; every window made from now on, and the next start,
  // use the new language.
  const UiLanguage language = ResolveLanguage(
      choice, [](const char* name) { return qEnvironmentVariable(name).toStdString(); });
  const bool changed = language != CurrentUiLanguage();
  InstallCatalogue(language);
  if (changed)
    window_.Prompts().MsgBox(
        MsgKind::Information, MsgButtons::Ok,
        tr("The language changes completely when Brivane 3 starts the next time.").toStdString());
}

void MainMenus::BuildBoardMenu() {
  QMenu* menu = window_.menuBar()->addMenu(tr("&Board"));
  menu->setObjectName("BoardMenu");
  auto reuse = [&](std::initializer_list<const char*> names) {
    for (const char* name : names)
      if (QAction* action = Existing(name)) menu->addAction(action);
  };
  reuse({"MotWriteBtn", "MotReadBtn", "MotDelBtn"});
  menu->addSeparator();
  reuse({"MotRunBtn", "SpeedButton1", "MotStpBtn", "HomePosBtn", "SpeedButton2"});
  menu->addSeparator();
  reuse({"CompileBtn", "TableBtn"});
  menu->addSeparator();
  for (const ToolWindow& tool : kToolWindows) reuse({tool.name});
  menu->addSeparator();

  // The port list and SYNC, as on the COMM toolbar.
  QMenu* ports = menu->addMenu(tr("&Port"));
  ports->setObjectName("PortMenu");
  auto* combo = window_.findChild<QComboBox*>("CommPort");
  if (combo) {
    // Adapters come and go: the entries are made afresh from the list each time the menu opens.
    auto fill = [this, ports, combo] {
      for (QActionGroup* old : ports->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly))
        delete old;
      ports->clear();
      auto* group = new QActionGroup(ports);
      for (int i = 0; i < combo->count(); ++i) {
        QAction* entry = ports->addAction(combo->itemText(i));
        entry->setCheckable(true);
        entry->setChecked(i == combo->currentIndex());
        entry->setToolTip(combo->itemData(i, Qt::ToolTipRole).toString());
        group->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, i] { window_.ChoosePort(i); });
      }
    };
    fill();
    connect(ports, &QMenu::aboutToShow, this, fill);
  }
  if (auto* sync = window_.findChild<QCheckBox*>("Sync")) {
    QAction* action = menu->addAction(tr("&Sync"));
    action->setObjectName("BoardSyncAction");
    action->setCheckable(true);
    action->setChecked(sync->isChecked());
    connect(action, &QAction::toggled, sync, &QCheckBox::setChecked);
    connect(sync, &QCheckBox::toggled, action, &QAction::setChecked);
  }
  menu->addSeparator();
  reuse({"FormBtn"});
}

void MainMenus::BuildHelpMenu() {
  QMenu* menu = window_.menuBar()->addMenu(tr("&Help"));
  menu->setObjectName("HelpMenu");
  QAction* about = menu->addAction(tr("&About Brivane 3"), this, [this] {
    if (QAction* info = Existing("InfoBtn")) info->trigger();
  });
  about->setObjectName("HelpAboutAction");
}

void MainMenus::SetZoom(double zoom) {
  if (CanvasWidget* canvas = window_.Canvas()) canvas->SetZoom(zoom);
}

bool MainMenus::NewChart() {
  if (!MayDiscard()) return false;
  window_.Document().New();
  window_.ShowNewChart();
  UpdateTitle();
  return true;
}

bool MainMenus::OpenFile(const QString& path) {
  if (!window_.OpenChart(path, true)) return false;
  if (CanvasWidget* canvas = window_.Canvas()) canvas->SetInert();
  return true;
}

bool MainMenus::Save() {
  // Only a chart file is written in place; anything else (a CSV motion, say) is saved as.
  const QString path = FilePath();
  if (path.isEmpty() || !path.endsWith(".qvb", Qt::CaseInsensitive)) return SaveAs();
  if (!window_.Document().SaveAs(path.toStdString(), window_.Prompts())) return false;
  FileSaved(path);
  return true;
}

bool MainMenus::SaveAs() {
  bool saved = false;
  const auto once = connect(&window_, &TBrivane3::ChartFileSaved, this, [&saved] { saved = true; });
  window_.SaveBtnClick();
  disconnect(once);
  return saved;
}

void MainMenus::FileOpened(const QString& path, bool merged) {
  // A merge is an edit of the chart already open; the history says whether it is unsaved.
  RememberFile(merged ? path : FilePath());
  UpdateTitle();
}

void MainMenus::FileSaved(const QString& path) {
  RememberFile(QFileInfo(path).absoluteFilePath());
  UpdateTitle();
}

QString MainMenus::FilePath() const {
  return QString::fromStdString(window_.Document().Path());
}

bool MainMenus::Modified() const {
  return window_.Document().IsModified();
}

bool MainMenus::MayDiscard() {
  if (!Modified()) return true;
  const QString path = FilePath();
  const QString question =
      path.isEmpty() ? tr("Save the changes to the chart first?")
                     : tr("Save the changes to %1 first?").arg(QFileInfo(path).fileName());
  QMessageBox box(QMessageBox::Warning, tr("Unsaved changes"), question,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
  box.setObjectName("SaveChangesBox");
  SetButtonCaptions(box, kWindowLanguage);
  box.setDefaultButton(QMessageBox::Save);
  const int answer = box.exec();
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}

void MainMenus::UpdateTitle() {
  const QString path = FilePath();
  window_.SetDocumentTitle(path.isEmpty() ? QString() : QFileInfo(path).fileName(), Modified());
}

void MainMenus::ReadRecent() {
  recent_.clear();
  IniFile ini;
  if (!ini.LoadFile(window_.SettingsPath())) return;
  for (int i = 1; i <= kRecentLimit; ++i) {
    const std::string path = ini.ReadString(kRecentSection, "File" + std::to_string(i), "");
    if (!path.empty()) recent_ << QString::fromStdString(path);
  }
}

void MainMenus::WriteRecent() const {
  // Keys past the list are emptied; every other line of the file stays as it was.
  std::vector<std::pair<std::string, std::string>> keys;
  for (int i = 0; i < kRecentLimit; ++i)
    keys.emplace_back("File" + std::to_string(i + 1),
                      i < recent_.size() ? recent_[i].toStdString() : std::string());
  WriteSettingsKeys(window_.SettingsPath(), kRecentSection, keys);
}

void MainMenus::RememberFile(const QString& path) {
  const QString full = QFileInfo(path).absoluteFilePath();
  recent_.removeAll(full);
  recent_.prepend(full);
  while (recent_.size() > kRecentLimit) recent_.removeLast();
  WriteRecent();
  FillRecentMenu();
}

void MainMenus::FillRecentMenu() {
  if (!recentMenu_) return;
  recentMenu_->clear();
  for (int i = 0; i < recent_.size(); ++i) {
    const QString path = recent_[i];
    QAction* action = recentMenu_->addAction(
        QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this, [this, path] {
          if (MayDiscard()) OpenFile(path);
        });
    action->setToolTip(path);
    action->setStatusTip(path);
    // A file moved or deleted since stays listed but cannot be chosen.
    action->setEnabled(QFileInfo::exists(path));
  }
  recentMenu_->setEnabled(!recent_.isEmpty());
}

void MarkMissingDialogs(QWidget& window, const BoardButtons& actions) {
  for (const ToolWindow& tool : kToolWindows) {
    const char* name = tool.name;
    auto* action = window.findChild<QAction*>(name);
    if (!action) continue;
    const bool offered = actions.OffersDialog(name);
    action->setEnabled(offered);
    const QString tip =
        offered ? action->toolTip() : MainMenus::tr("%1: not available yet").arg(action->toolTip());
    action->setStatusTip(offered ? QString() : tip);
    // The button says why it is disabled; the action keeps its hint.
    for (auto* button : window.findChildren<QToolButton*>(name)) button->setToolTip(tip);
  }
}

}  // namespace brv3
