#include "ui/app/MessageDialogs.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "core/util/Translate.h"
#include "ui/UiTestSupport.h"
#include "ui/app/WindowPrompter.h"

namespace brv3 {
namespace {

using test::OnNextModal;

// Shows a box, presses `press` in it, and reports what the box looked like.
struct BoxSeen {
  QString title;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int result = 0;
};

BoxSeen Show(MsgKind kind, MsgButtons buttons, int language, QMessageBox::StandardButton press) {
  BoxSeen seen;
  OnNextModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.buttons = box->standardButtons();
    seen.icon = box->icon();
    if (press == QMessageBox::NoButton)
      box->reject();
    else
      box->button(press)->click();
  });
  seen.result = ShowMsgBox(nullptr, kind, buttons, "text", language);
  return seen;
}

TEST(MsgBoxTest, CaptionsOfBothLanguagesAndUnknownKinds) {
  EXPECT_EQ(MsgCaption(0, kJapanese), QString::fromUtf8("警告"));
  EXPECT_EQ(MsgCaption(1, kJapanese), QString::fromUtf8("情報"));
  EXPECT_EQ(MsgCaption(2, kJapanese), QString::fromUtf8("確認"));
  EXPECT_EQ(MsgCaption(3, kJapanese), QString::fromUtf8("エラー"));
  EXPECT_EQ(MsgCaption(0, kEnglish), "Warning");
  EXPECT_EQ(MsgCaption(1, kEnglish), "Information");
  EXPECT_EQ(MsgCaption(2, kEnglish), "Question");
  EXPECT_EQ(MsgCaption(3, kEnglish), "Error");
  EXPECT_TRUE(MsgCaption(4, kEnglish).isEmpty());
  EXPECT_TRUE(MsgCaption(-1, kJapanese).isEmpty());
}

