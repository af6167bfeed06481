#include <gtest/gtest.h>

#include "core/util/Prompter.h"

namespace brv3 {
namespace {

// Callers go ahead only on the affirmative answer of each button set (`== IdYes` for Yes/No), so
// an OK to a Yes/No question would be read as No; a retry would repeat a failing step forever.
TEST(SilentPrompter, AgreesWithTheButtonsAskedAndNeverRetries) {
  SilentPrompter silent;
  Prompter& prompter = silent;
  const auto answer = [&](MsgButtons buttons) {
    return prompter.MsgBox(MsgKind::Question, buttons, "Go on?");
  };
  EXPECT_EQ(answer(MsgButtons::Ok), IdOk);
  EXPECT_EQ(answer(MsgButtons::OkCancel), IdOk);
  EXPECT_EQ(answer(MsgButtons::YesNo), IdYes);
  EXPECT_EQ(answer(MsgButtons::YesNoCancel), IdYes);
  EXPECT_EQ(answer(MsgButtons::RetryCancel), IdCancel);
  EXPECT_EQ(answer(MsgButtons::AbortRetryIgnore), IdAbort);
  NumberSelectState state;
  EXPECT_FALSE(prompter.NumberSelectDialog(state));
  std::string value = "kept";
  EXPECT_FALSE(prompter.InputTextDialog("Name", "New name", value));
  EXPECT_EQ(value, "kept");
}

}  // namespace
}  // namespace brv3
