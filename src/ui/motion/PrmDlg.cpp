#include "ui/motion/PrmDlg.h"

#include <QColorDialog>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include "core/board/ChannelNames.h"
#include "core/chart/CanvasDrawing.h"
#include "core/chart/CanvasMenus.h"
#include "core/comm/BoardLink.h"
#include "core/comm/TableEntry.h"
#include "core/motion/RestPose.h"
#include "core/util/Cp932.h"
#include "core/util/IniFile.h"
#include "core/util/NumberText.h"
#include "core/util/Prompter.h"
#include "core/util/Translate.h"
#include "ui/app/Glyphs.h"
#include "ui/app/ShellSettings.h"
#include "ui/app/ShownTexts.h"
#include "ui/chart/BgrColor.h"
#include "ui/chart/CanvasPainter.h"
#include "ui/motion/FocusReturn.h"
#include "ui/motion/JpegImage.h"
#include "ui/motion/PortDlg.h"

namespace brv3 {
namespace {

const char* const kRadioCaptions[kChannelRadios] = {"+5V (H)", "0V (L)", "FR", "S1", "S2", "S3"};
const char* const kPanelNames[] = {"SPEED", "COMMAND", "LINK"};
constexpr int kLabelWidth = 52;
constexpr int kEditWidth = 44;
constexpr int kControlsLeft = kLabelWidth + kEditWidth + 4;

// Scale factors shown as "0.###".
QString ScaleText(double factor) {
  QString text = QString::number(factor, 'f', 3);
  while (text.contains('.') && (text.endsWith('0') || text.endsWith('.'))) text.chop(1);
  return text == "-0" ? "0" : text;
}

}  // namespace

TPrmDlg::TPrmDlg(BoardLink& link, Prompter& prompter, std::function<bool()> sync, EventPump* pump,
                 std::string settingsPath, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      link_(link),
      prompter_(prompter),
      board_(link),
      editor_(board_, std::move(sync), pump),
      settingsPath_(std::move(settingsPath)) {
  setObjectName("PrmDlg");
  setAutoFillBackground(true);
  focusReturn_ = new FocusReturn(*this);
  for (int p = 1; p <= kEditorPanels; ++p) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QString("Panel%1").arg(p));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->resize(kPanelWidth, kPanelHeight);
    panel->setProperty("tag", p);
    panel->installEventFilter(this);
    panels_[static_cast<size_t>(p - 1)] = panel;
  }
  for (int c = 1; c <= kChannels; ++c) BuildChannelPanel(c);
  BuildSpeedPanel();
  BuildButtonBar();
  BuildLinkPanel();
  BuildMenu();

  IniFile ini;
  if (!settingsPath_.empty() && ini.LoadFile(settingsPath_)) layout_.Load(ini);
  // A stored picture that is gone is ignored; the stored size wins over the picture's.
  const int32_t width = layout_.Width();
  const int32_t height = layout_.Height();
  LoadPicture(layout_.BackgroundPath());
  layout_.SetSize(width, height);
  for (int c = 1; c <= kChannels; ++c) {
    editor_.SetScaleFactor(c, layout_.ScaleFactor(c));
    editor_.SetKind(c, layout_.LastKind(c));
  }
  ApplyLayout();
  Refresh();
}

TPrmDlg::~TPrmDlg() = default;

