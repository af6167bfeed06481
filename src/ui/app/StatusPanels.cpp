#include "ui/app/StatusPanels.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <vector>

namespace brv3 {

namespace {

// The widest texts each panel is meant to hold.
const std::vector<const char*> kWidestTexts[3] = {
    {"X = 00000  Y = 00000"}, {"Sleep", "RUN"}, {"COM255 lost", "No Connection"}};
constexpr int kBaseWidth[3] = {100, 100, 50};

}  // namespace

void SizeStatusPanels(QLabel* const (&panels)[3]) {
  for (int i = 0; i < 3; ++i) {
    QLabel* panel = panels[i];
    if (!panel) continue;
    const QFontMetrics metrics(panel->font());
    const int chrome = 2 * panel->frameWidth() + 2 * panel->margin() + metrics.averageCharWidth();
    int needed = kBaseWidth[i];
    for (const char* text : kWidestTexts[i])
      needed = std::max(needed, metrics.horizontalAdvance(QString::fromLatin1(text)) + chrome);
    panel->setMinimumWidth(needed);
  }
}

}  // namespace brv3
