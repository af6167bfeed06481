#include "ui/app/QuitOnSignal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace brv3 {
namespace {

int wakeFds[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(wakeFds[1], &byte, 1);
}

}  // namespace

void QuitOnTerminationSignals(std::function<void()> beforeQuit) {
  if (wakeFds[0] >= 0 || pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier =
      new QSocketNotifier(wakeFds[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [beforeQuit] {
    char byte;
    while (read(wakeFds[0], &byte, 1) > 0) {
    }
    if (beforeQuit) beforeQuit();
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) sigaction(signalNumber, &action, nullptr);
}

}  // namespace brv3
