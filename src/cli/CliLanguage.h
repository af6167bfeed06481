#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>

namespace brv3::cli {

// Puts the help texts the parser writes itself (section headings, the help and version flags)
// and its error messages into the user's language. Called on the top command before any
// subcommand is added: subcommands take the help flag, their heading and the formatter from it.
void TranslateParserTexts(CLI::App& app);

// A parse error as one sentence in the user's language; the parser's own English text for kinds
// of error it does not know.
std::string ParseErrorText(const CLI::Error& error);

// How many terminal columns `text` (UTF-8) takes: East Asian wide characters take two.
size_t DisplayWidth(std::string_view text);

}  // namespace brv3::cli
