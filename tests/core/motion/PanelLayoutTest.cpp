#include "core/motion/PanelLayout.h"

#include <gtest/gtest.h>

#include "core/chart/CanvasDrawing.h"
#include "core/util/IniFile.h"

namespace brv3 {
namespace {

TEST(PanelLayoutTest, WithoutSettingsTwoColumnsAndTheThreePanelsBelow) {
  IniFile empty;
  PanelLayout layout;
  layout.Load(empty);
  EXPECT_EQ(layout.Width(), 508);
  EXPECT_EQ(layout.Height(), 336);
  EXPECT_EQ(layout.EditorColor(), kColorButtonFace);
  EXPECT_EQ(layout.Panel(1).Left, 0);
  EXPECT_EQ(layout.Panel(12).Top, 264);
  EXPECT_EQ(layout.Panel(13).Left, 254);
  EXPECT_EQ(layout.Panel(13).Top, 0);
  EXPECT_EQ(layout.Panel(24).Top, 264);
  EXPECT_EQ(layout.Panel(kSpeedPanel).Top, 288);
  EXPECT_EQ(layout.Panel(kCommandPanel).Top, 312);
  EXPECT_EQ(layout.Panel(kLinkPanel).Left, 254);
  EXPECT_EQ(layout.ChannelCaption(7), "CH7");
  EXPECT_EQ(layout.ScaleFactor(7), 1.0);
  EXPECT_TRUE(layout.PanelLock());
  EXPECT_FALSE(layout.BackgroundShown());
}

TEST(PanelLayoutTest, ChannelKeyFieldsAndTheirFallbacks) {
  IniFile ini;
  ini.LoadText(
      "[BRV3]\nCH5=0,300,40,255,1,0.5,Knee\nCH6=1,abc,7,,9,x\nCH7=2\n"
      "Form=600,400,255\nBmp=/pics/robot.jpg\nBackground=1\nLINK=0,10,-5,-2147483633\n");
  PanelLayout layout;
  layout.Load(ini);
  EXPECT_FALSE(layout.Panel(5).Visible);
  EXPECT_EQ(layout.Panel(5).Left, 300);
  EXPECT_EQ(layout.Panel(5).Top, 40);
  EXPECT_EQ(layout.Panel(5).Color, 0x0000FFu);
  EXPECT_EQ(LabelColorFor(layout.Panel(5).Color), kColorWhite);  // red: white text
  EXPECT_EQ(layout.LastKind(5), ChannelKind::Servo);
  EXPECT_EQ(layout.ScaleFactor(5), 0.5);
  EXPECT_EQ(layout.ChannelCaption(5), "Knee");
  // Fields that do not read as numbers take their defaults; a kind out of range is None.
  EXPECT_TRUE(layout.Panel(6).Visible);
  EXPECT_EQ(layout.Panel(6).Left, 0);  // channel 6's default column
  EXPECT_EQ(layout.Panel(6).Top, 7);
  EXPECT_EQ(layout.Panel(6).Color, kColorButtonFace);
  EXPECT_EQ(layout.LastKind(6), ChannelKind::None);
  EXPECT_EQ(layout.ScaleFactor(6), 1.0);
  EXPECT_EQ(layout.ChannelCaption(6), "CH6");
  EXPECT_FALSE(layout.Panel(7).Visible);  // any visible field but "1" hides
  EXPECT_EQ(layout.Width(), 600);
  EXPECT_EQ(layout.Height(), 400);
  EXPECT_EQ(layout.EditorColor(), 255u);
  EXPECT_EQ(layout.BackgroundPath(), "/pics/robot.jpg");
  EXPECT_TRUE(layout.BackgroundShown());
  EXPECT_FALSE(layout.Panel(kLinkPanel).Visible);
  EXPECT_EQ(layout.Panel(kLinkPanel).Top, -5);
}

TEST(PanelLayoutTest, SaveAndLoadRoundTripKeepingOtherKeys) {
  IniFile ini;
  ini.LoadText("[BRV3]\nLeft=10\n[Ports]\nCOM1=/dev/pts/3\n");
  PanelLayout layout;
  layout.SetPanelVisible(3, false);
  layout.SetPanelColor(3, 0x808000);
  layout.SetChannelCaption(3, "Left arm, upper");
  layout.SetScaleFactor(3, 0.125);
  layout.SetLastKind(3, ChannelKind::SpeedStretch);
  layout.SetPanelLock(false);
  layout.DragPanel(kCommandPanel, {5, 5}, {105, 25});
  layout.SetSize(640, 480);
  layout.SetBackgroundPath("C:/a b.bmp");
  layout.Save(ini);
  EXPECT_EQ(ini.ReadString("BRV3", "Form", ""), "640,480,-2147483633");
  EXPECT_EQ(ini.ReadString("BRV3", "CH1", ""), "1,0,0,-2147483633,0,1,CH1");
  EXPECT_EQ(ini.ReadString("BRV3", "CMD", ""), "1,100,332,-2147483633");
  EXPECT_EQ(ini.ReadString("BRV3", "Left", ""), "10");
  EXPECT_EQ(ini.ReadString("Ports", "COM1", ""), "/dev/pts/3");

  PanelLayout back;
  back.Load(ini);
  EXPECT_FALSE(back.Panel(3).Visible);
  EXPECT_EQ(back.Panel(3).Color, 0x808000u);
  EXPECT_EQ(back.ChannelCaption(3), "Left arm, upper");
  EXPECT_EQ(back.ScaleFactor(3), 0.125);
  EXPECT_EQ(back.LastKind(3), ChannelKind::SpeedStretch);
  EXPECT_EQ(back.Panel(kCommandPanel).Left, 100);
  EXPECT_EQ(back.BackgroundPath(), "C:/a b.bmp");
}

TEST(PanelLayoutTest, DraggingStopsAtZeroAndNeedsTheLockOff) {
  PanelLayout layout;
  EXPECT_FALSE(layout.DragPanel(1, {10, 10}, {50, 50}));
  EXPECT_EQ(layout.Panel(1).Left, 0);
  layout.SetPanelLock(false);
  ASSERT_TRUE(layout.DragPanel(14, {10, 10}, {0, -100}));
  EXPECT_EQ(layout.Panel(14).Left, 244);
  EXPECT_EQ(layout.Panel(14).Top, 0);  // 24 - 110 stops at 0
  ASSERT_TRUE(layout.DragPanel(14, {0, 0}, {-1000, 5000}));
  EXPECT_EQ(layout.Panel(14).Left, 0);
  EXPECT_EQ(layout.Panel(14).Top, 5000);  // no limit at the bottom
}

}  // namespace
}  // namespace brv3
