#include "ui/app/BoardActions.h"

#include "core/comm/BoardLink.h"
#include "core/comm/WindowMessages.h"

namespace brv3 {

void BasicBoardActions::MotStpBtnClick() {
  link_.StopMotion();
}

void BasicBoardActions::SpeedButton1Click() {
  link_.SetMotionEnable(2);
}

void BasicBoardActions::PlayMessage(int64_t w, int64_t l) {
  HandlePlayMessage(link_, &prompter_, w, l);
}

}  // namespace brv3
