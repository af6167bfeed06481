#include "ui/app/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "core/board/BoardActions.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/SelectPort.h"
#include "core/comm/VersionText.h"
#include "platform/ConfigLocation.h"
#include "ui/app/CommPortCombo.h"
#include "ui/app/Glyphs.h"
#include "ui/app/InfoDlg.h"
#include "ui/app/ItemProperty.h"
#include "ui/app/MainMenus.h"
#include "ui/app/MessageDialogs.h"
#include "ui/app/QtDispatcher.h"
#include "ui/app/ShellSettings.h"
#include "ui/app/ShownTexts.h"
#include "ui/app/StatusPanels.h"
#include "ui/app/StatusText.h"
#include "ui/app/ToolWindows.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/ObjectEditors.h"

namespace brv3 {

namespace {

constexpr int kClientWidth = 650;

// The edit sheet's caption: "EDIT " and the chart's name.
QString EditTabCaption(const std::string& chartName) {
  return TBrivane3::tr("EDIT %1").arg(ChartNameText(chartName));
}
constexpr int kClientHeight = 580;
// Room beside a toolbar row for the window frame and the bars' spacing.
constexpr int kToolRowSlack = 12;
// How long a closing window lets the driver send what it holds (a live frame is under 1 ms).
constexpr int kLastFrameDrainMs = 100;

QCheckBox* NamedCheck(const char* name, const QString& caption, const QString& hint,
                      QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setToolTip(hint);
  return box;
}

QWidget* Spacer(QWidget* parent) {
  auto* spacer = new QWidget(parent);
  spacer->setFixedWidth(8);
  return spacer;
}

// The canvas area until the drawing canvas takes its place: a white sheet of the canvas size.
class CanvasPlaceholder : public QWidget {
 public:
  CanvasPlaceholder() { setObjectName("Image1"); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
  }
};

}  // namespace

TBrivane3::TBrivane3(const std::string& settingsPath, QWidget* parent)
    : QMainWindow(parent),
      settingsPath_(settingsPath.empty() ? platform::SettingsFilePath() : settingsPath),
      link_(&commX1_, &prompter_),
      messageBridge_(std::make_unique<WindowMessageBridge>(*this)) {
  setObjectName("Brivane3");
  QFont uiFont = font();
  uiFont.setPixelSize(12);
  setFont(uiFont);

  commX1_.SetBitRate(115200);
  commX1_.SetFlowCtrl(platform::cfcNone);
  commX1_.SetEventPump(&eventPump_);
  commX1_.SetDispatcher(std::make_shared<QtDispatcher>(this));
  commX1_.OnReceive = [this](platform::TCustomCommX&, int count) {
    actions_->CommX1Receive(count);
  };
  commX1_.OnHangUp = [this](platform::TCustomCommX&) { watch_.PortHungUp(); };
  link_.SetApplicationTitle(kApplicationTitle);
  link_.SetConnectionWatch(&watch_);
  // A slider dragged with SYNC sends as fast as the line takes it, whatever the window is doing.
  link_.SendLiveFramesInBackground();
  captionName_ = chart_.Name;
  chartChanges_ = chart_.Changes().Subscribe([this](const ChartChange& c) { ChartChanged(c); });
  prompter_.OnCaption([this](const std::string& caption) { SetCaption(caption); });

  BuildToolbars();
  BuildSheets();
  BuildStatusBar();
  environment_.Attach({commandMenu_, partsMenu_, commMenu_, toolsMenu_},
                      [this] { return CanvasWidget(); });
  formDlg_ = new TFormDlg(environment_, this);
  infoDlg_ = new TInfoDlg([this] { return ReadBoardVersion(); }, this);
  itemProperty_ = new TItemProperty(this);
  ConnectCanvas();
  objectEditors_ = std::make_unique<ObjectEditors>(*this);
  MarkMissingDialogs(*this, *actions_);

  ReadSettings();
  ChoosePort(0);
  // A settings file that cannot be read is reported once; it is then left alone.
  if (!settingsProblem_.empty()) prompter_.ShowStatus(settingsProblem_);
  chart_.Name = kUntitledName;
  chart_.Ctrl = kNoCtrl;
  setAcceptDrops(true);
  SetCaption(kStartCaption);
  SetTool(CanvasTool::Select);
  link_.SetAttemptLimit(5);
  environment_.SetCanvasSize(640, 480);
  environment_.SetGridSpacing(5, 5);
  chart_.ClearChart();
  history_.Clear();
  historyChanges_ =
      history_.SubscribeState([this](const HistoryState& state) { HistoryChanged(state); });
  HistoryChanged(history_.State());
  notifications_.Clear();
  // Made last, so the empty chart just set up is the unchanged document.
  menus_ = new MainMenus(*this);

  // The first toolbar row holds the file, tools and port bars side by side; with longer captions
  // (a language, a font) the window is made wider rather than fold buttons away.
  int firstRow = 0;
  for (const QToolBar* bar : {toolBar1_, toolsMenu_, commMenu_})
    firstRow += bar->sizeHint().width();
  resize(std::max(kClientWidth, firstRow + kToolRowSlack), kClientHeight);
  if (QScreen* screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());
}

TBrivane3::~TBrivane3() {
  chartChanges_.Reset();
  historyChanges_.Reset();
  commX1_.OnReceive = nullptr;
  commX1_.OnHangUp = nullptr;
  if (commPort_) commPort_->DetachDeviceSource();
  try {
    // The last position asked for still reaches the board: sent, then let out of the driver.
    link_.FlushLiveFrames();
    commX1_.CloseAfterSending(kLastFrameDrainMs);
  } catch (const std::exception&) {
  }
}

QAction* TBrivane3::AddButton(QToolBar* bar, const char* name, const QString& hint,
                              const QIcon& icon) {
  QAction* action = bar->addAction(icon, hint);
  action->setObjectName(name);
  action->setToolTip(hint);
  if (QWidget* button = bar->widgetForAction(action)) {
    button->setObjectName(name);
    button->setFixedSize(33, 20);
  }
  return action;
}

void TBrivane3::BuildToolbars() {
  auto makeBar = [this](const char* name, const QString& title) {
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(name);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, bar);
    return bar;
  };
  auto on = [this](QAction* action, auto handler) {
    connect(action, &QAction::triggered, this, handler);
  };
  auto forward = [this](QAction* action, void (BoardButtons::*call)()) {
    connect(action, &QAction::triggered, this, [this, call] { (actions_->*call)(); });
  };

