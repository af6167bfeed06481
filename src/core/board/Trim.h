#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/chart/Chart.h"
#include "core/motion/ChannelWord.h"
#include "core/motion/PoseEditorBoard.h"
#include "core/util/Bytes.h"
#include "core/util/Translate.h"

namespace brv3 {

class BoardLink;
class IniFile;

// One trim value per channel, channel 1 first: raw servo positions, 16384 the centre.
using TrimSet = std::array<uint16_t, kChannels>;

constexpr uint16_t kTrimCentre = kPositionCenter;
constexpr uint16_t kSerialTrimMin = 12384;
constexpr uint16_t kSerialTrimMax = 20384;
constexpr uint16_t kPulseTrimMin = 16039;
constexpr uint16_t kPulseTrimMax = 16729;
constexpr const char* kTrimSection = "TrimData";
// Shown through Tr("Trim", ...).
constexpr const char* kTrimFileUnusable = BRV3_TR_NOOP("Trim", "The designated file can't be used");
constexpr const char* kTrimFileUnwritable =
    BRV3_TR_NOOP("Trim", "It can't be kept in the designated place");

struct TrimRange {
  uint16_t min = kPulseTrimMin;
  uint16_t max = kPulseTrimMax;
  int Hold(int value) const { return value < min ? min : value > max ? max : value; }
};

// The slider range of `channel` (1..24) by its serial-servo bit.
TrimRange TrimRangeFor(const ChannelMask& serialMask, int channel);

// The 48 wire bytes (high byte first) and back; nullopt when fewer than 48 bytes came.
Bytes TrimBytes(const TrimSet& trim);
std::optional<TrimSet> TrimFromBytes(const Bytes& bytes);

// The trim in the board's stored copy (the board asleep, as every reader of it has it); nullopt
// when the read failed.
std::optional<TrimSet> ReadStoredTrim(BoardLink& link);

// A trim file: section "TrimData" with "CH1".."CH24". Reading fails when a key is missing (or is
// not a number of 0..65535); writing replaces everything the document held.
std::optional<TrimSet> ReadTrimFile(const IniFile& ini);
void WriteTrimFile(IniFile& ini, const TrimSet& trim);

// The trim dialog's rows and board sequences: sliders held in their ranges, the robot following
// each change through the live command, the stored copy written once at close.
class TrimEditor {
 public:
  explicit TrimEditor(BoardLink& link) : link_(link) {}

  // Sleep on, serial mask, stored trim, sleep off. False when any step failed (after a failed
  // read the board is left asleep).
  bool Open();
  // Sleep on, stored copy written with the sliders, sleep off whatever the write gave. False
  // when the sleep or the write failed; StoredWritten() then tells whether only the wake failed.
  bool Close();
  // Whether the last Close had the stored copy acknowledged.
  bool StoredWritten() const { return storedWritten_; }

  // A slider moved to `position` (held in range): the box follows and the robot too.
  void SliderMoved(int channel, int position);
  // Enter in box `channel`: a typed offset (or the current one when the text is no integer).
  // An offset beyond the range is held at its end, and the held value is what the box shows
  // and the robot receives.
  void EditEntered(int channel, const std::string& text);

  // Fills the rows from a trim set: sliders hold each value in range, boxes show it as given.
  void Fill(const TrimSet& trim);
  // A trim file's values: rows filled, then the working copy written between sleep on and off.
  // False when the board part failed.
  bool LoadTrim(const TrimSet& trim);

  TrimRange Range(int channel) const { return TrimRangeFor(mask_, channel); }
  uint16_t Position(int channel) const { return trim_[Index(channel)]; }
  // The offset the edit box shows: the value as read (a held slider may differ) or as set.
  int Offset(int channel) const { return offsets_[Index(channel)]; }
  std::string EditText(int channel) const { return std::to_string(Offset(channel)); }
  const TrimSet& Positions() const { return trim_; }

 private:
  static size_t Index(int channel) { return static_cast<size_t>(channel - 1); }
  static bool Valid(int channel) { return channel >= 1 && channel <= kChannels; }

  BoardLink& link_;
  ChannelMask mask_{};
  bool storedWritten_ = false;
  std::array<int, kChannels> offsets_{};
  TrimSet trim_ = [] {
    TrimSet t;
    t.fill(kTrimCentre);
    return t;
  }();
};

}  // namespace brv3
