#include "ui/app/StatusPanels.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <vector>

#include "ui/app/ShownTexts.h"

namespace brv3 {

namespace {

// The widest texts each panel is meant to hold, as the core words them (context, text, the
// widest value of its %1), measured in the user's language.
struct PanelText {
  const char* context;
  const char* text;
  const char* arg;
};
const std::vector<PanelText> kWidestTexts[3] = {
    {{nullptr, "X = 00000  Y = 00000", nullptr}},
    {{"ModeWord", "Sleep", nullptr}, {"ModeWord", "RUN", nullptr}},
    {{"ConnectionWatch", "%1 lost", "COM255"},
     {"ConnectionWatch", "%1 OK", "COM255"},
     {"ConnectionWatch", "No Connection", nullptr},
     {"SelectPort", "No Connection", nullptr}}};
constexpr int kBaseWidth[3] = {100, 100, 50};

QString Shown(const PanelText& t) {
  QString text = t.context ? CoreText(t.context, t.text) : QString::fromLatin1(t.text);
  return t.arg ? text.arg(QString::fromLatin1(t.arg)) : text;
}

}  // namespace

void SizeStatusPanels(QLabel* const (&panels)[3]) {
  for (int i = 0; i < 3; ++i) {
    QLabel* panel = panels[i];
    if (!panel) continue;
    const QFontMetrics metrics(panel->font());
    const int chrome = 2 * panel->frameWidth() + 2 * panel->margin() + metrics.averageCharWidth();
    int needed = kBaseWidth[i];
    for (const PanelText& text : kWidestTexts[i])
      needed = std::max(needed, metrics.horizontalAdvance(Shown(text)) + chrome);
    panel->setMinimumWidth(needed);
  }
}

}  // namespace brv3
