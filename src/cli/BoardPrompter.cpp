#include "cli/BoardPrompter.h"

#include <optional>
#include <ostream>

#include "core/comm/TableEntry.h"
#include "core/motion/MotionCompiler.h"
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
  notOffered_ = true;
  const std::optional<int> entry = ParseEntryLabel(label_);
  if (!entry) return false;
  // The lists hold the scenario entries, the motion entries, or both in entry order. The item is
  // found by its place and checked by its label, so that a name holding a quote character (which
  // splits an item in two) cannot make another entry the answer.
  const std::vector<std::string> items = SplitCommaText(state.SelectItems);
  int position = *entry;
  if (items.size() == kScenarioSlots)
    position -= kScenarioFirstSlot;
  else if (items.size() != kMotionSlots && items.size() != kMotionSlots + kScenarioSlots)
    return false;
  if (position < 0 || position >= static_cast<int>(items.size())) return false;
  const std::string& item = items[static_cast<size_t>(position)];
  const std::string label = EntryLabel(*entry);
  if (item.compare(0, label.size(), label) != 0 ||
      (item.size() != label.size() && item[label.size()] != ' '))
    return false;
  notOffered_ = false;
  state.SelectIndex = position;
  return true;
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
