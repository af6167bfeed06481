#pragma once

#include <QString>
#include <string>

namespace brv3 {

// A text the core keeps in a table, marked for the catalogues with `context`, in the user's
// language.
QString CoreText(const char* context, const char* text);

// A chart's name as the windows show it: the name a new chart carries in files and on the board
// is shown as "No title" in the user's language; any other name as it is.
QString ChartNameText(const std::string& name);

// The name of an undo step as the undo and redo hints show it, in the user's language.
QString HistoryLabelText(const std::string& label);

}  // namespace brv3
