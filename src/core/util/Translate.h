#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace brv3 {

// Texts the user reads are written in the code in English (a few in Japanese) and pass through
// Tr(context, text). The editor and the CLI install a translator at start that looks them up in
// the catalogue of the chosen language; with none installed a text is shown as written. The
// catalogue tools find the texts by this call, so its arguments are string literals.
using Translator = std::string (*)(const char* context, const char* text);
void SetTranslator(Translator translator);
std::string Tr(const char* context, const char* text);

// Marks a text for the catalogues where it is only stored (a table); Tr() translates it where
// it is shown, with the same context.
#define BRV3_TR_NOOP(context, text) text

// Fills %1 .. %9 with the arguments, in the manner of the toolkit's arg(): a marker without an
// argument stays as it is, so a translation that drops one shows no garbage.
std::string Args(std::string_view text, std::initializer_list<std::string_view> args);

// The language texts are shown in. Tables that carry a Japanese and an English caption side by
// side pick with it.
enum class UiLanguage { English, Japanese };
void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();
inline const char* Pick(const char* japanese, const char* english) {
  return CurrentUiLanguage() == UiLanguage::Japanese ? japanese : english;
}

}  // namespace brv3
