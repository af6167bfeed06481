#include "ui/app/InfoDlg.h"

#include <QEnterEvent>
#include <QFont>
#include <QGridLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <array>

namespace brv3 {

namespace {

QPixmap Banner() {
  QPixmap pixmap(285, 60);
  QPainter painter(&pixmap);
  QLinearGradient gradient(0, 0, 285, 60);
  gradient.setColorAt(0, QColor(0, 0, 128));
  gradient.setColorAt(1, QColor(0, 128, 192));
  painter.fillRect(pixmap.rect(), gradient);
  painter.setPen(QColor(0, 255, 0));
  QFont font = painter.font();
  font.setPixelSize(26);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(pixmap.rect().adjusted(12, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   "Brivane 3");
  painter.setPen(Qt::white);
  font.setPixelSize(11);
  font.setBold(false);
  painter.setFont(font);
  painter.drawText(pixmap.rect().adjusted(0, 0, -10, -6), Qt::AlignBottom | Qt::AlignRight,
                   TInfoDlg::tr("QVB-3 motion editor"));
  return pixmap;
}

}  // namespace

NoticeLabel::NoticeLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setObjectName("NoticeLabel");
  SetHighlighted(false);
}

void NoticeLabel::SetHighlighted(bool on) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, on ? QColor(0xFF, 0x00, 0xFF) : QColor(Qt::black));
  setPalette(p);
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
}

void NoticeLabel::enterEvent(QEnterEvent* event) {
  SetHighlighted(true);
  QLabel::enterEvent(event);
}

void NoticeLabel::leaveEvent(QEvent* event) {
  SetHighlighted(false);
  QLabel::leaveEvent(event);
}

void NoticeLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  QLabel::mouseDoubleClickEvent(event);
  emit DoubleClicked();
}

TInfoDlg::TInfoDlg(std::function<std::array<std::string, 4>()> readVersion, QWidget* parent)
    : QDialog(parent), readVersion_(std::move(readVersion)) {
  setObjectName("InfoDlg");
  setWindowTitle(tr("Information"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* banner = new QLabel(this);
  banner->setObjectName("Image1");
  banner->setPixmap(Banner());
  banner->setFixedSize(285, 60);
  auto* programName = new QLabel(tr("ProgramName"), this);
  auto* versionLabel = new QLabel("Brivane Part3\n2008/03/06", this);
  versionLabel->setObjectName("VersionLabel");
  auto* noticeHeading = new QLabel(tr("Publisher"), this);
  auto* notice = new NoticeLabel("Brivane 3 for Linux", this);
  connect(notice, &NoticeLabel::DoubleClicked, this, &TInfoDlg::NoticeDoubleClick);
  auto* versionHeading = new QLabel(tr("Version"), this);
  staticText1_ = new QLabel(this);
  staticText1_->setObjectName("StaticText1");
  staticText1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  staticText1_->setFixedSize(137, 57);
  staticText1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont fixed("Monospace");
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setPixelSize(11);
  staticText1_->setFont(fixed);

  auto* layout = new QGridLayout(this);
  layout->addWidget(banner, 0, 0, 1, 2);
  layout->addWidget(programName, 1, 0, Qt::AlignTop);
  layout->addWidget(versionLabel, 1, 1);
  layout->addWidget(noticeHeading, 2, 0);
  layout->addWidget(notice, 2, 1);
  layout->addWidget(versionHeading, 3, 0, Qt::AlignTop);
  layout->addWidget(staticText1_, 3, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TInfoDlg::RefreshVersion() {
  std::array<std::string, 4> lines{};
  if (readVersion_) lines = readVersion_();
  QStringList text;
  for (const std::string& line : lines) text << QString::fromStdString(line);
  staticText1_->setText(text.join('\n'));
}

bool TInfoDlg::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) RefreshVersion();
  return QDialog::event(event);
}

void TInfoDlg::NoticeDoubleClick() {
  close();
}

}  // namespace brv3
