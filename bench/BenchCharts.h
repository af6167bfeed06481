#pragma once

#include <string>

#include "core/chart/Chart.h"

namespace brv3::bench {

// A motion chart of n Position objects in rows of 100, each wired to the next and the last back
// to the first; every tenth wire has two bend points.
inline Chart BigChart(int n) {
  Chart chart;
  chart.CanvasWidth = 6000;
  chart.CanvasHeight = 4000;
  chart.AppendObjects(n);
  for (int i = 0; i < n; ++i) {
    ChartObject& o = chart.Objects[i];
    o.Name = "POS" + std::to_string(i + 1);
    o.Left = i % 100 * 60;
    o.Top = i / 100 * 40;
    o.Width = 50;
    o.Height = 30;
    o.Color = kColorWhite;
    o.Head = 100;
    o.Values.fill(static_cast<uint16_t>(16384 + i % 100));
  }
  chart.Start = 0;
  chart.AppendLinks(n);
  for (int i = 0; i < n; ++i) {
    ChartLink& l = chart.Links[i];
    l.Origin = i;
    l.Final = (i + 1) % n;
    if (i % 10 == 0) l.Point = {{i % 600, 10}, {i % 600, 20}};
  }
  return chart;
}

// The same chart with a mix of colours, selections and branch wires to draw.
inline Chart DecoratedChart(int n) {
  Chart chart = BigChart(n);
  for (int i = 0; i < n; ++i) {
    chart.Objects[i].Color = i % 7 == 0 ? kColorButtonFace : kColorWhite;
    chart.Objects[i].Selected = i % 13 == 0 ? 1 : 0;
    chart.Links[i].Main = i % 5 == 0 ? kBranchWiring : kFlowWiring;
    chart.Links[i].Selected = i % 11 == 0 ? 1 : 0;
  }
  return chart;
}

}  // namespace brv3::bench
