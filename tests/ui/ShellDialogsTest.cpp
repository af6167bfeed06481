#include <gtest/gtest.h>

#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolBar>
#include <filesystem>

#include "core/chart/Chart.h"
#include "platform/FileIcon.h"
#include "ui/UiTestSupport.h"
#include "ui/app/FormDlg.h"
#include "ui/app/InfoDlg.h"
#include "ui/app/ItemProperty.h"
#include "ui/app/MainWindow.h"

namespace brv3 {
namespace {

using test::OnNextModal;

void SetField(QWidget& dialog, const char* name, const QString& text) {
  auto* edit = dialog.findChild<QLineEdit*>(name);
  ASSERT_NE(edit, nullptr) << name;
  edit->setText(text);
}

TEST(EnvironmentTest, ParsingKeepsOldSpacingForTextAndRefusesSmallSizes) {
  EnvironmentSettings present;
  present.GridX = 7;
  present.GridY = 8;
  EXPECT_FALSE(ParseEnvironment({"99", "500", "5", "5"}, present));
  EXPECT_FALSE(ParseEnvironment({"800", "abc", "5", "5"}, present));
  EXPECT_FALSE(ParseEnvironment({"", "600", "5", "5"}, present));
  auto next = ParseEnvironment({"800", "600", "abc", "1"}, present);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->CanvasWidth, 800);
  EXPECT_EQ(next->CanvasHeight, 600);
  EXPECT_EQ(next->GridX, 7);
  EXPECT_EQ(next->GridY, 2);
  next = ParseEnvironment({"100", "$100", "-4", "12"}, present);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->CanvasHeight, 256);
  EXPECT_EQ(next->GridX, 2);
  EXPECT_EQ(next->GridY, 12);
}

TEST(EnvironmentTest, ApplyRulesOnTheMainWindow) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  TFormDlg dialog(window.Environment());
  dialog.LoadPresent();
  EXPECT_EQ(dialog.findChild<QLineEdit*>("FormWidth")->text(), "640");
  EXPECT_EQ(dialog.findChild<QLineEdit*>("GridX")->text(), "5");
  EXPECT_FALSE(dialog.findChild<QCheckBox*>("FileIcon")->isChecked());
  EXPECT_TRUE(dialog.findChild<QCheckBox*>("ViewCmdMenu")->isChecked());

  // A width below 100 applies nothing at all, not even the toolbar boxes or the association.
  SetField(dialog, "FormWidth", "99");
  SetField(dialog, "FormHeight", "500");
  SetField(dialog, "GridX", "9");
  dialog.findChild<QCheckBox*>("ViewCmdMenu")->setChecked(false);
  dialog.findChild<QCheckBox*>("FileIcon")->setChecked(true);
  dialog.ReWriteBtnClick();
  EXPECT_EQ(window.CanvasSize(), QSize(640, 480));
  EXPECT_EQ(window.GridX(), 5);
  EXPECT_FALSE(window.findChild<QToolBar*>("CommandMenu")->isHidden());
  EXPECT_FALSE(platform::FileIconInstalled());

  dialog.LoadPresent();
  SetField(dialog, "FormWidth", "800");
  SetField(dialog, "FormHeight", "600");
  SetField(dialog, "GridX", "abc");
  SetField(dialog, "GridY", "1");
  dialog.findChild<QCheckBox*>("ViewCmdMenu")->setChecked(false);   // "Tool menu"
  dialog.findChild<QCheckBox*>("ViewToolMenu")->setChecked(false);  // "Command menu"
  dialog.findChild<QCheckBox*>("FileIcon")->setChecked(true);
  dialog.ReWriteBtnClick();
  EXPECT_EQ(window.CanvasSize(), QSize(800, 600));
  EXPECT_EQ(window.CanvasWidget()->size(), QSize(800, 600));
  EXPECT_EQ(window.GridX(), 5);
  EXPECT_EQ(window.GridY(), 2);
  EXPECT_TRUE(window.findChild<QToolBar*>("CommandMenu")->isHidden());
  EXPECT_TRUE(window.findChild<QToolBar*>("ToolsMenu")->isHidden());
  EXPECT_FALSE(window.findChild<QToolBar*>("PartsMenu")->isHidden());
  EXPECT_TRUE(platform::FileIconInstalled());
  EXPECT_EQ(platform::MimePackagePath().rfind(env.DataHome(), 0), 0u);
  EXPECT_EQ(dialog.findChild<QCheckBox*>("ViewCmdMenu")->text(), "Tool menu");

  dialog.LoadPresent();
  EXPECT_TRUE(dialog.findChild<QCheckBox*>("FileIcon")->isChecked());
  EXPECT_FALSE(dialog.findChild<QCheckBox*>("ViewToolMenu")->isChecked());
  dialog.findChild<QCheckBox*>("FileIcon")->setChecked(false);
  dialog.ReWriteBtnClick();
  EXPECT_FALSE(platform::FileIconInstalled());
}

