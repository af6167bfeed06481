#include "ui/WindowTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>

namespace brv3::test {

const QRegularExpression kJapanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));

namespace {

// Rows of a list or table and of their branches, up to a few hundred.
void ModelTexts(const QAbstractItemModel& model, const QModelIndex& parent, QStringList& texts) {
  const int rows = std::min(model.rowCount(parent), 300);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < model.columnCount(parent); ++c) {
      const QModelIndex index = model.index(r, c, parent);
      texts << index.data(Qt::DisplayRole).toString() << index.data(Qt::ToolTipRole).toString();
      if (c == 0 && model.hasChildren(index)) ModelTexts(model, index, texts);
    }
  }
}

// A rich text label as it reads.
QString Plain(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  QTextDocument doc;
  doc.setHtml(text);
  return doc.toPlainText();
}

}  // namespace

QStringList ShownTexts(const QWidget& window) {
  QStringList texts{window.windowTitle(), window.toolTip()};
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (w->isWindow()) texts << w->windowTitle();
    texts << w->toolTip() << w->statusTip() << w->whatsThis();
  }
  for (const QAction* a : window.findChildren<QAction*>()) {
    if (a->isSeparator()) continue;
    texts << a->text() << a->toolTip() << a->statusTip();
  }
  for (const QMenu* m : window.findChildren<QMenu*>()) texts << m->title();
  for (const QAbstractButton* b : window.findChildren<QAbstractButton*>()) texts << b->text();
  for (const QLabel* l : window.findChildren<QLabel*>()) texts << Plain(l->text());
  for (const QGroupBox* g : window.findChildren<QGroupBox*>()) texts << g->title();
  for (const QDockWidget* d : window.findChildren<QDockWidget*>()) texts << d->windowTitle();
  for (const QToolBar* t : window.findChildren<QToolBar*>()) texts << t->windowTitle();
  for (const QTabWidget* t : window.findChildren<QTabWidget*>())
    for (int i = 0; i < t->count(); ++i) texts << t->tabText(i) << t->tabToolTip(i);
  for (const QComboBox* c : window.findChildren<QComboBox*>()) {
    texts << c->placeholderText();
    for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
  }
  for (const QLineEdit* e : window.findChildren<QLineEdit*>()) texts << e->placeholderText();
  for (const QAbstractItemView* v : window.findChildren<QAbstractItemView*>()) {
    const QAbstractItemModel* model = v->model();
    if (!model || qobject_cast<const QComboBox*>(v->parentWidget())) continue;
    for (const QHeaderView* h : v->findChildren<QHeaderView*>()) {
      const int n = h->orientation() == Qt::Horizontal ? model->columnCount() : model->rowCount();
      for (int i = 0; i < n; ++i)
        texts << model->headerData(i, h->orientation(), Qt::DisplayRole).toString();
    }
    if (const auto* header = qobject_cast<const QHeaderView*>(v)) {
      Q_UNUSED(header);
      continue;
    }
    ModelTexts(*model, QModelIndex(), texts);
  }
  texts.removeAll(QString());
  texts.removeDuplicates();
  return texts;
}

QStringList EnglishWords(const QString& text) {
  // Names and tokens that read the same in a Japanese window: the program's name and units.
  // Parts of paths (/dev/ttyUSB0) are not words.
  static const QStringList allowed{"Brivane", "Part3", "ms", "sec", "Hz", "mV"};
  static const QRegularExpression word(
      QStringLiteral("(?<![A-Za-z0-9_/.])[A-Za-z]*[a-z][A-Za-z]*(?![A-Za-z0-9_/])"));
  QStringList found;
  for (auto it = word.globalMatch(text); it.hasNext();) {
    const QString w = it.next().captured();
    if (w.size() >= 3 && !allowed.contains(w)) found << w;
  }
  return found;
}

}  // namespace brv3::test
