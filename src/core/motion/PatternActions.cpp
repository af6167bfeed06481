#include "core/motion/PatternActions.h"

#include <filesystem>
#include <system_error>

#include "core/util/Translate.h"

namespace brv3 {
namespace {

void ShowError(Prompter& prompter, const std::string& text) {
  prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, text, kEnglish);
}

// Refuses names the settings file cannot hold, with a message.
bool CheckStorable(const std::string& name, Prompter& prompter) {
  if (IsStorablePatternName(name)) return true;
  ShowError(prompter,
            Args(Tr("PatternActions",
                    "The name \"%1\" cannot be saved: it must not start or end with a blank, "
                    "start with \";\", contain \"=\" or characters outside Shift-JIS."),
                 {name}));
  return false;
}

bool CheckLinkName(const std::string& name, Prompter& prompter) {
  if (IsNewLinkItem(name)) {
    prompter.MsgBox(MsgKind::Warning, MsgButtons::Ok, "", kJapanese);
    return false;
  }
  if (name.empty()) {
    prompter.MsgBox(MsgKind::Warning, MsgButtons::Ok, Tr("PatternActions", "Input the name"),
                    kJapanese);
    return false;
  }
  return CheckStorable(name, prompter);
}

bool LoadExchangeFile(const std::string& path, IniFile& file, std::string* error) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) return true;
  return file.LoadFile(path, error);
}

}  // namespace

bool SaveLinkSet(PatternStore& store, const std::string& name, const ChannelTexts& entries,
                 Prompter& prompter) {
  if (!ValidateLink(entries, prompter)) return false;
  if (!CheckLinkName(name, prompter)) return false;
  return store.Store(PatternKind::Link, name, entries);
}

bool SaveConversionSet(PatternStore& store, const std::string& name, const ChannelTexts& entries,
                       Prompter& prompter) {
  if (name.empty() || !CheckStorable(name, prompter)) return false;
  return store.Store(PatternKind::Conversion, name, entries);
}

bool DeleteSet(PatternStore& store, PatternKind kind, const std::string& name, Prompter& prompter) {
  if (!store.Contains(kind, name)) return false;
  if (prompter.MsgBox(MsgKind::Warning, MsgButtons::YesNo,
                      Args(Tr("PatternActions", "%1Do you delete this?"), {name}),
                      kJapanese) == IdNo)
    return false;
  return store.Remove(kind, name);
}

bool ExportSet(PatternStore& store, PatternKind kind, const std::string& name,
               const ChannelTexts& entries, const std::string& path, Prompter& prompter) {
  if (name.empty()) return false;
  if (kind == PatternKind::Link) {
    // Checked before the file is written, so a refused name leaves no half-done save behind.
    if (!ValidateLink(entries, prompter) || !CheckLinkName(name, prompter)) return false;
  } else if (!CheckStorable(name, prompter)) {
    return false;
  }
  IniFile file;
  std::string error;
  if (!LoadExchangeFile(path, file, &error)) {
    ShowError(prompter, Args(Tr("PatternActions", "The file could not be read: %1"), {error}));
    return false;
  }
  file.WriteString(PatternFileSection(kind), name, FormatPatternEntries(entries));
  if (!file.SaveFile(path, &error)) {
    ShowError(prompter, Args(Tr("PatternActions", "The file could not be written: %1"), {error}));
    return false;
  }
  store.Store(kind, name, entries);
  return true;
}

ImportResult ImportSet(PatternStore& store, PatternKind kind, const std::string& path,
                       Prompter& prompter) {
  ImportResult result;
  IniFile file;
  std::string error;
  if (!file.LoadFile(path, &error)) {
    ShowError(prompter, Args(Tr("PatternActions", "The file could not be read: %1"), {error}));
    return result;
  }
  std::vector<std::string> keys = file.KeyNames(PatternFileSection(kind));
  if (keys.empty()) {
    ShowError(prompter, kind == PatternKind::Link
                            ? Tr("PatternActions", "The file holds no link settings.")
                            : Tr("PatternActions", "The file holds no conversion settings."));
    return result;
  }
  const std::string& name = keys.front();
  std::string value = file.ReadString(PatternFileSection(kind), name, "");
  if (value.empty()) {
    result.status = ImportStatus::EmptyValue;
    return result;
  }
  size_t count = 0;
  ChannelTexts entries = ParsePatternEntries(value, &count);
  if (count < kChannels) {
    ShowError(
        prompter,
        Args(kind == PatternKind::Link
                 ? Tr("PatternActions", "The link \"%1\" holds %2 entries instead of 24.")
                 : Tr("PatternActions", "The conversion \"%1\" holds %2 entries instead of 24."),
             {name, std::to_string(count)}));
    return result;
  }
  if (!IsStorablePatternName(name)) {
    CheckStorable(name, prompter);
    return result;
  }
  if (store.Contains(kind, name) && prompter.MsgBox(MsgKind::Question, MsgButtons::YesNo,
                                                    Tr("PatternActions",
                                                       "A setting of the same name exists. "
                                                       "Overwrite it?"),
                                                    kJapanese) == IdNo) {
    result.status = ImportStatus::Declined;
    return result;
  }
  store.Store(kind, name, entries);
  result.status = ImportStatus::Imported;
  result.name = name;
  result.entries = entries;
  return result;
}

}  // namespace brv3
