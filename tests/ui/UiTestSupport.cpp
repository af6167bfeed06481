#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <memory>

namespace brv3::test {

namespace {

// One QApplication for the whole run, made before the first test and offscreen.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

ModalWatch OnNextModal(std::function<void(QWidget*)> act, int timeoutMs) {
  auto* timer = new QTimer;
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, clock, act, timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    } else if (clock->elapsed() > timeoutMs) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no modal dialog appeared";
    }
  });
  timer->start();
  return ModalWatch(timer);
}

void ClickNextModalButton(const QString& text) {
  OnNextModal([text](QWidget* dialog) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
      if (button->text() == text) {
        button->click();
        return;
      }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
  });
}

UiEnvironment::UiEnvironment() {
  if (const char* pinned = getenv("BRV3_CONFIG_DIR")) suiteConfigDir_ = pinned;
  std::filesystem::create_directories(dir_.path() / "config");
  std::filesystem::create_directories(dir_.path() / "runtime");
  setenv("BRV3_CONFIG_DIR", dir_.File("config").c_str(), 1);
  setenv("XDG_DATA_HOME", DataHome().c_str(), 1);
  setenv("XDG_RUNTIME_DIR", dir_.File("runtime").c_str(), 1);
}

UiEnvironment::~UiEnvironment() {
  // Back to the suite's own folder, never the user's.
  if (suiteConfigDir_.empty())
    unsetenv("BRV3_CONFIG_DIR");
  else
    setenv("BRV3_CONFIG_DIR", suiteConfigDir_.c_str(), 1);
  unsetenv("XDG_DATA_HOME");
  unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace brv3::test
