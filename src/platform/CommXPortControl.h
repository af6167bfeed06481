#pragma once

#include "core/comm/SelectPort.h"
#include "platform/CommX.h"

namespace brv3::platform {

// Port selection over the serial component: a port number becomes the device path that COMn
// names (ComPortPath).
class CommXPortControl final : public PortControl {
 public:
  explicit CommXPortControl(TCommX& comm) : comm_(comm) {}

  void Close() override { comm_.Close(); }
  void SetPortNo(int number) override;
  void SetTimeOutReceive(int ms) override { comm_.SetTimeOutReceive(ms); }
  void Open() override { comm_.Open(); }
  void SetDtr(bool on) override { comm_.SetDtr(on); }
  void PurgeReceive() override { comm_.PurgeReceive(); }
  void PurgeTransmit() override { comm_.PurgeTransmit(); }
  bool Gone() override { return !comm_.IsOpen() || comm_.LineFailed(); }

 private:
  TCommX& comm_;
};

}  // namespace brv3::platform
