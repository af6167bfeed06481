#include "ui/app/ItemProperty.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "core/chart/Chart.h"
#include "ui/app/FormDlg.h"
#include "ui/app/WindowPlacement.h"

namespace brv3 {

TItemProperty::TItemProperty(QWidget* parent) : QDialog(parent) {
  setObjectName("ItemProperty");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  nameEdit_ = new QLineEdit(this);
  nameEdit_->setObjectName("NameEdit");
  widthEdit_ = new QLineEdit(this);
  widthEdit_->setObjectName("WidthEdit");
  heightEdit_ = new QLineEdit(this);
  heightEdit_->setObjectName("HeightEdit");
  auto* autoButton = new QPushButton(tr("Auto"), this);
  autoButton->setObjectName("Button2");
  auto* apply = new QPushButton(tr("Apply"), this);
  apply->setObjectName("Button1");
  apply->setDefault(true);
  connect(autoButton, &QPushButton::clicked, this, &TItemProperty::Button2Click);
  connect(apply, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(tr("Name"), this), 0, 0);
  layout->addWidget(nameEdit_, 0, 1, 1, 2);
  layout->addWidget(new QLabel(tr("Width"), this), 1, 0);
  layout->addWidget(widthEdit_, 1, 1);
  layout->addWidget(new QLabel(tr("Height"), this), 2, 0);
  layout->addWidget(heightEdit_, 2, 1);
  layout->addWidget(autoButton, 1, 2);
  layout->addWidget(apply, 3, 1, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TItemProperty::Button2Click() {
  QFontMetrics metrics(font());
  widthEdit_->setText(QString::number(metrics.horizontalAdvance(nameEdit_->text()) + 2));
  heightEdit_->setText(QString::number(metrics.height() + 2));
}

TItemProperty::Outcome TItemProperty::Edit(ChartObject& object, const QPoint& cursor) {
  const QString name = QString::fromStdString(object.Name);
  setWindowTitle(name);
  nameEdit_->setText(name);
  widthEdit_->setText(QString::number(object.Width));
  heightEdit_->setText(QString::number(object.Height));
  MoveFrameTo(*this, cursor - QPoint(20, 20), parentWidget());
  if (exec() != QDialog::Accepted) return Outcome::Cancelled;

  object.Name = nameEdit_->text().toStdString();
  for (QLineEdit* field : {widthEdit_, heightEdit_}) {
    if (!ParseFieldInteger(field->text())) {
      QMessageBox::critical(parentWidget(), tr("Error"),
                            tr("'%1' is not a valid integer value").arg(field->text()));
      return Outcome::SizeInvalid;
    }
  }
  object.Width = *ParseFieldInteger(widthEdit_->text());
  object.Height = *ParseFieldInteger(heightEdit_->text());
  return Outcome::Applied;
}

}  // namespace brv3
