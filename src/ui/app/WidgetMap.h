#pragma once

namespace brv3 {

// With BRV3_WIDGET_MAP=PATH in the environment, keeps PATH holding a JSON description of every
// visible named widget (object name, class, window, global rectangle, enabled, text or value),
// the rows of visible lists and drop-down popups and the items of open menus, with the time it
// was taken; rewritten (beside PATH, then renamed over it) every tenth of a second. Tools that
// drive the editor from outside with a real mouse and keyboard use it to find controls on the
// screen. Without the variable it does nothing.
void StartWidgetMapFromEnvironment();

}  // namespace brv3