void TPrmDlg::BuildChannelPanel(int c) {
  QFrame* panel = panels_[static_cast<size_t>(c - 1)];
  ChannelControls& ch = channels_[static_cast<size_t>(c - 1)];
  ch.label = new QLabel(QString("CH%1").arg(c), panel);
  ch.label->setObjectName(QString("Label%1").arg(c));
  ch.label->setGeometry(3, 3, kLabelWidth - 3, kPanelHeight - 6);
  ch.label->setProperty("tag", c);
  ch.label->installEventFilter(this);
  ch.edit = new QLineEdit("0", panel);
  ch.edit->setObjectName(QString("Edit%1").arg(c));
  ch.edit->setGeometry(kLabelWidth, 2, kEditWidth, kPanelHeight - 4);
  ch.edit->setAlignment(Qt::AlignRight);
  ch.scroll = new QSlider(Qt::Horizontal, panel);
  ch.scroll->setObjectName(QString("Scroll%1").arg(c));
  ch.scroll->setGeometry(kControlsLeft, 2, kPanelWidth - kControlsLeft - 4, kPanelHeight - 4);
  ch.scroll->setRange(kPulseServoRange.minimum, kPulseServoRange.maximum);
  ch.scroll->setValue(kPositionCenter);
  ch.scroll->setPageStep(10);
  ch.ssl = new QSlider(Qt::Horizontal, panel);
  ch.ssl->setObjectName(QString("SSL%1").arg(c));
  ch.ssl->setGeometry(kControlsLeft, 2, kPanelWidth - kControlsLeft - 28, kPanelHeight - 4);
  ch.ssl->setRange(kSpeedStretchMinimum, kSpeedStretchMaximum);
  ch.slb = new QLabel("SP", panel);
  ch.slb->setObjectName(QString("SLB%1").arg(c));
  ch.slb->setGeometry(kPanelWidth - 26, 3, 22, kPanelHeight - 6);
  const int radioWidth[kChannelRadios] = {70, 64, 38, 36, 36, 36};
  for (int r = 0; r < kChannelRadios; ++r) {
    auto* radio = new QRadioButton(kRadioCaptions[r], panel);
    radio->setObjectName(QString("CkBtn%1").arg(c + r * kChannels));
    radio->setProperty("tag", c);
    ch.radios[static_cast<size_t>(r)] = radio;
    // Level radios stand where the slider would; FreeSet radios after the value edit.
    const int left = r < 2 ? kControlsLeft + r * radioWidth[0] : kControlsLeft + (r - 2) * 38;
    radio->setGeometry(left, 2, radioWidth[r], kPanelHeight - 4);
    connect(radio, &QRadioButton::clicked, this, [this, c, r] {
      editor_.RadioReleased(c, static_cast<ChannelRadio>(r), true);
      RefreshChannel(c);
      Changed();
    });
  }
  connect(ch.edit, &QLineEdit::returnPressed, this, [this, c] {
    ChannelControls& controls = channels_[static_cast<size_t>(c - 1)];
    editor_.EditEntered(c, controls.edit->text().toStdString());
    RefreshChannel(c);
    controls.edit->selectAll();
    Changed();
  });
  // A move while the thumb is held is a drag (refused while a live send runs); a release, a
  // click beside the thumb or a key is never refused. A refused move changes nothing yet (the
  // move being sent takes its position): the panel is brought up to date once that send is done.
  connect(ch.scroll, &QSlider::valueChanged, this, [this, c](int value) {
    if (mirroring_) return;
    QSlider* slider = channels_[static_cast<size_t>(c - 1)].scroll;
    if (slider->isSliderDown()) {
      if (!editor_.PositionSliderMoved(c, value)) return;
    } else {
      editor_.PositionSliderReleased(c, value);
    }
    RefreshChannel(c);
    Changed();
  });
  connect(ch.scroll, &QSlider::sliderReleased, this, [this, c] {
    editor_.PositionSliderReleased(c, channels_[static_cast<size_t>(c - 1)].scroll->value());
    RefreshChannel(c);
    Changed();
  });
  connect(ch.ssl, &QSlider::valueChanged, this, [this, c](int value) {
    if (mirroring_) return;
    QSlider* slider = channels_[static_cast<size_t>(c - 1)].ssl;
    if (slider->isSliderDown()) {
      if (!editor_.SpeedStretchSliderMoved(c, value)) return;
    } else {
      editor_.SpeedStretchSliderReleased(c, value);
    }
    RefreshChannel(c);
    Changed();
  });
  connect(ch.ssl, &QSlider::sliderReleased, this, [this, c] {
    editor_.SpeedStretchSliderReleased(c, channels_[static_cast<size_t>(c - 1)].ssl->value());
    RefreshChannel(c);
    Changed();
  });
}

