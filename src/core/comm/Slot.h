#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/comm/BoardLayout.h"

namespace brv3 {

// One entry of the board's motion table: motion slot M1 ... M80 (table index 0 ... 79) or
// scenario slot S1 ... S5 (table index 80 ... 84). Only valid slots can be made. Every slot
// label the program shows or reads goes through here.
class Slot {
 public:
  // Table index 0 ... 84; nullopt outside.
  static std::optional<Slot> FromIndex(int index);
  // Motion 0 ... 79 or scenario 0 ... 4; nullopt outside.
  static std::optional<Slot> Motion(int number);
  static std::optional<Slot> Scenario(int number);
  // "M5", "s2" ...; nullopt for anything else.
  static std::optional<Slot> Parse(std::string_view label);
  // The label of a table index, "" outside the table.
  static std::string LabelOf(int index);

  bool IsMotion() const { return index_ < kMotionSlots; }
  bool IsScenario() const { return !IsMotion(); }
  // The table index, 0 ... 84.
  int Index() const { return index_; }
  // The motion number 0 ... 79 or the scenario number 0 ... 4.
  int Number() const { return IsMotion() ? index_ : index_ - kMotionSlots; }
  // "M1" ... "M80", "S1" ... "S5".
  std::string Label() const;

  bool operator==(const Slot&) const = default;

 private:
  explicit Slot(int index) : index_(index) {}
  int index_;
};

}  // namespace brv3
