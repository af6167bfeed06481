#include "cli/CliLanguage.h"

#include <regex>
#include <vector>

#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

// One kind of parser message: the parser's English as a pattern and the sentence it becomes,
// its groups filling %1, %2, ... in order.
enum class ErrorKind {
  Required,
  Extras,
  Requires,
  Excludes,
  Conversion,
  Mismatch,
  Validation,
  Other
};

// An error's kind by its class: the parser names some errors after the subcommand they arose in.
ErrorKind KindOf(const CLI::Error& error) {
  if (dynamic_cast<const CLI::RequiredError*>(&error)) return ErrorKind::Required;
  if (dynamic_cast<const CLI::ExtrasError*>(&error)) return ErrorKind::Extras;
  if (dynamic_cast<const CLI::RequiresError*>(&error)) return ErrorKind::Requires;
  if (dynamic_cast<const CLI::ExcludesError*>(&error)) return ErrorKind::Excludes;
  if (dynamic_cast<const CLI::ConversionError*>(&error)) return ErrorKind::Conversion;
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) return ErrorKind::Mismatch;
  if (dynamic_cast<const CLI::ValidationError*>(&error)) return ErrorKind::Validation;
  return ErrorKind::Other;
}

struct ErrorPattern {
  ErrorKind kind;
  const char* pattern;  // the parser's English text
  const char* text;     // the sentence, marked for the catalogues
};

const ErrorPattern kErrorPatterns[] = {
    {ErrorKind::Required, "A subcommand is required",
     BRV3_TR_NOOP("CliLanguage", "A subcommand is required")},
    {ErrorKind::Required, "Requires at least (\\d+) subcommands",
     BRV3_TR_NOOP("CliLanguage", "Requires at least %1 subcommands")},
    {ErrorKind::Required, "(.+) is required", BRV3_TR_NOOP("CliLanguage", "%1 is required")},
    {ErrorKind::Extras, "The following argument was not expected: (.*)",
     BRV3_TR_NOOP("CliLanguage", "The following argument was not expected: %1")},
    {ErrorKind::Extras, "The following arguments were not expected: (.*)",
     BRV3_TR_NOOP("CliLanguage", "The following arguments were not expected: %1")},
    {ErrorKind::Requires, "(.+) requires (.+)", BRV3_TR_NOOP("CliLanguage", "%1 requires %2")},
    {ErrorKind::Excludes, "(.+) excludes (.+)", BRV3_TR_NOOP("CliLanguage", "%1 excludes %2")},
    {ErrorKind::Conversion, "Could not convert: (.+) = (.*)",
     BRV3_TR_NOOP("CliLanguage", "Could not convert: %1 = %2")},
    {ErrorKind::Conversion, "The value (.+) is not an allowed value for (.+)",
     BRV3_TR_NOOP("CliLanguage", "The value %1 is not an allowed value for %2")},
    {ErrorKind::Mismatch, "(.+): (\\d+) required (.+) missing",
     BRV3_TR_NOOP("CliLanguage", "%1: %2 required %3 missing")},
    {ErrorKind::Mismatch, "Expected exactly (\\d+) arguments to (.+), got (\\d+)",
     BRV3_TR_NOOP("CliLanguage", "Expected exactly %1 arguments to %2, got %3")},
    {ErrorKind::Mismatch, "Expected at least (\\d+) arguments to (.+), got (\\d+)",
     BRV3_TR_NOOP("CliLanguage", "Expected at least %1 arguments to %2, got %3")},
    {ErrorKind::Validation, "(.+): (.+) not in (\\{.*\\})",
     BRV3_TR_NOOP("CliLanguage", "%1: %2 not in %3")},
    {ErrorKind::Validation, "(.+): Value (.+) not in range (.+) to (.+)",
     BRV3_TR_NOOP("CliLanguage", "%1: Value %2 not in range %3 to %4")},
    {ErrorKind::Validation, "(.+): Failed parsing (.+) as a (.+)",
     BRV3_TR_NOOP("CliLanguage", "%1: Failed parsing %2 as a %3")},
};

