#include "cli/CliPrompter.h"

#include <ostream>

#include "core/util/Translate.h"

namespace brv3::cli {

int CliPrompter::MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text, int) {
  err_ << text;
  switch (buttons) {
    case MsgButtons::OkCancel:
      err_ << (yes_ ? Tr("CliPrompter", " (OK: --yes)")
                    : Tr("CliPrompter", " (cancelled: answer with --yes to go on)"))
           << "\n";
      return yes_ ? IdOk : IdCancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
      err_ << (yes_ ? Tr("CliPrompter", " (yes: --yes)")
                    : Tr("CliPrompter", " (no: answer with --yes to go on)"))
           << "\n";
      return yes_ ? IdYes : IdNo;
    case MsgButtons::RetryCancel:
      err_ << "\n";
      return IdCancel;
    case MsgButtons::AbortRetryIgnore:
      err_ << "\n";
      return IdAbort;
    default:
      (void)kind;
      err_ << "\n";
      return IdOk;
  }
}

bool CliPrompter::NumberSelectDialog(NumberSelectState& state) {
  // The CLI names its slot on the command line; a selection dialog has nobody to answer it.
  state.SelectIndex = -1;
  return false;
}

bool CliPrompter::InputTextDialog(const std::string&, const std::string&, std::string&) {
  return false;
}

void CliPrompter::ShowStatus(const std::string& message) {
  err_ << "> " << message << "\n";
}

}  // namespace brv3::cli
