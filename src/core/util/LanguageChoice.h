#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/util/Translate.h"

namespace brv3 {

// What the user chose under View > Language, kept as key Language of section BRV3 in BRV3.ini:
// "ja", "en", or nothing (follow the desktop).
enum class LanguageChoice { System, Japanese, English };

LanguageChoice ParseLanguageChoice(std::string_view value);
std::string LanguageChoiceValue(LanguageChoice choice);  // "", "ja" or "en"

// The language to show: the choice, or for System the desktop's, taken as the C library does
// (LC_ALL, then LC_MESSAGES, then LANG): Japanese for "ja", English for anything else.
UiLanguage ResolveLanguage(LanguageChoice choice,
                           const std::function<std::string(const char*)>& environment);

// The choice kept in a settings file (System when the file or the key is missing or unreadable).
LanguageChoice ReadLanguageChoice(const std::string& settingsPath);

// The process's language from its settings file and environment.
UiLanguage ProcessLanguage(const std::string& settingsPath);

}  // namespace brv3
