// The board's configuration from a shell: print, save and load it whole; the trim values alone.
#include <iostream>

#include "cli/BoardConnection.h"
#include "cli/CliCommands.h"
#include "cli/ConfigJson.h"
#include "core/board/BoardConfig.h"
#include "core/board/SleepScope.h"
#include "core/board/Trim.h"
#include "core/comm/BoardLink.h"
#include "core/util/IniFile.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

int ShowConfig(BoardConnection& board, bool asJson) {
  const std::optional<BoardConfig> config = ReadConfigFromBoard(
      board.link, std::cerr, Tr("ConfigCommands", "The board's configuration could not be read"));
  if (!config) return kExitFailure;
  if (asJson)
    std::cout << ConfigToJson(*config).dump(2) << "\n";
  else
    std::cout << ConfigToText(*config);
  return kExitOk;
}

// The stored trim, read between sleep on and off. Read-only, so a failed read is tried once more;
// when that fails too the cause goes to stderr and the board is woken.
std::optional<TrimSet> ReadTrimAsleep(BoardLink& link) {
  auto once = [&link]() -> std::optional<TrimSet> {
    if (!link.SetSleep(ModeSwitch::On)) return std::nullopt;
    const std::optional<TrimSet> trim = ReadStoredTrim(link);
    if (!trim || !link.SetSleep(ModeSwitch::Off)) return std::nullopt;
    return trim;
  };
  std::optional<TrimSet> trim = once();
  if (!trim) trim = once();
  if (!trim) {
    std::cerr << Args(Tr("ConfigCommands", "The trim could not be read (%1)"),
                      {LinkFaultText(link.LastFault())})
              << "\n";
    link.SetSleep(ModeSwitch::Off);
  }
  return trim;
}

// A trim file's values, or null after saying why the file cannot be used.
std::optional<TrimSet> ReadTrimFileForCli(const std::string& path) {
  IniFile ini;
  std::string error;
  if (!ini.LoadFile(path, &error)) {
    std::cerr << path << ": " << kTrimFileUnusable << " (" << error << ")\n";
    return std::nullopt;
  }
  std::optional<TrimSet> values = ReadTrimFile(ini);
  if (!values) {
    std::string why = Args(Tr("ConfigCommands", "no section %1"), {kTrimSection});
    for (int n = 1; n <= kChannels && ini.SectionExists(kTrimSection); ++n) {
      const int32_t value = ini.ReadInteger(kTrimSection, "CH" + std::to_string(n), -1);
      if (value < 0 || value > 0xFFFF) {
        why = Args(Tr("ConfigCommands", "CH%1 is missing or not 0..65535"), {std::to_string(n)});
        break;
      }
    }
    std::cerr << path << ": " << kTrimFileUnusable << " (" << why << ")\n";
  }
  return values;
}

int ShowTrim(BoardConnection& board) {
  const std::optional<TrimSet> trim = ReadTrimAsleep(board.link);
  if (!trim) return kExitFailure;
  for (size_t i = 0; i < trim->size(); ++i)
    std::cout << "CH" << i + 1 << "\t" << static_cast<int>((*trim)[i]) - kTrimCentre << "\n";
  return kExitOk;
}

int SaveTrim(BoardConnection& board, const std::string& path) {
  const std::optional<TrimSet> trim = ReadTrimAsleep(board.link);
  if (!trim) return kExitFailure;
  IniFile ini;
  WriteTrimFile(ini, *trim);
  std::string error;
  if (!ini.SaveFile(path, &error)) {
    std::cerr << kTrimFileUnwritable << (error.empty() ? "" : ": " + error) << "\n";
    return kExitCannotSave;
  }
  return kExitOk;
}

