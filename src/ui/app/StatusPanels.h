#pragma once

class QLabel;

namespace brv3 {

// Gives the three status-bar panels their widths: 100, 100 and 50 pixels, or wider where the
// panels' font needs it for the longest text each one shows (the mouse position of a large
// canvas in panel 0, the board's mode in panel 1, the port's state in panel 2), in the language the
// texts are shown in. A panel still grows for a longer text.
void SizeStatusPanels(QLabel* const (&panels)[3]);

}  // namespace brv3
