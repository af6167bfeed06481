#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>
#include <string>

#include "i18n/Catalogues.h"
#include "platform/DurableFiles.h"
#include "platform/SingleInstance.h"
#include "ui/app/MainBoardButtons.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MessageSocketListener.h"
#include "ui/app/QuitOnSignal.h"
#include "ui/app/WidgetMap.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/robot/RenderCommand.h"
#include "ui/table/DataDlg.h"
#include "ui/table/TableDlg.h"

int main(int argc, char** argv) {
  // A render draws one picture and needs no editor, no lock and no socket.
  if (brv3::IsRenderCommand(argc, argv)) {
    brv3::InstallProcessLanguage();
    return brv3::RunRenderCommand(argc, argv);
  }
  QApplication app(argc, argv);
  brv3::platform::InstallDurableFileWrites();
  QApplication::setApplicationName("brivane3");
  QApplication::setDesktopFileName("io.github.brivane.Brivane3");
  brv3::InstallProcessLanguage();

  brv3::platform::SingleInstance instance("BRV3");
  // An unsafe runtime folder or a lock file in the way is said, and the start goes on without
  // the lock.
  if (!instance.Problem().empty())
    std::fprintf(stderr, "brivane3: %s\n", instance.Problem().c_str());
  if (!instance.Acquired()) {
    std::fprintf(stderr, "brivane3: The double start is impossible\n");
    QMessageBox::warning(nullptr, QCoreApplication::translate("main", "I am sorry"),
                         QCoreApplication::translate("main", "The double start is impossible"));
    return 1;
  }

  brv3::TBrivane3 window;
  brv3::MainBoardButtons buttons(window, window.Prompts());
  brv3::TDataDlg dataDlg(window.Link(), buttons.Actions().Table(), window.History(), &window);
  brv3::TTableDlg tableDlg(window.Link(), buttons.Actions().Table(), dataDlg, &window, &window);
  tableDlg.SetDeleteAction([&buttons] { buttons.MotDelBtnClick(); });
  buttons.SetTableDialog(&tableDlg);
  buttons.SetDataDialog(&dataDlg);
  window.SetBoardButtons(&buttons);
  // A double click on empty canvas edits the open chart's name and remote code.
  window.Canvas()->SetDataDialogHook([&dataDlg] { dataDlg.ShowForChart(); });

  brv3::MessageSocketListener messages(window.MessageBridge());
  std::string error;
  const std::string socketPath = brv3::platform::MessageSocketPath(&error);
  if (socketPath.empty() || !messages.Listen(socketPath, &error)) {
    std::fprintf(stderr, "brivane3: no message socket: %s\n", error.c_str());
    window.Prompts().ShowStatus(QCoreApplication::translate("main", "No message socket: %1")
                                    .arg(QString::fromStdString(error))
                                    .toStdString());
  }
  if (!instance.Problem().empty()) window.Prompts().ShowStatus(instance.Problem());

  brv3::QuitOnTerminationSignals([&window] { window.KeepStateOnSignalQuit(); });
  brv3::StartWidgetMapFromEnvironment();
  window.show();
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) window.OpenChart(args.at(1), true);
  const int result = QApplication::exec();
  window.SetBoardButtons(nullptr);
  return result;
}
