// Feeds arbitrary bytes to the INI, chart, CSV motion and item file readers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/chart/ChartFiles.h"
#include "core/util/CommaText.h"
#include "core/util/IniFile.h"

namespace {}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  brv3::SilentPrompter prompter;

  brv3::IniFile ini;
  ini.LoadText(bytes);
  (void)ini.Text();
  brv3::SplitCommaText(bytes);

  brv3::Chart chart;
  brv3::OpenChartBytes(chart, bytes, prompter);
  // A second read appends to (or replaces) what the first one built.
  brv3::OpenChartBytes(chart, bytes, prompter);
  brv3::OpenItemBytes(chart, bytes, 30, 40, prompter);
  for (const brv3::ChartLink& l : chart.Links) {
    if (l.Origin != -1 && !chart.ValidObject(l.Origin)) __builtin_trap();
    if (l.Final != -1 && !chart.ValidObject(l.Final)) __builtin_trap();
  }
  if (chart.Start != -1 && !chart.ValidObject(chart.Start)) __builtin_trap();
  chart.SelectAllObjects();
  chart.DeleteSelectedObjects();
  chart.DeleteSelectedLinks();
  return 0;
}