  toolBar1_ = makeBar("ToolBar1", tr("FILE"));
  toolBar1_->setMovable(false);
  on(AddButton(toolBar1_, "OpenBtn", tr("Load"), Glyph(GlyphKind::Open)), &TBrivane3::OpenBtnClick);
  on(AddButton(toolBar1_, "SaveBtn", tr("Save"), Glyph(GlyphKind::Save)), &TBrivane3::SaveBtnClick);
  on(AddButton(toolBar1_, "FormBtn", tr("Properties"), Glyph(GlyphKind::Properties)),
     &TBrivane3::FormBtnClick);
  on(AddButton(toolBar1_, "InfoBtn", tr("Information"), Glyph(GlyphKind::Information)),
     &TBrivane3::InfoBtnClick);
  auto standardIcon = [this](const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(themeName, style()->standardIcon(fallback));
  };
  undoBtn_ =
      AddButton(toolBar1_, "UndoBtn", tr("Undo"), standardIcon("edit-undo", QStyle::SP_ArrowBack));
  on(undoBtn_, &TBrivane3::Undo);
  redoBtn_ = AddButton(toolBar1_, "RedoBtn", tr("Redo"),
                       standardIcon("edit-redo", QStyle::SP_ArrowForward));
  on(redoBtn_, &TBrivane3::Redo);
  on(AddButton(toolBar1_, "ExitBtn", tr("Exit"), Glyph(GlyphKind::Exit)), &QWidget::close);

