#pragma once

#include <optional>
#include <string>

#include "core/motion/PatternStore.h"
#include "core/util/Prompter.h"

namespace brv3 {

// OK of the link editor: validates the entries, refuses the name "New Link" (empty warning) and an
// empty name ("Input the name"), then saves. False when the editor must stay open.
bool SaveLinkSet(PatternStore& store, const std::string& name, const ChannelTexts& entries,
                 Prompter& prompter);

// OK of the conversion dialog: saves under the name; an empty name saves nothing. False when
// nothing was saved (a name that cannot be stored is reported).
bool SaveConversionSet(PatternStore& store, const std::string& name, const ChannelTexts& entries,
                       Prompter& prompter);

// Delete: asks name + "Do you delete this?"; unless the answer is No, removes the set. True when
// the set was removed.
bool DeleteSet(PatternStore& store, PatternKind kind, const std::string& name, Prompter& prompter);

// Save to a file: with a non-empty name (and, for links, valid entries and an acceptable name)
// writes the set into the file's "LinkFile" or "CnvFile" section, keeping everything else in the
// file, then saves it into the store as OK does. False when nothing was written.
bool ExportSet(PatternStore& store, PatternKind kind, const std::string& name,
               const ChannelTexts& entries, const std::string& path, Prompter& prompter);

enum class ImportStatus {
  Imported,
  Declined,    // a set of that name exists and the user answered No
  EmptyValue,  // the set in the file has an empty value: nothing changes
  Failed,      // unreadable file, no set in it, or a set without 24 entries (reported)
};

struct ImportResult {
  ImportStatus status = ImportStatus::Failed;
  std::string name;
  ChannelTexts entries;
};

// Load from a file: the first key of the file's section is the name; an existing set of that name
// is replaced only after the user agrees. The imported set is saved into the store.
ImportResult ImportSet(PatternStore& store, PatternKind kind, const std::string& path,
                       Prompter& prompter);

}  // namespace brv3
