#include "core/comm/WindowMessages.h"

#include "core/comm/BoardLink.h"
#include "core/comm/SelectPort.h"
#include "core/util/Prompter.h"
#include "core/util/Translate.h"

namespace brv3 {

std::optional<int> SelectPortMessageIndex(int64_t w, int64_t l) {
  if (w / 16777216 != 0) return std::nullopt;
  if (l < 0 || l >= kPortListCount) return std::nullopt;
  return static_cast<int>(l);
}

bool HandlePlayMessage(BoardLink& link, Prompter* prompter, int64_t w, int64_t l) {
  const int64_t top = w / 16777216;
  if (top == 0) {
    const std::optional<Slot> slot =
        Slot::FromIndex(l < 0 || l >= kTableEntries ? -1 : static_cast<int>(l));
    if (!slot || !link.PlayMotion(*slot)) return false;
    if (prompter) prompter->ShowStatus(Tr("WindowMessages", "Sending the Play command"));
    return true;
  }
  if (top == 1) {
    const auto word = static_cast<uint16_t>(w & 0xFFFF);
    if (!link.SendExtendedSerial(word, static_cast<uint32_t>(l & 0xFFFFFFFF))) return false;
    if (prompter)
      prompter->ShowStatus(Tr("WindowMessages", "Sending the expanded low speed serial"));
    return true;
  }
  return false;
}

}  // namespace brv3
