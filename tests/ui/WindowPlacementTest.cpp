#include "ui/app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace brv3 {
namespace {

// A dialog goes to the right of the window, to its left when the screen has no room there, and
// never off the screen.
TEST(WindowPlacementTest, BesideTheWindowAndOnTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget window;
  window.setGeometry(area.left() + 40, area.top() + 30, 200, 150);
  QWidget dialog;
  dialog.resize(120, 90);
  PlaceBesideWindow(dialog, window);
  EXPECT_EQ(dialog.pos(), QPoint(window.frameGeometry().right() + 1, window.frameGeometry().top()));

  window.move(area.right() - 250, area.bottom() - 100);
  PlaceBesideWindow(dialog, window);
  EXPECT_EQ(dialog.frameGeometry().right() + 1, window.frameGeometry().left());
  EXPECT_LE(dialog.frameGeometry().bottom(), area.bottom());

  window.setGeometry(area.left(), area.top(), area.width(), 100);  // no room on either side
  PlaceBesideWindow(dialog, window);
  EXPECT_GE(dialog.frameGeometry().left(), area.left());
  EXPECT_LE(dialog.frameGeometry().right(), area.right());
}

}  // namespace
}  // namespace brv3
