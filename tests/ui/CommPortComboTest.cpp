#include "ui/app/CommPortCombo.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>
#include <vector>

#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"

namespace brv3 {
namespace {

// The window with the port list, recording which entry each close of the list chose.
struct PortWindow {
  PortWindow() : window(env.SettingsPath()) {
    window.SetSelectPortHook([this](int index) {
      chosen.push_back(index);
      return true;
    });
    window.show();
    port = window.findChild<CommPortCombo*>("CommPort");
  }
  QAbstractItemView* OpenList() {
    port->showPopup();
    QApplication::processEvents();
    return port->view();
  }
  // Lets queued reports arrive.
  void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  test::UiEnvironment env;
  TBrivane3 window;
  CommPortCombo* port = nullptr;
  std::vector<int> chosen;
};

TEST(CommPortComboTest, TheEntryClickedIsTheOneSelectedNotThePreviousOne) {
  PortWindow w;
  ASSERT_NE(w.port, nullptr);
  for (int entry : {1, 2}) {
    QAbstractItemView* list = w.OpenList();
    ASSERT_TRUE(list->isVisible());
    const QRect cell = list->visualRect(list->model()->index(entry, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    w.Settle();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(w.port->currentIndex(), entry);
    ASSERT_FALSE(w.chosen.empty());
    EXPECT_EQ(w.chosen.back(), entry) << "clicked entry " << entry;
  }
  // One selection per close.
  EXPECT_EQ(w.chosen, (std::vector<int>{1, 2}));
}

TEST(CommPortComboTest, KeyboardPickSelectsTheNewEntryAndEscapeKeepsTheOldOne) {
  PortWindow w;
  w.window.ChoosePort(3);
  w.chosen.clear();

  QAbstractItemView* list = w.OpenList();
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  w.Settle();
  EXPECT_EQ(w.chosen, std::vector<int>{4});
  EXPECT_EQ(w.port->currentIndex(), 4);

  // Closing without a pick still selects the entry shown, once.
  list = w.OpenList();
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Escape);
  w.Settle();
  EXPECT_EQ(w.chosen, (std::vector<int>{4, 4}));
  EXPECT_EQ(w.port->currentIndex(), 4);

  // The wheel over the closed list changes nothing.
  QWheelEvent wheel(QPointF(5, 5), w.port->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w.port, &wheel);
  w.Settle();
  EXPECT_EQ(w.port->currentIndex(), 4);
  EXPECT_EQ(w.chosen.size(), 2u);
}

TEST(CommPortComboTest, TheListShowsAtMostThirtyRows) {
  PortWindow w;
  QAbstractItemView* list = w.OpenList();
  const int row = list->visualRect(list->model()->index(0, 0)).height();
  ASSERT_GT(row, 0);
  EXPECT_LE(list->viewport()->height(), 30 * row);
  EXPECT_GE(list->viewport()->height(), 20 * row);  // all 21 entries fit
  w.port->hidePopup();
}

}  // namespace
}  // namespace brv3
