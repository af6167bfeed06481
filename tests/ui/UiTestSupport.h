#pragma once

#include <QApplication>
#include <QWidget>
#include <functional>
#include <string>

#include "support/TestSupport.h"

namespace brv3::test {

// Runs `act` on the next modal dialog as soon as one is showing (from inside its event loop).
// Gives up after `timeoutMs`, closing whatever modal dialog is up so a test never hangs.
void OnNextModal(std::function<void(QWidget* dialog)> act, int timeoutMs = 5000);

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
};

}  // namespace brv3::test
