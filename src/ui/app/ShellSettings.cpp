#include "ui/app/ShellSettings.h"

#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/util/Cp932.h"
#include "core/util/IniFile.h"
#include "core/util/IniLines.h"
#include "core/util/SafeFile.h"

namespace brv3 {

namespace {

constexpr const char* kSection = "BRV3";

std::string NotTextReason() {
  return QCoreApplication::translate("ShellSettings", "it is not text").toStdString();
}

std::string UnreadableProblem(const std::string& path, const std::string& error) {
  return QCoreApplication::translate("ShellSettings",
                                     "The settings file %1 can't be read (%2); it is left as it "
                                     "is and the settings are not saved")
      .arg(QString::fromStdString(path), QString::fromStdString(error))
      .toStdString();
}

bool Missing(const std::string& path) {
  std::error_code ec;
  return std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found;
}

// The file's raw bytes: empty when there is no file, nullopt when it exists but cannot be read as
// text. Such a file must never be written over, or the other writers' keys would be lost.
std::optional<std::string> LoadExisting(const std::string& path, std::string* problem) {
  if (Missing(path)) return std::string();
  std::string error;
  std::optional<std::string> raw = ReadWholeFile(path, &error);
  if (raw && !ReadableAsText(*raw)) error = NotTextReason();
  if (!raw || !ReadableAsText(*raw)) {
    if (problem) *problem = UnreadableProblem(path, error);
    return std::nullopt;
  }
  return raw;
}

}  // namespace

ShellSettings ReadShellSettings(const std::string& path, std::string* problem) {
  ShellSettings s;
  // A missing file is created, as the start-up always did; an existing one is not rewritten.
  if (Missing(path)) {
    WriteFileAtomically(path, std::string());
    return s;
  }
  // Read line by line with a bounded line length, so a huge file costs no memory in proportion.
  IniFile ini;
  std::string error;
  const bool read = ini.LoadFile(path, &error);
  if (read && ini.HeldNulBytes()) error = NotTextReason();
  if (!read || ini.HeldNulBytes()) {
    if (problem) *problem = UnreadableProblem(path, error);
    return s;
  }
  s.CommPort = ini.ReadInteger(kSection, "CommPort", 0);
  s.CommPortDevice = ini.ReadString(kSection, "CommPortDevice", "");
  s.Grid = ini.ReadBool(kSection, "Grid", false);
  s.GridWidth =
      std::max(kMinGridSpacing, static_cast<int>(ini.ReadInteger(kSection, "GridWidth", 2)));
  s.GridHeight =
      std::max(kMinGridSpacing, static_cast<int>(ini.ReadInteger(kSection, "GridHeight", 2)));
  return s;
}

bool WriteSettingsKeys(const std::string& path, std::string_view section,
                       const std::vector<std::pair<std::string, std::string>>& keys) {
  std::optional<std::string> raw = LoadExisting(path, nullptr);
  // The writability test that used to rewrite the file: now a probe beside it.
  if (!raw || !CanWriteFile(path)) return false;
  return WriteFileAtomically(path, SetIniKeys(*raw, section, keys));
}

bool WriteShellSettings(const std::string& path, const ShellSettings& settings) {
  std::vector<std::pair<std::string, std::string>> keys{
      {"CommPort", std::to_string(settings.CommPort)},
      {"Grid", settings.Grid ? "1" : "0"},
      {"GridWidth", std::to_string(settings.GridWidth)},
      {"GridHeight", std::to_string(settings.GridHeight)}};
  // Files of people who never chose an adapter get no new key; an old choice is cleared.
  IniFile ini;
  if (!settings.CommPortDevice.empty() ||
      (ini.LoadFile(path) && !ini.ReadString(kSection, "CommPortDevice", "").empty()))
    keys.emplace_back("CommPortDevice", settings.CommPortDevice);
  return WriteSettingsKeys(path, kSection, keys);
}

}  // namespace brv3
