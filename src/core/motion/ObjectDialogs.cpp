#include "core/motion/ObjectDialogs.h"

#include <algorithm>

#include "core/comm/MotionTable.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

void StoreAll(PoseTarget& target, uint16_t word) {
  PoseRecord pose = target.Pose();
  pose.Values.fill(word);
  target.StorePose(pose, 0);
}

int ListIndex(int index, int count) {
  return std::clamp(index, 0, count - 1);
}

}  // namespace

std::vector<std::string> SlotItemTexts(const MotionTable* table) {
  std::vector<std::string> items;
  for (int slot = 0; slot < kTableEntries; ++slot) {
    items.push_back(table ? table->SlotItemText(slot) : Slot::LabelOf(slot));
  }
  return items;
}

std::string SensorBoxCaption(int box, const SensorTrigger& trigger,
                             const std::vector<std::string>& slotItems) {
  std::string caption = "AD" + std::to_string((box + 1) / 2);
  const int slot = trigger.motion - 1;
  if (trigger.motion <= 0 || slot >= static_cast<int>(slotItems.size())) return caption + " OFF";
  // The pieces follow one another without blanks, as the dialog's labels read in a row.
  return Args(Tr("ObjectDialogs", "%1 Play%2interrupt trigger level%3change exceeds"),
              {caption, std::to_string(trigger.threshold), slotItems[static_cast<size_t>(slot)]});
}

std::string SensorBoxHint(int box, const SensorTrigger& trigger,
                          const std::vector<std::string>& slotItems) {
  const std::string input = "AD" + std::to_string((box + 1) / 2);
  const int slot = trigger.motion - 1;
  if (trigger.motion <= 0 || slot >= static_cast<int>(slotItems.size()))
    return Args(Tr("ObjectDialogs", "%1: no interrupt motion"), {input});
  return Args(Tr("ObjectDialogs", "%1: plays %2 when the change exceeds %3"),
              {input, slotItems[static_cast<size_t>(slot)], std::to_string(trigger.threshold)});
}

void SetDialog::SlotItemsChanged(const std::vector<std::string>& slotItems) {
  slotItems_ = slotItems;
  for (int box = 1; box <= kSensorBoxes; ++box) {
    sensorCaptions_[Box(box)] = SensorBoxCaption(box, triggers_[Box(box)], slotItems_);
    sensorHints_[Box(box)] = SensorBoxHint(box, triggers_[Box(box)], slotItems_);
  }
}

void SetDialog::Open(PoseTarget* target, const SensorTriggers& triggers,
                     const std::vector<std::string>& slotItems) {
  target_ = target;
  triggers_ = triggers;
  for (int box = 1; box <= kSensorBoxes; ++box) sensor_[Box(box)] = false;
  SlotItemsChanged(slotItems);
  caption_ = target ? target->Name() : std::string();
  option_ = SetOption::None;
  numBar_ = 1;
  edit1_ = "1";
  edit2_ = "0";
  jumpIndex_ = callIndex_ = adIndex_ = 0;
  if (!target) return;

  const SetDisplay shown = DecodeSetWords(target->Pose().Values);
  option_ = shown.option;
  if (!shown.operand) return;
  const int v = *shown.operand;
  switch (shown.option) {
    case SetOption::LoopCounter:
      numBar_ = std::clamp(v, kLoopCountMin, kLoopCountMax);
      edit1_ = std::to_string(numBar_);
      break;
    case SetOption::ComparisonRegister:
      edit2_ = std::to_string(v);
      break;
    case SetOption::SensorReference:
      adIndex_ = ListIndex(v, 3);
      break;
    case SetOption::SensorControl:
      for (int box = 1; box <= kSensorBoxes; ++box) sensor_[Box(box)] = (v >> (box - 1) & 1) != 0;
      break;
    case SetOption::Timebase:
      cycleIndex_ = ListIndex(v, static_cast<int>(kCycleItems.size()));
      break;
    case SetOption::Jump:
      jumpIndex_ = ListIndex(v, kTableEntries);
      break;
    case SetOption::Call:
      callIndex_ = ListIndex(v, kTableEntries);
      break;
    default:
      break;
  }
}

void SetDialog::NumBarMoved(int position) {
  numBar_ = std::clamp(position, kLoopCountMin, kLoopCountMax);
  edit1_ = std::to_string(numBar_);
  option_ = SetOption::LoopCounter;
}