  toolsMenu_ = makeBar("ToolsMenu", tr("Tools"));
  for (const ToolWindow& tool : kToolWindows) {
    QAction* action = AddButton(toolsMenu_, tool.name, ToolWindowCaption(tool),
                                Glyph(tool.glyph, tool.glyphText));
    connect(action, &QAction::triggered, this, [this, tool] {
      if (tool.freshReports) notifications_.Clear();
      (actions_->*tool.open)();
    });
  }
  forward(AddButton(toolsMenu_, "TableBtn", tr("Table"), Glyph(GlyphKind::Table)),
          &BoardButtons::TableBtnClick);

  commMenu_ = makeBar("CommMenu", tr("COMM"));
  sync_ = NamedCheck("Sync", tr("SYNC"), tr("SYNC", "hint"), commMenu_);
  commMenu_->addWidget(sync_);
  commMenu_->addWidget(Spacer(commMenu_));
  commPort_ = new CommPortCombo(commMenu_);
  commMenu_->addWidget(commPort_);
  connect(commPort_, &CommPortCombo::ClosedUp, this, &TBrivane3::CommPortCloseUp);
  // A pulled adapter shows on the port panel at once, as a device that hung up does.
  connect(commPort_, &CommPortCombo::ChosenAdapterGone, this, [this] { watch_.PortHungUp(); });
  serialDevices_ = platform::MakeUdevSerialDevices();
  commPort_->SetDeviceSource(serialDevices_.get());

  addToolBarBreak(Qt::TopToolBarArea);
  partsMenu_ = makeBar("PartsMenu", tr("PARTS"));
  toolGroup_ = new QActionGroup(this);
  toolGroup_->setExclusive(true);
  auto toolButton = [this](const char* name, const QString& hint, const QIcon& icon,
                           CanvasTool tool) {
    QAction* action = AddButton(partsMenu_, name, hint, icon);
    action->setCheckable(true);
    action->setProperty("Tag", static_cast<int>(tool));
    toolGroup_->addAction(action);
    connect(action, &QAction::triggered, this, [this, tool] { SetTool(tool); });
    return action;
  };
  toolButton("SelectBtn", tr("Select"), Glyph(GlyphKind::Select), CanvasTool::Select);
  partsMenu_->addWidget(Spacer(partsMenu_));
  gridSw_ = NamedCheck("GridSw", tr("GRID"), tr("Grid"), partsMenu_);
  partsMenu_->addWidget(gridSw_);
  connect(gridSw_, &QCheckBox::toggled, this, [this](bool on) { grid_.SetOn(on); });
  partsMenu_->addWidget(Spacer(partsMenu_));
  toolButton("SetStartBtn", tr("Start Flag"), Glyph(GlyphKind::StartFlag), CanvasTool::StartFlag);
  toolButton("SetItem1Btn", tr("Position"), Glyph(GlyphKind::Position, "POS"),
             CanvasTool::Position);
  toolButton("SetItem2Btn", tr("Set"), Glyph(GlyphKind::SetValue, "SET"), CanvasTool::Set);
  toolButton("SetItem4Btn", tr("Mix"), Glyph(GlyphKind::Mix, "MIX"), CanvasTool::Mix);
  toolButton("SetItem3Btn", tr("Compare"), Glyph(GlyphKind::Compare), CanvasTool::Compare);
  toolButton("Link1Btn", tr("Flow Wiring"), Glyph(GlyphKind::FlowWire), CanvasTool::FlowWiring);
  toolButton("Link2Btn", tr("Branch Wiring"), Glyph(GlyphKind::BranchWire),
             CanvasTool::BranchWiring);
  forward(AddButton(partsMenu_, "CompileBtn", tr("Compile"), Glyph(GlyphKind::Compile)),
          &BoardButtons::CompileBtnClick);

