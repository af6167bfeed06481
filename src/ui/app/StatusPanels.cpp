#include "ui/app/StatusPanels.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

namespace brv3 {

namespace {

// The widest texts each panel is meant to hold.
const char* const kWidestText[3] = {"X = 00000  Y = 00000", "COM20 lost", "0000"};
constexpr int kBaseWidth[3] = {100, 100, 50};

}  // namespace

void SizeStatusPanels(QLabel* const (&panels)[3]) {
  for (int i = 0; i < 3; ++i) {
    QLabel* panel = panels[i];
    if (!panel) continue;
    const QFontMetrics metrics(panel->font());
    const int chrome = 2 * panel->frameWidth() + 2 * panel->margin() + metrics.averageCharWidth();
    const int needed = metrics.horizontalAdvance(QString::fromLatin1(kWidestText[i])) + chrome;
    panel->setMinimumWidth(std::max(kBaseWidth[i], needed));
  }
}

}  // namespace brv3
