#pragma once

#include <optional>
#include <string>

#include "sim/BoardMemory.h"

namespace brv3::sim {

// The board's flash as a text file: a header line, then one "name HEX" line per field (motion
// memory one line per slot). Fields missing from the file keep their factory values.
std::string StateText(const FlashMemory& flash);
// nullopt, with the line and reason in `error`, for a file that is not a board state.
std::optional<FlashMemory> ParseStateText(const std::string& text, std::string* error = nullptr);

// Loads FILE; a missing file gives the factory memory.
std::optional<FlashMemory> LoadStateFile(const std::string& path, std::string* error = nullptr);
// Writes FILE atomically (temporary file, then rename).
bool SaveStateFile(const std::string& path, const FlashMemory& flash, std::string* error = nullptr);

}  // namespace brv3::sim
