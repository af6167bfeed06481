#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>

#include "platform/SingleInstance.h"
#include "ui/app/MainWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("brivane3");
  QApplication::setDesktopFileName("brivane3");

  brv3::platform::SingleInstance instance("BRV3");
  if (!instance.Acquired()) {
    std::fprintf(stderr, "brivane3: The double start is impossible\n");
    QMessageBox::warning(nullptr, "I am sorry", "The double start is impossible");
    return 1;
  }

  brv3::TBrivane3 window;
  window.show();
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) window.OpenChart(args.at(1), true);
  return QApplication::exec();
}