TEST(MsgBoxTest, ButtonSetsIconsAndReturnedIds) {
  BoxSeen q = Show(MsgKind::Question, MsgButtons::YesNo, kJapanese, QMessageBox::No);
  EXPECT_EQ(q.title, QString::fromUtf8("確認"));
  EXPECT_EQ(q.icon, QMessageBox::Question);
  EXPECT_EQ(q.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(q.result, IdNo);

  EXPECT_EQ(Show(MsgKind::Question, MsgButtons::YesNo, kEnglish, QMessageBox::Yes).result, IdYes);
  // Closing a Yes/No question answers No.
  EXPECT_EQ(Show(MsgKind::Question, MsgButtons::YesNo, kEnglish, QMessageBox::NoButton).result,
            IdNo);

  BoxSeen oc = Show(MsgKind::Warning, MsgButtons::OkCancel, kEnglish, QMessageBox::Cancel);
  EXPECT_EQ(oc.title, "Warning");
  EXPECT_EQ(oc.icon, QMessageBox::Warning);
  EXPECT_EQ(oc.buttons, QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(oc.result, IdCancel);

  BoxSeen ok = Show(MsgKind::Error, MsgButtons::Ok, kEnglish, QMessageBox::Ok);
  EXPECT_EQ(ok.icon, QMessageBox::Critical);
  EXPECT_EQ(ok.buttons, QMessageBox::Ok);
  EXPECT_EQ(ok.result, IdOk);

  BoxSeen ari =
      Show(MsgKind::Information, MsgButtons::AbortRetryIgnore, kEnglish, QMessageBox::Retry);
  EXPECT_EQ(ari.icon, QMessageBox::Information);
  EXPECT_EQ(ari.buttons, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
  EXPECT_EQ(ari.result, IdRetry);
  EXPECT_EQ(Show(MsgKind::Information, MsgButtons::AbortRetryIgnore, kEnglish, QMessageBox::Ignore)
                .result,
            IdIgnore);

  EXPECT_EQ(Show(MsgKind::Error, MsgButtons::RetryCancel, kEnglish, QMessageBox::Retry).result,
            IdRetry);
  BoxSeen ync = Show(MsgKind::Question, MsgButtons::YesNoCancel, kEnglish, QMessageBox::Cancel);
  EXPECT_EQ(ync.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(ync.result, IdCancel);

  BoxSeen help = Show(MsgKind::Information, MsgButtons::Help, kEnglish, QMessageBox::Help);
  EXPECT_EQ(help.buttons, QMessageBox::Ok | QMessageBox::Help);
  EXPECT_EQ(help.result, kIdHelp);

  BoxSeen none = Show(static_cast<MsgKind>(7), MsgButtons::Ok, kEnglish, QMessageBox::Ok);
  EXPECT_TRUE(none.title.isEmpty());
  EXPECT_EQ(none.icon, QMessageBox::NoIcon);
}

// What a box showed: its caption and the texts of its Yes and No buttons.
struct Captions {
  QString title, yes, no;
};

// Answers the next box with No, noting in `seen` what it showed.
void AnswerNo(Captions& seen) {
  OnNextModal([&seen](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.yes = box->button(QMessageBox::Yes)->text();
    seen.no = box->button(QMessageBox::No)->text();
    QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
  });
}

// A box whose caller names no language is in the windows' language, buttons included; a box asked
// for in Japanese stays Japanese. The answer is the same in either language.
TEST(MsgBoxTest, TheProgramsBoxesAreInTheWindowsLanguageWhateverTheCallerNames) {
  struct Restore {
    ~Restore() { SetUiLanguage(UiLanguage::English); }
  } restore;
  QWidget window;
  WindowPrompter prompter(window);
  SetUiLanguage(UiLanguage::Japanese);
  Captions seen;
  AnswerNo(seen);
  EXPECT_EQ(prompter.MsgBox(MsgKind::Question, MsgButtons::YesNo, "text"), IdNo);
  EXPECT_EQ(seen.title, QString::fromUtf8("確認"));
  EXPECT_EQ(seen.yes, QString::fromUtf8("はい(&Y)"));
  EXPECT_EQ(seen.no, QString::fromUtf8("いいえ(&N)"));
  // An English box asked for directly stays English.
  AnswerNo(seen);
  EXPECT_EQ(ShowMsgBox(nullptr, MsgKind::Question, MsgButtons::YesNo, "text", kEnglish), IdNo);
  EXPECT_EQ(seen.title, "Question");
  EXPECT_EQ(seen.yes, "&Yes");

  SetUiLanguage(UiLanguage::English);
  AnswerNo(seen);
  EXPECT_EQ(prompter.MsgBox(MsgKind::Question, MsgButtons::YesNo, "text"), IdNo);
  EXPECT_EQ(seen.title, "Question");
  EXPECT_EQ(seen.no, "&No");
  // A caller that names Japanese (the trim and link file boxes) gets the windows' language too:
  // its text comes from the English catalogue, and Japanese buttons under it would not match.
  AnswerNo(seen);
  EXPECT_EQ(prompter.MsgBox(MsgKind::Warning, MsgButtons::YesNo, "text", kJapanese), IdNo);
  EXPECT_EQ(seen.title, "Warning");
  EXPECT_EQ(seen.yes, "&Yes");
}

TEST(InputDialogLayoutTest, MultiplyDivideRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDivRound(7, 3, 2), 11);  // 10.5
  EXPECT_EQ(MulDivRound(5, 1, 4), 1);   // 1.25
  EXPECT_EQ(MulDivRound(-7, 3, 2), -11);
  EXPECT_EQ(MulDivRound(180, 7, 4), 315);
}

TEST(NumberSelectDialogTest, EmptyListPreselectionOkAndCancel) {
  NumberSelectState state;
  state.SelectCaption = "Play";
  state.SelectPrompt = "Select the motion or scenario to play";
  state.SelectIndex = 3;
  QString placeholder;
  int shownIndex = -2;
  QString title;
  OnNextModal([&](QWidget* w) {
    auto* combo = w->findChild<QComboBox*>("Combo");
    ASSERT_NE(combo, nullptr);
    placeholder = combo->placeholderText();
    shownIndex = combo->currentIndex();
    title = w->windowTitle();
    w->findChild<QPushButton*>("OkButton")->click();
  });
  EXPECT_TRUE(RunNumberSelectDialog(nullptr, state));
  EXPECT_EQ(state.SelectIndex, -1);
  EXPECT_EQ(shownIndex, -1);
  EXPECT_EQ(placeholder, "Please choose a number");
  EXPECT_EQ(title, "Play");

  state.SelectItems = "\"M1 walk 1/2 3:4\",\"M2  \",\"S1 x\"";
  state.SelectIndex = 1;
  int count = 0;
  OnNextModal([&](QWidget* w) {
    auto* combo = w->findChild<QComboBox*>("Combo");
    count = combo->count();
    shownIndex = combo->currentIndex();
    combo->setCurrentIndex(2);
    w->findChild<QPushButton*>("OkButton")->click();
  });
  EXPECT_TRUE(RunNumberSelectDialog(nullptr, state));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(shownIndex, 1);
  EXPECT_EQ(state.SelectIndex, 2);

  OnNextModal([&](QWidget* w) {
    w->findChild<QComboBox*>("Combo")->setCurrentIndex(0);
    w->findChild<QPushButton*>("CancelButton")->click();
  });
  EXPECT_FALSE(RunNumberSelectDialog(nullptr, state));
  EXPECT_EQ(state.SelectIndex, 2);
}

TEST(InputTextDialogTest, CancelKeepsValueOkReplacesItAndLayoutFollowsFont) {
  QString value = "3";
  QString shown;
  bool allSelected = false;
  OnNextModal([&](QWidget* w) {
    auto* edit = w->findChild<QLineEdit*>("Edit");
    shown = edit->text();
    allSelected = edit->selectedText() == edit->text();
    edit->setText("99");
    w->findChild<QPushButton*>("CancelButton")->click();
  });
  EXPECT_FALSE(RunInputTextDialog(nullptr, "Insert", "Number of new objects", value));
  EXPECT_EQ(value, "3");
  EXPECT_EQ(shown, "3");
  EXPECT_TRUE(allSelected);

  InputDialogLayout g;
  QRect okRect, cancelRect, editRect;
  QSize client;
  OnNextModal([&](QWidget* w) {
    g = ComputeInputDialogLayout(w->font());
    okRect = w->findChild<QPushButton*>("OkButton")->geometry();
    cancelRect = w->findChild<QPushButton*>("CancelButton")->geometry();
    editRect = w->findChild<QLineEdit*>("Edit")->geometry();
    client = w->size();
    w->findChild<QLineEdit*>("Edit")->setText(QString::fromUtf8("名前 12"));
    w->findChild<QPushButton*>("OkButton")->click();
  });
  EXPECT_TRUE(RunInputTextDialog(nullptr, "Insert", "Number of new objects", value));
  EXPECT_EQ(value, QString::fromUtf8("名前 12"));

  ASSERT_GT(g.charWidth, 0);
  EXPECT_EQ(client.width(), MulDivRound(180, g.charWidth, 4));
  EXPECT_EQ(okRect.x(), MulDivRound(38, g.charWidth, 4));
  EXPECT_EQ(cancelRect.x(), MulDivRound(92, g.charWidth, 4));
  EXPECT_EQ(okRect.width(), MulDivRound(50, g.charWidth, 4));
  EXPECT_EQ(okRect.height(), MulDivRound(14, g.charHeight, 8));
  EXPECT_EQ(okRect.top(), editRect.bottom() + 1 + 15);
  EXPECT_EQ(editRect.x(), MulDivRound(8, g.charWidth, 4));
  EXPECT_EQ(editRect.width(), MulDivRound(164, g.charWidth, 4));
  EXPECT_EQ(client.height(), okRect.bottom() + 1 + 13);
}

TEST(NumberSelectDialogTest, ListOfAllSlotsOpensTwentyRowsTall) {
  NumberSelectState state;
  state.SelectCaption = "Write";
  QStringList items;
  for (int i = 1; i <= 80; ++i) items << QString("\"M%1 motion\"").arg(i);
  for (int i = 1; i <= 5; ++i) items << QString("\"S%1 scenario\"").arg(i);
  state.SelectItems = items.join(",").toStdString();
  int rows = 0, rowHeight = 0, visibleHeight = 0;
  OnNextModal([&](QWidget* w) {
    auto* combo = w->findChild<QComboBox*>("Combo");
    combo->showPopup();
    QApplication::processEvents();
    QAbstractItemView* list = combo->view();
    rows = combo->count();
    rowHeight = list->visualRect(list->model()->index(0, 0)).height();
    visibleHeight = list->viewport()->height();
    combo->hidePopup();
    w->findChild<QPushButton*>("CancelButton")->click();
  });
  EXPECT_FALSE(RunNumberSelectDialog(nullptr, state));
  EXPECT_EQ(rows, 85);
  ASSERT_GT(rowHeight, 0);
  EXPECT_LE(visibleHeight, 20 * rowHeight);
  EXPECT_GE(visibleHeight, 19 * rowHeight);
}

// A short prompt stays on one line whatever the dialog font's size.
TEST(InputTextDialogTest, ShortPromptDoesNotWrap) {
  for (int pixels : {9, 11, 12, 13, 15, 17, 20}) {
    QWidget parent;
    QFont font = parent.font();
    font.setPixelSize(pixels);
    parent.setFont(font);
    int labelHeight = 0, lineHeight = 0;
    OnNextModal([&](QWidget* w) {
      auto* label = w->findChild<QLabel*>("Prompt");
      labelHeight = label->height();
      lineHeight = label->fontMetrics().height();
      w->findChild<QPushButton*>("CancelButton")->click();
    });
    QString value = "1";
    RunInputTextDialog(&parent, "Insert", "Number of new objects", value);
    ASSERT_GT(lineHeight, 0);
    EXPECT_LT(labelHeight, 2 * lineHeight) << pixels << " pixel font";
  }
}

}  // namespace
}  // namespace brv3
