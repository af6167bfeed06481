#pragma once

#include <QRegularExpression>
#include <QStringList>

class QWidget;

namespace brv3::test {

// Every text a window shows: its title, the titles of the windows it holds, menus and their
// items, buttons, labels, hints, group, dock, toolbar and tab captions, the items of drop-down
// lists, the headers and rows of lists and tables, and the grey hints of empty boxes.
QStringList ShownTexts(const QWidget& window);

// Kana or kanji.
extern const QRegularExpression kJapanese;

// The words of `text` a Japanese window should not show: English words (three or more letters
// with a small letter), leaving out the technical tokens and names a Japanese window shows too.
QStringList EnglishWords(const QString& text);

}  // namespace brv3::test
