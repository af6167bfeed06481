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
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "core/board/BoardActions.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/SelectPort.h"
#include "core/comm/VersionText.h"
#include "platform/ConfigLocation.h"
#include "ui/app/CommPortCombo.h"
#include "ui/app/Glyphs.h"
#include "ui/app/InfoDlg.h"
#include "ui/app/ItemProperty.h"
#include "ui/app/MessageDialogs.h"
#include "ui/app/QtDispatcher.h"
#include "ui/app/ShellSettings.h"
#include "ui/app/StatusText.h"
#include "ui/chart/CanvasWidget.h"

namespace brv3 {

namespace {

const char* const kFileFilter = "QVB file (*.QVB *.qvb);;AllFiles (*)";
constexpr int kClientWidth = 650;
constexpr int kClientHeight = 580;

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
      link_(&commX1_, this),
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
  link_.SetApplicationTitle(kApplicationTitle);
  chart_.SetListener(this);

  BuildToolbars();
  BuildSheets();
  BuildStatusBar();
  formDlg_ = new TFormDlg(*this, this);
  infoDlg_ = new TInfoDlg([this] { return ReadBoardVersion(); }, this);
  itemProperty_ = new TItemProperty(this);
  ConnectCanvas();

  ReadSettings();
  ChoosePort(0);
  chart_.Name = kUntitledName;
  chart_.Ctrl = kNoCtrl;
  setAcceptDrops(true);
  setWindowTitle(kStartCaption);
  SetTool(CanvasTool::Select);
  link_.SetAttemptLimit(5);
  SetCanvasSize(640, 480);
  SetGridSpacing(5, 5);
  chart_.ClearChart();
  notifications_.Clear();

