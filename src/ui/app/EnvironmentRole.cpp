#include "ui/app/EnvironmentRole.h"

#include <QCoreApplication>
#include <QToolBar>
#include <QWidget>
#include <algorithm>

#include "ui/app/ShellSettings.h"

namespace brv3 {

namespace {

bool Shown(const QToolBar* bar) {
  return bar && !bar->isHidden();
}

void Show(QToolBar* bar, bool visible) {
  if (bar) bar->setVisible(visible);
}

}  // namespace

QSize EnvironmentRole::CanvasSize() const {
  const Chart& chart = history_.GetChart();
  return QSize(chart.CanvasWidth, chart.CanvasHeight);
}

EnvironmentSettings EnvironmentRole::PresentEnvironment() const {
  EnvironmentSettings s;
  const QSize size = CanvasSize();
  s.CanvasWidth = size.width();
  s.CanvasHeight = size.height();
  s.GridX = grid_.Width();
  s.GridY = grid_.Height();
  s.ViewCmdMenu = Shown(toolbars_.command);
  s.ViewPartMenu = Shown(toolbars_.parts);
  s.ViewCommMenu = Shown(toolbars_.comm);
  s.ViewToolMenu = Shown(toolbars_.tools);
  return s;
}

void EnvironmentRole::SetCanvasSize(int width, int height) {
  history_.Apply(QT_TRANSLATE_NOOP("ChartHistory", "Canvas size"),
                 [&](Chart& chart) {
                   if (chart.CanvasWidth == width && chart.CanvasHeight == height) return false;
                   chart.CanvasWidth = width;
                   chart.CanvasHeight = height;
                   return true;
                 },
                 {ChartChangeKind::CanvasChanged, {}, ChangeOrigin::Edit});
  if (QWidget* canvas = canvas_ ? canvas_() : nullptr) canvas->setFixedSize(width, height);
}

void EnvironmentRole::SetGridSpacing(int x, int y) {
  grid_.SetSpacing(std::max(kMinGridSpacing, x), std::max(kMinGridSpacing, y));
}

void EnvironmentRole::SetToolbarsVisible(const EnvironmentSettings& settings) {
  Show(toolbars_.command, settings.ViewCmdMenu);
  Show(toolbars_.parts, settings.ViewPartMenu);
  Show(toolbars_.comm, settings.ViewCommMenu);
  Show(toolbars_.tools, settings.ViewToolMenu);
}

}  // namespace brv3
