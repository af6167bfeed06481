#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/util/Translate.h"

namespace brv3 {

class MotionTable;
class Prompter;

// What the dialogs that offer board slots in lists (the options' motions, the analog triggers,
// the Set object's jumps and calls, the selection dialog) show of the motion table: a text for
// each slot, and while rows were never read a note with an offer to read the table. Reading puts
// the board to sleep, so its servos go limp: it happens only when the user asks and agrees.
class SlotLists {
 public:
  // `read` reads the whole table into `table`; true when every row was read.
  SlotLists(const MotionTable& table, Prompter& prompter, std::function<bool()> read);

  // The 85 slot texts, slot order: "M3 walk 3/7 09:05", "M3 (not read)".
  std::vector<std::string> Items() const;
  // Empty once every row was read; otherwise says that slots marked "(not read)" may hold data.
  std::string Note() const;
  // The offer's button was pressed: asks first (kQuestion), then reads. True when the table was
  // read; a failed read says so on the status line. Either way the lists are to be filled again.
  bool ReadOnRequest();
  // Reads once the user agreed to a question asked elsewhere (a dialog asking over itself).
  bool Read();
  // Who reads the table (the editor routes it through its table window).
  void SetReader(std::function<bool()> read) { read_ = std::move(read); }

  // Shown through Tr("SlotLists", ...).
  static constexpr const char* kReadButton = BRV3_TR_NOOP("SlotLists", "Read the table");
  static constexpr const char* kQuestion = BRV3_TR_NOOP(
      "SlotLists",
      "Read the motion table from the board now?\n\nThe board sleeps while its table is read, so "
      "the servos let go and the robot goes limp.");
  static constexpr const char* kReadFailed =
      BRV3_TR_NOOP("SlotLists", "The motion table could not be read");

 private:
  const MotionTable& table_;
  Prompter& prompter_;
  std::function<bool()> read_;
};

}  // namespace brv3
