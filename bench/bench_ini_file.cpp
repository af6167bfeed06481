// Reading keys of a settings file with many sections (an item file of thousands of objects): one
// lookup by section and key name, in a file of N sections. Should stay flat as N grows.
#include <benchmark/benchmark.h>

#include <string>

#include "core/util/IniFile.h"

namespace {

void BM_ReadIntegerAmongSections(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  std::string text;
  for (int i = 0; i < sections; ++i)
    text += "[Item" + std::to_string(i) + "]\r\nLeft=" + std::to_string(i) + "\r\n";
  brv3::IniFile ini;
  ini.LoadText(text);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ini.ReadInteger("ITEM" + std::to_string(i), "left", 0));
    i = (i + 7919) % sections;
  }
}
BENCHMARK(BM_ReadIntegerAmongSections)->Arg(100)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
