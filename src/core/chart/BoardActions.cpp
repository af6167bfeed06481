#include "core/chart/BoardActions.h"

#include "core/comm/SelectPort.h"
#include "core/comm/WindowMessages.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionTransfer.h"

namespace brv3 {
namespace {

constexpr int kEntryCount = BoardLink::kTableEntries;

// Forwards to the board and keeps the last table entry read, so that a failed read can tell an
// empty entry from a board that did not answer.
class EntryWatch final : public MotionBoard {
 public:
  explicit EntryWatch(MotionBoard& inner) : inner_(inner) {}
  bool entryRead = false;
  Bytes entry;

  // The hexadecimal view is cleared only once an entry with steps was read; an empty or unreadable
  // entry leaves it as it was.
  bool HasSteps() const { return entryRead && !entry.empty() && entry[0] != 0; }

  bool ReadTableEntry(int index, Bytes& e) override {
    entryRead = inner_.ReadTableEntry(index, e);
    entry = e;
    return entryRead;
  }
  bool UpdateTableEntry(int index, int count, int32_t value24, const std::string& name,
                        const std::string& date, int32_t code) override {
    return inner_.UpdateTableEntry(index, count, value24, name, date, code);
  }
  bool WritePose(int flagA, int area, int slot, int record, const Bytes& pose) override {
    return inner_.WritePose(flagA, area, slot, record, pose);
  }
  bool ReadPose(int area, int slot, int record, Bytes& pose) override {
    return inner_.ReadPose(area, slot, record, pose);
  }
  bool WriteScenarioStep(int flagA, int scenario, int step, int motion) override {
    return inner_.WriteScenarioStep(flagA, scenario, step, motion);
  }
  bool ReadScenarioStep(int scenario, int step, Bytes& reply) override {
    return inner_.ReadScenarioStep(scenario, step, reply);
  }

  // The result of a read that returned false: the entry was there but empty, or a command failed.
  ActionResult Failure() const {
    return entryRead && !entry.empty() && entry[0] == 0 ? ActionResult::NoData
                                                        : ActionResult::BoardFailed;
  }

