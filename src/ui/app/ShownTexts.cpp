#include "ui/app/ShownTexts.h"

#include <QCoreApplication>

#include "core/chart/Chart.h"
#include "core/chart/ChartFiles.h"
#include "core/util/Translate.h"

namespace brv3 {

QString CoreText(const char* context, const char* text) {
  return QString::fromStdString(Tr(context, text));
}

QString ChartNameText(const std::string& name) {
  if (name == kUntitledName) return QCoreApplication::translate("ShownTexts", "No title");
  return QString::fromStdString(name);
}

// The steps are named where they are made, with the same context.
QString HistoryLabelText(const std::string& label) {
  return CoreText("ChartHistory", label.c_str());
}

std::string ChartFileFiltersText() {
  return Tr("ChartFiles", kChartFileFilters);
}

}  // namespace brv3