  resize(kClientWidth, kClientHeight);
  if (QScreen* screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());
}

TBrivane3::~TBrivane3() {
  chart_.SetListener(nullptr);
  commX1_.OnReceive = nullptr;
  try {
    commX1_.Close();
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

  toolBar1_ = makeBar("ToolBar1", "FILE");
  toolBar1_->setMovable(false);
  on(AddButton(toolBar1_, "OpenBtn", "Load", Glyph(GlyphKind::Open)), &TBrivane3::OpenBtnClick);
  on(AddButton(toolBar1_, "SaveBtn", "Save", Glyph(GlyphKind::Save)), &TBrivane3::SaveBtnClick);
  on(AddButton(toolBar1_, "FormBtn", "Properties", Glyph(GlyphKind::Properties)),
     &TBrivane3::FormBtnClick);
  on(AddButton(toolBar1_, "InfoBtn", "Information", Glyph(GlyphKind::Information)),
     &TBrivane3::InfoBtnClick);
  on(AddButton(toolBar1_, "ExitBtn", "Exit", Glyph(GlyphKind::Exit)), &QWidget::close);

  toolsMenu_ = makeBar("ToolsMenu", "Tools");
  forward(AddButton(toolsMenu_, "HomeBtn", "Trim", Glyph(GlyphKind::Text, "TRM")),
          &BoardButtons::HomeBtnClick);
  forward(AddButton(toolsMenu_, "OptionBtn", "Option", Glyph(GlyphKind::Text, "OPT")),
          &BoardButtons::OptionBtnClick);
  // The analog dialog starts with an empty notification buffer.
  connect(AddButton(toolsMenu_, "AdBtn", "Analog", Glyph(GlyphKind::Text, "A/D")),
          &QAction::triggered, this, [this] {
            notifications_.Clear();
            actions_->AdBtnClick();
          });
  forward(AddButton(toolsMenu_, "SVLBtn", "SVL", Glyph(GlyphKind::Text, "SVL")),
          &BoardButtons::SVLBtnClick);
  forward(AddButton(toolsMenu_, "OptionMenu3", "Receiver", Glyph(GlyphKind::Text, "RCV")),
          &BoardButtons::OptionMenu3Click);
  forward(AddButton(toolsMenu_, "TableBtn", "Table", Glyph(GlyphKind::Table)),
          &BoardButtons::TableBtnClick);

  commMenu_ = makeBar("CommMenu", "COMM");
  sync_ = NamedCheck("Sync", "SYNC", "SYNC", commMenu_);
  commMenu_->addWidget(sync_);
  commMenu_->addWidget(Spacer(commMenu_));
  commPort_ = new CommPortCombo(commMenu_);
  commMenu_->addWidget(commPort_);
  connect(commPort_, &CommPortCombo::ClosedUp, this, &TBrivane3::CommPortCloseUp);

  addToolBarBreak(Qt::TopToolBarArea);
  partsMenu_ = makeBar("PartsMenu", "PARTS");
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
  toolButton("SelectBtn", "Select", Glyph(GlyphKind::Select), CanvasTool::Select);
  partsMenu_->addWidget(Spacer(partsMenu_));
  gridSw_ = NamedCheck("GridSw", "GRID", "Grid", partsMenu_);
  partsMenu_->addWidget(gridSw_);
  partsMenu_->addWidget(Spacer(partsMenu_));
  toolButton("SetStartBtn", "Start Flag", Glyph(GlyphKind::StartFlag), CanvasTool::StartFlag);
  toolButton("SetItem1Btn", "Position", Glyph(GlyphKind::Text, "POS"), CanvasTool::Position);
  toolButton("SetItem2Btn", "Set", Glyph(GlyphKind::Text, "SET"), CanvasTool::Set);
  toolButton("SetItem4Btn", "Mix", Glyph(GlyphKind::Text, "MIX"), CanvasTool::Mix);
  toolButton("SetItem3Btn", "Compare", Glyph(GlyphKind::Compare), CanvasTool::Compare);
  toolButton("Link1Btn", "Flow Wiring", Glyph(GlyphKind::FlowWire), CanvasTool::FlowWiring);
  toolButton("Link2Btn", "Branch Wiring", Glyph(GlyphKind::BranchWire), CanvasTool::BranchWiring);
  forward(AddButton(partsMenu_, "CompileBtn", "Compile", Glyph(GlyphKind::Compile)),
          &BoardButtons::CompileBtnClick);

  addToolBarBreak(Qt::TopToolBarArea);
  commandMenu_ = makeBar("CommandMenu", "Commad");
  forward(AddButton(commandMenu_, "HomePosBtn", "Home position", Glyph(GlyphKind::Home)),
          &BoardButtons::HomePosBtnClick);
  forward(AddButton(commandMenu_, "SpeedButton2", "Trim Position", Glyph(GlyphKind::Text, "T")),
          &BoardButtons::SpeedButton2Click);
  forward(AddButton(commandMenu_, "MotWriteBtn", "Write", Glyph(GlyphKind::Write)),
          &BoardButtons::MotWriteBtnClick);
  forward(AddButton(commandMenu_, "MotReadBtn", "Read", Glyph(GlyphKind::Read)),
          &BoardButtons::MotReadBtnClick);
  forward(AddButton(commandMenu_, "MotDelBtn", "Delete", Glyph(GlyphKind::Delete)),
          &BoardButtons::MotDelBtnClick);
  forward(AddButton(commandMenu_, "MotStpBtn", "Stop", Glyph(GlyphKind::Stop)),
          &BoardButtons::MotStpBtnClick);
  forward(AddButton(commandMenu_, "SpeedButton1", "Pause", Glyph(GlyphKind::Pause)),
          &BoardButtons::SpeedButton1Click);
  forward(AddButton(commandMenu_, "MotRunBtn", "Play", Glyph(GlyphKind::Play)),
          &BoardButtons::MotRunBtnClick);

  addToolBarBreak(Qt::TopToolBarArea);
  toolBar2_ = makeBar("ToolBar2", "Status");
  edit2_ = new QLineEdit(toolBar2_);
  edit2_->setObjectName("Edit2");
  edit2_->setToolTip("Status");
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
  scrollBox1_->setBackgroundRole(QPalette::Dark);
  scrollBox1_->setWidget(new CanvasPlaceholder);
  auto* sheet1Layout = new QVBoxLayout(sheet1_);
  sheet1Layout->setContentsMargins(0, 0, 0, 0);
  sheet1Layout->addWidget(scrollBox1_);
  pageControl1_->addTab(sheet1_, "EDIT No title");

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
  pageControl1_->addTab(sheet2, "LIST");

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
  const int widths[3] = {100, 100, 50};
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(staBar_);
    panels_[i]->setObjectName(QString("Panel%1").arg(i));
    panels_[i]->setFixedWidth(widths[i]);
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    staBar_->addWidget(panels_[i]);
  }
  setStatusBar(staBar_);
}

int TBrivane3::MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text, int language) {
  return ShowMsgBox(this, kind, buttons, QString::fromStdString(text), language);
}

