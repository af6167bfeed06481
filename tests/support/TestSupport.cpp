#include "support/TestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace brv3::test {

TempDir::TempDir() {
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() /
          ("brv3-test-" + std::to_string(getpid()) + "-" + std::to_string(rd()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

namespace {
// The programs the tests start speak English whatever the machine's language, so that the texts
// the tests look for are the English ones; a test of the Japanese sets the language itself.
const bool kEnglishForChildren = [] {
  ::setenv("LANG", "C.UTF-8", 1);
  ::unsetenv("LC_ALL");
  ::unsetenv("LC_MESSAGES");
  return true;
}();

// Nor does the developer's own BRV3.ini (a language, port names) reach the tests: the programs
// they start, and the code under test, keep their settings in a folder of this run's own.
class OwnConfigDir {
 public:
  OwnConfigDir() { ::setenv("BRV3_CONFIG_DIR", dir_.path().c_str(), 1); }

 private:
  TempDir dir_;
};
const OwnConfigDir kOwnConfigDir;
}  // namespace

std::string DataFile(const std::string& name) {
  return std::string(BRV3_TEST_DATA) + "/" + name;
}

int LastWorkingModeWord(const std::string& tracePath) {
  const std::string trace = ReadFile(tracePath);
  const size_t at = trace.rfind("> F2 01 ");
  if (at == std::string::npos || at + 13 > trace.size()) return -1;
  return std::stoi(trace.substr(at + 8, 2), nullptr, 16) << 8 |
         std::stoi(trace.substr(at + 11, 2), nullptr, 16);
}

namespace {

ProcessResult Run(const std::string& program, const std::vector<std::string>& args,
                  const std::string& input, int timeoutMs,
                  const std::function<bool(const ProcessResult&)>& stop) {
  int inPipe[2], outPipe[2], errPipe[2];
  if (pipe(inPipe) || pipe(outPipe) || pipe(errPipe)) throw std::runtime_error("pipe failed");
  pid_t pid = fork();
  if (pid == 0) {
    dup2(inPipe[0], 0);
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) close(fd);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(inPipe[0]);
  close(outPipe[1]);
  close(errPipe[1]);
  signal(SIGPIPE, SIG_IGN);
  if (!input.empty()) {
    ssize_t ignored = write(inPipe[1], input.data(), input.size());
    (void)ignored;
  }
  close(inPipe[1]);
  ProcessResult result;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  int open = 2;
  while (open > 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0) {
      kill(pid, SIGKILL);
      break;
    }
    if (poll(fds, 2, static_cast<int>(left)) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
      char buf[4096];
      ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      } else {
        (i == 0 ? result.out : result.err).append(buf, static_cast<size_t>(n));
      }
    }
    if (stop && stop(result)) {
      kill(pid, SIGKILL);
      break;
    }
  }
  for (auto& f : fds)
    if (f.fd >= 0) close(f.fd);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input, int timeoutMs) {
  return Run(program, args, input, timeoutMs, nullptr);
}

ProcessResult RunProcessUntil(const std::string& program, const std::vector<std::string>& args,
                              const std::string& errText, int timeoutMs) {
  return Run(program, args, "", timeoutMs, [&errText](const ProcessResult& sofar) {
    return sofar.err.find(errText) != std::string::npos;
  });
}

ProcessResult RunProcessWatching(const std::string& program, const std::vector<std::string>& args,
                                 const std::function<bool(const ProcessResult& sofar)>& watch,
                                 int timeoutMs) {
  return Run(program, args, "", timeoutMs, watch);
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    poll(nullptr, 0, 5);
  }
  return true;
}

}  // namespace brv3::test