void SetDialog::Edit2KeyReleased(const std::string& text) {
  edit2_ = text;
  option_ = SetOption::ComparisonRegister;
}

void SetDialog::Edit1Entered(const std::string& text) {
  numBar_ = LoopCountFromText(text, numBar_);
  edit1_ = std::to_string(numBar_);
  option_ = SetOption::LoopCounter;
}

void SetDialog::Edit2Entered(const std::string& text) {
  edit2_ = std::to_string(RegisterValueFromText(text));
}

void SetDialog::ListOpened(SetOption list) {
  switch (list) {
    case SetOption::SensorReference:
    case SetOption::Timebase:
    case SetOption::Jump:
    case SetOption::Call:
      option_ = list;
      break;
    default:
      break;
  }
}

void SetDialog::ListChosen(SetOption list, int index) {
  switch (list) {
    case SetOption::SensorReference:
      adIndex_ = ListIndex(index, 3);
      break;
    case SetOption::Timebase:
      cycleIndex_ = ListIndex(index, static_cast<int>(kCycleItems.size()));
      break;
    case SetOption::Jump:
      jumpIndex_ = ListIndex(index, kTableEntries);
      break;
    case SetOption::Call:
      callIndex_ = ListIndex(index, kTableEntries);
      break;
    default:
      break;
  }
}

void SetDialog::SensorPressed(int box) {
  (void)box;
  option_ = SetOption::SensorControl;
}

void SetDialog::SensorTicked(int box, bool ticked) {
  sensor_[Box(box)] = ticked;
}

uint16_t SetDialog::Word() const {
  SetChoice choice{option_, 0};
  switch (option_) {
    case SetOption::LoopCounter:
      choice.operand = numBar_;  // the bar, not the edit's text
      break;
    case SetOption::ComparisonRegister:
      choice.operand = RegisterValueFromText(edit2_);
      break;
    case SetOption::SensorReference:
      choice.operand = adIndex_;
      break;
    case SetOption::Timebase:
      choice.operand = cycleIndex_;
      break;
    case SetOption::SensorControl:
      for (int box = 1; box <= kSensorBoxes; ++box)
        if (sensor_[Box(box)]) choice.operand |= 1 << (box - 1);
      break;
    case SetOption::Jump:
      choice.operand = jumpIndex_;
      break;
    case SetOption::Call:
      choice.operand = callIndex_;
      break;
    default:
      break;
  }
  return EncodeSetWord(choice);
}

void SetDialog::Hide() {
  if (!target_) return;
  StoreAll(*target_, Word());
  target_ = nullptr;
}

void CompareDialog::Open(PoseTarget* target) {
  target_ = target;
  caption_ = target ? target->Name() : std::string();
  selected_ = target ? DecodeCompareWords(target->Pose().Values) : -1;
}

void CompareDialog::Released(int tag) {
  const std::optional<uint16_t> word = EncodeCompareWord(tag);
  if (!word || !target_) return;
  selected_ = tag;
  StoreAll(*target_, *word);
}

void MixDialog::Open(PoseTarget* target) {
  target_ = target;
  caption_ = target ? target->Name() : std::string();
  rows_ = MixRows{};
  lastSendOk_ = false;
  if (!target) return;
  rows_ = DecodeMixWords(target->Pose().Values);
  SendIfSync();
}

void MixDialog::SourceClosed(int channel, int item) {
  if (channel < 1 || channel > kChannels) return;
  rows_[static_cast<size_t>(channel - 1)].source = std::clamp(item, 0, kMixSourceCount - 1);
  Store();
}

void MixDialog::FactorClosed(int channel, int index) {
  if (channel < 1 || channel > kChannels) return;
  rows_[static_cast<size_t>(channel - 1)].factor =
      std::clamp(index - kMixFactorLimit, -kMixFactorLimit, kMixFactorLimit);
  Store();
}

void MixDialog::Store() {
  if (!target_) return;
  PoseRecord pose = target_->Pose();  // Head stays
  pose.Values = EncodeMixWords(rows_);
  target_->StorePose(pose, 0);
  SendIfSync();
}

void MixDialog::SendIfSync() {
  lastSendOk_ = false;
  if (!target_ || !sync_ || !sync_()) return;
  lastSendOk_ = board_.WritePose(target_->Pose());
}

}  // namespace brv3
