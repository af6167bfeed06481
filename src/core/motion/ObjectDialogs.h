#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/motion/LinkBoard.h"
#include "core/motion/MixWords.h"
#include "core/motion/PoseEditor.h"
#include "core/motion/SensorTriggers.h"
#include "core/motion/SetCompareWords.h"

namespace brv3 {

class MotionTable;

// The 85 slot texts of the lists that name a board slot: the motion table's rows as
// "No Name Date", "No (not read)" for a row never read (only the number without a table).
std::vector<std::string> SlotItemTexts(const MotionTable* table);

// The Set dialog without its widgets. Open reads the object's words; every control call mirrors
// what the control does; Hide stores the chosen word into all 24 channels of the object.
class SetDialog {
 public:
  static constexpr int kSensorBoxes = 6;

  // `slotItems`: the 85 texts of the motion table's rows, slot order ("No Name Date").
  void Open(PoseTarget* target, const SensorTriggers& triggers,
            const std::vector<std::string>& slotItems);
  // Stores the word of the selected option (64497 without one); the target is then released.
  void Hide();
  // The motion table was read while the dialog showed: new slot texts, the choices kept.
  void SlotItemsChanged(const std::vector<std::string>& slotItems);

  PoseTarget* Target() const { return target_; }
  const std::string& Caption() const { return caption_; }
  SetOption Option() const { return option_; }
  int NumBar() const { return numBar_; }
  const std::string& Edit1() const { return edit1_; }
  const std::string& Edit2() const { return edit2_; }
  int AdIndex() const { return adIndex_; }
  int CycleIndex() const { return cycleIndex_; }
  int JumpIndex() const { return jumpIndex_; }
  int CallIndex() const { return callIndex_; }
  bool Sensor(int box) const { return sensor_[Box(box)]; }  // box 1..6
  const std::string& SensorCaption(int box) const { return sensorCaptions_[Box(box)]; }
  // The same setting as a sentence, for the box's tooltip.
  const std::string& SensorHint(int box) const { return sensorHints_[Box(box)]; }
  const std::vector<std::string>& SlotItems() const { return slotItems_; }

  // A radio button clicked.
  void Choose(SetOption option) { option_ = option; }
  void NumBarMoved(int position);
  // Text typed into Edit1 or Edit2 without Enter.
  void Edit1Typed(const std::string& text) { edit1_ = text; }
  // A key released in Edit2 with `text` in it (selects the register option).
  void Edit2KeyReleased(const std::string& text);
  void Edit1Entered(const std::string& text);
  void Edit2Entered(const std::string& text);
  // A list opened (selects its option) and an item chosen in it. The list's option names it:
  // SensorReference = AdList, Timebase = CycleList, Jump = DjpList, Call = CallList.
  void ListOpened(SetOption list);
  void ListChosen(SetOption list, int index);
  // A mouse button pressed on a sensor box (selects the option) and its tick changed.
  void SensorPressed(int box);
  void SensorTicked(int box, bool ticked);

  // The word Hide would store now.
  uint16_t Word() const;

 private:
  static size_t Box(int box) { return static_cast<size_t>(box < 1 ? 0 : box > 6 ? 5 : box - 1); }

  PoseTarget* target_ = nullptr;
  std::string caption_;
  SetOption option_ = SetOption::None;
  int numBar_ = 1;
  std::string edit1_ = "1";
  std::string edit2_ = "0";
  int adIndex_ = 0;
  int cycleIndex_ = 0;
  int jumpIndex_ = 0;
  int callIndex_ = 0;
  std::array<bool, kSensorBoxes> sensor_{};
  std::array<std::string, kSensorBoxes> sensorCaptions_;
  std::array<std::string, kSensorBoxes> sensorHints_;
  std::vector<std::string> slotItems_;
  SensorTriggers triggers_{};
};

// The caption of sensor box 1..6 from its trigger and the motion table's slot texts.
std::string SensorBoxCaption(int box, const SensorTrigger& trigger,
                             const std::vector<std::string>& slotItems);
// The sensor box's setting in words: "AD1: plays M4 WALK when the change exceeds 500", or "AD1:
// no interrupt motion".
std::string SensorBoxHint(int box, const SensorTrigger& trigger,
                          const std::vector<std::string>& slotItems);

// The Compare dialog without its widgets: a radio click stores its word at once.
class CompareDialog {
 public:
  void Open(PoseTarget* target);
  // Radio button `tag` 0..9 released: stores its word into all 24 channels.
  void Released(int tag);

  PoseTarget* Target() const { return target_; }
  const std::string& Caption() const { return caption_; }
  int Selected() const { return selected_; }  // -1: none

 private:
  PoseTarget* target_ = nullptr;
  std::string caption_;
  int selected_ = -1;
};

// The mixing dialog without its widgets: the rows mirror the object's words, every closed list
// rewrites all 24 words and, with SYNC, sends the object to the live pose buffer.
class MixDialog {
 public:
  MixDialog(LinkBoard& board, std::function<bool()> sync) : board_(board), sync_(std::move(sync)) {}

  void Open(PoseTarget* target);
  const MixRows& Rows() const { return rows_; }
  PoseTarget* Target() const { return target_; }
  const std::string& Caption() const { return caption_; }

  // A source list (item 0..10) or a factor list (index = factor + 63) of channel 1..24 closed.
  void SourceClosed(int channel, int item);
  void FactorClosed(int channel, int index);
  // False when the send failed or was not made.
  bool LastSendOk() const { return lastSendOk_; }

 private:
  void Store();
  void SendIfSync();

  LinkBoard& board_;
  std::function<bool()> sync_;
  PoseTarget* target_ = nullptr;
  std::string caption_;
  MixRows rows_{};
  bool lastSendOk_ = false;
};

}  // namespace brv3
