#include "ui/app/Glyphs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QToolBar>

#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"

namespace brv3 {
namespace {

// Pixels a 16 x 16 rendering of `icon` actually paints.
int PaintedPixels(const QIcon& icon) {
  const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
  int painted = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
  return painted;
}

TEST(GlyphsTest, EveryToolbarButtonShowsAPicture) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  int buttons = 0;
  for (QToolBar* bar : window.findChildren<QToolBar*>()) {
    for (QAction* action : bar->actions()) {
      if (action->objectName().isEmpty()) continue;  // widgets: check boxes, port list
      ++buttons;
      EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
      EXPECT_GT(PaintedPixels(action->icon()), 10) << action->objectName().toStdString();
    }
  }
  EXPECT_GE(buttons, 28);
}

TEST(GlyphsTest, OwnPicturesAreCompiledInAndRender) {
  const GlyphKind kinds[] = {GlyphKind::Trim,      GlyphKind::Option,   GlyphKind::Analog,
                             GlyphKind::ServoList, GlyphKind::Receiver, GlyphKind::Position,
                             GlyphKind::SetValue,  GlyphKind::Mix,      GlyphKind::TrimPosition};
  const bool svg = QImageReader::supportedImageFormats().contains("svg");
  QList<QImage> seen;
  for (GlyphKind kind : kinds) {
    const QString resource = GlyphResource(kind);
    ASSERT_FALSE(resource.isEmpty());
    EXPECT_TRUE(QFile::exists(resource)) << resource.toStdString();
    const QIcon icon = Glyph(kind, "X");
    EXPECT_GT(PaintedPixels(icon), 20) << resource.toStdString();
    // Each picture is its own, not one shared fallback.
    const QImage image = icon.pixmap(16, 16).toImage();
    if (svg && !GlyphThemeName(kind)) {
      EXPECT_FALSE(seen.contains(image)) << resource.toStdString();
    }
    seen << image;
  }
  EXPECT_STREQ(GlyphThemeName(GlyphKind::Play), "media-playback-start");
  EXPECT_EQ(GlyphThemeName(GlyphKind::Mix), nullptr);
}

}  // namespace
}  // namespace brv3
