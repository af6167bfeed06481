#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/board/ServoRecord.h"
#include "core/motion/PoseEditorBoard.h"
#include "core/util/Translate.h"

namespace brv3 {

class BoardLink;
class ChannelLook;
class Prompter;

// Shown through Tr("ServoList", ...).
constexpr const char* kRebootToSvlMode =
    BRV3_TR_NOOP("ServoList", "Reboot the QVB-3 to change to mode");

// The serial-servo list's rows and board sequences. Opening sets the board's SVL mode bit in
// the stored mode word; the destructor (or Close) clears it again, so every way out of the list
// leaves the bit cleared.
class ServoList {
 public:
  enum class ModeCheck { InMode, NotInMode, Failed };

  ServoList(BoardLink& link, Prompter& prompter, const ChannelLook* look = nullptr)
      : link_(link), prompter_(prompter), look_(look) {}
  ~ServoList() { Close(); }
  ServoList(const ServoList&) = delete;
  ServoList& operator=(const ServoList&) = delete;

  // Both masks, then SVL mode on; rows hold number, name and port. False: show nothing.
  bool Open();
  // SVL mode off when it was switched on by Open; harmless to call again.
  bool Close();
  bool IsOpen() const { return open_; }

  // Working mode word bit 14; warns when clear, silent when the read failed.
  ModeCheck CheckMode();
  // Reads the record of every SVL channel into its row. False when the mode check stopped it.
  bool Load();

  // The record of `channel` (1..24) in `format`, or nullopt.
  std::optional<ServoRecord> ReadRecord(int channel, RecordFormat format);
  bool WriteRecord(int channel, const ServoRecord& record);

  // Double click: mode check, SVL bit, read. The record to edit or nullopt (then stop).
  std::optional<ServoRecord> BeginEdit(int channel);
  // After the parameter dialog closed: row updated, record written back.
  bool FinishEdit(int channel, const ServoRecord& record);
  // The parameter dialog's caption, "3:CH3".
  std::string EditCaption(int channel) const;

  // Drag and drop: both channels with the SVL bit and the same format.
  bool CanDrop(int from, int to) const;
  // Copies the dragged channel's record onto the target (no mode check); false when refused or
  // the read or write failed.
  bool Drop(int from, int to);

  bool Svl(int channel) const { return MaskHasChannel(svlMask_, channel); }
  bool Serial(int channel) const { return MaskHasChannel(serialMask_, channel); }
  RecordFormat FormatOf(int channel) const {
    return Serial(channel) ? RecordFormat::Long : RecordFormat::Short;
  }
  std::string Name(int channel) const;
  const ServoListRow& Row(int channel) const { return rows_[static_cast<size_t>(channel - 1)]; }

 private:
  void ShowRow(int channel, const ServoRecord* record);
  static bool Valid(int channel) { return channel >= 1 && channel <= 24; }

  BoardLink& link_;
  Prompter& prompter_;
  const ChannelLook* look_;
  ChannelMask svlMask_{};
  ChannelMask serialMask_{};
  std::array<ServoListRow, 24> rows_{};
  bool open_ = false;
};

}  // namespace brv3