void TPrmDlg::BuildSpeedPanel() {
  QFrame* panel = panels_[kSpeedPanel - 1];
  auto* label = new QLabel("SPEED", panel);
  label->setObjectName("Label25");
  label->setGeometry(3, 3, kLabelWidth - 3, kPanelHeight - 6);
  label->setProperty("tag", kSpeedPanel);
  label->installEventFilter(this);
  speedEdit_ = new QLineEdit("255", panel);
  speedEdit_->setObjectName("SpeedEdit");
  speedEdit_->setGeometry(kLabelWidth, 2, kEditWidth, kPanelHeight - 4);
  speedEdit_->setAlignment(Qt::AlignRight);
  speedBar_ = new QSlider(Qt::Horizontal, panel);
  speedBar_->setObjectName("SpeedBar");
  speedBar_->setGeometry(kControlsLeft, 2, kPanelWidth - kControlsLeft - 4, kPanelHeight - 4);
  speedBar_->setRange(1, 255);
  speedBar_->setValue(255);
  connect(speedBar_, &QSlider::valueChanged, this, [this](int value) {
    if (mirroring_) return;
    editor_.SpeedBarMoved(value);
    mirroring_ = true;
    speedEdit_->setText(QString::fromStdString(editor_.SpeedEditText()));
    mirroring_ = false;
    Changed();
  });
  connect(speedEdit_, &QLineEdit::returnPressed, this, [this] {
    editor_.SpeedEditEntered(speedEdit_->text().toStdString());
    mirroring_ = true;
    speedBar_->setValue(editor_.SpeedBar());
    speedEdit_->setText(QString::fromStdString(editor_.SpeedEditText()));
    mirroring_ = false;
    speedEdit_->selectAll();
    Changed();
  });
}

QToolButton* TPrmDlg::AddButton(const char* name, const QString& hint, const QIcon& icon) {
  QFrame* bar = panels_[kCommandPanel - 1];
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setIcon(icon);
  button->setAutoRaise(true);
  const int index = bar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly).size();
  button->setGeometry(2 + (index - 1) * 30, 1, 28, kPanelHeight - 2);
  return button;
}

void TPrmDlg::BuildButtonBar() {
  auto* set = AddButton("SetBtn", tr("Write to QVB-3"), Glyph(GlyphKind::Write));
  auto* get = AddButton("GetBtn", tr("Read form QVB-3"), Glyph(GlyphKind::Read));
  auto* home = AddButton("StopBtn", tr("Home position"), Glyph(GlyphKind::Home));
  auto* trim = AddButton("SpeedButton1", tr("Trim Position"), Glyph(GlyphKind::Text, "TRM"));
  auto* sleep = AddButton("SleepBtn", tr("Sleep"), Glyph(GlyphKind::Pause));
  auto* snapshot = AddButton("TchBtn", tr("Snapshot"), Glyph(GlyphKind::Text, "TCH"));
  auto* linkSub = AddButton("LinkSubBtn", tr("Increment Link"), Glyph(GlyphKind::Text, "<"));
  auto* linkAdd = AddButton("LinkAddBtn", tr("Increment Link"), Glyph(GlyphKind::Text, ">"));
  connect(set, &QToolButton::clicked, this, [this] { editor_.WritePose(); });
  connect(get, &QToolButton::clicked, this, [this] {
    if (editor_.ReadPose()) Changed();
    Refresh();
  });
  connect(home, &QToolButton::clicked, this, [this] { RestPoseClicked(false); });
  connect(trim, &QToolButton::clicked, this, [this] { RestPoseClicked(true); });
  connect(sleep, &QToolButton::clicked, this, [this] { editor_.ToggleSleep(); });
  connect(snapshot, &QToolButton::clicked, this, [this] {
    if (editor_.Snapshot()) Changed();
    Refresh();
  });
  for (const auto& [linkButton, linkDirection] : {std::pair{linkSub, -1}, std::pair{linkAdd, +1}}) {
    QToolButton* button = linkButton;
    const int direction = linkDirection;
    connect(button, &QToolButton::clicked, this, [this, button, direction] {
      button->setEnabled(false);
      if (editor_.IncrementLink(direction)) Changed();
      button->setEnabled(true);
      Refresh();
    });
  }
}

