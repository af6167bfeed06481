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
  EXPECT_EQ(dialog.x(), window.frameGeometry().left() - 120);
  EXPECT_LE(dialog.y() + 90, area.bottom() + 1);

  window.setGeometry(area.left(), area.top(), area.width(), 100);  // no room on either side
  PlaceBesideWindow(dialog, window);
  EXPECT_GE(dialog.x(), area.left());
  EXPECT_LE(dialog.x() + 120, area.right() + 1);
}

}  // namespace
}  // namespace brv3
