#include "ui/app/ShownTexts.h"

#include "core/chart/Chart.h"
#include "core/util/Translate.h"

namespace brv3 {

QString CoreText(const char* context, const char* text) {
  return QString::fromStdString(Tr(context, text));
}

QString ChartNameText(const std::string& name) {
  return QString::fromStdString(ShownChartName(name));
}

// The steps are named where they are made, with the same context.
QString HistoryLabelText(const std::string& label) {
  return CoreText("ChartHistory", label.c_str());
}

}  // namespace brv3
