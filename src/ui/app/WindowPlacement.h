#pragma once

class QWidget;

namespace brv3 {

// Moves `dialog` beside `window`: against its right edge, or its left edge when the screen has no
// room on the right, its top level with the window's, kept on the window's screen.
void PlaceBesideWindow(QWidget& dialog, const QWidget& window);

}  // namespace brv3