  addToolBarBreak(Qt::TopToolBarArea);
  commandMenu_ = makeBar("CommandMenu", tr("Commad"));
  forward(AddButton(commandMenu_, "HomePosBtn", tr("Home position"), Glyph(GlyphKind::Home)),
          &BoardButtons::HomePosBtnClick);
  forward(AddButton(commandMenu_, "SpeedButton2", tr("Trim Position"),
                    Glyph(GlyphKind::TrimPosition, "T")),
          &BoardButtons::SpeedButton2Click);
  forward(AddButton(commandMenu_, "MotWriteBtn", tr("Write"), Glyph(GlyphKind::Write)),
          &BoardButtons::MotWriteBtnClick);
  on(AddButton(commandMenu_, "MotReadBtn", tr("Read"), Glyph(GlyphKind::Read)),
     &TBrivane3::MotReadBtnClick);
  forward(AddButton(commandMenu_, "MotDelBtn", tr("Delete"), Glyph(GlyphKind::Delete)),
          &BoardButtons::MotDelBtnClick);
  forward(AddButton(commandMenu_, "MotStpBtn", tr("Stop"), Glyph(GlyphKind::Stop)),
          &BoardButtons::MotStpBtnClick);
  forward(AddButton(commandMenu_, "SpeedButton1", tr("Pause"), Glyph(GlyphKind::Pause)),
          &BoardButtons::SpeedButton1Click);
  forward(AddButton(commandMenu_, "MotRunBtn", tr("Play"), Glyph(GlyphKind::Play)),
          &BoardButtons::MotRunBtnClick);

  addToolBarBreak(Qt::TopToolBarArea);
  toolBar2_ = makeBar("ToolBar2", tr("Status"));
  edit2_ = new QLineEdit(toolBar2_);
  edit2_->setObjectName("Edit2");
  edit2_->setToolTip(tr("Status"));
  edit2_->setReadOnly(true);
  edit2_->setFixedWidth(553);
  edit2_->setStyleSheet(
      "QLineEdit#Edit2 { color: lime; background-color: navy; font-weight: bold; }");
  toolBar2_->addWidget(edit2_);
}

void TBrivane3::BuildSheets() {
  pageControl1_ = new QTabWidget(this);
  pageControl1_->setObjectName("PageControl1");

  sheet1_ = new QWidget(pageControl1_);
  sheet1_->setObjectName("Sheet1");
  scrollBox1_ = new QScrollArea(sheet1_);
  scrollBox1_->setObjectName("ScrollBox1");
  scrollBox1_->setWidgetResizable(false);
  // Beyond the canvas the area shows the canvas background.
  scrollBox1_->setBackgroundRole(QPalette::Base);
  scrollBox1_->viewport()->setBackgroundRole(QPalette::Base);
  scrollBox1_->viewport()->setAutoFillBackground(true);
  scrollBox1_->setWidget(new CanvasPlaceholder);
  auto* sheet1Layout = new QVBoxLayout(sheet1_);
  sheet1Layout->setContentsMargins(0, 0, 0, 0);
  sheet1Layout->addWidget(scrollBox1_);
  pageControl1_->addTab(sheet1_, EditTabCaption(kUntitledName));

  auto* sheet2 = new QWidget(pageControl1_);
  sheet2->setObjectName("Sheet2");
  qvb_ = new QTreeWidget(sheet2);
  qvb_->setObjectName("Qvb");
  qvb_->setColumnCount(1);
  qvb_->setHeaderHidden(true);
  qvb_->setRootIsDecorated(false);
  qvb_->setColumnWidth(0, 750);
  qvb_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QFont fixed("Monospace");
  fixed.setStyleHint(QFont::TypeWriter);
  qvb_->setFont(fixed);
  auto* sheet2Layout = new QVBoxLayout(sheet2);
  sheet2Layout->setContentsMargins(0, 0, 0, 0);
  sheet2Layout->addWidget(qvb_);
  pageControl1_->addTab(sheet2, tr("LIST"));

  // The compiler's working list lives on a sheet that is never shown.
  auto* tabSheet1 = new QWidget(this);
  tabSheet1->setObjectName("TabSheet1");
  tabSheet1->hide();
  list_ = new QTreeWidget(tabSheet1);
  list_->setObjectName("List");
  list_->setColumnCount(5);

  setCentralWidget(pageControl1_);
}