void TPrmDlg::BuildLinkPanel() {
  QFrame* panel = panels_[kLinkPanel - 1];
  auto* label = new QLabel("LINK", panel);
  label->setObjectName("Label27");
  label->setGeometry(3, 3, kLabelWidth - 3, kPanelHeight - 6);
  label->setProperty("tag", kLinkPanel);
  label->installEventFilter(this);
  linkList_ = new QComboBox(panel);
  linkList_->setObjectName("LinkList");
  linkList_->setGeometry(kLabelWidth, 1, kPanelWidth - kLabelWidth - 3, kPanelHeight - 2);
  connect(linkList_, qOverload<int>(&QComboBox::activated), this, &TPrmDlg::LinkChosen);
}

void TPrmDlg::FillLinkList(const PatternStore& store) {
  linkList_->clear();
  const std::vector<std::string> items = LinkListItems(store);
  for (size_t i = 0; i < items.size(); ++i) {
    // The last entry starts a new link; it is marked, since its text is shown translated.
    const bool newLink = i + 1 == items.size() && IsNewLinkItem(items[i]);
    linkList_->addItem(QString::fromStdString(items[i]), newLink);
  }
  linkList_->setCurrentIndex(-1);
}

void TPrmDlg::LinkChosen(int index) {
  if (index < 0) return;
  if (linkList_->itemData(index).toBool()) {
    editor_.ClearLink();
    if (portDlg_ == nullptr) return;
    if (portDlg_->RunLink(this)) {
      FillLinkList(portDlg_->Store());
      linkList_->setCurrentIndex(linkList_->count() - 1);
    }
    return;
  }
  if (portDlg_ == nullptr) return;
  if (auto entries =
          portDlg_->Store().Entries(PatternKind::Link, linkList_->itemText(index).toStdString()))
    editor_.ChooseLink(*entries);
}

bool TPrmDlg::ReclaimFocus() {
  return focusReturn_->Reclaim();
}

void TPrmDlg::SelectNewLink() {
  editor_.ClearLink();
  linkList_->setCurrentIndex(linkList_->count() - 1);
}

void TPrmDlg::RestPoseClicked(bool trim) {
  GoToRestPose(link_, trim ? RestPose::Trim : RestPose::Home, [this](const Bytes& record) {
    if (std::optional<PoseRecord> pose = PoseRecord::Unpack(record)) editor_.LoadRestPose(*pose);
  });
  Refresh();
  Changed();
}

void TPrmDlg::BuildMenu() {
  prmMenu_ = new QMenu(this);
  prmMenu_->setObjectName("PrmMenu");
}