bool TBrivane3::NumberSelectDialog(NumberSelectState& state) {
  return RunNumberSelectDialog(this, state);
}

bool TBrivane3::InputTextDialog(const std::string& caption, const std::string& prompt,
                                std::string& value) {
  QString text = QString::fromStdString(value);
  if (!RunInputTextDialog(this, QString::fromStdString(caption), QString::fromStdString(prompt),
                          text))
    return false;
  value = text.toStdString();
  return true;
}

void TBrivane3::ShowStatus(const std::string& message) {
  edit2_->setText(StatusLineText(QTime::currentTime(), QString::fromStdString(message)));
  edit2_->setCursorPosition(0);
}

void TBrivane3::SetStatusPanel(int panel, const std::string& text) {
  if (panel >= 0 && panel < 3) panels_[panel]->setText(QString::fromStdString(text));
}

void TBrivane3::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

void TBrivane3::TabCaptionChanged(const std::string& caption) {
  pageControl1_->setTabText(pageControl1_->indexOf(sheet1_), QString::fromStdString(caption));
}

EnvironmentSettings TBrivane3::PresentEnvironment() const {
  EnvironmentSettings s;
  const QSize size = CanvasSize();
  s.CanvasWidth = size.width();
  s.CanvasHeight = size.height();
  s.GridX = gridX_;
  s.GridY = gridY_;
  s.ViewCmdMenu = !commandMenu_->isHidden();
  s.ViewPartMenu = !partsMenu_->isHidden();
  s.ViewCommMenu = !commMenu_->isHidden();
  s.ViewToolMenu = !toolsMenu_->isHidden();
  return s;
}

void TBrivane3::SetCanvasSize(int width, int height) {
  chart_.CanvasWidth = width;
  chart_.CanvasHeight = height;
  if (QWidget* canvas = CanvasWidget()) canvas->setFixedSize(width, height);
  emit ChartChanged();
}

void TBrivane3::SetGridSpacing(int x, int y) {
  gridX_ = std::max(kMinGridSpacing, x);
  gridY_ = std::max(kMinGridSpacing, y);
  if (canvas_) canvas_->Editor().Grid().SetSpacing(gridX_, gridY_);
}

void TBrivane3::SetToolbarsVisible(const EnvironmentSettings& settings) {
  commandMenu_->setVisible(settings.ViewCmdMenu);
  partsMenu_->setVisible(settings.ViewPartMenu);
  commMenu_->setVisible(settings.ViewCommMenu);
  toolsMenu_->setVisible(settings.ViewToolMenu);
}

void TBrivane3::WindowMessage(uint32_t message, int64_t w, int64_t l) {
  DispatchWindowMessage(
      message, w, l, [this](int64_t pw, int64_t pl) { actions_->PlayMessage(pw, pl); },
      [this](int index) { ChoosePort(index); });
}

