#include "core/motion/PatternActions.h"

#include <gtest/gtest.h>

#include "core/motion/FakeLinkBoard.h"
#include "core/util/IniFile.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

ChannelTexts Link(const char* first) {
  ChannelTexts texts;
  texts[0] = first;
  return texts;
}

}  // namespace

TEST(PatternActions, LinkOkValidatesThenChecksTheName) {
  PatternStore store;
  test::ScriptedPrompter prompter;
  EXPECT_FALSE(SaveLinkSet(store, "Walk", Link("SPD(0)"), prompter));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages.back().text, "Flow wiring error in CH1");

  EXPECT_FALSE(SaveLinkSet(store, "New Link", Link("FREE"), prompter));
  EXPECT_EQ(prompter.messages.back().kind, MsgKind::Warning);
  EXPECT_EQ(prompter.messages.back().text, "");
  EXPECT_EQ(prompter.messages.back().language, kJapanese);

  EXPECT_FALSE(SaveLinkSet(store, "", Link("FREE"), prompter));
  EXPECT_EQ(prompter.messages.back().text, "Input the name");
  EXPECT_TRUE(store.Names(PatternKind::Link).empty());

  EXPECT_TRUE(SaveLinkSet(store, "Walk", Link("FREE"), prompter));
  EXPECT_EQ(store.Entries(PatternKind::Link, "Walk"), Link("FREE"));
  EXPECT_EQ(prompter.messages.size(), 3u);

  EXPECT_FALSE(SaveConversionSet(store, "", Link("REVERSE"), prompter));
  EXPECT_TRUE(store.Names(PatternKind::Conversion).empty());
  EXPECT_TRUE(SaveConversionSet(store, "Mirror", Link("REVERSE"), prompter));
}

TEST(PatternActions, DeleteAsksAndNoKeepsTheSet) {
  PatternStore store;
  store.Store(PatternKind::Conversion, "Mirror", Link("REVERSE"));
  test::ScriptedPrompter prompter;
  prompter.answers = {IdNo, IdYes};
  EXPECT_FALSE(DeleteSet(store, PatternKind::Conversion, "Mirror", prompter));
  EXPECT_TRUE(store.Contains(PatternKind::Conversion, "Mirror"));
  EXPECT_EQ(prompter.messages.back().text, "MirrorDo you delete this?");
  EXPECT_EQ(prompter.messages.back().buttons, MsgButtons::YesNo);
  EXPECT_TRUE(DeleteSet(store, PatternKind::Conversion, "Mirror", prompter));
  EXPECT_FALSE(store.Contains(PatternKind::Conversion, "Mirror"));
}

TEST(PatternActions, ExportKeepsTheFilesOtherContentAndImportAsksBeforeReplacing) {
  test::TempDir dir;
  const std::string file = dir.File("walk.QVB");
  test::WriteFile(file, "[Other]\r\nKey=1\r\n");
  PatternStore source;
  test::ScriptedPrompter prompter;
  ASSERT_TRUE(ExportSet(source, PatternKind::Link, "歩行", Link("MOV(+5)"), file, prompter));
  EXPECT_TRUE(source.Contains(PatternKind::Link, "歩行"));
  IniFile written;
  ASSERT_TRUE(written.LoadFile(file));
  EXPECT_EQ(written.ReadString("Other", "Key", ""), "1");
  EXPECT_TRUE(written.ValueExists("LinkFile", "歩行"));
  EXPECT_FALSE(
      ExportSet(source, PatternKind::Link, "x", Link("MOV(x)"), dir.File("bad.QVB"), prompter));

  PatternStore target;
  target.Store(PatternKind::Link, "歩行", Link("FREE"));
  prompter.answers = {IdNo};
  EXPECT_EQ(ImportSet(target, PatternKind::Link, file, prompter).status, ImportStatus::Declined);
  EXPECT_EQ(prompter.messages.back().text, "A setting of the same name exists. Overwrite it?");
  EXPECT_EQ(target.Entries(PatternKind::Link, "歩行"), Link("FREE"));

  ImportResult yes = ImportSet(target, PatternKind::Link, file, prompter);
  EXPECT_EQ(yes.status, ImportStatus::Imported);
  EXPECT_EQ(yes.name, "歩行");
  EXPECT_EQ(yes.entries, Link("MOV(+5)"));
  EXPECT_EQ(target.Entries(PatternKind::Link, "歩行"), Link("MOV(+5)"));
  EXPECT_EQ(target.Names(PatternKind::Link).size(), 1u);
  // A link file holds no conversion.
  EXPECT_EQ(ImportSet(target, PatternKind::Conversion, file, prompter).status,
            ImportStatus::Failed);
}

TEST(PatternActions, ImportRefusesBrokenFilesAndIgnoresEmptyValues) {
  test::TempDir dir;
  PatternStore store;
  test::ScriptedPrompter prompter;
  test::WriteFile(dir.File("short.QVB"), "[CnvFile]\r\nHalf=\"REVERSE\",\"\"\r\n");
  EXPECT_EQ(ImportSet(store, PatternKind::Conversion, dir.File("short.QVB"), prompter).status,
            ImportStatus::Failed);
  EXPECT_NE(prompter.messages.back().text.find("2 entries"), std::string::npos);
  test::WriteFile(dir.File("empty.QVB"), "[CnvFile]\r\nNothing=\r\nLater=\"x\"\r\n");
  size_t shown = prompter.messages.size();
  EXPECT_EQ(ImportSet(store, PatternKind::Conversion, dir.File("empty.QVB"), prompter).status,
            ImportStatus::EmptyValue);
  EXPECT_EQ(prompter.messages.size(), shown);
  EXPECT_EQ(ImportSet(store, PatternKind::Conversion, dir.File("missing.QVB"), prompter).status,
            ImportStatus::Failed);
  EXPECT_TRUE(store.Names(PatternKind::Conversion).empty());
}

}  // namespace brv3
