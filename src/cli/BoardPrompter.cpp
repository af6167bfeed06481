#include "cli/BoardPrompter.h"

#include <ostream>

namespace brv3::cli {

void BoardPrompter::SetSpan(int base, int total) {
  base_ = base;
  spanTotal_ = total;
}

void BoardPrompter::Step(int done, int total) {
  holding_ = false;
  if (spanTotal_ > 0)
    Progress(base_ + done, spanTotal_);
  else
    Progress(done, total);
}

void BoardPrompter::Progress(int done, int total) {
  if (total <= 0) return;
  if (done > total) done = total;
  if (done < 0) done = 0;
  const int percent = done * 100 / total;
  if (terminal_) {
    constexpr int kWidth = 30;
    const int filled = done * kWidth / total;
    err_ << "\r[" << std::string(static_cast<size_t>(filled), '#')
         << std::string(static_cast<size_t>(kWidth - filled), ' ') << "] " << percent << "% ("
         << done << "/" << total << ")" << std::flush;
    barOpen_ = true;
    if (done == total) EndProgress();
  } else if (percent != lastShown_) {
    err_ << percent << "% (" << done << "/" << total << ")\n";
  }
  lastShown_ = percent;
}

void BoardPrompter::EndProgress() {
  if (barOpen_) err_ << "\n";
  barOpen_ = false;
  if (holding_) CliPrompter::ShowStatus(held_);
  holding_ = false;
}

int BoardPrompter::MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text, int language) {
  EndProgress();
  return CliPrompter::MsgBox(kind, buttons, text, language);
}

void BoardPrompter::ShowStatus(const std::string& message) {
  if (holding_) EndProgress();
  held_ = message;
  holding_ = true;
}

}  // namespace brv3::cli