 private:
  MotionBoard& inner_;
};

int32_t DefaultTextWidth(const std::string& text) {
  int32_t chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  return chars * 8;
}

}  // namespace

BoardActions::BoardActions(BoardLink& link, Prompter& prompter)
    : BoardActions(link, prompter, ownChart_) {}

BoardActions::BoardActions(BoardLink& link, Prompter& prompter, Chart& chart)
    : link_(link), prompter_(prompter), board_(link), chart_(chart), textWidth_(DefaultTextWidth) {
  link_.SetTableObserver(&table_);
}

BoardActions::~BoardActions() {
  link_.SetTableObserver(nullptr);
}

void BoardActions::SetPortControl(PortControl* port, NotificationBuffer* buffer,
                                  std::function<void(int)> portChosen) {
  port_ = port;
  notifications_ = buffer;
  portChosen_ = std::move(portChosen);
}

std::string BoardActions::MotionList() const {
  std::string text;
  table_.MotionListText(text);
  return text;
}

std::string BoardActions::ScenarioList() const {
  std::string text;
  table_.ScenarioListText(text);
  return text;
}

std::string BoardActions::AllEntriesList() const {
  std::string text;
  table_.MotionListText(text);
  table_.ScenarioListText(text);
  return text;
}

bool BoardActions::RunSelection(const char* caption, const char* prompt, std::string items,
                                bool keepIndex) {
  selection_.SelectCaption = caption;
  selection_.SelectPrompt = prompt;
  selection_.SelectItems = std::move(items);
  if (!keepIndex) selection_.SelectIndex = -1;
  return prompter_.NumberSelectDialog(selection_) && selection_.SelectIndex != -1;
}

bool BoardActions::SleepOn() {
  if (!link_.SetSleep(0)) return false;
  prompter_.ShowStatus("Sleep on");
  return true;
}

ActionResult BoardActions::Compile() {
  if (chart_.Type == kScenarioChart) {
    ScenarioCompileResult compiled = CompileScenarioChart(chart_);
    if (!compiled.ok) {
      ShowCompileFailure(prompter_, compiled.failure);
      return ActionResult::CompileFailed;
    }
    hexRows_ = std::move(compiled.hexRows);
    prompter_.ShowStatus(compiled.status);
    return ActionResult::Done;
  }
  MotionCompileResult compiled = CompileMotionChart(chart_);
  if (!compiled.ok) {
    ShowCompileFailure(prompter_, compiled.failure);
    return ActionResult::CompileFailed;
  }
  listing_ = std::move(compiled.listing);
  hexRows_ = std::move(compiled.hexRows);
  prompter_.ShowStatus(compiled.status);
  if (!compiled.warning.empty())
    prompter_.MsgBox(MsgKind::Warning, MsgButtons::Ok, compiled.warning);
  return ActionResult::Done;
}

ActionResult BoardActions::Write() {
  const bool scenario = chart_.Type == kScenarioChart;
  if (!RunSelection("Write to QVB-3", "Select QVB-3 memory location",
                    scenario ? ScenarioList() : MotionList(), false))
    return ActionResult::Cancelled;
  return scenario ? WriteScenarioChart() : WriteMotionChart();
}

ActionResult BoardActions::WriteMotionChart() {
  const int slot = selection_.SelectIndex;
  if (slot < 0 || slot >= kMotionSlots) return ActionResult::Cancelled;
  MotionCompileResult compiled = CompileMotionChart(chart_);
  if (!compiled.ok) {
    ShowCompileFailure(prompter_, compiled.failure);
    return ActionResult::CompileFailed;
  }
  listing_ = std::move(compiled.listing);
  hexRows_ = compiled.hexRows;
  prompter_.ShowStatus(compiled.status);
  // A motion the slots cannot hold is refused before the board is put to sleep.
  if (std::string refusal = CheckMotionSlots(slot, compiled.records.size()); !refusal.empty()) {
    prompter_.MsgBox(MsgKind::Error, MsgButtons::Ok, refusal);
    return ActionResult::Cancelled;
  }
  if (!SleepOn()) return ActionResult::BoardFailed;
  const int before = board_.CommandCount();
  return FinishWrite(WriteMotion(board_, prompter_, slot, compiled, chart_), before);
}

ActionResult BoardActions::WriteScenarioChart() {
  if (selection_.SelectIndex < 0 || selection_.SelectIndex >= kScenarioSlots)
    return ActionResult::Cancelled;
  const int entry = selection_.SelectIndex + kScenarioFirstSlot;
  ScenarioCompileResult compiled = CompileScenarioChart(chart_);
  if (!compiled.ok) {
    ShowCompileFailure(prompter_, compiled.failure);
    return ActionResult::CompileFailed;
  }
  hexRows_ = compiled.hexRows;
  prompter_.ShowStatus(compiled.status);
  if (!SleepOn()) return ActionResult::BoardFailed;
  const int before = board_.CommandCount();
  return FinishWrite(WriteScenario(board_, prompter_, entry, compiled, chart_), before);
}

ActionResult BoardActions::FinishWrite(bool written, int commandsBefore) {
  if (!written) {
    // A failed command leaves the board asleep; a question answered No sent nothing, and then
    // there is no reason to keep the robot limp.
    if (board_.CommandCount() != commandsBefore) return ActionResult::BoardFailed;
    if (link_.SetSleep(1)) prompter_.ShowStatus("Sleep off");
    return ActionResult::Cancelled;
  }
  if (!link_.SetSleep(1)) return ActionResult::BoardFailed;
  prompter_.ShowStatus("Sleep off");
  prompter_.ShowStatus("Write successful");
  return ActionResult::Done;
}

ActionResult BoardActions::Read() {
  if (!RunSelection("Read from QVB-3", "Select", AllEntriesList(), false))
    return ActionResult::Cancelled;
  const int entry = selection_.SelectIndex;
  if (entry < 0 || entry >= kEntryCount) return ActionResult::Cancelled;
  if (!SleepOn()) return ActionResult::BoardFailed;
  listing_.clear();
  EntryWatch watch(board_);
  if (entry >= kScenarioFirstSlot) {
    ScenarioRead read;
    const bool ok = ReadScenario(watch, entry, read);
    if (watch.entryRead) table_.ShowTableEntry(watch.entry, entry, false);
    if (watch.HasSteps()) hexRows_ = read.hexRows;
    if (!ok) {
      prompter_.ShowStatus("No data");
      link_.SetSleep(1);
      return watch.Failure();
    }
    prompter_.ShowStatus("Read successful");
    chart_.ClearChart();
    chart_.Type = kScenarioChart;
    RebuildScenarioChart(chart_, read, board_, textWidth_);
  } else {
    MotionRead read;
    const bool ok = ReadMotion(watch, prompter_, entry, read);
    if (watch.entryRead) table_.ShowTableEntry(watch.entry, entry, false);
    if (!ok) {
      if (watch.HasSteps()) hexRows_.clear();
      prompter_.ShowStatus("No Data");
      link_.SetSleep(1);
      return watch.Failure();
    }
    hexRows_ = read.hexRows;
    prompter_.ShowStatus("Read successful");
    chart_.ClearChart();
    chart_.Type = kMotionChart;
    RebuildMotionChart(chart_, read);
  }
  if (!link_.SetSleep(1)) return ActionResult::BoardFailed;
  prompter_.ShowStatus("Sleep off");
  prompter_.ShowStatus("Reading succeeded");
  return ActionResult::Done;
}

ActionResult BoardActions::Delete() {
  if (!RunSelection("Delete", "Select data to be deleted", AllEntriesList(), false))
    return ActionResult::Cancelled;
  const int entry = selection_.SelectIndex;
  if (entry < 0 || entry >= kEntryCount) return ActionResult::Cancelled;
  if (prompter_.MsgBox(MsgKind::Question, MsgButtons::YesNo, "OK to delete?") != IdYes)
    return ActionResult::Cancelled;
  if (!link_.ClearTableEntry(entry)) return ActionResult::BoardFailed;
  bool ok;
  if (entry < kMotionSlots) {
    Bytes endRecord(PoseRecord::kSize, 0xFF);
    endRecord[0] = 0x01;
    ok = link_.WritePose(PoseArea::Memory, entry, 0, endRecord);
  } else {
    ok = link_.WriteScenarioStep(entry - kScenarioFirstSlot, 0, 255);
  }
  if (!ok) return ActionResult::BoardFailed;
  prompter_.ShowStatus("Delete successful");
  return ActionResult::Done;
}

ActionResult BoardActions::Play() {
  if (!RunSelection("Play", "Select the motion or scenario to play", AllEntriesList(), true))
    return ActionResult::Cancelled;
  const int entry = selection_.SelectIndex;
  if (entry < 0 || entry >= kEntryCount) return ActionResult::Cancelled;
  if (!link_.PlayMotion(entry, true, true)) return ActionResult::BoardFailed;
  prompter_.ShowStatus("Sending the Play command");
  return ActionResult::Done;
}

bool BoardActions::Stop() {
  return link_.StopMotion();
}

bool BoardActions::Pause() {
  return link_.SetMotionEnable(2);
}

bool BoardActions::PlayMessage(int64_t w, int64_t l) {
  return HandlePlayMessage(link_, &prompter_, w, l);
}

bool BoardActions::SelectPortMessage(int64_t w, int64_t l) {
  const std::optional<int> index = SelectPortMessageIndex(w, l);
  if (!index || port_ == nullptr) return false;
  if (portChosen_) portChosen_(*index);
  return SelectPort(*port_, *index, &prompter_, notifications_);
}

bool BoardActions::WindowMessage(uint32_t message, int64_t w, int64_t l) {
  if (message == kPlayMessage) return PlayMessage(w, l);
  if (message == kSelectPortMessage) return SelectPortMessage(w, l);
  return false;
}

void BoardActions::ShowPlaybackReport(const PlaybackReport& report) {
  for (const std::string& line : report.Lines()) prompter_.ShowStatus(line);
}

}  // namespace brv3
