#include "core/motion/MotionTransfer.h"

#include <algorithm>

#include "core/util/Cp932.h"

namespace brv3 {
namespace {

std::string MotionSlotName(int slot) {
  return "M" + std::to_string(slot + 1);
}

bool IsScenarioSlot(int slot) {
  return slot >= kScenarioFirstSlot && slot < kScenarioFirstSlot + kScenarioSlots;
}

// A table entry of the right size, or false.
bool ReadEntry(MotionBoard& board, int slot, Bytes& entry) {
  entry.clear();
  if (!board.ReadTableEntry(slot, entry) || entry.size() < MotionBoard::kTableEntrySize) {
    entry.clear();
    return false;
  }
  entry.resize(MotionBoard::kTableEntrySize);
  return true;
}

}  // namespace

int ContinuationSlotCount(size_t stepCount) {
  if (stepCount == 0) return 0;
  return static_cast<int>((stepCount + kStepsPerSlot - 1) / kStepsPerSlot) - 1;
}

std::string CheckMotionSlots(int slot, size_t stepCount) {
  if (slot < 0 || slot >= kMotionSlots)
    return "There is no motion slot " + MotionSlotName(slot) + "; the motion slots are M1 to M80";
  if (stepCount > static_cast<size_t>(kMaxMotionSteps))
    return "This motion has " + std::to_string(stepCount) + " steps; a motion of more than " +
           std::to_string(kMaxMotionSteps) + " steps cannot be written to the board";
  int last = slot + ContinuationSlotCount(stepCount);
  if (last >= kMotionSlots)
    return "A motion of " + std::to_string(stepCount) + " steps written to " +
           MotionSlotName(slot) + " needs the slots up to " + MotionSlotName(last) +
           ", but the last motion slot is M80";
  return {};
}

std::string TableEntryName(const Bytes& entry) {
  if (entry.size() <= 10) return {};
  auto begin = entry.begin() + 10;
  auto end = entry.begin() +
             static_cast<std::ptrdiff_t>(std::min(entry.size(), MotionBoard::kTableEntrySize));
  auto zero = std::find(begin, end, uint8_t{0});
  return Cp932ToUtf8(std::string(begin, zero));
}

int32_t TableEntryCtrl(const Bytes& entry) {
  if (entry.size() < 10) return kNoCtrl;
  return entry[8] << 8 | entry[9];
}

bool WriteMotion(MotionBoard& board, Prompter& prompter, int slot,
                 const MotionCompileResult& compiled, const Chart& chart) {
  size_t n = compiled.records.size();
  if (!compiled.ok || n == 0) return false;
  if (std::string refusal = CheckMotionSlots(slot, n); !refusal.empty()) {
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, refusal);
    return false;
  }
  int continuations = ContinuationSlotCount(n);
  if (continuations > 0) {
    std::string names;
    for (int k = 1; k <= continuations; ++k) {
      if (k > 1) names += ",";
      names += MotionSlotName(slot + k);
    }
    std::string question = "As the data to input are more than thirty\r\nThe data of " + names +
                           " would be deleted. Do you agree with this";
    if (prompter.MsgBox(MsgKind::Question, MsgButtons::YesNo, question) != IdYes) return false;
  }
  // A Ctrl outside 16 bits would read as "leave unchanged" (-1) or be cut anyway.
  int32_t ctrl = chart.Ctrl & 0xFFFF;
  if (!board.UpdateTableEntry(slot, static_cast<int>(n), 0, chart.Name, "", ctrl)) return false;
  const std::string noDate("\xFF\xFF\xFF\xFF", 4);
  for (int k = 1; k <= continuations; ++k)
    board.UpdateTableEntry(slot + k, 0, 0, MotionSlotName(slot) + ":" + chart.Name, noDate, 0xFFFF);
  prompter.ShowStatus("PCT is written");
  for (size_t i = 0; i < n; ++i) {
    if (!board.WritePose(1, 1, slot, static_cast<int>(i), compiled.records[i].Pack())) return false;
    prompter.ShowStatus("Writing of " + std::to_string(i + 1) + " is done");
  }
  return true;
}

bool ReadMotion(MotionBoard& board, Prompter& prompter, int slot, MotionRead& read) {
  read = {};
  if (slot < 0 || slot >= kMotionSlots) return false;
  Bytes entry;
  if (!ReadEntry(board, slot, entry)) return false;
  int n = entry[0];
  if (n == 0) return false;
  read.entry = entry;
  read.name = TableEntryName(entry);
  read.ctrl = TableEntryCtrl(entry);
  for (int i = 0; i < n; ++i) {
    Bytes reply;
    std::optional<PoseRecord> record;
    if (board.ReadPose(1, slot, i, reply)) record = PoseRecord::Unpack(reply);
    if (!record) {
      read.steps.clear();
      read.hexRows.clear();
      return false;
    }
    read.hexRows.push_back(ReadHexRow(i + 1, *record));
    read.steps.push_back(*record);
    prompter.ShowStatus("Reading of " + std::to_string(i + 1) + " is done");
  }
  return true;
}

bool WriteScenario(MotionBoard& board, Prompter& prompter, int slot,
                   const ScenarioCompileResult& compiled, const Chart& chart) {
  size_t n = compiled.motions.size();
  if (!compiled.ok || n == 0 || !IsScenarioSlot(slot)) return false;
  if (n >= 200) {
    if (prompter.MsgBox(MsgKind::Question, MsgButtons::YesNo,
                        "We can't write the motion data\r\nmore than 200. Please understand us.") !=
        IdYes)
      return false;
    n = 199;
  }
  int scenario = slot - kScenarioFirstSlot;
  for (size_t k = 0; k < n; ++k) {
    if (!board.WriteScenarioStep(1, scenario, static_cast<int>(k), compiled.motions[k]))
      return false;
    prompter.ShowStatus("Writing of " + std::to_string(k + 1) + " is done");
  }
  if (!board.WriteScenarioStep(1, scenario, static_cast<int>(n), 255)) return false;
  return board.UpdateTableEntry(slot, static_cast<int>(n), -1, chart.Name, "", -1);
}

bool ReadScenario(MotionBoard& board, int slot, ScenarioRead& read) {
  read = {};
  if (!IsScenarioSlot(slot)) return false;
  Bytes entry;
  if (!ReadEntry(board, slot, entry)) return false;
  read.entry = entry;
  int n = entry[0];
  if (n == 0) return false;
  read.name = TableEntryName(entry);
  read.ctrl = TableEntryCtrl(entry);
  for (int i = 0; i < n; ++i) {
    Bytes reply;
    if (!board.ReadScenarioStep(slot - kScenarioFirstSlot, i, reply) || reply.empty()) return false;
    read.motions.push_back(reply[0]);
    read.hexRows.push_back("M" + std::to_string(reply[0] + 1));
  }
  return true;
}

}  // namespace brv3