// The parser's own words in its help texts, with what they become.
const std::pair<const char*, const char*> kHelpLabels[] = {
    {"Usage", BRV3_TR_NOOP("CliLanguage", "Usage")},
    {"OPTIONS", BRV3_TR_NOOP("CliLanguage", "OPTIONS")},
    {"SUBCOMMAND", BRV3_TR_NOOP("CliLanguage", "SUBCOMMAND")},
    {"SUBCOMMANDS", BRV3_TR_NOOP("CliLanguage", "SUBCOMMANDS")},
    {"Positionals", BRV3_TR_NOOP("CliLanguage", "Positionals")},
    {"Options", BRV3_TR_NOOP("CliLanguage", "Options")},
    {"REQUIRED", BRV3_TR_NOOP("CliLanguage", "REQUIRED")},
    {"Needs", BRV3_TR_NOOP("CliLanguage", "Needs")},
    {"Excludes", BRV3_TR_NOOP("CliLanguage", "Excludes")},
};

// The parser's layout of an option line, with the left column filled by terminal columns rather
// than bytes, so that the descriptions line up when a label in it is Japanese.
class ColumnFormatter : public CLI::Formatter {
 public:
  std::string make_option(const CLI::Option* option, bool positional) const override {
    std::string line = "  " + make_option_name(option, positional) + make_option_opts(option);
    const std::string description = make_option_desc(option);
    const size_t column = get_column_width();
    const size_t used = DisplayWidth(line);
    if (used < column)
      line.append(column - used, ' ');
    else if (!description.empty())
      line += "\n" + std::string(column, ' ');
    for (const char c : description) {
      line += c;
      if (c == '\n') line.append(column, ' ');
    }
    return line + "\n";
  }

  // Options go under the group "Options" unless told otherwise (the help flag of a subcommand
  // always is), so the heading is translated where it is written.
  std::string make_group(std::string group, bool positional,
                         std::vector<const CLI::Option*> options) const override {
    return CLI::Formatter::make_group(get_label(group), positional, std::move(options));
  }
};

}  // namespace

std::string ParseErrorText(const CLI::Error& error) {
  const std::string what = error.what();
  const ErrorKind kind = KindOf(error);
  for (const ErrorPattern& p : kErrorPatterns) {
    if (kind != p.kind) continue;
    std::smatch match;
    if (!std::regex_match(what, match, std::regex(p.pattern))) continue;
    std::vector<std::string> groups;
    for (size_t i = 1; i < match.size(); ++i) groups.push_back(match[i].str());
    // No pattern has more than four groups.
    groups.resize(4);
    return Args(Tr("CliLanguage", p.text), {groups[0], groups[1], groups[2], groups[3]});
  }
  return what;
}

void TranslateParserTexts(CLI::App& app) {
  auto formatter = std::make_shared<ColumnFormatter>();
  app.formatter(formatter);
  for (const auto& [word, text] : kHelpLabels) formatter->label(word, Tr("CliLanguage", text));
  app.set_help_flag("-h,--help", Tr("CliLanguage", "Print this help message and exit"));
  // Subcommands take their group, the heading they are listed under, from their parent.
  app.group(Tr("CliLanguage", "Subcommands"));
  app.failure_message([](const CLI::App*, const CLI::Error& e) {
    return ParseErrorText(e) + "\n" + Tr("CliLanguage", "Run with --help for more information.") +
           "\n";
  });
}

size_t DisplayWidth(std::string_view text) {
  size_t width = 0;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t k = 1; k < length && i + k < text.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    // The wide blocks: Hangul Jamo, CJK and Kana, Hangul syllables, compatibility ideographs,
    // full-width forms, and the ideographs beyond the first plane.
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
                      (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
    width += wide ? 2 : 1;
    i += length;
  }
  return width;
}

}  // namespace brv3::cli
