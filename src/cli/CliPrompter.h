#pragma once

#include <iosfwd>

#include "core/util/Prompter.h"

namespace brv3::cli {

// Talks to the user of the command line: messages and status lines go to standard error;
// questions are answered with the affirmative only when --yes was given.
class CliPrompter : public Prompter {
 public:
  CliPrompter(std::ostream& err, bool yes) : err_(err), yes_(yes) {}

  int MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text, int language) override;
  bool NumberSelectDialog(NumberSelectState& state) override;
  bool InputTextDialog(const std::string& caption, const std::string& prompt,
                       std::string& value) override;
  void ShowStatus(const std::string& message) override;

 private:
  std::ostream& err_;
  bool yes_;
};

}  // namespace brv3::cli
