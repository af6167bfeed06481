#pragma once

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

// main() of a benchmark that runs Qt widgets: the offscreen platform unless the caller chose
// one, then Google Benchmark's usual run.
#define BRV3_OFFSCREEN_BENCHMARK_MAIN()                               \
  int main(int argc, char** argv) {                                   \
    setenv("QT_QPA_PLATFORM", "offscreen", 0);                        \
    QApplication app(argc, argv);                                     \
    benchmark::Initialize(&argc, argv);                               \
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1; \
    benchmark::RunSpecifiedBenchmarks();                              \
    benchmark::Shutdown();                                            \
    return 0;                                                         \
  }
