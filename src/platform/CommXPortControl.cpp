#include "platform/CommXPortControl.h"

#include "platform/ComPortName.h"

namespace brv3::platform {

void CommXPortControl::SetPortNo(int number) {
  comm_.SetDevicePath(ComPortPath(number));
  comm_.SetPortNo(number);
}

}  // namespace brv3::platform
