#pragma once

#include <QSize>
#include <array>
#include <functional>

#include "core/chart/CanvasGrid.h"
#include "core/chart/ChartHistory.h"
#include "ui/app/FormDlg.h"

class QToolBar;
class QWidget;

namespace brv3 {

// What the environment dialog reads from and applies to the main window: the chart's canvas
// size (an undoable edit, since the size belongs to the chart), the snapping grid's spacing and
// which toolbars show.
class EnvironmentRole final : public EnvironmentHost {
 public:
  // The toolbars in the dialog's order: commands, parts, port, tools.
  struct Toolbars {
    QToolBar* command = nullptr;
    QToolBar* parts = nullptr;
    QToolBar* comm = nullptr;
    QToolBar* tools = nullptr;
  };
  using CanvasLookup = std::function<QWidget*()>;

  EnvironmentRole(ChartHistory& history, CanvasGrid& grid) : history_(history), grid_(grid) {}
  // The window hands these over once it has built them.
  void Attach(const Toolbars& toolbars, CanvasLookup canvas) {
    toolbars_ = toolbars;
    canvas_ = std::move(canvas);
  }

  QSize CanvasSize() const;

  EnvironmentSettings PresentEnvironment() const override;
  void SetCanvasSize(int width, int height) override;
  void SetGridSpacing(int x, int y) override;
  void SetToolbarsVisible(const EnvironmentSettings& settings) override;

 private:
  ChartHistory& history_;
  CanvasGrid& grid_;
  Toolbars toolbars_;
  CanvasLookup canvas_;
};

}  // namespace brv3