void TBrivane3::BuildStatusBar() {
  staBar_ = new QStatusBar(this);
  staBar_->setObjectName("StaBar");
  staBar_->setSizeGripEnabled(false);
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(staBar_);
    panels_[i]->setObjectName(QString("Panel%1").arg(i));
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    staBar_->addWidget(panels_[i]);
  }
  SizeStatusPanels(panels_);
  setStatusBar(staBar_);
  prompter_.AttachStatus(edit2_, {panels_[0], panels_[1], panels_[2]});
}

// The tab caption shows the chart's name after every rename, and after a change of the whole
// chart that brought another name.
void TBrivane3::ChartChanged(const ChartChange& change) {
  const bool header = change.kind == ChartChangeKind::HeaderChanged;
  if (header || (change.kind == ChartChangeKind::Replaced && chart_.Name != captionName_)) {
    captionName_ = chart_.Name;
    pageControl1_->setTabText(pageControl1_->indexOf(sheet1_), EditTabCaption(chart_.Name));
  }
}

void TBrivane3::ShowNewChart() {
  captionName_ = chart_.Name;
  pageControl1_->setTabText(pageControl1_->indexOf(sheet1_), EditTabCaption(kUntitledName));
  qvb_->clear();
  list_->clear();
}

void TBrivane3::HistoryChanged(const HistoryState& state) {
  undoBtn_->setEnabled(state.CanUndo);
  redoBtn_->setEnabled(state.CanRedo);
  undoBtn_->setToolTip(state.CanUndo ? tr("Undo %1").arg(HistoryLabelText(state.UndoLabel))
                                     : tr("Undo"));
  redoBtn_->setToolTip(state.CanRedo ? tr("Redo %1").arg(HistoryLabelText(state.RedoLabel))
                                     : tr("Redo"));
}

void TBrivane3::Undo() {
  history_.Undo();
}

void TBrivane3::Redo() {
  history_.Redo();
}

void TBrivane3::SetCaption(const std::string& caption) {
  caption_ = QString::fromStdString(caption);
  UpdateTitle();
}

void TBrivane3::SetDocumentTitle(const QString& name, bool modified) {
  documentName_ = name;
  documentModified_ = modified;
  UpdateTitle();
}

// "*walk.QVB - Brivane 3"; the bare caption while no file is open and nothing was changed.
void TBrivane3::UpdateTitle() {
  if (documentName_.isEmpty() && !documentModified_) {
    setWindowTitle(caption_);
    return;
  }
  const QString name = documentName_.isEmpty() ? tr("No title") : documentName_;
  setWindowTitle((documentModified_ ? "*" : "") + name + " - " + caption_);
}

// A motion or scenario read back replaces the chart: one undoable step.
void TBrivane3::MotReadBtnClick() {
  history_.ApplyChecked(QT_TRANSLATE_NOOP("ChartHistory", "Read"),
                        [this](Chart&) { actions_->MotReadBtnClick(); },
                        {ChartChangeKind::Replaced, {}, ChangeOrigin::Edit});
}

void TBrivane3::WindowMessage(uint32_t message, int64_t w, int64_t l) {
  DispatchWindowMessage(
      message, w, l, [this](int64_t pw, int64_t pl) { actions_->PlayMessage(pw, pl); },
      [this](int com) { ChoosePort(commPort_->IndexOfCom(com)); });
}

