#include "core/util/Translate.h"

#include <gtest/gtest.h>

#include <map>

#include "core/util/LanguageChoice.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

TEST(TranslateTest, ArgumentsFillTheirMarkersInTheTranslationsOrder) {
  // Japanese puts the count before the slot; the markers, not the order of the arguments, decide.
  EXPECT_EQ(Args("%2 に %1 ステップ", {"12", "M3"}), "M3 に 12 ステップ");
  EXPECT_EQ(Args("%1 of %1", {"x"}), "x of x");
  // A marker without an argument, a lone percent and %0 stay as written; an argument holding a
  // marker is not filled again.
  EXPECT_EQ(Args("%1 at 100% and %3, %0", {"%2", "y"}), "%2 at 100% and %3, %0");
  EXPECT_EQ(Args("ends in %", {}), "ends in %");
}

std::map<std::string, std::string> gCatalogue;
std::string FromMap(const char* context, const char* text) {
  auto found = gCatalogue.find(std::string(context) + "|" + text);
  return found == gCatalogue.end() ? text : found->second;
}

TEST(TranslateTest, TextsGoThroughTheInstalledTranslatorAndAsWrittenWithout) {
  gCatalogue = {{"Ctx|Write", "書込"}};
  EXPECT_EQ(Tr("Ctx", "Write"), "Write");
  SetTranslator(FromMap);
  EXPECT_EQ(Tr("Ctx", "Write"), "書込");
  EXPECT_EQ(Tr("Other", "Write"), "Write");
  SetTranslator(nullptr);
  EXPECT_EQ(Tr("Ctx", "Write"), "Write");
}

TEST(TranslateTest, TheDesktopsLanguageIsTakenInTheCLibrarysOrderUnlessTheUserChose) {
  auto env = [](std::map<std::string, std::string> vars) {
    return [vars](const char* name) {
      auto found = vars.find(name);
      return found == vars.end() ? std::string() : found->second;
    };
  };
  const auto system = LanguageChoice::System;
  EXPECT_EQ(ResolveLanguage(system, env({{"LANG", "ja_JP.UTF-8"}})), UiLanguage::Japanese);
  EXPECT_EQ(ResolveLanguage(system, env({{"LANG", "en_US.UTF-8"}})), UiLanguage::English);
  EXPECT_EQ(ResolveLanguage(system, env({})), UiLanguage::English);
  // LC_ALL overrides LC_MESSAGES, which overrides LANG; an empty one is skipped.
  EXPECT_EQ(ResolveLanguage(system, env({{"LC_ALL", "C"}, {"LANG", "ja_JP.UTF-8"}})),
            UiLanguage::English);
  EXPECT_EQ(
      ResolveLanguage(system, env({{"LC_ALL", ""}, {"LC_MESSAGES", "ja_JP"}, {"LANG", "en_GB"}})),
      UiLanguage::Japanese);
  // The user's choice wins over the desktop.
  EXPECT_EQ(ResolveLanguage(LanguageChoice::English, env({{"LANG", "ja_JP.UTF-8"}})),
            UiLanguage::English);
  EXPECT_EQ(ResolveLanguage(LanguageChoice::Japanese, env({{"LC_ALL", "C"}})),
            UiLanguage::Japanese);
}

TEST(TranslateTest, TheChoiceIsReadFromTheSettingsFileAndAnythingElseFollowsTheSystem) {
  test::TempDir dir;
  const std::string ini = dir.File("BRV3.ini");
  EXPECT_EQ(ReadLanguageChoice(ini), LanguageChoice::System);  // no file
  test::WriteFile(ini, "[BRV3]\r\nCommPort=3\r\nLanguage=ja\r\n");
  EXPECT_EQ(ReadLanguageChoice(ini), LanguageChoice::Japanese);
  test::WriteFile(ini, "[BRV3]\r\nLanguage=en\r\n");
  EXPECT_EQ(ReadLanguageChoice(ini), LanguageChoice::English);
  test::WriteFile(ini, "[BRV3]\r\nLanguage=klingon\r\n");
  EXPECT_EQ(ReadLanguageChoice(ini), LanguageChoice::System);
  for (LanguageChoice c :
       {LanguageChoice::System, LanguageChoice::Japanese, LanguageChoice::English})
    EXPECT_EQ(ParseLanguageChoice(LanguageChoiceValue(c)), c);
}

}  // namespace
}  // namespace brv3
