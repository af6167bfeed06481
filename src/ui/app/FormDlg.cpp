#include "ui/app/FormDlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/util/IniFile.h"
#include "platform/FileIcon.h"
#include "ui/app/ShellSettings.h"

namespace brv3 {

namespace {

QLineEdit* NamedEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setFixedWidth(60);
  return edit;
}

QCheckBox* NamedCheck(const char* name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

}  // namespace

std::optional<int> ParseFieldInteger(const QString& text) {
  auto value = ParseIniInteger(text.trimmed().toStdString());
  if (!value) return std::nullopt;
  return *value;
}

std::optional<EnvironmentSettings> ParseEnvironment(const EnvironmentFields& fields,
                                                    const EnvironmentSettings& present) {
  const int width = ParseFieldInteger(fields.Width).value_or(-1);
  const int height = ParseFieldInteger(fields.Height).value_or(-1);
  if (width < 100 || height < 100) return std::nullopt;
  EnvironmentSettings next = present;
  next.CanvasWidth = width;
  next.CanvasHeight = height;
  next.GridX = std::max(kMinGridSpacing, ParseFieldInteger(fields.GridX).value_or(present.GridX));
  next.GridY = std::max(kMinGridSpacing, ParseFieldInteger(fields.GridY).value_or(present.GridY));
  return next;
}

TFormDlg::TFormDlg(EnvironmentHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("FormDlg");
  setWindowTitle(tr("Properties"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  formWidth_ = NamedEdit("FormWidth", this);
  formHeight_ = NamedEdit("FormHeight", this);
  gridX_ = NamedEdit("GridX", this);
  gridY_ = NamedEdit("GridY", this);
  fileIcon_ = NamedCheck("FileIcon", tr("Display QVB file icon"), this);
  viewCmdMenu_ = NamedCheck("ViewCmdMenu", tr("Tool menu"), this);
  viewPartMenu_ = NamedCheck("ViewPartMenu", tr("Object menu"), this);
  viewCommMenu_ = NamedCheck("ViewCommMenu", tr("Communication menu"), this);
  viewToolMenu_ = NamedCheck("ViewToolMenu", tr("Command menu"), this);
  auto* apply = new QPushButton(tr("Apply"), this);
  apply->setObjectName("ReWriteBtn");
  apply->setDefault(true);
  connect(apply, &QPushButton::clicked, this, &TFormDlg::ReWriteBtnClick);

  auto* sizes = new QGridLayout;
  sizes->addWidget(new QLabel(tr("Width"), this), 0, 1);
  sizes->addWidget(new QLabel(tr("Height"), this), 0, 3);
  sizes->addWidget(new QLabel(tr("Size"), this), 1, 0);
  sizes->addWidget(formWidth_, 1, 1);
  sizes->addWidget(formHeight_, 1, 3);
  sizes->addWidget(new QLabel(tr("Grid Size"), this), 2, 0);
  sizes->addWidget(new QLabel(tr("X"), this), 2, 1, Qt::AlignRight);
  sizes->addWidget(gridX_, 2, 2);
  sizes->addWidget(new QLabel(tr("Y"), this), 2, 3, Qt::AlignRight);
  sizes->addWidget(gridY_, 2, 4);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(sizes);
  layout->addWidget(fileIcon_);
  layout->addWidget(new QLabel(tr("Display"), this));
  for (QCheckBox* box : {viewCmdMenu_, viewPartMenu_, viewCommMenu_, viewToolMenu_})
    layout->addWidget(box);
  layout->addWidget(apply, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormDlg::LoadPresent() {
  const EnvironmentSettings present = host_.PresentEnvironment();
  formWidth_->setText(QString::number(present.CanvasWidth));
  formHeight_->setText(QString::number(present.CanvasHeight));
  gridX_->setText(QString::number(present.GridX));
  gridY_->setText(QString::number(present.GridY));
  fileIcon_->setChecked(platform::FileIconInstalled());
  viewCmdMenu_->setChecked(present.ViewCmdMenu);
  viewPartMenu_->setChecked(present.ViewPartMenu);
  viewCommMenu_->setChecked(present.ViewCommMenu);
  viewToolMenu_->setChecked(present.ViewToolMenu);
}

void TFormDlg::showEvent(QShowEvent* event) {
  LoadPresent();
  QDialog::showEvent(event);
}

void TFormDlg::ReWriteBtnClick() {
  const EnvironmentFields fields{formWidth_->text(), formHeight_->text(), gridX_->text(),
                                 gridY_->text()};
  auto next = ParseEnvironment(fields, host_.PresentEnvironment());
  if (next) {
    host_.SetCanvasSize(next->CanvasWidth, next->CanvasHeight);
    host_.SetGridSpacing(next->GridX, next->GridY);
    std::string error;
    if (platform::SetFileIcon(fileIcon_->isChecked(),
                              QCoreApplication::applicationFilePath().toStdString(), &error)) {
      next->ViewCmdMenu = viewCmdMenu_->isChecked();
      next->ViewPartMenu = viewPartMenu_->isChecked();
      next->ViewCommMenu = viewCommMenu_->isChecked();
      next->ViewToolMenu = viewToolMenu_->isChecked();
      host_.SetToolbarsVisible(*next);
    } else {
      QMessageBox::critical(this, tr("Error"), QString::fromStdString(error));
    }
  }
  accept();
}

}  // namespace brv3
