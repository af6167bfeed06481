// Chart files: first reads in a fresh process (10,000 and 100,000 objects; goal under 30 ms and
// 300 ms, growing linearly), the peak memory of the CLI's dump, convert and compile on the
// 100,000-object chart (goal under 3 x the file's size), then saving 10,000 objects (goal under
// 15 ms) and compiling charts the board accepts: a motion of 255 steps and a scenario of 199
// motions.
//
// A read is timed inside a child process started for that one read, from just before the file is
// opened to the finished chart, so the heap is fresh and nothing is cached in the program; the
// page cache is warm (the file was just written), as it is when a user opens a recent file.
// Each fresh-process figure is the median of 5 runs; every run is printed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchCharts.h"
#include "core/chart/ChartFiles.h"
#include "core/motion/MotionCompiler.h"

namespace {
namespace fs = std::filesystem;

constexpr int kRuns = 5;

std::string ChartPath(int n) {
  return (fs::temp_directory_path() / ("brv3-bench-" + std::to_string(n) + ".QVB")).string();
}

double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Child side: one read, then "wall-milliseconds cpu-milliseconds objects" on stdout.
int ReadOnce(const char* path) {
  brv3::SilentPrompter prompter;
  const double cpu = CpuMs();
  auto start = std::chrono::steady_clock::now();
  brv3::Chart chart;
  brv3::OpenChartFile(chart, path, prompter);
  double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.3f %.3f %d\n", ms, CpuMs() - cpu, chart.ObjectCount());
  return 0;
}

struct ChildResult {
  std::string out;
  long maxRssKb = 0;
  int status = -1;
};

// Runs a program with its output in a pipe (or thrown away) and returns what it printed and its
// peak resident memory.
ChildResult Run(const std::vector<std::string>& args, bool keepOutput) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], 1);
    // The commands' messages (a chart too long for the board) are not part of the figures.
    if (int null = open("/dev/null", O_WRONLY); null >= 0) dup2(null, 2);
    close(fds[0]);
    close(fds[1]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  ChildResult r;
  char buf[65536];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0)
    if (keepOutput) r.out.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  struct rusage usage {};
  wait4(pid, &r.status, 0, &usage);
  r.maxRssKb = usage.ru_maxrss;
  return r;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void FreshProcessReads(const std::string& self) {
  brv3::SilentPrompter prompter;
  double per10k = 0;
  for (int n : {10000, 100000}) {
    std::string path = ChartPath(n);
    brv3::SaveChartFile(brv3::bench::BigChart(n), path, prompter);
    std::vector<double> ms, cpu;
    std::printf("first read, %d objects (%.1f MB), fresh process each run, wall/CPU ms:", n,
                static_cast<double>(fs::file_size(path)) / 1e6);
    for (int run = 0; run < kRuns; ++run) {
      ChildResult r = Run({self, "--read-once", path}, true);
      double wall = 0, used = 0;
      std::sscanf(r.out.c_str(), "%lf %lf", &wall, &used);
      ms.push_back(wall);
      cpu.push_back(used);
      std::printf(" %.1f/%.1f", wall, used);
    }
    double median = Median(ms);
    std::printf("; median %.1f ms wall, %.1f ms CPU\n", median, Median(cpu));
    if (n == 10000)
      per10k = median;
    else
      std::printf("growth 10k -> 100k: %.1f x (linear: 10 x)\n", median / per10k);
  }
}

void CliPeakMemory() {
  std::string path = ChartPath(100000);
  double fileKb = static_cast<double>(fs::file_size(path)) / 1024.0;
  std::string out = (fs::temp_directory_path() / "brv3-bench-convert.QVB").string();
  const std::vector<std::pair<const char*, std::vector<std::string>>> commands = {
      {"dump", {BRV3_CLI_PATH, "dump", path}},
      {"convert", {BRV3_CLI_PATH, "convert", path, out}},
      {"compile", {BRV3_CLI_PATH, "compile", path}},
  };
  for (const auto& [name, args] : commands) {
    std::vector<double> ratio;
    std::printf("peak memory of %s on 100,000 objects / file size:", name);
    for (int run = 0; run < kRuns; ++run) {
      ChildResult r = Run(args, false);
      ratio.push_back(static_cast<double>(r.maxRssKb) / fileKb);
      std::printf(" %.2f", ratio.back());
    }
    std::printf("; median %.2f x (%.1f MB file)\n", Median(ratio), fileKb / 1024.0);
  }
  fs::remove(out);
}

void BM_SaveChart(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(static_cast<int>(state.range(0)));
  brv3::SilentPrompter prompter;
  std::string path = (fs::temp_directory_path() / "brv3-bench-save.QVB").string();
  for (auto _ : state) benchmark::DoNotOptimize(brv3::SaveChartFile(chart, path, prompter));
}
BENCHMARK(BM_SaveChart)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(kRuns);

// The largest motion the board holds: 255 steps in a chain.
void BM_CompileMotion(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(brv3::kMaxMotionSteps - 1);
  chart.Links.pop_back();  // no wire back to the start: the compiler adds the end step
  for (auto _ : state) {
    brv3::MotionCompileResult result = brv3::CompileMotionChart(chart);
    if (!result.ok) state.SkipWithError("the motion did not compile");
    benchmark::DoNotOptimize(result.records.size());
  }
}
BENCHMARK(BM_CompileMotion)->Unit(benchmark::kMicrosecond)->Repetitions(kRuns);

// A scenario calling 199 motions in a chain.
void BM_CompileScenario(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(199);
  chart.Type = brv3::kScenarioChart;
  for (int i = 0; i < chart.ObjectCount(); ++i) {
    chart.Objects[i].Type = brv3::kMot;
    chart.Objects[i].Head = static_cast<uint8_t>(i % brv3::kMotionSlots);  // M1..M80
  }
  chart.Links.pop_back();
  for (auto _ : state) {
    brv3::ScenarioCompileResult result = brv3::CompileScenarioChart(chart);
    if (!result.ok) state.SkipWithError("the scenario did not compile");
    benchmark::DoNotOptimize(result.motions.size());
  }
}
BENCHMARK(BM_CompileScenario)->Unit(benchmark::kMicrosecond)->Repetitions(kRuns);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--read-once") == 0) return ReadOnce(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "--write") == 0) {  // --write N PATH, for profiling
    brv3::SilentPrompter prompter;
    brv3::Chart chart = brv3::bench::BigChart(std::atoi(argv[2]));
    return brv3::SaveChartFile(chart, argv[3], prompter) ? 0 : 1;
  }
  std::string self = fs::canonical("/proc/self/exe").string();
  FreshProcessReads(self);
  CliPeakMemory();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove(ChartPath(10000));
  fs::remove(ChartPath(100000));
  return 0;
}
