#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

namespace brv3::test {

// qvb3-sim running in the background; stopped with SIGTERM.
class SimProcess {
 public:
  // `inputPath`, when given, becomes the program's standard input (a named pipe for --commands).
  explicit SimProcess(const std::vector<std::string>& args, const std::string& inputPath = {}) {
    signal(SIGPIPE, SIG_IGN);
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      if (!inputPath.empty()) {
        const int in = open(inputPath.c_str(), O_RDONLY);
        if (in < 0) _exit(127);
        dup2(in, 0);
        close(in);
      }
      dup2(out[1], 1);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv{const_cast<char*>(BRV3_SIM_PATH)};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(BRV3_SIM_PATH, argv.data());
      _exit(127);
    }
    close(out[1]);
    stdout_ = out[0];
  }
  ~SimProcess() {
    Stop();
    if (stdout_ >= 0) close(stdout_);
  }

  // The first line the program prints, within a few seconds.
  std::string FirstLine() {
    std::string line;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      pollfd p{stdout_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char c;
      if (read(stdout_, &c, 1) != 1) break;
      if (c == '\n') return line;
      line += c;
    }
    return line;
  }

  int Stop() {
    if (pid_ <= 0) return status_;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return status_;
  }

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  int status_ = -1;
};

}  // namespace brv3::test
