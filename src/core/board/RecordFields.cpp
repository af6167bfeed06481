#include "core/board/RecordFields.h"

#include <algorithm>

namespace brv3 {
namespace {

using E = FieldEncoding;

RecordField List(const char* key, int column, const char* control, E encoding, size_t at,
                 const std::vector<std::string>& items, int bit = 0) {
  return {key, column, control, encoding, at, bit, &items};
}

RecordField Slider(const char* key, int column, const char* control, E encoding, size_t at, int min,
                   int max) {
  return {key, column, control, encoding, at, 0, nullptr, min, max};
}

const std::vector<RecordField> kShortFields = {
    List("stretch1", 3, "Stretch1", E::ItemPlusOne, 1, kStretchItems),
    List("speed1", 4, "Speed1", E::ItemPlusOne, 2, kSpeedItems),
    List("stretch2", 5, "Stretch2", E::ItemPlusOne, 13, kStretchItems),
    List("speed2", 6, "Speed2", E::ItemPlusOne, 14, kSpeedItems),
    List("stretch3", 7, "Stretch3", E::ItemPlusOne, 15, kStretchItems),
    List("speed3", 8, "Speed3", E::ItemPlusOne, 16, kSpeedItems),
    List("punch", 9, "Punch", E::ItemPlusOne, 3, kPunchItems),
    List("dead_band", 10, "DeadBand", E::ItemPlusOne, 4, kDeadBandItems),
    List("damping", 11, "Damping", E::ItemPlusOne, 5, kDampingItems),
    List("reverse", 12, "Reverse", E::Bit, 7, kOnOffItems, 0),
    List("protection", 13, "ProtecP", E::ItemPlusOne, 6, kProtecItems),
    List("power_free", 14, "PowFreeP", E::FiftySteps, 12, kPowFreeItems),
    Slider("limit_l", 15, "LimitL", E::WordAbove1700, 8, 0, 60),
    Slider("limit_r", 16, "LimitR", E::WordBelow1300, 10, 0, 60),
};

const std::vector<RecordField> kLongFields = {
    Slider("stretch1", 3, "StrScr1", E::Byte, 1, 1, 127),
    Slider("speed1", 4, "SpdrScr1", E::Byte, 2, 1, 127),
    Slider("stretch2", 5, "StrScr2", E::Byte, 13, 1, 127),
    Slider("speed2", 6, "SpdrScr2", E::Byte, 14, 1, 127),
    Slider("stretch3", 7, "StrScr3", E::Byte, 15, 1, 127),
    Slider("speed3", 8, "SpdrScr3", E::Byte, 16, 1, 127),
    List("punch", 9, "Punch", E::ItemPlusOne, 3, kPunchItems),
    List("dead_band", 10, "DeadBand", E::ItemPlusOne, 4, kDeadBandItems),
    List("damping", 11, "Damping", E::ItemPlusOne, 5, kDampingItems),
    List("reverse", 12, "Reverse", E::Bit, 7, kOnOffItems, 0),
    Slider("protection", 13, "ProtecScr", E::Byte, 6, 10, 255),
    Slider("power_free", 14, "PowFreeScr", E::Byte, 12, 1, 255),
    Slider("limit_l", 15, "LimitL", E::WordTenths, 8, 800, 1150),
    Slider("limit_r", 16, "LimitR", E::WordTenths, 10, 350, 600),
    Slider("offset", 17, "OffSet", E::Byte, 27, 100, 250),
    List("no_pwm", 18, "DontPWM", E::Bit, 7, kOnOffItems, 3),
};

uint8_t Byte(int value) {
  return static_cast<uint8_t>(value & 0xFF);
}

}  // namespace

const std::vector<RecordField>& RecordFields(RecordFormat format) {
  return format == RecordFormat::Short ? kShortFields : kLongFields;
}

const RecordField* FindRecordField(RecordFormat format, std::string_view key) {
  for (const RecordField& field : RecordFields(format))
    if (key == field.key) return &field;
  return nullptr;
}

int LoadField(const RecordField& f, const ServoRecord& r) {
  const int last = f.IsList() ? static_cast<int>(f.items->size()) - 1 : 0;
  auto hold = [&f](int value) { return std::clamp(value, f.min, f.max); };
  switch (f.encoding) {
    case E::ItemPlusOne:
      return r.At(f.at) >= 1 && r.At(f.at) - 1 <= last ? r.At(f.at) - 1 : 0;
    case E::Byte:
      return hold(r.At(f.at));
    case E::Bit:
      return r.At(f.at) >> f.bit & 1;
    case E::FiftySteps: {
      const int v = r.At(f.at);
      return v % 50 == 0 && v / 50 >= 1 && v / 50 - 1 <= last ? v / 50 - 1 : 0;
    }
    case E::WordAbove1700:
      return hold((r.Word(f.at) - 1700) / 10);
    case E::WordBelow1300:
      return hold((1300 - r.Word(f.at)) / 10);
    case E::WordTenths:
      return hold(r.Word(f.at) / 10);
  }
  return 0;
}

void StoreField(const RecordField& f, int p, ServoRecord& r) {
  switch (f.encoding) {
    case E::ItemPlusOne:
      r.bytes[f.at] = Byte(p + 1);
      break;
    case E::Byte:
      r.bytes[f.at] = Byte(p);
      break;
    case E::Bit:
      r.bytes[f.at] = Byte((r.At(f.at) & ~(1 << f.bit)) | (p & 1) << f.bit);
      break;
    case E::FiftySteps:
      r.bytes[f.at] = Byte(p * 50 + 50);
      break;
    case E::WordAbove1700:
      r.SetWord(f.at, 1700 + 10 * p);
      break;
    case E::WordBelow1300:
      r.SetWord(f.at, 1300 - 10 * p);
      break;
    case E::WordTenths:
      r.SetWord(f.at, 10 * p);
      break;
  }
}

int FieldValue(const RecordField& f, const ServoRecord& r) {
  switch (f.encoding) {
    case E::ItemPlusOne:
    case E::Byte:
      return r.At(f.at);
    case E::Bit:
      return r.At(f.at) >> f.bit & 1;
    case E::FiftySteps:
      return r.At(f.at) / 50;
    case E::WordAbove1700:
      return (r.Word(f.at) - 1700) / 10;
    case E::WordBelow1300:
      return (1300 - r.Word(f.at)) / 10;
    case E::WordTenths:
      return r.Word(f.at);
  }
  return 0;
}

std::string FieldText(const RecordField& f, const ServoRecord& r) {
  const int value = FieldValue(f, r);
  return f.IsOnOff() ? (*f.items)[static_cast<size_t>(value & 1)] : std::to_string(value);
}

}  // namespace brv3
