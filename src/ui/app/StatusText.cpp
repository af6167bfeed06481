#include "ui/app/StatusText.h"

namespace brv3 {

QString LongTimeFormat(const QLocale& locale) {
  const QString format = locale.timeFormat(QLocale::LongFormat);
  QString result;
  bool quoted = false;
  for (QChar c : format) {
    if (c == '\'') quoted = !quoted;
    if (!quoted && c == 't') continue;
    result += c;
  }
  return result.trimmed();
}

QString StatusLineText(const QTime& time, const QString& message, const QLocale& locale) {
  return locale.toString(time, LongTimeFormat(locale)) + "> " + message;
}

}  // namespace brv3
