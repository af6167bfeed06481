#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brv3 {

// One entry of the board's motion table: motion slot M1 ... M80 (table index 0 ... 79) or
// scenario slot S1 ... S5 (table index 80 ... 84). Only valid slots can be made.
class Slot {
 public:
  static constexpr int kMotionCount = 80;
  static constexpr int kScenarioCount = 5;
  static constexpr int kCount = kMotionCount + kScenarioCount;

  // Table index 0 ... 84; nullopt outside.
  static std::optional<Slot> FromIndex(int index);
  // Motion 0 ... 79 or scenario 0 ... 4; nullopt outside.
  static std::optional<Slot> Motion(int number);
  static std::optional<Slot> Scenario(int number);
  // "M5", "s2" ...; nullopt for anything else.
  static std::optional<Slot> Parse(std::string_view label);

  bool IsMotion() const { return index_ < kMotionCount; }
  bool IsScenario() const { return !IsMotion(); }
  // The table index, 0 ... 84.
  int Index() const { return index_; }
  // The motion number 0 ... 79 or the scenario number 0 ... 4.
  int Number() const { return IsMotion() ? index_ : index_ - kMotionCount; }
  std::string Label() const;

  bool operator==(const Slot&) const = default;

 private:
  explicit Slot(int index) : index_(index) {}
  int index_;
};

// "M1" ... "M80" for table index 0 ... 79, "S1" ... "S5" for 80 ... 84.
std::string EntryLabel(int index);

// The table index of a label "M1" ... "M80" or "S1" ... "S5" (either case); nullopt otherwise.
std::optional<int> ParseEntryLabel(std::string_view label);

}  // namespace brv3
