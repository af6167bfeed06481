#include "ui/board/SVLDlg.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/motion/PanelLayout.h"
#include "ui/app/ShownTexts.h"
#include "ui/board/SVLPrm.h"

namespace brv3 {

SvlListWidget::SvlListWidget(TSVLDlg& owner, QWidget* parent) : QTreeWidget(parent), owner_(owner) {
  setObjectName("SVLList");
  setRootIsDecorated(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  QStringList headers;
  for (const char* column : kServoListColumns) headers << CoreText("ServoRecord", column);
  setHeaderLabels(headers);
}

int SvlListWidget::TargetRow(const QPoint& pos) const {
  const QModelIndex index = indexAt(pos);
  return index.isValid() ? index.row() : -1;
}

void SvlListWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() == this)
    event->acceptProposedAction();
  else
    event->ignore();
}

void SvlListWidget::dragMoveEvent(QDragMoveEvent* event) {
  const int to = TargetRow(event->position().toPoint());
  if (event->source() == this && owner_.CanDrop(currentIndex().row(), to))
    event->acceptProposedAction();
  else
    event->ignore();
}

void SvlListWidget::dropEvent(QDropEvent* event) {
  const int to = TargetRow(event->position().toPoint());
  if (event->source() != this || to < 0) {
    event->ignore();
    return;
  }
  // The list's rows stay where they are: a drop copies a record, it moves no row.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  owner_.DropRow(currentIndex().row(), to);
}

TSVLDlg::TSVLDlg(BoardLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent), link_(link), prompter_(prompter) {
  setObjectName("SVLDlg");
  setWindowTitle(tr("SVL"));
  resize(900, 520);
  auto* layout = new QVBoxLayout(this);
  auto* read = new QPushButton(tr("Load"), this);
  readBtn_ = read;
  read->setObjectName("SioReadBtn");
  read->setToolTip(tr("Load"));
  read->setAutoDefault(false);  // Enter in the list is not a request to reload it
  layout->addWidget(read, 0, Qt::AlignLeft);
  tree_ = new SvlListWidget(*this, this);
  layout->addWidget(tree_);
  prm_ = new TSVLPrm(this);
  showPrm_ = [](TSVLPrm& prm) { prm.exec(); };
  connect(read, &QPushButton::clicked, this, &TSVLDlg::SioReadBtnClick);
  connect(tree_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { EditRow(tree_->indexOfTopLevelItem(item)); });
}

TSVLDlg::~TSVLDlg() = default;

bool TSVLDlg::Prepare() {
  list_ = std::make_unique<ServoList>(link_, prompter_, look_);
  if (!list_->Open()) return false;
  ShowRows();
  return true;
}

bool TSVLDlg::Run() {
  if (!Prepare()) return false;
  exec();
  return true;
}

void TSVLDlg::done(int result) {
  if (list_) list_->Close();
  QDialog::done(result);
}

void TSVLDlg::ShowRows() {
  tree_->clear();
  if (!list_) return;
  for (int n = 1; n <= kChannels; ++n) {
    QStringList texts;
    for (const std::string& text : list_->Row(n)) texts << QString::fromStdString(text);
    auto* item = new QTreeWidgetItem(texts);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled |
                   Qt::ItemIsDropEnabled);
    tree_->addTopLevelItem(item);
  }
}

void TSVLDlg::SioReadBtnClick() {
  if (!list_) return;
  SetBusy(true);
  list_->Load();
  ShowRows();
  SetBusy(false);
}

void TSVLDlg::EditRow(int row) {
  if (!list_ || row < 0 || row >= kChannels) return;
  const int channel = row + 1;
  // The list is held still while it talks to the board, and usable again before the parameters
  // show.
  SetBusy(true);
  const std::optional<ServoRecord> record = list_->BeginEdit(channel);
  SetBusy(false);
  if (!record) return;
  prm_->setWindowTitle(QString::fromStdString(list_->EditCaption(channel)));
  prm_->Load(*record);
  showPrm_(*prm_);
  SetBusy(true);
  list_->FinishEdit(channel, prm_->Store());
  ShowRows();
  tree_->setCurrentItem(tree_->topLevelItem(row));
  SetBusy(false);
}

// While the board is asked, the list and its button take no input. The dialog itself stays
// enabled: the parameter dialog and any message are its children and would be greyed out with it.
void TSVLDlg::SetBusy(bool busy) {
  tree_->setEnabled(!busy);
  readBtn_->setEnabled(!busy);
}

bool TSVLDlg::CanDrop(int from, int to) const {
  return list_ && list_->CanDrop(from + 1, to + 1);
}

void TSVLDlg::DropRow(int from, int to) {
  if (!CanDrop(from, to)) return;
  SetBusy(true);
  list_->Drop(from + 1, to + 1);
  ShowRows();
  SetBusy(false);
}

}  // namespace brv3
