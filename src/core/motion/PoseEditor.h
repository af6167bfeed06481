#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/chart/Chart.h"
#include "core/motion/LinkCommand.h"
#include "core/motion/PoseEditorBoard.h"
#include "core/motion/PoseRecord.h"
#include "core/motion/ServoRange.h"

namespace brv3 {

class EventPump;

// Which controls of a channel's panel are shown; the numbers are the ones kept in BRV3.ini.
enum class ChannelKind : uint8_t { None = 0, Servo = 1, Level = 2, FreeSet = 3, SpeedStretch = 4 };

// The kind a channel word shows as.
ChannelKind ChannelKindOf(uint16_t word);

// The six radio buttons of a channel, in the order of their control numbers (CkBtn1..24 are
// "+5V (H)", CkBtn25..48 "0V (L)", ... CkBtn121..144 "S3").
enum class ChannelRadio : uint8_t { High = 0, Low = 1, Free = 2, Set1 = 3, Set2 = 4, Set3 = 5 };
constexpr int kChannelRadios = 6;

// The word a radio button stands for.
uint16_t RadioWord(ChannelRadio radio);

// Item tags of the channel-type entries of the editor's pop-up menu.
enum MenuTypeTag : int {
  kTypeNone = 0,
  kTypeServo = 1,
  kTypeFree = 2,
  kTypeSet1 = 3,
  kTypeSet2 = 4,
  kTypeSet3 = 5,
  kTypeHigh = 6,
  kTypeLow = 7,
  kTypeSpeed = 8,
  kTypeStretch = 9,
};

constexpr uint32_t kEditAqua = 0x00FFFF00;
constexpr uint32_t kEditWhite = 0x00FFFFFF;
constexpr int32_t kSpeedStretchMinimum = 1;
constexpr int32_t kSpeedStretchMaximum = 127;

// The controls of one channel panel as the editor holds them.
struct ChannelPanelState {
  ChannelKind Kind = ChannelKind::None;
  ServoRange Range = kPulseServoRange;
  int32_t Position = kPositionCenter;  // `Scroll`
  int32_t SpeedStretch = 1;            // `SSL`, 1..127
  std::string SpeedStretchLabel;       // `SLB`: "SP", "ST" or empty before the first use
  std::array<bool, kChannelRadios> Radios{};
  std::string EditText = "0";  // `Edit`
  uint32_t EditColor = kEditWhite;
  double ScaleFactor = 1.0;
};

// The object the editor writes into: the chart's Position object, reached through whatever
// records the change (an undo step, a change event).
class PoseTarget {
 public:
  virtual ~PoseTarget() = default;
  virtual std::string Name() const = 0;
  virtual PoseRecord Pose() const = 0;
  // Stores the object's speed and words. `gesture` names the control being dragged (a channel
  // 1..24 for its sliders), 0 for a one-off change; consecutive stores of one gesture may be
  // merged into one undo step.
  virtual void StorePose(const PoseRecord& pose, int gesture) = 0;
  // The gesture in progress is over (a slider let go): the next store starts a new step.
  virtual void EndGesture() {}
};

// A PoseTarget that writes straight into an object of a chart.
class ChartPoseTarget final : public PoseTarget {
 public:
  ChartPoseTarget(Chart& chart, int index) : chart_(chart), index_(index) {}
  std::string Name() const override;
  PoseRecord Pose() const override;
  void StorePose(const PoseRecord& pose, int gesture) override;

 private:
  Chart& chart_;
  int index_;
};

// The position editor without its widgets: the state of the 24 channel panels and the speed
// panel, and every operation the editor's controls, menu and buttons start. A dialog mirrors the
// state after each call. Board traffic goes to `board`; `sync` tells whether the main window's
// SYNC box is ticked at the moment of the call.
class PoseEditor {
 public:
  PoseEditor(PoseEditorBoard& board, std::function<bool()> sync, EventPump* pump = nullptr);

  // Shows the editor for `target` (kept until the next Open) and, with SYNC, sends the pose.
  void Open(PoseTarget* target);
  PoseTarget* Target() const { return target_; }
  const std::string& Caption() const { return caption_; }

  const ChannelPanelState& Channel(int channel) const { return channels_[Slot(channel)]; }
  int32_t SpeedBar() const { return speedBar_; }
  const std::string& SpeedEditText() const { return speedEdit_; }
  bool ScrollBusy() const { return scrollBusy_; }

