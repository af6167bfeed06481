#pragma once

#include <map>
#include <string>
#include <utility>

#include "core/util/Translate.h"

namespace brv3::test {

// Installs a translator that knows only the given (context, source) pairs, as a catalogue of
// another language would, and removes it again with the object. Texts it does not know come back
// as written, so a test sees at once which ones missed the catalogue or came with another context.
class StubTranslator {
 public:
  using Entries = std::map<std::pair<std::string, std::string>, std::string>;

  explicit StubTranslator(Entries entries) {
    Table() = std::move(entries);
    SetTranslator(&Translate);
  }
  ~StubTranslator() {
    SetTranslator(nullptr);
    Table().clear();
  }
  StubTranslator(const StubTranslator&) = delete;
  StubTranslator& operator=(const StubTranslator&) = delete;

 private:
  static Entries& Table() {
    static Entries table;
    return table;
  }
  static std::string Translate(const char* context, const char* text) {
    const auto found = Table().find({context, text});
    return found == Table().end() ? std::string(text) : found->second;
  }
};

}  // namespace brv3::test
