#pragma once

#include <functional>

namespace brv3 {

// SIGTERM, SIGINT and SIGHUP end the event loop normally instead of killing the program, so the
// message socket file is removed and the single-instance lock released on the way out.
// `beforeQuit` runs first, on the main thread (the settings are kept as a closed window keeps
// them).
void QuitOnTerminationSignals(std::function<void()> beforeQuit = nullptr);

}  // namespace brv3
