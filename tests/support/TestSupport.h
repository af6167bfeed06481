#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace brv3::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};
// Runs a program with arguments (no shell), feeding `input` to its standard input, and collects
// its output. Kills it after `timeoutMs`.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = "", int timeoutMs = 30000);
// The same without input, killing the program as soon as its standard error holds `errText`
// (or after `timeoutMs`): for programs that wait for a user once they have said what matters.
ProcessResult RunProcessUntil(const std::string& program, const std::vector<std::string>& args,
                              const std::string& errText, int timeoutMs = 30000);
// The same, showing `watch` what the program has printed so far each time it prints more; the
// program is killed when `watch` returns true (or after `timeoutMs`).
ProcessResult RunProcessWatching(const std::string& program, const std::vector<std::string>& args,
                                 const std::function<bool(const ProcessResult& sofar)>& watch,
                                 int timeoutMs = 30000);

// Looks at `done` every few milliseconds until it holds or `timeoutMs` pass; its last answer.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// The last working mode word the host wrote, from a simulator trace; -1 when there is none.
int LastWorkingModeWord(const std::string& tracePath);

// Path of a file under tests/data.
std::string DataFile(const std::string& name);

}  // namespace brv3::test