TEST(ItemPropertyTest, ApplyAutoCancelAndAnInvalidSize) {
  TItemProperty dialog;
  ChartObject object;
  object.Name = "POS1";
  object.Width = 40;
  object.Height = 20;

  QString title;
  OnNextModal([&](QWidget* w) {
    title = w->windowTitle();
    SetField(*w, "NameEdit", "changed");
    qobject_cast<QDialog*>(w)->reject();
  });
  EXPECT_EQ(dialog.Edit(object, QPoint(300, 300)), TItemProperty::Outcome::Cancelled);
  EXPECT_EQ(title, "POS1");
  EXPECT_EQ(object.Name, "POS1");

  int autoWidth = 0;
  OnNextModal([&](QWidget* w) {
    SetField(*w, "NameEdit", "Walk forward");
    w->findChild<QPushButton*>("Button2")->click();
    autoWidth = w->findChild<QLineEdit*>("WidthEdit")->text().toInt();
    w->findChild<QPushButton*>("Button1")->click();
  });
  EXPECT_EQ(dialog.Edit(object, QPoint(300, 300)), TItemProperty::Outcome::Applied);
  EXPECT_EQ(object.Name, "Walk forward");
  EXPECT_EQ(object.Width, autoWidth);
  EXPECT_EQ(object.Width, QFontMetrics(dialog.font()).horizontalAdvance("Walk forward") + 2);
  EXPECT_EQ(object.Height, QFontMetrics(dialog.font()).height() + 2);

  QString error;
  OnNextModal([&](QWidget* w) {
    SetField(*w, "NameEdit", "renamed");
    SetField(*w, "WidthEdit", "wide");
    SetField(*w, "HeightEdit", "33");
    OnNextModal([&](QWidget* box) {
      error = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    w->findChild<QPushButton*>("Button1")->click();
  });
  const int width = object.Width;
  const int height = object.Height;
  EXPECT_EQ(dialog.Edit(object, QPoint(300, 300)), TItemProperty::Outcome::SizeInvalid);
  EXPECT_EQ(object.Name, "renamed");
  EXPECT_EQ(object.Width, width);
  EXPECT_EQ(object.Height, height);
  EXPECT_TRUE(error.contains("wide"));
}

TEST(InfoDlgTest, VersionLinesAndTheNoticeLabel) {
  std::array<std::string, 4> lines{"QVB-3 Ver 1.00", "2008/03/01", "", "SN 42"};
  bool answer = true;
  TInfoDlg dialog([&] { return answer ? lines : std::array<std::string, 4>{}; });
  dialog.RefreshVersion();
  auto* text = dialog.findChild<QLabel*>("StaticText1");
  EXPECT_EQ(text->text(), "QVB-3 Ver 1.00\n2008/03/01\n\nSN 42");
  answer = false;
  dialog.RefreshVersion();
  EXPECT_EQ(text->text(), "\n\n\n");
  EXPECT_EQ(dialog.findChild<QLabel*>("VersionLabel")->text(), "Brivane Part3\n2008/03/06");

  auto* notice = dialog.findChild<NoticeLabel*>("NoticeLabel");
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->text(), "Brivane 3 for Linux");
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(notice, &enter);
  EXPECT_TRUE(notice->font().underline());
  EXPECT_EQ(notice->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0xFF));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(notice, &leave);
  EXPECT_FALSE(notice->font().underline());
  EXPECT_EQ(notice->palette().color(QPalette::WindowText), QColor(Qt::black));

  dialog.show();
  ASSERT_TRUE(dialog.isVisible());
  QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(notice, &click);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace brv3
