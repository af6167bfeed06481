#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <string>

#include "core/motion/LinkCommand.h"
#include "core/motion/PatternStore.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace brv3 {

class ChannelLook;
class Prompter;

// The per-channel entry dialog: 24 rows of a channel label and an entry box, with a name list
// in the conversion and link modes. Keeps the named links and conversions of PATTERN.ini and
// writes the file after every change, so a crash loses nothing that was saved.
class TPortDlg : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Conversion, Names, Scales, Link };

  // `look` gives the channel captions and colours (the position editor's layout); may be null.
  TPortDlg(std::string patternPath, Prompter& prompter, const ChannelLook* look,
           QWidget* parent = nullptr);

  PatternStore& Store() { return store_; }

  // Each runs the dialog modally in its mode and returns the 24 entries on OK. `from` is the
  // window it is opened from (the position editor): the dialog belongs to it while it shows, so
  // closing it returns there; without one it belongs to its parent.
  std::optional<ChannelTexts> RunConversion();
  std::optional<ChannelTexts> RunNames(const ChannelTexts& names, QWidget* from = nullptr);
  std::optional<ChannelTexts> RunScales(const ChannelTexts& factors, QWidget* from = nullptr);
  // True when a link was saved.
  bool RunLink(QWidget* from = nullptr);

  ChannelTexts Entries() const;
  QComboBox* ListMenu() const { return listMenu_; }
  QComboBox* Entry(int channel) const { return boxes_[static_cast<size_t>(channel - 1)]; }

  void OKBtnClick();
  void DelBtnClick();
  void Button2Click();  // save to a file
  void Button3Click();  // load from a file

 signals:
  // The link names changed (saved, deleted, loaded): the position editor refills `LinkList`.
  void LinksChanged();
  // The link of that name was deleted.
  void LinkDeleted(const QString& name);

 private:
  void SetUp(Mode mode, const QString& caption, const ChannelTexts& entries);
  int ExecFrom(QWidget* from);
  void FillNames();
  void ShowEntries(const ChannelTexts& entries);
  void ListChosen(int index);
  PatternKind Kind() const;
  void Persist();
  std::string Name() const;

  std::string patternPath_;
  Prompter& prompter_;
  const ChannelLook* look_;
  PatternStore store_;
  std::string storeError_;
  bool storeUsable_ = true;
  Mode mode_ = Mode::Conversion;
  QLabel* listLabel_ = nullptr;
  QComboBox* listMenu_ = nullptr;
  QPushButton* delBtn_ = nullptr;
  std::array<QLabel*, kChannels> names_{};
  std::array<QComboBox*, kChannels> boxes_{};
};

}  // namespace brv3
