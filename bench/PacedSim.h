#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace brv3::bench {

// qvb3-sim --baud-pacing on a pseudo-terminal for the length of a benchmark; `name` keeps the
// links of different benchmarks apart. With `tracePath` the simulator logs every burst there.
class PacedSim {
 public:
  explicit PacedSim(const std::string& name = "bench", const std::string& tracePath = {}) {
    link_ =
        (std::filesystem::temp_directory_path() / ("brv3-" + name + "-" + std::to_string(getpid())))
            .string();
    std::vector<const char*> argv = {BRV3_SIM_PATH, "--link", link_.c_str(), "--baud-pacing"};
    if (!tracePath.empty()) {
      argv.push_back("--trace");
      argv.push_back(tracePath.c_str());
    }
    argv.push_back(nullptr);
    posix_spawn(&pid_, BRV3_SIM_PATH, nullptr, nullptr, const_cast<char**>(argv.data()), environ);
    for (int i = 0; i < 100 && !std::filesystem::exists(link_); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ~PacedSim() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  PacedSim(const PacedSim&) = delete;
  PacedSim& operator=(const PacedSim&) = delete;
  const std::string& Link() const { return link_; }

 private:
  pid_t pid_ = -1;
  std::string link_;
};

}  // namespace brv3::bench
