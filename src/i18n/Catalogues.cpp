#include "i18n/Catalogues.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/util/LanguageChoice.h"
#include "platform/ConfigLocation.h"

namespace brv3 {
namespace {

QTranslator& Catalogue() {
  static QTranslator translator;
  return translator;
}

// The toolkit's own texts (the file and colour dialogs, standard buttons), from the system's Qt
// translations where they are installed.
QTranslator& ToolkitCatalogue() {
  static QTranslator translator;
  return translator;
}

std::string TranslateWithCatalogue(const char* context, const char* text) {
  const QString found = Catalogue().translate(context, text);
  return found.isEmpty() ? std::string(text) : found.toStdString();
}

}  // namespace

bool InstallCatalogue(UiLanguage language) {
  SetUiLanguage(language);
  const char* file =
      language == UiLanguage::Japanese ? ":/i18n/brivane3_ja.qm" : ":/i18n/brivane3_en.qm";
  if (!Catalogue().load(QString::fromLatin1(file))) {
    SetTranslator(nullptr);
    return false;
  }
  SetTranslator(TranslateWithCatalogue);
  if (QCoreApplication::instance()) {
    QCoreApplication::removeTranslator(&ToolkitCatalogue());
    if (language == UiLanguage::Japanese &&
        ToolkitCatalogue().load(QStringLiteral("qtbase_ja"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QCoreApplication::installTranslator(&ToolkitCatalogue());
    QCoreApplication::removeTranslator(&Catalogue());
    QCoreApplication::installTranslator(&Catalogue());
  }
  return true;
}

UiLanguage InstallProcessLanguage() {
  const UiLanguage language = ProcessLanguage(platform::SettingsFilePath());
  InstallCatalogue(language);
  return language;
}

}  // namespace brv3
