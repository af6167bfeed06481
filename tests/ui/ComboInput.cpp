#include "ui/ComboInput.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

namespace brv3::test {
namespace {

constexpr int kDeadlineMs = 3000;

bool WaitShown(QComboBox* box, bool shown) {
  QAbstractItemView* view = box->view();
  if (QTest::qWaitFor([view, shown] { return view->isVisible() == shown; }, kDeadlineMs))
    return true;
  ADD_FAILURE() << box->objectName().toStdString() << ": list "
                << (shown ? "did not open" : "did not close");
  return false;
}

bool OpenByClick(QComboBox* box) {
  if (!box->isEnabled() || !box->isVisible()) {
    ADD_FAILURE() << box->objectName().toStdString() << " cannot be used (hidden or disabled)";
    return false;
  }
  // An editable list opens from its arrow; a click on its text only places the cursor.
  QPoint at = box->rect().center();
  if (box->isEditable()) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = true;
    at = box->style()
             ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box)
             .center();
  }
  QTest::mouseClick(box, Qt::LeftButton, {}, at);
  return WaitShown(box, true);
}

void Step(QAbstractItemView* view, int steps) {
  for (int i = 0; i < std::abs(steps); ++i)
    QTest::keyClick(view, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
}

}  // namespace

bool ChooseWithMouse(QComboBox* box, int index) {
  if (!OpenByClick(box)) return false;
  QAbstractItemView* view = box->view();
  const QModelIndex item = view->model()->index(index, box->modelColumn(), view->rootIndex());
  // The hand travels through the list to the item: a release right where the list was opened
  // would count as the end of the opening click. (Hovering scrolls the list, so the item's place
  // is taken after the travel.)
  QWidget* viewport = view->viewport();
  QTest::mouseMove(viewport, QPoint(1, 1));
  QTest::mouseMove(viewport, QPoint(viewport->width() - 2, viewport->height() - 2));
  view->scrollTo(item);
  // The part of the item's row that shows: a row may be wider than the list.
  const QPoint at = view->visualRect(item).intersected(viewport->rect()).center();
  QTest::mouseMove(viewport, at);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  return WaitShown(box, false);
}

bool ChooseWithKeys(QComboBox* box, int steps) {
  if (!box->isEnabled() || !box->isVisible()) {
    ADD_FAILURE() << box->objectName().toStdString() << " cannot be used (hidden or disabled)";
    return false;
  }
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
  if (!WaitShown(box, true)) return false;
  Step(box->view(), steps);
  QTest::keyClick(box->view(), Qt::Key_Return);
  return WaitShown(box, false);
}

bool OpenAndEscape(QComboBox* box, int steps) {
  if (!OpenByClick(box)) return false;
  Step(box->view(), steps);
  QTest::keyClick(box->view(), Qt::Key_Escape);
  return WaitShown(box, false);
}

}  // namespace brv3::test