void TBrivane3::SetBoardButtons(BoardButtons* actions) {
  actions_ = actions ? actions : &basicButtons_;
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

// The drawing canvas follows the tool buttons, the grid and every change of the chart; its own
// tool changes put the matching button down.
void TBrivane3::ConnectCanvas() {
  canvas_ = new brv3::CanvasWidget(chart_, *this);
  canvas_->SetPropertyDialog(itemProperty_);
  SetCanvasWidget(canvas_);
  CanvasGrid& grid = canvas_->Editor().Grid();
  grid.SetOn(GridOn());
  grid.SetSpacing(gridX_, gridY_);
  connect(gridSw_, &QCheckBox::toggled, canvas_,
          [this](bool on) { canvas_->Editor().Grid().SetOn(on); });
  connect(this, &TBrivane3::ToolChanged, canvas_,
          [this](CanvasTool tool) { canvas_->SetTool(static_cast<int>(tool)); });
  connect(canvas_, &brv3::CanvasWidget::ToolModeChanged, this, [this](int mode) {
    if (static_cast<CanvasTool>(mode) != tool_) SetTool(static_cast<CanvasTool>(mode));
  });
  connect(this, &TBrivane3::ChartChanged, canvas_, &brv3::CanvasWidget::Redraw);
  canvas_->setFocus();
}

QSize TBrivane3::CanvasSize() const {
  return QSize(chart_.CanvasWidth, chart_.CanvasHeight);
}

bool TBrivane3::SyncOn() const {
  return sync_->isChecked();
}

bool TBrivane3::GridOn() const {
  return gridSw_->isChecked();
}

void TBrivane3::SetTool(CanvasTool tool) {
  tool_ = tool;
  for (QAction* action : toolGroup_->actions())
    if (action->property("Tag").toInt() == static_cast<int>(tool)) action->setChecked(true);
  emit ToolChanged(tool);
}

void TBrivane3::ChoosePort(int index) {
  if (index < 0 || index >= commPort_->count()) return;
  commPort_->setCurrentIndex(index);
  CommPortCloseUp();
}

int TBrivane3::CommPortIndex() const {
  return commPort_->currentIndex();
}

void TBrivane3::CommPortCloseUp() {
  const int index = commPort_->currentIndex();
  if (selectPortHook_)
    selectPortHook_(index);
  else
    SelectPort(portControl_, index, this, &notifications_);
}

bool TBrivane3::OpenChart(const QString& path, bool clearFirst) {
  if (clearFirst) chart_.ClearChart();
  const OpenResult result = OpenChartFile(chart_, path.toStdString(), *this);
  emit ChartChanged();
  return result.status == OpenStatus::Opened;
}

void TBrivane3::ReadSettings() {
  const ShellSettings s = ReadShellSettings(settingsPath_);
  gridSw_->setChecked(s.Grid);
  SetGridSpacing(s.GridWidth, s.GridHeight);
}

void TBrivane3::WriteSettings() {
  ShellSettings s;
  s.CommPort = CommPortIndex();
  s.Grid = GridOn();
  s.GridWidth = gridX_;
  s.GridHeight = gridY_;
  WriteShellSettings(settingsPath_, s);
}

void TBrivane3::closeEvent(QCloseEvent* event) {
  if (MsgBox(MsgKind::Question, MsgButtons::YesNo, "Okay to close?") == IdNo) {
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
    if (formDlg_ && formDlg_->isVisible() && !formDlg_->isModal()) formDlg_->hide();
    if (infoDlg_ && infoDlg_->isVisible()) infoDlg_->hide();
  }
  return QMainWindow::event(event);
}

void TBrivane3::OpenBtnClick() {
  const QString path =
      QFileDialog::getOpenFileName(this, "Load", openFolder_, QString::fromUtf8(kFileFilter));
  if (path.isEmpty()) return;
  openFolder_ = QFileInfo(path).absolutePath();
  OpenChart(path);
  if (canvas_) canvas_->SetInert();
}

void TBrivane3::SaveBtnClick() {
  QString selectedFilter;
  const QString chosen = QFileDialog::getSaveFileName(
      this, "Save", openFolder_, QString::fromUtf8(kFileFilter), &selectedFilter);
  if (chosen.isEmpty()) return;
  openFolder_ = QFileInfo(chosen).absolutePath();
  const int filterIndex = selectedFilter.startsWith("QVB") ? 1 : 2;
  SaveChartFile(chart_, ChartFileName(chosen.toStdString(), filterIndex), *this);
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
  emit ChartChanged();
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
