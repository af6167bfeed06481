#include "ui/app/BoardButtons.h"

#include "core/board/BoardActions.h"
#include "core/comm/BoardLink.h"
#include "core/comm/Notifications.h"
#include "core/comm/WindowMessages.h"
#include "core/motion/RestPose.h"
#include "core/util/Prompter.h"

namespace brv3 {

// The main window's buttons only move the robot; the position editor's own ones also take the
// pose into the object being edited.
void BasicBoardButtons::HomePosBtnClick() {
  GoToRestPose(link_, RestPose::Home);
}

void BasicBoardButtons::SpeedButton2Click() {
  GoToRestPose(link_, RestPose::Trim);
}

void BasicBoardButtons::MotStpBtnClick() {
  StopPlayback(link_);
}

void BasicBoardButtons::SpeedButton1Click() {
  TogglePause(link_);
}

void BasicBoardButtons::PlayMessage(int64_t w, int64_t l) {
  HandlePlayMessage(link_, &prompter_, w, l);
}

void BasicBoardButtons::CommX1Receive(int count) {
  Port* port = link_.CurrentPort();
  if (!port) return;
  const auto notification = notifications_.ReceiveEvent(*port, count);
  if (!notification) return;
  if (const auto* playback = std::get_if<PlaybackReport>(&*notification)) {
    ShowPlaybackReport(prompter_, *playback);
  } else if (const auto* analog = std::get_if<AnalogReport>(&*notification)) {
    AnalogReportArrived(*analog);
  } else if (const auto* remote = std::get_if<RemoteReport>(&*notification)) {
    RemoteReportArrived(*remote);
  }
}

}  // namespace brv3
