#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "core/chart/Chart.h"
#include "ui/UiTestSupport.h"
#include "ui/robot/RobotDock.h"

namespace brv3 {
namespace {

void Type(QWidget* dialog, const char* name, const QString& text) {
  auto* spin = dialog->findChild<QSpinBox*>(name);
  ASSERT_NE(spin, nullptr) << name;
  spin->setFocus();
  QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(spin, text);
}

// The preview's inputs are set in their dialog with the keyboard and the mouse; OK hands them to
// the preview, Cancel changes nothing.
TEST(PreviewInputsTest, TheDialogSetsWhatThePreviewsBoardReads) {
  test::UiEnvironment env;
  Chart chart;
  RobotDock dock(chart);
  dock.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dock));
  auto* open = dock.findChild<QToolButton*>("RobotInputsBtn");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(dock.PreviewSettingsUsed().inputs.remoteCode, 0xFFFF);  // a fresh board: none held

  test::OnNextModal([](QWidget* dialog) {
    Type(dialog, "PreviewAd1", "500");
    Type(dialog, "PreviewAd3", "16383");
    auto* held = dialog->findChild<QCheckBox*>("PreviewRemoteHeld");
    auto* code = dialog->findChild<QSpinBox*>("PreviewRemoteCode");
    ASSERT_TRUE(held && code);
    EXPECT_FALSE(code->isEnabled());
    QTest::mouseClick(held, Qt::LeftButton, {}, QPoint(6, held->height() / 2));
    EXPECT_TRUE(code->isEnabled());
    Type(dialog, "PreviewRemoteCode", "20");
    Type(dialog, "PreviewLoopCounter", "3");
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
  });
  QTest::mouseClick(open, Qt::LeftButton);
  const PreviewSettings set = dock.PreviewSettingsUsed();
  EXPECT_EQ(set.inputs.analog, (std::array<uint16_t, 4>{650, 500, 0, 16383}));
  EXPECT_EQ(set.inputs.remoteCode, 0x20);
  EXPECT_EQ(set.loopCounter, 3);

  test::OnNextModal([](QWidget* dialog) {
    Type(dialog, "PreviewAd1", "7");
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel),
                      Qt::LeftButton);
  });
  QTest::mouseClick(open, Qt::LeftButton);
  EXPECT_EQ(dock.PreviewSettingsUsed().inputs.analog[1], 500);
}

}  // namespace
}  // namespace brv3
