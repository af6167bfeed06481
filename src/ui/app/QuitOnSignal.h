#pragma once

namespace brv3 {

// SIGTERM, SIGINT and SIGHUP end the event loop normally instead of killing the program, so the
// message socket file is removed and the single-instance lock released on the way out.
void QuitOnTerminationSignals();

}  // namespace brv3
