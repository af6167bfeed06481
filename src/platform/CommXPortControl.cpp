#include "platform/CommXPortControl.h"

#include "platform/ComPortName.h"

namespace brv3::platform {

void CommXPortControl::SetPortNo(int number) {
  comm_.SetDevicePath(ComPortPath(number));
  comm_.SetPortNo(number);
}

void CommXPortControl::Open() {
  try {
    comm_.Open();
  } catch (const ECommAccessError& e) {
    throw PortAccessDenied(e.what(), e.FixCommand());
  }
}

}  // namespace brv3::platform
