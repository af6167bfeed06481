#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "support/TestSupport.h"

namespace brv3::test {

// A pending OnNextModal. Its check runs only inside an event loop (the dialog's own), so code that
// shows no dialog leaves it pending: Cancel drops it before it can reach a later test.
class ModalWatch {
 public:
  explicit ModalWatch(QTimer* timer) : timer_(timer) {}
  void Cancel() {
    if (timer_) delete timer_.data();
  }

 private:
  QPointer<QTimer> timer_;
};

// Runs `act` on the next modal dialog as soon as one is showing (from inside its event loop).
// Gives up after `timeoutMs`, closing whatever modal dialog is up so a test never hangs.
ModalWatch OnNextModal(std::function<void(QWidget* dialog)> act, int timeoutMs = 5000);

// Clicks the push button of the next modal dialog whose text is `text` (for example "&No").
void ClickNextModalButton(const QString& text);

// Each test gets fresh settings, data and runtime folders through the environment.
class UiEnvironment {
 public:
  UiEnvironment();
  ~UiEnvironment();
  const TempDir& Dir() const { return dir_; }
  std::string SettingsPath() const { return dir_.File("config/BRV3.ini"); }
  std::string DataHome() const { return dir_.File("data"); }

 private:
  TempDir dir_;
  std::string suiteConfigDir_;  // the folder the test support gave the whole run
};

}  // namespace brv3::test
