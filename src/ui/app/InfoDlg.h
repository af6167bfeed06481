#pragma once

#include <QDialog>
#include <QLabel>
#include <functional>
#include <string>

namespace brv3 {

// The publisher's notice: magenta and underlined under the mouse; a double click asks the box to
// open the notice's page.
class NoticeLabel : public QLabel {
  Q_OBJECT
 public:
  explicit NoticeLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void DoubleClicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void SetHighlighted(bool on);
};

// The about box. Each time it becomes active it asks the board for its information text and shows
// it as four lines of 16 characters.
class TInfoDlg : public QDialog {
  Q_OBJECT
 public:
  // `readVersion` returns the board's four lines (empty strings when the board does not answer).
  TInfoDlg(std::function<std::array<std::string, 4>()> readVersion, QWidget* parent = nullptr);

  void RefreshVersion();

 protected:
  bool event(QEvent* event) override;

 private:
  void NoticeDoubleClick();

  std::function<std::array<std::string, 4>()> readVersion_;
  QLabel* staticText1_;
};

}  // namespace brv3
