#pragma once

#include "core/comm/SelectPort.h"
#include "platform/CommX.h"

namespace brv3::platform {

// Port selection over the serial component: a port number becomes the device path that COMn
// names (ComPortPath); an adapter is opened by its own path.
class CommXPortControl final : public PortControl {
 public:
  explicit CommXPortControl(TCommX& comm) : comm_(comm) {}

  void Close() override { comm_.Close(); }
  void SetPortNo(int number) override;
  void SetPortPath(const std::string& path) override { comm_.SetDevicePath(path); }
  void SetTimeOutReceive(int ms) override { comm_.SetTimeOutReceive(ms); }
  // A device the user may not open is reported as PortAccessDenied, with the fix.
  void Open() override;
  void SetDtr(bool on) override { comm_.SetDtr(on); }
  void PurgeReceive() override { comm_.PurgeReceive(); }
  void PurgeTransmit() override { comm_.PurgeTransmit(); }
  bool Gone() override { return !comm_.IsOpen() || comm_.LineFailed(); }

 private:
  TCommX& comm_;
};

}  // namespace brv3::platform
