#include "ui/robot/PreviewInputsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace brv3 {
namespace {

constexpr uint16_t kNoButton = 0xFFFF;

QSpinBox* Spin(QWidget* parent, const char* name, int max, int base = 10) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(0, max);
  spin->setDisplayIntegerBase(base);
  return spin;
}

}  // namespace

TPreviewInputsDlg::TPreviewInputsDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("PreviewInputsDlg");
  setWindowTitle(tr("Preview inputs"));
  auto* form = new QFormLayout(this);
  for (int i = 0; i < 3; ++i) {
    const QString name = "PreviewAd" + QString::number(i + 1);
    analog_[static_cast<size_t>(i)] = Spin(this, name.toLatin1().constData(), 0x3FFF);
    form->addRow(tr("Analog input %1").arg(i + 1), analog_[static_cast<size_t>(i)]);
  }
  remoteHeld_ = new QCheckBox(tr("A remote-control button is held"), this);
  remoteHeld_->setObjectName("PreviewRemoteHeld");
  form->addRow(remoteHeld_);
  remoteCode_ = Spin(this, "PreviewRemoteCode", 0xFFFE, 16);
  remoteCode_->setPrefix("0x");
  form->addRow(tr("Its code"), remoteCode_);
  connect(remoteHeld_, &QCheckBox::toggled, remoteCode_, &QWidget::setEnabled);
  loopCounter_ = Spin(this, "PreviewLoopCounter", 255);
  form->addRow(tr("Loop counter at the start"), loopCounter_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

void TPreviewInputsDlg::Load(const PreviewSettings& settings) {
  for (size_t i = 0; i < 3; ++i) analog_[i]->setValue(settings.inputs.analog[i + 1]);
  const bool held = settings.inputs.remoteCode != kNoButton;
  remoteHeld_->setChecked(held);
  remoteCode_->setEnabled(held);
  remoteCode_->setValue(held ? settings.inputs.remoteCode : 0);
  loopCounter_->setValue(settings.loopCounter);
}

PreviewSettings TPreviewInputsDlg::Store(PreviewSettings settings) const {
  for (size_t i = 0; i < 3; ++i)
    settings.inputs.analog[i + 1] = static_cast<uint16_t>(analog_[i]->value());
  settings.inputs.remoteCode =
      remoteHeld_->isChecked() ? static_cast<uint16_t>(remoteCode_->value()) : kNoButton;
  settings.loopCounter = static_cast<uint8_t>(loopCounter_->value());
  return settings;
}

}  // namespace brv3