void TBrivane3::SetBoardButtons(BoardButtons* actions) {
  actions_ = actions ? actions : &basicButtons_;
  MarkMissingDialogs(*this, *actions_);
}

void TBrivane3::SetCanvasWidget(QWidget* canvas) {
  if (!canvas) return;
  const QSize size = CanvasSize();
  delete scrollBox1_->takeWidget();
  canvas->setFixedSize(size);
  scrollBox1_->setWidget(canvas);
}

QWidget* TBrivane3::CanvasWidget() const {
  return scrollBox1_ ? scrollBox1_->widget() : nullptr;
}

brv3::CanvasWidget* TBrivane3::Canvas() const {
  return canvas_.data();
}

// The drawing canvas edits through the window's history, snaps to the window's grid and follows
// the chart's change events by itself; its own tool changes put the matching button down.
void TBrivane3::ConnectCanvas() {
  canvas_ = new brv3::CanvasWidget(history_, prompter_, nullptr, &grid_);
  canvas_->SetPropertyDialog(itemProperty_);
  SetCanvasWidget(canvas_);
  connect(canvas_, &brv3::CanvasWidget::ToolModeChanged, this, [this](int mode) {
    if (static_cast<CanvasTool>(mode) != Tool()) SetTool(static_cast<CanvasTool>(mode));
  });
  canvas_->setFocus();
}

bool TBrivane3::SyncOn() const {
  return sync_->isChecked();
}

CanvasTool TBrivane3::Tool() const {
  const QAction* checked = toolGroup_->checkedAction();
  return checked ? static_cast<CanvasTool>(checked->property("Tag").toInt()) : CanvasTool::Select;
}

void TBrivane3::SetTool(CanvasTool tool) {
  for (QAction* action : toolGroup_->actions())
    if (action->property("Tag").toInt() == static_cast<int>(tool)) action->setChecked(true);
  if (canvas_) canvas_->SetTool(tool);
}

void TBrivane3::ChoosePort(int index) {
  if (index < 0 || index >= commPort_->count()) return;
  commPort_->setCurrentIndex(index);
  CommPortCloseUp();
}

int TBrivane3::CommPortIndex() const {
  return commPort_->currentIndex();
}

void TBrivane3::SetSerialDevices(std::unique_ptr<platform::SerialDeviceSource> devices) {
  commPort_->DetachDeviceSource();
  serialDevices_ = std::move(devices);
  commPort_->SetDeviceSource(serialDevices_.get());
}

void TBrivane3::CommPortCloseUp() {
  const int index = commPort_->currentIndex();
  if (selectPortHook_) {
    selectPortHook_(index);
    return;
  }
  const PortEntry entry = commPort_->Entry(index);
  watch_.PortSelected(entry, SelectPortEntry(portControl_, entry, &prompter_, &notifications_));
}

bool TBrivane3::OpenChart(const QString& path, bool clearFirst) {
  const bool merge = !clearFirst && chart_.ObjectCount() > 0;
  const OpenResult result =
      document_.Open(QFileInfo(path).absoluteFilePath().toStdString(), prompter_, clearFirst);
  const bool opened = result.status == OpenStatus::Opened;
  if (opened) emit ChartFileOpened(path, merge && chart_.ObjectCount() > 0);
  return opened;
}

void TBrivane3::ReadSettings() {
  const ShellSettings s = ReadShellSettings(settingsPath_, &settingsProblem_);
  gridSw_->setChecked(s.Grid);
  environment_.SetGridSpacing(s.GridWidth, s.GridHeight);
}

void TBrivane3::WriteSettings() {
  ShellSettings s;
  const PortEntry chosen = commPort_->Entry(CommPortIndex());
  s.CommPort = chosen.Com;
  s.CommPortDevice = chosen.Path;
  s.Grid = GridOn();
  s.GridWidth = grid_.Width();
  s.GridHeight = grid_.Height();
  WriteShellSettings(settingsPath_, s);
  if (objectEditors_) objectEditors_->SaveLayout();
}

