#include "cli/BoardPrompter.h"

#include <ostream>

#include "core/util/CommaText.h"

namespace brv3::cli {
namespace {

// k from "Writing of k is done" / "Reading of k is done"; -1 for any other line.
int ProgressCount(const std::string& message) {
  const std::string suffix = " is done";
  for (const char* prefix : {"Writing of ", "Reading of "}) {
    const std::string p = prefix;
    if (message.size() <= p.size() + suffix.size() || message.compare(0, p.size(), p) != 0 ||
        message.compare(message.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    const std::string digits = message.substr(p.size(), message.size() - p.size() - suffix.size());
    if (digits.empty() || digits.size() > 6 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
      return -1;
    return std::stoi(digits);
  }
  return -1;
}

}  // namespace

bool BoardPrompter::NumberSelectDialog(NumberSelectState& state) {
  notOffered_ = false;
  const std::vector<std::string> items = SplitCommaText(state.SelectItems);
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string& item = items[i];
    if (!label_.empty() && item.compare(0, label_.size(), label_) == 0 &&
        (item.size() == label_.size() || item[label_.size()] == ' ')) {
      state.SelectIndex = static_cast<int>(i);
      return true;
    }
  }
  notOffered_ = true;
  return false;
}

void BoardPrompter::BeginProgress(int base, int total) {
  base_ = base;
  total_ = total;
  lastShown_ = -1;
}

void BoardPrompter::Progress(int done) {
  if (total_ <= 0) return;
  if (done > total_) done = total_;
  const int percent = done * 100 / total_;
  if (terminal_) {
    constexpr int kWidth = 30;
    const int filled = done * kWidth / total_;
    err_ << "\r[" << std::string(static_cast<size_t>(filled), '#')
         << std::string(static_cast<size_t>(kWidth - filled), ' ') << "] " << percent << "% ("
         << done << "/" << total_ << ")" << std::flush;
    barOpen_ = true;
    if (done == total_) EndProgress();
  } else if (percent != lastShown_) {
    err_ << percent << "% (" << done << "/" << total_ << ")\n";
  }
  lastShown_ = percent;
}

void BoardPrompter::EndProgress() {
  if (barOpen_) err_ << "\n";
  barOpen_ = false;
}

void BoardPrompter::ShowStatus(const std::string& message) {
  const int k = ProgressCount(message);
  if (k >= 0 && total_ > 0) {
    Progress(base_ + k);
    return;
  }
  EndProgress();
  CliPrompter::ShowStatus(message);
}

}  // namespace brv3::cli
