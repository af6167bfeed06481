#pragma once

namespace brv3 {

// Lets pending user-interface events run while the main thread waits for the board.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void Pump() = 0;
};

class NullEventPump final : public EventPump {
 public:
  void Pump() override {}
};

}  // namespace brv3
