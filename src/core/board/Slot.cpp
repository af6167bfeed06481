#include "core/board/Slot.h"

namespace brv3 {

std::optional<Slot> Slot::FromIndex(int index) {
  if (index < 0 || index >= kCount) return std::nullopt;
  return Slot(index);
}

std::optional<Slot> Slot::Motion(int number) {
  if (number < 0 || number >= kMotionCount) return std::nullopt;
  return Slot(number);
}

std::optional<Slot> Slot::Scenario(int number) {
  if (number < 0 || number >= kScenarioCount) return std::nullopt;
  return Slot(kMotionCount + number);
}

std::optional<Slot> Slot::Parse(std::string_view label) {
  const std::optional<int> index = ParseEntryLabel(label);
  if (!index) return std::nullopt;
  return Slot(*index);
}

std::string Slot::Label() const {
  return EntryLabel(index_);
}

std::string EntryLabel(int index) {
  if (index < Slot::kMotionCount) return "M" + std::to_string(index + 1);
  return "S" + std::to_string(index - Slot::kMotionCount + 1);
}

std::optional<int> ParseEntryLabel(std::string_view label) {
  if (label.size() < 2 || label.size() > 3) return std::nullopt;
  int number = 0;
  for (char c : label.substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (label[1] == '0') return std::nullopt;
  const char kind = label[0];
  if ((kind == 'M' || kind == 'm') && number >= 1 && number <= Slot::kMotionCount)
    return number - 1;
  if ((kind == 'S' || kind == 's') && number >= 1 && number <= Slot::kScenarioCount)
    return Slot::kMotionCount + number - 1;
  return std::nullopt;
}

}  // namespace brv3