// Ended by a signal (a session ending, kill): no questions, but the port is let go and the
// settings are kept as closing the window keeps them.
void TBrivane3::KeepStateOnSignalQuit() {
  ClosePortOnExit(portControl_);
  WriteSettings();
}

void TBrivane3::closeEvent(QCloseEvent* event) {
  if (prompter_.MsgBox(MsgKind::Question, MsgButtons::YesNo, tr("Okay to close?").toStdString()) ==
      IdNo) {
    event->ignore();
    return;
  }
  if (closeGuard_ && !closeGuard_()) {
    event->ignore();
    return;
  }
  ClosePortOnExit(portControl_);
  WriteSettings();
  formDlg_->hide();
  infoDlg_->hide();
  event->accept();
}

void TBrivane3::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TBrivane3::dropEvent(QDropEvent* event) {
  if (OpenDroppedFiles(*event->mimeData())) event->acceptProposedAction();
}

bool TBrivane3::OpenDroppedFiles(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return false;
  OpenChart(urls.first().toLocalFile());
  return true;
}

bool TBrivane3::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    actions_->HideObjectEditors();
    if (objectEditors_) objectEditors_->Hide();
    if (formDlg_ && formDlg_->isVisible() && !formDlg_->isModal()) formDlg_->hide();
    if (infoDlg_ && infoDlg_->isVisible()) infoDlg_->hide();
  }
  return QMainWindow::event(event);
}

// The file dialogs start where the open chart came from; without one, in the folder a dialog
// last used.
QString TBrivane3::DialogFolder() const {
  const QString chartFile = QString::fromStdString(document_.Path());
  return chartFile.isEmpty() ? openFolder_ : QFileInfo(chartFile).absolutePath();
}

void TBrivane3::OpenBtnClick() {
  const std::optional<FileAnswer> file = prompter_.ChooseFile(
      {false, tr("Load").toStdString(), DialogFolder().toStdString(), ChartFileFilters()});
  if (!file) return;
  const QString path = QString::fromStdString(file->path);
  openFolder_ = QFileInfo(path).absolutePath();
  OpenChart(path);
  if (canvas_) canvas_->SetInert();
}

void TBrivane3::SaveBtnClick() {
  // The open chart's own name is offered (as a chart file: a motion read from CSV is saved as one).
  const QString chartFile = QString::fromStdString(document_.Path());
  const QFileInfo info(chartFile);
  QString proposal = openFolder_;
  if (chartFile.endsWith(".qvb", Qt::CaseInsensitive))
    proposal = info.absoluteFilePath();
  else if (!chartFile.isEmpty())
    proposal = info.absolutePath() + "/" + info.completeBaseName() + ".QVB";
  const std::optional<FileAnswer> file = prompter_.ChooseFile(
      {true, tr("Save").toStdString(), proposal.toStdString(), ChartFileFilters()});
  if (!file) return;
  openFolder_ = QFileInfo(QString::fromStdString(file->path)).absolutePath();
  const std::string path = ChartFileName(file->path, file->filterIndex + 1);
  if (document_.SaveAs(path, prompter_)) {
    emit ChartFileSaved(QString::fromStdString(path));
  }
}

void TBrivane3::FormBtnClick() {
  formDlg_->exec();
  // Back to the Select tool with any wire in progress dropped; the selection stays (the Select
  // button itself would also deselect everything).
  if (canvas_) {
    canvas_->Editor().ResetAfterEnvironment();
  } else {
    SetTool(CanvasTool::Select);
  }
}

void TBrivane3::InfoBtnClick() {
  infoDlg_->show();
  infoDlg_->raise();
  infoDlg_->activateWindow();
}

std::array<std::string, 4> TBrivane3::ReadBoardVersion() {
  Bytes reply;
  if (!link_.ReadVersion(reply)) return {};
  return VersionLines(reply);
}

}  // namespace brv3
