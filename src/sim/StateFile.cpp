#include "sim/StateFile.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "core/util/Bytes.h"
#include "core/util/SafeFile.h"

namespace brv3::sim {
namespace {

constexpr const char* kHeader = "QVB3-SIM-STATE 1";

// One named run of bytes of the flash, with its way in and out.
struct Field {
  std::string name;
  size_t size;
  std::function<void(std::vector<uint8_t>&)> get;
  std::function<void(const std::vector<uint8_t>&)> set;
};

template <typename Array>
Field BytesField(std::string name, Array& a) {
  return Field{std::move(name), sizeof(a),
               [&a](std::vector<uint8_t>& out) {
                 const auto* p = reinterpret_cast<const uint8_t*>(a.data());
                 out.assign(p, p + sizeof(a));
               },
               [&a](const std::vector<uint8_t>& in) {
                 std::copy(in.begin(), in.end(), reinterpret_cast<uint8_t*>(a.data()));
               }};
}

template <size_t N>
Field WordsField(std::string name, std::array<uint16_t, N>& a) {
  return Field{std::move(name), 2 * N,
               [&a](std::vector<uint8_t>& out) {
                 out.clear();
                 for (uint16_t w : a) {
                   out.push_back(static_cast<uint8_t>(w >> 8));
                   out.push_back(static_cast<uint8_t>(w & 0xFF));
                 }
               },
               [&a](const std::vector<uint8_t>& in) {
                 for (size_t i = 0; i < N; ++i)
                   a[i] = static_cast<uint16_t>(in[2 * i] << 8 | in[2 * i + 1]);
               }};
}

std::vector<Field> Fields(FlashMemory& f) {
  std::vector<Field> fields;
  fields.push_back(BytesField("table", f.table));
  for (int s = 0; s < kMotionSlots; ++s) {
    auto* first = &f.motions[static_cast<size_t>(s) * kRecordsPerSlot];
    constexpr size_t size = kRecordsPerSlot * kRecordSize;
    fields.push_back(Field{"motion." + std::to_string(s), size,
                           [first](std::vector<uint8_t>& out) {
                             const auto* p = reinterpret_cast<const uint8_t*>(first);
                             out.assign(p, p + size);
                           },
                           [first](const std::vector<uint8_t>& in) {
                             std::copy(in.begin(), in.end(), reinterpret_cast<uint8_t*>(first));
                           }});
  }
  fields.push_back(BytesField("scenarios", f.scenarios));
  fields.push_back(Field{
      "mode", 2,
      [&f](std::vector<uint8_t>& out) {
        out = {static_cast<uint8_t>(f.modeWord >> 8), static_cast<uint8_t>(f.modeWord & 0xFF)};
      },
      [&f](const std::vector<uint8_t>& in) {
        f.modeWord = static_cast<uint16_t>(in[0] << 8 | in[1]);
      }});
  fields.push_back(WordsField("trim", f.trim));
  fields.push_back(WordsField("home", f.home));
  fields.push_back(BytesField("names", f.channelNames));
  fields.push_back(BytesField("ssv-mask", f.ssvMask));
  fields.push_back(BytesField("svl-mask", f.svlMask));
  fields.push_back(BytesField("start-motions", f.startMotions));
  fields.push_back(BytesField("alarm-motion", f.alarmMotion));
  fields.push_back(BytesField("ad-settings", f.adSettings));
  fields.push_back(BytesField("mix-tables", f.mixTables));
  fields.push_back(WordsField("ad-calibration", f.adCalibration));
  fields.push_back(BytesField("propo", f.propo));
  fields.push_back(BytesField("svl-long", f.svlLong));
  fields.push_back(BytesField("svl-short", f.svlShort));
  return fields;
}

}  // namespace

std::string StateText(const FlashMemory& flash) {
  FlashMemory copy = flash;
  std::string text = std::string(kHeader) + "\n";
  std::vector<uint8_t> bytes;
  for (Field& field : Fields(copy)) {
    field.get(bytes);
    text += field.name;
    text += ' ';
    text += HexDigits(bytes.data(), bytes.size());
    text += '\n';
  }
  return text;
}

std::optional<FlashMemory> ParseStateText(const std::string& text, std::string* error) {
  auto fail = [&](int line, const std::string& why) -> std::optional<FlashMemory> {
    if (error) *error = "line " + std::to_string(line) + ": " + why;
    return std::nullopt;
  };
  auto flash = std::make_unique<FlashMemory>(FlashMemory::Defaults());
  std::vector<Field> fields = Fields(*flash);
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1) {
      if (line != kHeader) return fail(1, "not a qvb3-sim state file");
      continue;
    }
    if (line.empty()) continue;
    const size_t space = line.find(' ');
    const std::string name = line.substr(0, space);
    const std::string hex = space == std::string::npos ? "" : line.substr(space + 1);
    Field* field = nullptr;
    for (Field& f : fields) {
      if (f.name == name) field = &f;
    }
    if (!field) return fail(number, "unknown field '" + name + "'");
    if (hex.size() != 2 * field->size) {
      return fail(number, "field '" + name + "' needs " + std::to_string(field->size) + " bytes");
    }
    const std::optional<Bytes> bytes = ParseHexDigits(hex);
    if (!bytes) return fail(number, "bad hexadecimal digit in '" + name + "'");
    field->set(*bytes);
  }
  if (number == 0) return fail(1, "empty file");
  return *flash;
}

std::optional<FlashMemory> LoadStateFile(const std::string& path, std::string* error) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return FlashMemory::Defaults();
  std::string readError;
  const std::optional<std::string> text = ReadWholeFile(path, &readError);
  if (!text) {
    if (error) *error = path + ": " + readError;
    return std::nullopt;
  }
  std::string parseError;
  auto flash = ParseStateText(*text, &parseError);
  if (!flash && error) *error = path + ": " + parseError;
  return flash;
}

bool SaveStateFile(const std::string& path, const FlashMemory& flash, std::string* error) {
  return WriteFileAtomically(path, StateText(flash), error);
}

}  // namespace brv3::sim