void TPrmDlg::OpenMenu(int tag, const QPoint& globalPos) {
  menuTag_ = tag;
  prmMenu_->clear();
  const bool channel = tag >= 1 && tag <= kChannels;
  const auto add = [this](const char* name, const QString& caption, auto handler) {
    QAction* action = prmMenu_->addAction(caption, this, handler);
    action->setObjectName(name);
    return action;
  };
  if (channel) {
    struct TypeItem {
      const char* name;
      const char* caption;
      int tag;
      int only;  // 0 always, 1 pulse servo, 2 serial servo
    };
    static constexpr TypeItem kItems[] = {
        {"MenuType1", "NONE", kTypeNone, 0},   {"MenuType2", "SERVO", kTypeServo, 0},
        {"MenuType3", "FREE", kTypeFree, 0},   {"MenuType4", "SET1", kTypeSet1, 1},
        {"MenuType5", "SET2", kTypeSet2, 1},   {"MenuType6", "SET3", kTypeSet3, 1},
        {"MenuType9", "SPEED", kTypeSpeed, 2}, {"MenuType10", "STRETCH", kTypeStretch, 2},
        {"MenuType7", "H", kTypeHigh, 0},      {"MenuType8", "L", kTypeLow, 0}};
    const bool serial = editor_.IsSerialServo(tag);
    for (const TypeItem& item : kItems) {
      if ((item.only == 1 && serial) || (item.only == 2 && !serial)) continue;
      add(item.name, item.caption, [this, tag, t = item.tag] {
        editor_.TypeChosen(tag, t);
        RefreshChannel(tag);
        Changed();
      });
    }
    prmMenu_->addSeparator()->setObjectName("N2");
  }
  add("N27", tr("Set Home Position"), [this] { editor_.SetHomePosition(); });
  prmMenu_->addSeparator()->setObjectName("N4");
  QMenu* visible = prmMenu_->addMenu(tr("Panel Display"));
  visible->setObjectName("VisibleMenu");
  for (int p = 1; p <= kEditorPanels; ++p) {
    const QString caption = p <= kChannels ? QString::fromStdString(layout_.ChannelCaption(p))
                                           : QString(kPanelNames[p - kSpeedPanel]);
    QAction* action = visible->addAction(caption, this, [this, p] {
      layout_.TogglePanel(p);
      ApplyLayout();
    });
    action->setObjectName(QString("VCH%1").arg(p));
    action->setCheckable(true);
    action->setChecked(layout_.Panel(p).Visible);
  }
  QMenu* colors = prmMenu_->addMenu(tr("Color"));
  colors->setObjectName("PmColor");
  int colorItem = 0;
  for (const ColorMenuEntry& entry : kColorMenu) {
    // The editor's colour items are N25 (Standard) and then N8 ... N24 in menu order.
    const QString name = colorItem == 0 ? "N25" : QString("N%1").arg(7 + colorItem);
    ++colorItem;
    QAction* item = colors->addAction(
        QString::fromUtf8(Pick(entry.japanese, entry.english)), this, [this, tag, entry] {
          uint32_t color = entry.color;
          if (entry.tag == kColorEtcTag) {
            const QColor chosen = QColorDialog::getColor(Qt::white, this);
            color = chosen.isValid() ? ToBgr(chosen) : kColorButtonFace;
          }
          if (tag == 0)
            layout_.SetEditorColor(color);
          else
            layout_.SetPanelColor(tag, color);
          ApplyLayout();
        });
    item->setObjectName(name);
  }
  if (channel) {
    add("PmName", tr("Name"), [this] { ChangeNames(); });
    prmMenu_->addSeparator()->setObjectName("N6");
  }
  add("RateBtn", tr("Display Scale Factor"), [this] { ChangeScales(); });
  if (tag == 0) {
    prmMenu_->addSeparator()->setObjectName("N3");
    add("PmImage", tr("Background Image"), [this] { ChooseBackground(); });
    QAction* shown = add("Background", tr("Display Background"), [this] {
      layout_.SetBackgroundShown(!layout_.BackgroundShown());
      update();
    });
    shown->setCheckable(true);
    shown->setChecked(layout_.BackgroundShown());
  }
  prmMenu_->addSeparator()->setObjectName("N7");
  QAction* lock =
      add("HoldSwitch", tr("Panel Lock"), [this] { layout_.SetPanelLock(!layout_.PanelLock()); });
  lock->setCheckable(true);
  lock->setChecked(layout_.PanelLock());
  prmMenu_->popup(globalPos);
}

void TPrmDlg::ChangeNames() {
  if (portDlg_ == nullptr) return;
  ChannelTexts names;
  for (int n = 1; n <= kChannels; ++n)
    names[static_cast<size_t>(n - 1)] = ReadChannelName(link_, n).value_or(std::string());
  const std::optional<ChannelTexts> entered = portDlg_->RunNames(names, this);
  if (!entered) return;
  for (int n = 1; n <= kChannels; ++n)
    if (!(*entered)[static_cast<size_t>(n - 1)].empty())
      layout_.SetChannelCaption(n, (*entered)[static_cast<size_t>(n - 1)]);
  ApplyLayout();
  for (int n = 1; n <= kChannels; ++n)
    if (!WriteChannelName(link_, n, layout_.ChannelCaption(n))) break;
}

void TPrmDlg::ChangeScales() {
  if (portDlg_ == nullptr) return;
  ChannelTexts factors;
  for (int n = 1; n <= kChannels; ++n)
    factors[static_cast<size_t>(n - 1)] = ScaleText(layout_.ScaleFactor(n)).toStdString();
  const std::optional<ChannelTexts> entered = portDlg_->RunScales(factors, this);
  if (!entered) return;
  for (int n = 1; n <= kChannels; ++n) {
    const std::optional<double> factor =
        ParseDecimalNumber(TrimBlanks((*entered)[static_cast<size_t>(n - 1)]));
    if (factor) layout_.SetScaleFactor(n, *factor);
    editor_.SetScaleFactor(n, layout_.ScaleFactor(n));
  }
  Refresh();
}