// The trim dialog's sequences: open, load the file into the working copy, close into the
// stored copy. Values beyond a channel's range are held at its end, as the sliders hold them.
int LoadTrim(BoardConnection& board, const TrimSet& trim) {
  TrimEditor editor(board.link);
  const bool loaded = editor.Open() && editor.LoadTrim(trim);
  const bool closed = loaded && editor.Close();
  if (loaded && !closed && editor.StoredWritten()) {
    // Stored and acknowledged; only the wake failed. Waking changes nothing, so it is tried once
    // more before saying so.
    if (!board.link.SetSleep(ModeSwitch::Off)) {
      std::cerr << Args(Tr("ConfigCommands",
                           "The trim was written to the stored copy, but the board did not "
                           "wake up afterwards (%1); it is still asleep"),
                        {LinkFaultText(board.link.LastFault())})
                << "\n";
      return kExitNotWoken;
    }
  } else if (!closed) {
    std::cerr << Args(Tr("ConfigCommands", "Loading the trim failed (%1)"),
                      {LinkFaultText(board.link.LastFault())})
              << "\n";
    // The sequences run with the board asleep; it must not stay so after a failure.
    if (!WakeBoard(board.link))
      std::cerr << Tr("ConfigCommands", "The board may have been left asleep") << "\n";
    return kExitFailure;
  }
  for (int n = 1; n <= kChannels; ++n)
    if (editor.Position(n) != trim[static_cast<size_t>(n - 1)])
      std::cerr << Args(Tr("ConfigCommands", "CH%1: %2 held at %3"),
                        {std::to_string(n), std::to_string(trim[static_cast<size_t>(n - 1)]),
                         std::to_string(editor.Position(n))})
                << "\n";
  return kExitOk;
}

}  // namespace

void AddConfigCommands(CLI::App& app, Options& options, CommandList& commands) {
  auto* config = app.add_subcommand(
      "config", Tr("ConfigCommands",
                   "Print the board's stored configuration, or save it to a file or load it "
                   "from one"));
  config->require_subcommand(0, 1);
  auto asJson = std::make_shared<bool>(false);
  config->add_flag("--json", *asJson, Tr("ConfigCommands", "Print one JSON object"));
  auto file = std::make_shared<std::string>();
  auto* save = config->add_subcommand(
      "save", Tr("ConfigCommands", "Write the configuration as JSON to FILE"));
  save->add_option("FILE", *file, Tr("ConfigCommands", "JSON file to write"))->required();
  auto* load = config->add_subcommand(
      "load", Tr("ConfigCommands",
                 "Write a saved configuration to the board's stored copies and read it back"));
  load->add_option("FILE", *file, Tr("ConfigCommands", "JSON file to read"))->required();
  load->add_flag("--yes", options.yes,
                 Tr("ConfigCommands", "Change the channel masks without asking"));
  commands.push_back({save, [&options, file] {
                        return WithBoard(options, [&file](BoardConnection& board) {
                          return SaveConfigFromBoard(board.link, *file, std::cerr);
                        });
                      }});
  commands.push_back({load, [&options, file] {
                        ConfigFile parsed;
                        if (int rc = ReadConfigFile(*file, parsed, std::cerr)) return rc;
                        return WithBoard(options, [&parsed](BoardConnection& board) {
                          return LoadConfigOntoBoard(board.link, board.prompter, parsed, std::cerr);
                        });
                      }});
  commands.push_back({config, [&options, asJson] {
                        return WithBoard(options, [&asJson](BoardConnection& board) {
                          return ShowConfig(board, *asJson);
                        });
                      }});

  auto* trim = app.add_subcommand(
      "trim",
      Tr("ConfigCommands", "Print the 24 stored trim offsets, or load or save a trim file"));
  trim->require_subcommand(0, 1);
  auto trimFile = std::make_shared<std::string>();
  auto* trimLoad = trim->add_subcommand(
      "load", Tr("ConfigCommands", "Write a trim file to the working and stored copies"));
  trimLoad->add_option("FILE", *trimFile, Tr("ConfigCommands", "Trim file (.QVB)"))->required();
  auto* trimSave =
      trim->add_subcommand("save", Tr("ConfigCommands", "Write the stored trim as a trim file"));
  trimSave->add_option("FILE", *trimFile, Tr("ConfigCommands", "Trim file to write"))->required();
  commands.push_back({trimLoad, [&options, trimFile] {
                        std::optional<TrimSet> values = ReadTrimFileForCli(*trimFile);
                        if (!values) return kExitBadInput;
                        return WithBoard(options, [&values](BoardConnection& board) {
                          return LoadTrim(board, *values);
                        });
                      }});
  commands.push_back({trimSave, [&options, trimFile] {
                        return WithBoard(options, [&trimFile](BoardConnection& board) {
                          return SaveTrim(board, *trimFile);
                        });
                      }});
  commands.push_back({trim, [&options] { return WithBoard(options, ShowTrim); }});
  for (CLI::App* cmd : {config, save, load, trim, trimLoad, trimSave}) cmd->fallthrough();
}

}  // namespace brv3::cli
