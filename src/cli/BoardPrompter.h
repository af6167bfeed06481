#pragma once

#include <iosfwd>
#include <string>

#include "cli/CliPrompter.h"

namespace brv3::cli {

// The command-line prompter of the board commands: the slot named on the command line answers
// the selection dialog, and the "Writing of k" / "Reading of k" progress lines become a progress
// bar on a terminal (a plain percentage line otherwise).
class BoardPrompter : public CliPrompter {
 public:
  BoardPrompter(std::ostream& err, bool yes, bool terminal)
      : CliPrompter(err, yes), err_(err), terminal_(terminal) {}

  // The entry label ("M5", "S2") to pick in the next selection dialog.
  void AnswerSelection(std::string label) { label_ = std::move(label); }
  // True when the last selection dialog did not offer the label.
  bool SelectionNotOffered() const { return notOffered_; }

  // The progress lines that follow count records from `base` + 1 up to `total`.
  void BeginProgress(int base, int total);
  void Progress(int done);
  void EndProgress();

  bool NumberSelectDialog(NumberSelectState& state) override;
  void ShowStatus(const std::string& message) override;

 private:
  std::ostream& err_;
  bool terminal_;
  std::string label_;
  bool notOffered_ = false;
  int base_ = 0;
  int total_ = 0;
  int lastShown_ = -1;
  bool barOpen_ = false;
};

}  // namespace brv3::cli
