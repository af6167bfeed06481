#pragma once

#include <QPoint>

class QWidget;

namespace brv3 {

// Moves `dialog` beside `window`: against its right edge, or its left edge when the screen has no
// room on the right, its top level with the window's, kept on the window's screen.
void PlaceBesideWindow(QWidget& dialog, const QWidget& window);

// Moves `dialog` so that its frame's top-left corner stands at `at`, also before the window
// manager has framed it (guessing its frame from `reference`'s window).
void MoveFrameTo(QWidget& dialog, QPoint at, const QWidget* reference);

}  // namespace brv3