void TPrmDlg::ChooseBackground() {
  const std::optional<FileAnswer> file =
      prompter_.ChooseFile({false, tr("Background Image").toStdString(), std::string(),
                            "*.jpg (*.jpg);;*.jpeg (*.jpeg);;*.bmp (*.bmp);;*.* (*)"});
  if (!file) return;
  const QString path = QString::fromStdString(file->path);
  layout_.SetBackgroundPath(path.toStdString());
  layout_.SetBackgroundShown(LoadPicture(path.toStdString()));
  ApplyLayout();
}

bool TPrmDlg::LoadPicture(const std::string& path) {
  if (path.empty() || !QFileInfo::exists(QString::fromStdString(path))) return false;
  std::string why;
  QImage picture = ReadBackgroundPicture(path, why);
  if (picture.isNull()) {
    const QString text =
        why.empty()
            ? tr("There is no designated background image")
            : tr("There is no designated background image (%1)").arg(QString::fromStdString(why));
    prompter_.MsgBox(MsgKind::Error, MsgButtons::Ok, text.toStdString());
    return false;
  }
  background_ = std::move(picture);
  layout_.SetSize(background_.width(), background_.height());
  ApplyLayout();
  return true;
}

void TPrmDlg::ApplyLayout() {
  setFixedSize(layout_.Width(), layout_.Height());
  QPalette p = palette();
  p.setColor(QPalette::Window, FromBgr(QtCanvasPalette(palette()).Resolve(layout_.EditorColor())));
  setPalette(p);
  for (int panel = 1; panel <= kEditorPanels; ++panel) {
    QFrame* frame = panels_[static_cast<size_t>(panel - 1)];
    const EditorPanel& state = layout_.Panel(panel);
    frame->move(state.Left, state.Top);
    frame->setVisible(state.Visible);
    ApplyPanelColor(panel);
    if (panel <= kChannels)
      channels_[static_cast<size_t>(panel - 1)].label->setText(
          QString::fromStdString(layout_.ChannelCaption(panel)));
  }
  update();
}

void TPrmDlg::ApplyPanelColor(int panel) {
  QFrame* frame = panels_[static_cast<size_t>(panel - 1)];
  const uint32_t fill = QtCanvasPalette(palette()).Resolve(layout_.Panel(panel).Color);
  QPalette p = frame->palette();
  p.setColor(QPalette::Window, FromBgr(fill));
  p.setColor(QPalette::WindowText, FromBgr(LabelColorFor(fill)));
  p.setColor(QPalette::ButtonText, FromBgr(LabelColorFor(fill)));
  frame->setPalette(p);
}

void TPrmDlg::Open(Chart& chart, int index, std::unique_ptr<PoseTarget> target) {
  chart_ = &chart;
  index_ = index;
  target_ = target ? std::move(target) : std::make_unique<ChartPoseTarget>(chart, index);
  show();
  raise();
  activateWindow();
  panels_[kCommandPanel - 1]->setFocus();
  editor_.Open(target_.get());
  setWindowTitle(QString::fromStdString(editor_.Caption()));
  Refresh();
}

void TPrmDlg::ReloadObject() {
  if (target_ == nullptr || !isVisible()) return;
  const PoseRecord pose = target_->Pose();
  mirroring_ = true;
  for (int c = 1; c <= kChannels; ++c) {
    editor_.ShowWord(c, pose.Values[static_cast<size_t>(c - 1)]);
    editor_.SetKind(c, ChannelKindOf(pose.Values[static_cast<size_t>(c - 1)]));
  }
  mirroring_ = false;
  Refresh();
}

void TPrmDlg::Refresh() {
  for (int c = 1; c <= kChannels; ++c) RefreshChannel(c);
  const bool wasMirroring = std::exchange(mirroring_, true);
  speedBar_->setValue(editor_.SpeedBar());
  speedEdit_->setText(QString::fromStdString(editor_.SpeedEditText()));
  mirroring_ = wasMirroring;
}

