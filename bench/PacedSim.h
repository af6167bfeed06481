#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

extern char** environ;

namespace brv3::bench {

// qvb3-sim --baud-pacing on a pseudo-terminal for the length of a benchmark; `name` keeps the
// links of different benchmarks apart.
class PacedSim {
 public:
  explicit PacedSim(const std::string& name = "bench") {
    link_ =
        (std::filesystem::temp_directory_path() / ("brv3-" + name + "-" + std::to_string(getpid())))
            .string();
    const char* argv[] = {BRV3_SIM_PATH, "--link", link_.c_str(), "--baud-pacing", nullptr};
    posix_spawn(&pid_, BRV3_SIM_PATH, nullptr, nullptr, const_cast<char**>(argv), environ);
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
