#pragma once

#include <string>
#include <vector>

#include "core/comm/TableEntry.h"

namespace brv3 {

// A motion whose head entry lies outside a set of slots about to be written but whose steps reach
// into one of them: once those slots get new steps it would read on into them.
struct SpanningMotion {
  int head = 0;            // table index of its entry
  std::string name;        // its name, for messages
  std::vector<int> marks;  // its continuation entries outside the written slots
};

// Whether `entry` is the continuation mark of the motion at table index `owner`: "M5:name", no
// steps, no date, no code.
bool IsContinuationMark(const TableEntry& entry, int owner);

// Among the motion entries `motions` (index = table index, M1 first), the motions whose head is
// not in `written` but whose steps reach into a slot that is. `written` holds one flag per motion
// slot.
std::vector<SpanningMotion> MotionsReachingInto(const std::vector<TableEntry>& motions,
                                                const std::vector<bool>& written);

}  // namespace brv3
