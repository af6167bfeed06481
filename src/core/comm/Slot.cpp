#include "core/comm/Slot.h"

namespace brv3 {

std::optional<Slot> Slot::FromIndex(int index) {
  if (index < 0 || index >= kTableEntries) return std::nullopt;
  return Slot(index);
}

std::optional<Slot> Slot::Motion(int number) {
  if (number < 0 || number >= kMotionSlots) return std::nullopt;
  return Slot(number);
}

std::optional<Slot> Slot::Scenario(int number) {
  if (number < 0 || number >= kScenarioSlots) return std::nullopt;
  return Slot(kMotionSlots + number);
}

std::optional<Slot> Slot::Parse(std::string_view label) {
  if (label.size() < 2 || label.size() > 3 || label[1] == '0') return std::nullopt;
  int number = 0;
  for (char c : label.substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  const char kind = label[0];
  if (kind == 'M' || kind == 'm') return Motion(number - 1);
  if (kind == 'S' || kind == 's') return Scenario(number - 1);
  return std::nullopt;
}

std::string Slot::LabelOf(int index) {
  const std::optional<Slot> slot = FromIndex(index);
  return slot ? slot->Label() : std::string();
}

std::string Slot::Label() const {
  return IsMotion() ? "M" + std::to_string(index_ + 1)
                    : "S" + std::to_string(index_ - kMotionSlots + 1);
}

}  // namespace brv3