  // The value the edit shows for a servo position: nearest((position - 16384) x factor).
  static int64_t DisplayedValue(int32_t position, double factor);

  // Ranges from a serial-servo channel mask (a set bit = serial servo); positions are kept,
  // held within the new range.
  void ApplySerialServoMask(const ChannelMask& mask);
  // The last mask applied; nullopt until one was read from the board or written to it.
  const std::optional<ChannelMask>& SerialServoMask() const { return serialMask_; }
  void SetScaleFactor(int channel, double factor);
  // Sets a channel's kind, recolouring its edit.
  void SetKind(int channel, ChannelKind kind);

  void ShowWord(int channel, uint16_t word);
  PoseRecord BuildRecord() const;
  // Takes a record as the object's pose and shows it.
  void LoadRecord(const PoseRecord& record);

  // A move of the position slider (false: refused while a live send runs; the slider goes back
  // to Channel(c).Position). A release is never refused: a release that arrives during a send is
  // applied when the send is over.
  bool PositionSliderMoved(int channel, int32_t position);
  void PositionSliderReleased(int channel, int32_t position);
  bool SpeedStretchSliderMoved(int channel, int32_t value);
  void SpeedStretchSliderReleased(int channel, int32_t value);

  // Enter in a channel's value edit holding `text`.
  void EditEntered(int channel, const std::string& text);
  // A radio button released; `inside` = the mouse was over the button.
  void RadioReleased(int channel, ChannelRadio radio, bool inside);
  // A channel-type entry of the pop-up menu (its item tag).
  void TypeChosen(int channel, int tag);
  // Whether the menu shows SET1..SET3 (pulse servo) or SPEED/STRETCH (serial servo).
  bool IsSerialServo(int channel) const { return Channel(channel).Range.IsSerialServo(); }

  void SpeedBarMoved(int32_t position);
  void SpeedEditEntered(const std::string& text);

  // The button bar and menu actions that talk to the board.
  bool WritePose();                             // `SetBtn`
  bool ReadPose();                              // `GetBtn`
  bool ToggleSleep();                           // `SleepBtn`
  bool SetHomePosition();                       // `N27`
  void LoadRestPose(const PoseRecord& record);  // step 4 of Home / Trim from the editor's buttons

  // The link chosen in `LinkList` (its 24 commands); it stays chosen when another object opens.
  void ChooseLink(const ChannelTexts& commands) { link_ = commands; }
  void ClearLink() { link_.reset(); }
  bool LinkChosen() const { return link_.has_value(); }
  // `LinkSubBtn` (-1) / `LinkAddBtn` (+1): false when nothing changed.
  bool IncrementLink(int direction);
  // `TchBtn`: false when nothing changed.
  bool Snapshot();

 private:
  static size_t Slot(int channel) { return static_cast<size_t>(channel - 1); }
  bool ValidChannel(int channel) const { return channel >= 1 && channel <= kChannels; }
  void SetPosition(int channel, int32_t position);
  void SetSpeedStretch(int channel, int32_t value);
  void ShowPositionValue(int channel);
  void StoreWord(int channel, uint16_t word, int gesture);
  void StoreHead(uint8_t head);
  void SendLive(int channel, uint16_t word);
  uint16_t SpeedStretchWord(int channel) const;
  struct SliderMove {
    bool speedStretch = false;
    int channel = 0;
    int32_t value = 0;
  };
  // Runs a slider change under ScrollBusy; false when refused. Moves refused meanwhile are
  // folded into the one applied: the newest position of the same slider is the one sent.
  bool BusySection(SliderMove move, const std::function<void(int32_t)>& apply);
  int32_t NewestValue(const SliderMove& move);
  void ApplyPendingReleases();

  PoseEditorBoard& board_;
  std::function<bool()> sync_;
  EventPump* pump_;
  PoseTarget* target_ = nullptr;
  std::string caption_;
  std::array<ChannelPanelState, kChannels> channels_{};
  int32_t speedBar_ = 255;
  std::optional<ChannelMask> serialMask_;
  std::string speedEdit_ = "255";
  bool scrollBusy_ = false;
  std::optional<SliderMove> pendingRelease_;
  std::optional<SliderMove> refusedMove_;
  std::optional<ChannelTexts> link_;
};

}  // namespace brv3
