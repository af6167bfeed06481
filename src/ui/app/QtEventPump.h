#pragma once

#include "core/comm/EventPump.h"

namespace brv3 {

// Lets the window repaint and take input while the main thread waits for the board.
class QtEventPump final : public EventPump {
 public:
  void Pump() override;
};

}  // namespace brv3
