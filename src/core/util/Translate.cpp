#include "core/util/Translate.h"

#include <atomic>

namespace brv3 {
namespace {
std::atomic<Translator> gTranslator{nullptr};
std::atomic<UiLanguage> gLanguage{UiLanguage::English};
}  // namespace

void SetTranslator(Translator translator) {
  gTranslator = translator;
}

std::string Tr(const char* context, const char* text) {
  const Translator translator = gTranslator;
  return translator ? translator(context, text) : std::string(text);
}

std::string Args(std::string_view text, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const size_t n = size_t(text[i + 1] - '1');
      if (n < args.size()) {
        out += *(args.begin() + n);
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

void SetUiLanguage(UiLanguage language) {
  gLanguage = language;
}
UiLanguage CurrentUiLanguage() {
  return gLanguage;
}

}  // namespace brv3
