// Feeds arbitrary bytes to the INI, chart, CSV motion and item file readers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/chart/ChartFileReader.h"
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

  // Read in two pieces split where the first byte says, the readers must find what they find
  // in the whole.
  {
    size_t split = size ? data[0] % (size + 1) : 0;
    brv3::ChartFileReader whole(size), pieces(size);
    brv3::CsvMotionReader wholeCsv, piecesCsv;
    whole.Feed(bytes);
    wholeCsv.Feed(bytes);
    pieces.Feed(std::string_view(bytes).substr(0, split));
    piecesCsv.Feed(std::string_view(bytes).substr(0, split));
    pieces.Feed(std::string_view(bytes).substr(split));
    piecesCsv.Feed(std::string_view(bytes).substr(split));
    whole.Finish();
    pieces.Finish();
    wholeCsv.Finish();
    piecesCsv.Finish();
    if (whole.SectionCount() != pieces.SectionCount()) __builtin_trap();
    if (wholeCsv.Valid() != piecesCsv.Valid()) __builtin_trap();
    if (wholeCsv.Valid() && wholeCsv.Steps().size() != piecesCsv.Steps().size()) __builtin_trap();
    for (int k = 0; k < brv3::ChartFileReader::kHeaderKeys; ++k) {
      auto key = static_cast<brv3::ChartFileReader::HeaderKey>(k);
      if (whole.HeaderString(key, "-") != pieces.HeaderString(key, "-")) __builtin_trap();
    }
  }

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
