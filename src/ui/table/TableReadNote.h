#pragma once

#include <QFrame>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace brv3 {

class SlotLists;

// The line a dialog with slot lists shows while rows of the motion table were never read: what
// that means, and a button that reads the table (the source asks first). Hidden once every row
// was read.
class TableReadNote : public QFrame {
  Q_OBJECT
 public:
  explicit TableReadNote(QWidget* parent = nullptr);

  // `note` says what to show (empty: nothing); `read` runs when the button is pressed.
  void SetSource(std::function<std::string()> note, std::function<void()> read);
  // The same for the slot lists' own note and offer; null leaves the note hidden.
  void Follow(SlotLists* lists);
  // Shows the source's note, or hides the line when there is none.
  void Refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // The button was pressed and the source had its turn: the lists are to be filled again.
  void TableRead();

 private:
  std::function<std::string()> note_;
  std::function<void()> read_;
  QLabel* text_ = nullptr;
  QPushButton* button_ = nullptr;
};

}  // namespace brv3
