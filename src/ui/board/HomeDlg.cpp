#include "ui/board/HomeDlg.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "core/comm/BoardLink.h"
#include "core/motion/PanelLayout.h"
#include "core/util/IniFile.h"
#include "core/util/Prompter.h"
#include "ui/app/ShownTexts.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {
namespace {

QString TrimFileFilters() {
  return THomeDlg::tr("QVB file (*.QVB);;Show all files (*.*)");
}

}  // namespace

THomeDlg::THomeDlg(BoardLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), editor0_(link) {
  setObjectName("HomeDlg");
  setWindowTitle(tr("TrimDialog"));
  resize(kEditorWidth, kEditorHeight);
  for (int n = 1; n <= kChannels; ++n) {
    Row& row = rows_[static_cast<size_t>(n - 1)];
    const QString num = QString::number(n);
    row.panel = new QFrame(this);
    row.panel->setObjectName("Panel" + num);
    row.panel->setAutoFillBackground(true);
    row.panel->setGeometry(PanelLayout::DefaultPanel(n).Left, PanelLayout::DefaultPanel(n).Top,
                           kPanelWidth, kPanelHeight);
    row.label = new QLabel("CH" + num, row.panel);
    row.label->setObjectName("Label" + num);
    row.label->setGeometry(2, 4, 50, 16);
    row.edit = new QLineEdit("0", row.panel);
    row.edit->setObjectName("Edit" + num);
    row.edit->setProperty("channel", n);
    row.edit->setGeometry(54, 2, 44, 20);
    row.scroll = new QSlider(Qt::Horizontal, row.panel);
    row.scroll->setObjectName("Scroll" + num);
    row.scroll->setProperty("channel", n);
    row.scroll->setGeometry(100, 2, 150, 20);
    row.scroll->setRange(kPulseTrimMin, kPulseTrimMax);
    row.scroll->setValue(kTrimCentre);
    connect(row.scroll, &QSlider::valueChanged, this, [this, n](int value) {
      if (updating_) return;
      editor0_.SliderMoved(n, value);
      ShowRows();
    });
    connect(row.edit, &QLineEdit::returnPressed, this, [this, n] {
      editor0_.EditEntered(n, rows_[static_cast<size_t>(n - 1)].edit->text().toStdString());
      ShowRows();
    });
  }
  panel26_ = new QFrame(this);
  panel26_->setObjectName("Panel26");
  panel26_->setGeometry(PanelLayout::DefaultPanel(kCommandPanel).Left,
                        PanelLayout::DefaultPanel(kCommandPanel).Top, kPanelWidth, kPanelHeight);
  auto* open = new QPushButton(tr("Load"), panel26_);
  open->setObjectName("OpenBtn");
  open->setToolTip(tr("Load"));
  open->setGeometry(2, 2, 80, 20);
  auto* save = new QPushButton(tr("Save"), panel26_);
  save->setObjectName("SaveBtn");
  save->setToolTip(tr("Save"));
  save->setGeometry(86, 2, 80, 20);
  // Enter belongs to the channel edits: neither file button is a default button.
  for (QPushButton* button : {open, save}) button->setAutoDefault(false);
  connect(open, &QPushButton::clicked, this, &THomeDlg::OpenBtnClick);
  connect(save, &QPushButton::clicked, this, &THomeDlg::SaveBtnClick);
}

bool THomeDlg::Prepare() {
  if (!editor0_.Open()) return false;
  Dress();
  ShowRows();
  opened_ = true;
  return true;
}

bool THomeDlg::Run() {
  if (!Prepare()) return false;
  exec();
  return true;
}

void THomeDlg::done(int result) {
  if (opened_) {
    opened_ = false;
    editor0_.Close();
  }
  QDialog::done(result);
}

void THomeDlg::ShowRows() {
  updating_ = true;
  for (int n = 1; n <= kChannels; ++n) {
    Row& row = rows_[static_cast<size_t>(n - 1)];
    const TrimRange range = editor0_.Range(n);
    row.scroll->setRange(range.min, range.max);
    row.scroll->setValue(editor0_.Position(n));
    row.edit->setText(QString::fromStdString(editor0_.EditText(n)));
  }
  updating_ = false;
}

// The rows take the position editor's channel names, colours and shown panels, but stay in their
// own grid: the editor's panels may have been dragged anywhere over a picture, and trim rows
// placed there would overlap.
void THomeDlg::Dress() {
  if (!editor_) return;
  const PanelLayout& layout = editor_->Layout();
  for (int n = 1; n <= kChannels; ++n) {
    Row& row = rows_[static_cast<size_t>(n - 1)];
    row.panel->setVisible(layout.Panel(n).Visible);
    row.panel->setPalette(editor_->ChannelPanel(n)->palette());
    row.label->setText(QString::fromStdString(layout.ChannelCaption(n)));
  }
  panel26_->setPalette(editor_->ChannelPanel(kCommandPanel)->palette());
}

void THomeDlg::OpenBtnClick() {
  const std::optional<FileAnswer> file = prompter_.ChooseFile(
      {false, tr("Load").toStdString(), std::string(), TrimFileFilters().toStdString()});
  if (!file) return;
  IniFile ini;
  std::optional<TrimSet> trim;
  if (ini.LoadFile(file->path)) trim = ReadTrimFile(ini);
  if (!trim) {
    prompter_.MsgBox(MsgKind::Warning, MsgButtons::Ok,
                     CoreText("Trim", kTrimFileUnusable).toStdString(), kJapanese);
    return;
  }
  editor0_.LoadTrim(*trim);
  ShowRows();
}

void THomeDlg::SaveBtnClick() {
  const std::optional<FileAnswer> file = prompter_.ChooseFile(
      {true, tr("Save").toStdString(), std::string(), TrimFileFilters().toStdString()});
  if (!file) return;
  QString path = QString::fromStdString(file->path);
  if (file->filterIndex == 0) {
    const QFileInfo info(path);
    path = info.path() + "/" + info.completeBaseName() + ".QVB";
  }
  IniFile ini;
  ini.LoadFile(path.toStdString());
  const std::string target = path.toStdString();
  WriteTrimFile(ini, editor0_.Positions());
  if (!ini.SaveFile(target)) {
    prompter_.MsgBox(MsgKind::Error, MsgButtons::Ok,
                     CoreText("Trim", kTrimFileUnwritable).toStdString(), kJapanese);
    return;
  }
}

}  // namespace brv3
