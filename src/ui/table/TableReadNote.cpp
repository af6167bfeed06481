#include "ui/table/TableReadNote.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/board/SlotLists.h"
#include "core/util/Prompter.h"
#include "ui/app/MessageDialogs.h"
#include "ui/app/ShownTexts.h"

namespace brv3 {

TableReadNote::TableReadNote(QWidget* parent) : QFrame(parent) {
  setObjectName("TableReadNote");
  setFrameShape(QFrame::StyledPanel);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  text_ = new QLabel(this);
  text_->setObjectName("TableNoteText");
  text_->setWordWrap(true);
  text_->installEventFilter(this);
  button_ = new QPushButton(CoreText("SlotLists", SlotLists::kReadButton), this);
  button_->setObjectName("ReadTableBtn");
  layout->addWidget(text_, 1);
  layout->addWidget(button_);
  connect(button_, &QPushButton::clicked, this, [this] {
    if (read_) read_();
    Refresh();
    emit TableRead();
  });
  hide();
}

// A window does not grow for the lines a wrapped text needs at the width it gets, so the text
// asks for them as its minimum height whenever its width changes: the note is never cut off,
// in whichever language, in however narrow a dialog.
bool TableReadNote::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && event->type() == QEvent::Resize) {
    const int needed = text_->heightForWidth(text_->width());
    if (needed > 0 && needed != text_->minimumHeight()) text_->setMinimumHeight(needed);
  }
  return QFrame::eventFilter(watched, event);
}

void TableReadNote::SetSource(std::function<std::string()> note, std::function<void()> read) {
  note_ = std::move(note);
  read_ = std::move(read);
  Refresh();
}

void TableReadNote::Follow(SlotLists* lists) {
  if (!lists) {
    SetSource(nullptr, nullptr);
    return;
  }
  // The question stands over this dialog, so the dialog is what comes back when it closes.
  SetSource([lists] { return lists->Note(); },
            [this, lists] {
              if (ShowMsgBox(window(), MsgKind::Question, MsgButtons::YesNo,
                             CoreText("SlotLists", SlotLists::kQuestion), kWindowLanguage) == IdYes)
                lists->Read();
            });
}

void TableReadNote::Refresh() {
  const std::string note = note_ ? note_() : std::string();
  text_->setText(QString::fromStdString(note));
  setVisible(!note.empty());
}

}  // namespace brv3
