#include "cli/CliLanguage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/PortsCommand.h"
#include "core/util/Translate.h"
#include "support/TestSupport.h"

namespace brv3::cli {
namespace {

// A catalogue whose sentences put their blanks in another order than the English, as Japanese
// does, and marks every other text it is asked for.
std::string ReorderingCatalogue(const char* context, const char* text) {
  const std::string source = text;
  if (std::string(context) != "CliLanguage") return source;
  if (source == "%1 is required") return "required: %1";
  if (source == "%1 excludes %2") return "%2 is excluded by %1";
  if (source == "The following argument was not expected: %1") return "unexpected: %1";
  if (source == "%1: %2 not in %3") return "%3 lacks %2 (%1)";
  if (source == "REQUIRED") return "必須";
  return "<" + source + ">";
}

class WithCatalogue : public ::testing::Test {
 protected:
  void SetUp() override { SetTranslator(ReorderingCatalogue); }
  void TearDown() override { SetTranslator(nullptr); }
};

// Parses `args` (the program name first) and gives back what the user reads on failure.
std::string FailureOf(CLI::App& app, std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    std::ostringstream out, err;
    app.exit(e, out, err);
    return err.str();
  }
  return "(parsed)";
}

TEST_F(WithCatalogue, ParseErrorsAreSentencesOfTheCatalogueWithTheNamesInTheirPlaces) {
  auto fresh = [] {
    auto app = std::make_unique<CLI::App>("test");
    TranslateParserTexts(*app);
    app->require_subcommand(1);
    auto* write = app->add_subcommand("write", "write");
    static std::string slot, state;
    static bool hex = false, curves = false;
    write->add_option("--slot", slot)->required();
    auto* hexFlag = write->add_flag("--hex", hex);
    write->add_flag("--curves", curves)->excludes(hexFlag);
    auto* sleep = app->add_subcommand("sleep", "sleep");
    sleep->add_option("STATE", state)->required()->check(CLI::IsMember({"on", "off"}));
    return app;
  };
  const std::string more = "\n<Run with --help for more information.>\n";
  EXPECT_EQ(FailureOf(*fresh(), {"t", "write"}), "required: --slot" + more);
  EXPECT_EQ(FailureOf(*fresh(), {"t", "write", "--slot", "M1", "stray"}),
            "unexpected: stray" + more);
  EXPECT_EQ(FailureOf(*fresh(), {"t", "write", "--slot", "M1", "--curves", "--hex"}),
            "--curves is excluded by --hex" + more);
  EXPECT_EQ(FailureOf(*fresh(), {"t", "sleep", "maybe"}), "{on,off} lacks maybe (STATE)" + more);
  EXPECT_EQ(FailureOf(*fresh(), {"t"}), "<A subcommand is required>" + more);
}

TEST_F(WithCatalogue, ErrorsOfAnUnknownKindKeepTheParsersWords) {
  EXPECT_EQ(ParseErrorText(CLI::FileError::Missing("x.ini")), "x.ini was not readable (missing?)");
  // A known kind whose text has another shape is not forced into a sentence.
  EXPECT_EQ(ParseErrorText(CLI::RequiredError("Exactly 1 option from [--a,--b]")),
            "required: Exactly 1 option from [--a,--b]");
}

TEST_F(WithCatalogue, SubcommandsHelpUsesTheTranslatedHeadingsAndLinesUpItsDescriptions) {
  CLI::App app{"test"};
  TranslateParserTexts(app);
  std::string file;
  auto* sub = app.add_subcommand("dump", "dump");
  sub->add_option("FILE", file, "file")->required();
  const std::string help = sub->help();
  EXPECT_NE(help.find("<Positionals>:"), std::string::npos) << help;
  EXPECT_NE(help.find("<Options>:"), std::string::npos) << help;
  const size_t required = help.find("FILE TEXT 必須");
  const size_t helpFlag = help.find("-h,--help");
  ASSERT_NE(required, std::string::npos) << help;
  ASSERT_NE(helpFlag, std::string::npos) << help;
  // The descriptions start in the same terminal column.
  const std::string fileLine = help.substr(help.rfind('\n', required) + 1);
  const std::string helpLine = help.substr(help.rfind('\n', helpFlag) + 1);
  EXPECT_EQ(DisplayWidth(fileLine.substr(0, fileLine.find("file\n"))),
            DisplayWidth(helpLine.substr(0, helpLine.find("<Print this help message and exit>"))))
      << help;
  EXPECT_NE(app.help().find("<Subcommands>:"), std::string::npos);
}

TEST(PortsTable, ColumnsLineUpWhenACaptionHasWideCharacters) {
  EXPECT_EQ(DisplayWidth("ok"), 2u);
  EXPECT_EQ(DisplayWidth("状態"), 4u);
  EXPECT_EQ(DisplayWidth("ｱ"), 1u);  // half-width kana
  SerialAdapter japanese{"/dev/ttyACM0", "", "試作ボード", "", ""};
  const auto ports = ListPorts(
      {japanese}, [](const std::string&) { return std::string(); },
      [](int n) { return "/dev/ttyS" + std::to_string(n); });
  std::ostringstream out;
  PrintPorts(ports, out);
  std::istringstream lines(out.str());
  std::string header, adapter, com1;
  std::getline(lines, header);
  std::getline(lines, adapter);
  std::getline(lines, com1);
  ASSERT_NE(adapter.find("試作ボード"), std::string::npos) << adapter;
  const size_t column = DisplayWidth(header.substr(0, header.find("--port")));
  EXPECT_EQ(DisplayWidth(adapter.substr(0, adapter.rfind("/dev/ttyACM0"))), column) << out.str();
  EXPECT_EQ(DisplayWidth(com1.substr(0, com1.find("COM1 ->"))), column) << out.str();
}

// The built program in a language chosen by the environment and by the editor's settings file.
class CliLanguage : public ::testing::Test {
 protected:
  test::ProcessResult Run(const std::string& lang, const std::vector<std::string>& args) {
    std::vector<std::string> all{"-u",           "LC_ALL",
                                 "-u",           "LC_MESSAGES",
                                 "LANG=" + lang, "BRV3_CONFIG_DIR=" + config_.path().string(),
                                 BRV3_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    return test::RunProcess("/usr/bin/env", all);
  }
  void ChooseInEditor(const std::string& language) {
    test::WriteFile(config_.File("BRV3.ini"), "[BRV3]\r\nLanguage=" + language + "\r\n");
  }
  test::TempDir config_;
};

const char* const kNoPortEnglish =
    "Name the board's serial port with --port COMn or --port /dev/...";
const char* const kNoPortJapanese =
    "ボードのシリアルポートを --port COMn または --port /dev/... で指定してください";

TEST_F(CliLanguage, SpeaksJapaneseUnderAJapaneseDesktopAndEnglishOtherwise) {
  test::ProcessResult r = Run("ja_JP.UTF-8", {"version"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find(kNoPortJapanese), std::string::npos) << r.err;
  r = Run("ja_JP.UTF-8", {"--help"});
  EXPECT_NE(r.out.find("サブコマンド:"), std::string::npos) << r.out;

  r = Run("C", {"version"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find(kNoPortEnglish), std::string::npos) << r.err;
  r = Run("C", {"--help"});
  EXPECT_NE(r.out.find("\nSubcommands:\n"), std::string::npos) << r.out;
}

TEST_F(CliLanguage, FollowsTheLanguageChosenInTheEditorOverTheDesktops) {
  ChooseInEditor("en");
  test::ProcessResult r = Run("ja_JP.UTF-8", {"version"});
  EXPECT_NE(r.err.find(kNoPortEnglish), std::string::npos) << r.err;
  ChooseInEditor("ja");
  r = Run("C", {"version"});
  EXPECT_NE(r.err.find(kNoPortJapanese), std::string::npos) << r.err;
}

// A developer's own BRV3.ini choosing Japanese does not reach the programs the tests start: the
// test support gives the whole run a settings folder of its own.
TEST_F(CliLanguage, TheUsersOwnSettingsDoNotReachTheProgramsTestsStart) {
  test::TempDir home;
  std::filesystem::create_directories(home.path() / ".config" / "brivane3");
  test::WriteFile(home.File(".config/brivane3/BRV3.ini"), "[BRV3]\r\nLanguage=ja\r\n");
  const test::ProcessResult r = test::RunProcess(
      "/usr/bin/env", {"HOME=" + home.path().string(), "XDG_CONFIG_HOME=" + home.File(".config"),
                       BRV3_CLI_PATH, "version"});
  EXPECT_NE(r.err.find(kNoPortEnglish), std::string::npos) << r.err;
}

}  // namespace
}  // namespace brv3::cli
