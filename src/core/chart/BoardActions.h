#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/chart/Chart.h"
#include "core/comm/BoardLink.h"
#include "core/comm/BoardMotionAdapter.h"
#include "core/comm/MotionTable.h"
#include "core/comm/Notifications.h"
#include "core/motion/ChartRebuild.h"
#include "core/util/Prompter.h"

namespace brv3 {

class PortControl;

// How a board action ended.
enum class ActionResult {
  Done,
  Cancelled,      // nothing chosen in the selection dialog, or a question answered No
  CompileFailed,  // the compiler refused the chart (its message was shown)
  NoData,         // Read found the entry empty
  BoardFailed,    // a board command failed
};

// The main window's board actions and the window messages other programs post to it. Owns the
// open chart, the motion table mirror, the listing views and the number-selection state; the
// editor's buttons and the command line call the actions, each one a fixed sequence of board
// commands reported through the prompter's status line.
class BoardActions {
 public:
  // Makes the motion table follow every table entry the link writes.
  BoardActions(BoardLink& link, Prompter& prompter);
  // The same, working on a chart the caller owns (the editor's open chart).
  BoardActions(BoardLink& link, Prompter& prompter, Chart& chart);
  // Leaves the link without a table observer.
  ~BoardActions();
  BoardActions(const BoardActions&) = delete;
  BoardActions& operator=(const BoardActions&) = delete;

  Chart& OpenChart() { return chart_; }
  const Chart& OpenChart() const { return chart_; }
  MotionTable& Table() { return table_; }
  const MotionTable& Table() const { return table_; }
  NumberSelectState& Selection() { return selection_; }
  // The listing (`List`) and the hexadecimal view (`Qvb`, the LIST sheet).
  const std::vector<std::string>& Listing() const { return listing_; }
  const std::vector<std::string>& HexRows() const { return hexRows_; }
  // Measures MOT object names when a scenario is read; a fixed width per character by default.
  void SetTextWidth(TextWidth textWidth) { textWidth_ = std::move(textWidth); }
  // Serial component and notification buffer for the select-port message; `portChosen` lets the
  // port list show the entry before the port is opened.
  void SetPortControl(PortControl* port, NotificationBuffer* buffer,
                      std::function<void(int)> portChosen = {});

  // The selection lists, built from the motion table rows.
  std::string MotionList() const;
  std::string ScenarioList() const;
  std::string AllEntriesList() const;

  ActionResult Compile();
  ActionResult Write();
  ActionResult Read();
  ActionResult Delete();
  ActionResult Play();
  bool Stop();
  bool Pause();

  // Message 0x8000 (play an entry or send the extended serial frame) and 0x8001 (select a port).
  bool PlayMessage(int64_t w, int64_t l);
  bool SelectPortMessage(int64_t w, int64_t l);
  // Dispatches by message number; other numbers are ignored.
  bool WindowMessage(uint32_t message, int64_t w, int64_t l);

  // A playback report shows one status line per finished entry; the analog and remote reports
  // belong to the dialogs that show them.
  void ShowPlaybackReport(const PlaybackReport& report);

 private:
  bool RunSelection(const char* caption, const char* prompt, std::string items, bool keepIndex);
  bool SleepOn();
  ActionResult WriteMotionChart();
  ActionResult WriteScenarioChart();
  ActionResult FinishWrite(bool written, int commandsBefore);

  BoardLink& link_;
  Prompter& prompter_;
  BoardMotionAdapter board_;
  Chart ownChart_;
  Chart& chart_;
  MotionTable table_;
  NumberSelectState selection_;
  std::vector<std::string> listing_;
  std::vector<std::string> hexRows_;
  TextWidth textWidth_;
  PortControl* port_ = nullptr;
  NotificationBuffer* notifications_ = nullptr;
  std::function<void(int)> portChosen_;
};

}  // namespace brv3
