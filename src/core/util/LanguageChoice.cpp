#include "core/util/LanguageChoice.h"

#include <cstdlib>

#include "core/util/IniFile.h"

namespace brv3 {

LanguageChoice ParseLanguageChoice(std::string_view value) {
  if (value == "ja") return LanguageChoice::Japanese;
  if (value == "en") return LanguageChoice::English;
  return LanguageChoice::System;
}

std::string LanguageChoiceValue(LanguageChoice choice) {
  switch (choice) {
    case LanguageChoice::Japanese:
      return "ja";
    case LanguageChoice::English:
      return "en";
    case LanguageChoice::System:
      break;
  }
  return "";
}

UiLanguage ResolveLanguage(LanguageChoice choice,
                           const std::function<std::string(const char*)>& environment) {
  if (choice == LanguageChoice::Japanese) return UiLanguage::Japanese;
  if (choice == LanguageChoice::English) return UiLanguage::English;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::string value = environment(name);
    if (value.empty()) continue;
    return value.rfind("ja", 0) == 0 ? UiLanguage::Japanese : UiLanguage::English;
  }
  return UiLanguage::English;
}

LanguageChoice ReadLanguageChoice(const std::string& settingsPath) {
  IniFile ini;
  if (!ini.LoadFile(settingsPath)) return LanguageChoice::System;
  return ParseLanguageChoice(ini.ReadString("BRV3", "Language", ""));
}

UiLanguage ProcessLanguage(const std::string& settingsPath) {
  return ResolveLanguage(ReadLanguageChoice(settingsPath), [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  });
}

}  // namespace brv3