void TPrmDlg::RefreshChannel(int c) {
  const ChannelPanelState& state = editor_.Channel(c);
  ChannelControls& ch = channels_[static_cast<size_t>(c - 1)];
  layout_.SetLastKind(c, state.Kind);
  const bool servo = state.Kind == ChannelKind::Servo;
  const bool level = state.Kind == ChannelKind::Level;
  const bool freeSet = state.Kind == ChannelKind::FreeSet;
  const bool speed = state.Kind == ChannelKind::SpeedStretch;
  const bool wasMirroring = std::exchange(mirroring_, true);
  ch.edit->setVisible(servo || freeSet || speed);
  ch.scroll->setVisible(servo);
  ch.ssl->setVisible(speed);
  ch.slb->setVisible(speed);
  for (int r = 0; r < kChannelRadios; ++r)
    ch.radios[static_cast<size_t>(r)]->setVisible((level && r < 2) || (freeSet && r >= 2));
  if (!ch.edit->hasFocus() || ch.edit->text().toStdString() != state.EditText)
    ch.edit->setText(QString::fromStdString(state.EditText));
  QPalette editPalette = ch.edit->palette();
  editPalette.setColor(QPalette::Base, FromBgr(state.EditColor));
  editPalette.setColor(QPalette::Text, Qt::black);
  ch.edit->setPalette(editPalette);
  ch.scroll->setRange(state.Range.minimum, state.Range.maximum);
  if (!ch.scroll->isSliderDown() || ch.scroll->value() == state.Position)
    ch.scroll->setValue(state.Position);
  if (!ch.ssl->isSliderDown()) ch.ssl->setValue(state.SpeedStretch);
  ch.slb->setText(QString::fromStdString(state.SpeedStretchLabel));
  for (int r = 0; r < kChannelRadios; ++r) {
    QRadioButton* radio = ch.radios[static_cast<size_t>(r)];
    radio->setAutoExclusive(false);
    radio->setChecked(state.Radios[static_cast<size_t>(r)]);
    radio->setAutoExclusive(true);
  }
  mirroring_ = wasMirroring;
}

void TPrmDlg::Changed() {
  emit PoseChanged();
}

bool TPrmDlg::SaveLayout() {
  // Only the layout's own keys change; every other line of BRV3.ini stays as it was.
  return !settingsPath_.empty() && WriteSettingsKeys(settingsPath_, kLayoutSection, layout_.Keys());
}

void TPrmDlg::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!layout_.BackgroundShown() || background_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, background_);
}

void TPrmDlg::contextMenuEvent(QContextMenuEvent* event) {
  QWidget* child = childAt(event->pos());
  int tag = 0;
  for (QWidget* w = child; w != nullptr && w != this; w = w->parentWidget()) {
    const QVariant t = w->property("tag");
    if (t.isValid() && qobject_cast<QFrame*>(w) != nullptr && w->parentWidget() == this) {
      tag = t.toInt();
      break;
    }
  }
  OpenMenu(tag, event->globalPos());
}

bool TPrmDlg::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return QWidget::eventFilter(watched, event);
  const int tag = widget->property("tag").toInt();
  if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || layout_.PanelLock()) return false;
    // The grab point in the panel's coordinates (a label adds its offset).
    const QPoint offset = widget->parentWidget() == this ? QPoint() : widget->pos();
    grab_ = mouse->position().toPoint() + offset;
    dragPanel_ = tag;
    panels_[static_cast<size_t>(tag - 1)]->raise();
    return false;
  }
  if (event->type() == QEvent::MouseMove && dragPanel_ == tag && tag > 0) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!(mouse->buttons() & Qt::LeftButton) || mouse->modifiers() != Qt::NoModifier) return false;
    const QPoint offset = widget->parentWidget() == this ? QPoint() : widget->pos();
    const QPoint at = mouse->position().toPoint() + offset;
    if (layout_.DragPanel(tag, {grab_.x(), grab_.y()}, {at.x(), at.y()})) {
      const EditorPanel& p = layout_.Panel(tag);
      panels_[static_cast<size_t>(tag - 1)]->move(p.Left, p.Top);
    }
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) dragPanel_ = 0;
  return QWidget::eventFilter(watched, event);
}

}  // namespace brv3
