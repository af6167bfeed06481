#pragma once

#include <iosfwd>
#include <string>

#include "cli/CliPrompter.h"
#include "core/board/TransferProgress.h"

namespace brv3::cli {

// The command-line prompter of the board commands: the steps a transfer reports become a progress
// bar on a terminal (a plain percentage line otherwise). A transfer shows each step's status line
// just before reporting the step, so a status line is held until the next call: a step report
// replaces it, anything else prints it first.
class BoardPrompter : public CliPrompter, public TransferProgress {
 public:
  BoardPrompter(std::ostream& err, bool yes, bool terminal)
      : CliPrompter(err, yes), err_(err), terminal_(terminal) {}
  ~BoardPrompter() override { EndProgress(); }
  BoardPrompter(const BoardPrompter&) = delete;
  BoardPrompter& operator=(const BoardPrompter&) = delete;

  // Steps reported from now on count from `base` + 1 within `total` steps in all (several slots
  // on one bar); without a span each transfer's own total is the bar's.
  void SetSpan(int base, int total);
  // Shows `done` of `total` steps.
  void Progress(int done, int total);
  // Ends the bar's line and prints a status line still held.
  void EndProgress();

  void Step(int done, int total) override;
  int MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text, int language) override;
  void ShowStatus(const std::string& message) override;

 private:
  std::ostream& err_;
  bool terminal_;
  int base_ = 0;
  int spanTotal_ = 0;
  int lastShown_ = -1;
  bool barOpen_ = false;
  bool holding_ = false;
  std::string held_;
};

}  // namespace brv3::cli
