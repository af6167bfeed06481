#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>
#include <string_view>

#include "ui/app/BoardButtons.h"
#include "ui/app/Glyphs.h"

namespace brv3 {

// The board's configuration windows, in the order the Tools toolbar and the Board menu list them.
// The toolbar button, the menu entry and the "not available" marking all come from this table, so
// a new window is one line here plus its opener in BoardButtons.
struct ToolWindow {
  const char* name;     // the button's and the menu action's object name
  const char* caption;  // the hint under the pointer and the menu text, before translation
  GlyphKind glyph;
  const char* glyphText;
  void (BoardButtons::*open)();
  bool freshReports;  // the window shows the board's reports: it starts with none buffered
};

inline constexpr std::array<ToolWindow, 5> kToolWindows{{
    {"HomeBtn", QT_TRANSLATE_NOOP("ToolWindows", "Trim"), GlyphKind::Trim, "TRM",
     &BoardButtons::HomeBtnClick, false},
    {"OptionBtn", QT_TRANSLATE_NOOP("ToolWindows", "Option"), GlyphKind::Option, "OPT",
     &BoardButtons::OptionBtnClick, false},
    {"AdBtn", QT_TRANSLATE_NOOP("ToolWindows", "Analog"), GlyphKind::Analog, "A/D",
     &BoardButtons::AdBtnClick, true},
    {"SVLBtn", QT_TRANSLATE_NOOP("ToolWindows", "SVL"), GlyphKind::ServoList, "SVL",
     &BoardButtons::SVLBtnClick, false},
    {"OptionMenu3", QT_TRANSLATE_NOOP("ToolWindows", "Receiver"), GlyphKind::Receiver, "RCV",
     &BoardButtons::OptionMenu3Click, false},
}};

// The caption in the user's language.
inline QString ToolWindowCaption(const ToolWindow& window) {
  return QCoreApplication::translate("ToolWindows", window.caption);
}

inline bool IsToolWindow(std::string_view name) {
  for (const ToolWindow& w : kToolWindows)
    if (name == w.name) return true;
  return false;
}

}  // namespace brv3
