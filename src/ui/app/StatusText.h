#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace brv3 {

// The locale's long time format with every time-zone field removed.
QString LongTimeFormat(const QLocale& locale);

// A status line: the time in the long time format, "> " and the message.
QString StatusLineText(const QTime& time, const QString& message,
                       const QLocale& locale = QLocale::system());

}  // namespace brv3
