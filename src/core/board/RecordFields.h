#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/board/ServoRecord.h"

namespace brv3 {

// How a field's control position sits in the record's bytes.
enum class FieldEncoding {
  ItemPlusOne,    // byte = list item + 1; a byte beyond the list shows item 0
  Byte,           // byte = slider position
  Bit,            // one bit of the byte, OFF/ON
  FiftySteps,     // byte = 50 x (item + 1): 50, 100, 150; anything else shows item 0
  WordAbove1700,  // word = 1700 + 10 x position
  WordBelow1300,  // word = 1300 - 10 x position
  WordTenths,     // word = 10 x position
};

// One field of a serial-servo parameter record, described once: the parameter dialog binds its
// control by `control`, the servo list fills `column`, and the configuration file writes `key`.
struct RecordField {
  const char* key;      // configuration file key
  int column;           // servo list column (kServoListColumns)
  const char* control;  // the parameter dialog's control object name
  FieldEncoding encoding;
  size_t at;                              // byte (or first byte of the word)
  int bit;                                // Bit only
  const std::vector<std::string>* items;  // a drop-down list's items; nullptr for a slider
  int min = 0, max = 0;                   // a slider's range

  bool IsList() const { return items != nullptr; }
  bool IsOnOff() const { return items == &kOnOffItems; }
};

// The fields of each format, in the servo list's column order.
const std::vector<RecordField>& RecordFields(RecordFormat format);
const RecordField* FindRecordField(RecordFormat format, std::string_view key);

// The control position for the record: a list item, or a slider position held in its range.
int LoadField(const RecordField& field, const ServoRecord& record);
// Writes a control position into the field's own bytes (or bit) only.
void StoreField(const RecordField& field, int position, ServoRecord& record);
// The value the servo list and the configuration file show: the byte as stored, a limit in the
// dialog's units for the short format, 0/1 for a bit.
int FieldValue(const RecordField& field, const ServoRecord& record);
// FieldValue as text; "ON"/"OFF" for a bit.
std::string FieldText(const RecordField& field, const ServoRecord& record);

}  // namespace brv3
