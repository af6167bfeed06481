#include "ui/motion/PortDlg.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/chart/CanvasDrawing.h"
#include "core/chart/ChartFiles.h"
#include "core/motion/PanelLayout.h"
#include "core/motion/PatternActions.h"
#include "core/util/Prompter.h"
#include "ui/chart/BgrColor.h"
#include "ui/chart/CanvasPainter.h"

namespace brv3 {
namespace {

const char* const kConversionHints[] = {"CopyTo(?)", "ReadTo(?)", "Change(?)", "Reverse",
                                        "PRM(?)",    "ADD(?)",    "MUL(?)",    "SPD(?)"};
const char* const kLinkHints[] = {"PRM(?)", "MOV(?)", "TTL(?)", "SET(?)",
                                  "FREE",   "SPD(?)", "STR(?)", "TCH"};
// The filters of the exchange files' dialogs, the QVB one first.
QString ExchangeFileFilters() {
  return TPortDlg::tr("QVB file (*.QVB);;Show all files (*.*)");
}

}  // namespace

TPortDlg::TPortDlg(std::string patternPath, Prompter& prompter, const ChannelLook* look,
                   QWidget* parent)
    : QDialog(parent), patternPath_(std::move(patternPath)), prompter_(prompter), look_(look) {
  setObjectName("PortDlg");
  storeUsable_ = store_.Load(patternPath_, &storeError_);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  listLabel_ = new QLabel(tr("Name"), this);
  listLabel_->setObjectName("ListLabel");
  listMenu_ = new QComboBox(this);
  listMenu_->setObjectName("ListMenu");
  listMenu_->setEditable(true);
  listMenu_->setInsertPolicy(QComboBox::NoInsert);
  listMenu_->setMinimumWidth(200);
  delBtn_ = new QPushButton(tr("Delete"), this);
  delBtn_->setObjectName("DelBtn");
  top->addWidget(listLabel_);
  top->addWidget(listMenu_, 1);
  top->addWidget(delBtn_);
  layout->addLayout(top);

  auto* grid = new QGridLayout;
  for (int c = 1; c <= kChannels; ++c) {
    auto* label = new QLabel(QString("CH%1").arg(c), this);
    label->setObjectName(QString("PortName%1").arg(c));
    label->setAutoFillBackground(true);
    label->setMinimumWidth(70);
    auto* box = new QComboBox(this);
    box->setObjectName(QString("Cmb%1").arg(c));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(120);
    const int row = (c - 1) % 12;
    const int column = (c - 1) / 12 * 2;
    grid->addWidget(label, row, column);
    grid->addWidget(box, row, column + 1);
    names_[static_cast<size_t>(c - 1)] = label;
    boxes_[static_cast<size_t>(c - 1)] = box;
  }
  layout->addLayout(grid);

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("Button1");
  auto* save = new QPushButton(tr("Save"), this);
  save->setObjectName("Button2");
  auto* load = new QPushButton(tr("Load"), this);
  load->setObjectName("Button3");
  buttons->addWidget(save);
  buttons->addWidget(load);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, &TPortDlg::OKBtnClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(save, &QPushButton::clicked, this, &TPortDlg::Button2Click);
  connect(load, &QPushButton::clicked, this, &TPortDlg::Button3Click);
  connect(delBtn_, &QPushButton::clicked, this, &TPortDlg::DelBtnClick);
  connect(listMenu_, qOverload<int>(&QComboBox::activated), this, &TPortDlg::ListChosen);
}

PatternKind TPortDlg::Kind() const {
  return mode_ == Mode::Link ? PatternKind::Link : PatternKind::Conversion;
}

std::string TPortDlg::Name() const {
  return listMenu_->currentText().toStdString();
}

ChannelTexts TPortDlg::Entries() const {
  ChannelTexts entries;
  for (int c = 1; c <= kChannels; ++c)
    entries[static_cast<size_t>(c - 1)] = Entry(c)->currentText().toStdString();
  return entries;
}

void TPortDlg::ShowEntries(const ChannelTexts& entries) {
  for (int c = 1; c <= kChannels; ++c)
    Entry(c)->setEditText(QString::fromStdString(entries[static_cast<size_t>(c - 1)]));
}

void TPortDlg::FillNames() {
  listMenu_->clear();
  for (const std::string& name : store_.Names(Kind()))
    listMenu_->addItem(QString::fromStdString(name));
  listMenu_->setCurrentIndex(-1);
  listMenu_->setEditText(QString());
}

void TPortDlg::SetUp(Mode mode, const QString& caption, const ChannelTexts& entries) {
  mode_ = mode;
  setWindowTitle(caption);
  const bool named = mode == Mode::Conversion || mode == Mode::Link;
  listLabel_->setVisible(named);
  listMenu_->setVisible(named);
  delBtn_->setVisible(named);
  if (named) FillNames();
  const QPalette palette = this->palette();
  const CanvasPalette resolve = QtCanvasPalette(palette);
  for (int c = 1; c <= kChannels; ++c) {
    QLabel* label = names_[static_cast<size_t>(c - 1)];
    const bool ownCaption = mode != Mode::Names && look_ != nullptr;
    label->setText(ownCaption ? QString::fromStdString(look_->ChannelCaption(c))
                              : QString("CH%1").arg(c));
    QPalette p = palette;
    if (look_ != nullptr) {
      const uint32_t fill = resolve.Resolve(look_->ChannelColor(c));
      p.setColor(QPalette::Window, FromBgr(fill));
      p.setColor(QPalette::WindowText, FromBgr(LabelColorFor(fill)));
    }
    label->setPalette(p);
    QComboBox* box = Entry(c);
    box->clear();
    if (mode == Mode::Conversion)
      for (const char* hint : kConversionHints) box->addItem(hint);
    if (mode == Mode::Link)
      for (const char* hint : kLinkHints) box->addItem(hint);
  }
  ShowEntries(entries);
}

std::optional<ChannelTexts> TPortDlg::RunConversion() {
  SetUp(Mode::Conversion, tr("Convert"), {});
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Entries();
}

std::optional<ChannelTexts> TPortDlg::RunNames(const ChannelTexts& names, QWidget* from) {
  SetUp(Mode::Names, tr("Change of the name"), names);
  if (ExecFrom(from) != QDialog::Accepted) return std::nullopt;
  return Entries();
}

std::optional<ChannelTexts> TPortDlg::RunScales(const ChannelTexts& factors, QWidget* from) {
  SetUp(Mode::Scales, tr("Display Scale Factor"), factors);
  if (ExecFrom(from) != QDialog::Accepted) return std::nullopt;
  return Entries();
}

bool TPortDlg::RunLink(QWidget* from) {
  SetUp(Mode::Link, tr("Link Editing"), {});
  return ExecFrom(from) == QDialog::Accepted;
}

int TPortDlg::ExecFrom(QWidget* from) {
  QWidget* home = parentWidget();
  if (from == nullptr || from == home) return exec();
  const Qt::WindowFlags flags = windowFlags();
  setParent(from, flags);
  const int result = exec();
  setParent(home, flags);
  return result;
}

void TPortDlg::Persist() {
  // A PATTERN.ini that could not be read is never replaced by what this run holds.
  if (!storeUsable_) {
    prompter_.ShowStatus(tr("PATTERN.ini cannot be read; links and conversions are not kept: %1")
                             .arg(QString::fromStdString(storeError_))
                             .toStdString());
    return;
  }
  std::string error;
  if (!store_.Save(patternPath_, &error))
    prompter_.ShowStatus(tr("PATTERN.ini: %1").arg(QString::fromStdString(error)).toStdString());
}

void TPortDlg::ListChosen(int index) {
  if (index < 0) return;
  if (std::optional<ChannelTexts> entries = store_.Entries(Kind(), Name())) ShowEntries(*entries);
}

void TPortDlg::OKBtnClick() {
  switch (mode_) {
    case Mode::Conversion:
      if (SaveConversionSet(store_, Name(), Entries(), prompter_)) Persist();
      break;
    case Mode::Link:
      if (!SaveLinkSet(store_, Name(), Entries(), prompter_)) return;
      Persist();
      emit LinksChanged();
      break;
    case Mode::Names:
    case Mode::Scales:
      break;
  }
  accept();
}

void TPortDlg::DelBtnClick() {
  if (mode_ != Mode::Conversion && mode_ != Mode::Link) return;
  const std::string name = Name();
  if (!store_.Contains(Kind(), name)) return;
  if (!DeleteSet(store_, Kind(), name, prompter_)) return;
  Persist();
  FillNames();
  ShowEntries({});
  if (mode_ == Mode::Link) {
    emit LinksChanged();
    emit LinkDeleted(QString::fromStdString(name));
  }
}

void TPortDlg::Button2Click() {
  if (mode_ != Mode::Conversion && mode_ != Mode::Link) return;
  if (Name().empty()) return;
  const std::optional<FileAnswer> file = prompter_.ChooseFile(
      {true, tr("Save").toStdString(), std::string(), ExchangeFileFilters().toStdString()});
  if (!file) return;
  // With the QVB filter the name takes the extension .QVB in place of its own, as charts do.
  const std::string path = ChartFileName(file->path, file->filterIndex + 1);
  if (!ExportSet(store_, Kind(), Name(), Entries(), path, prompter_)) return;
  Persist();
  FillNames();
  if (mode_ == Mode::Link) emit LinksChanged();
}

void TPortDlg::Button3Click() {
  if (mode_ != Mode::Conversion && mode_ != Mode::Link) return;
  const std::optional<FileAnswer> file = prompter_.ChooseFile(
      {false, tr("Open").toStdString(), std::string(), ExchangeFileFilters().toStdString()});
  if (!file) return;
  const ImportResult result = ImportSet(store_, Kind(), file->path, prompter_);
  if (result.status != ImportStatus::Imported) return;
  Persist();
  FillNames();
  listMenu_->setEditText(QString::fromStdString(result.name));
  ShowEntries(result.entries);
  if (mode_ == Mode::Link) emit LinksChanged();
}

}  // namespace brv3
