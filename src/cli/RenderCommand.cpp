#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "cli/CliCommands.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEditorName = "brivane3";

bool Runnable(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// The editor program draws the pictures (it has the 3D toolkit this program goes without): the
// one beside this program, else the one of the build tree, else the first in PATH.
std::string FindEditor() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path folder = self.parent_path();
    for (const fs::path& candidate : {folder / kEditorName, folder / "../ui" / kEditorName})
      if (Runnable(candidate)) return candidate.lexically_normal().string();
  }
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t end = std::min(folders.find(':', start), folders.size());
    const std::string folder = folders.substr(start, end - start);
    if (!folder.empty() && Runnable(fs::path(folder) / kEditorName))
      return (fs::path(folder) / kEditorName).string();
    start = end + 1;
  }
  return std::string();
}

}  // namespace

void AddRenderCommand(CLI::App& app, Options& options, CommandList& commands) {
  (void)options;
  CLI::App* cmd = app.add_subcommand(
      "render", Tr("RenderCommand",
                   "Draw the robot in a pose of a motion chart into a PNG file: --robot FILE.urdf "
                   "CHART.QVB [--step N | --time SECONDS] [--view front|side|top] [--size WxH] -o "
                   "OUT.png"));
  // Everything after "render" goes to the editor's renderer, which checks it.
  cmd->prefix_command();
  commands.push_back({cmd, [cmd] {
                        const std::string editor = FindEditor();
                        if (editor.empty()) {
                          std::cerr << Args(Tr("RenderCommand",
                                               "render needs the editor program %1, found "
                                               "neither beside brivane3-cli nor in PATH"),
                                            {kEditorName})
                                    << "\n";
                          return kExitFailure;
                        }
                        std::vector<std::string> args{editor, "--render"};
                        for (const std::string& a : cmd->remaining()) args.push_back(a);
                        std::vector<char*> argv;
                        for (std::string& a : args) argv.push_back(a.data());
                        argv.push_back(nullptr);
                        std::cout.flush();
                        ::execv(editor.c_str(), argv.data());
                        std::cerr << Args(Tr("RenderCommand", "cannot start %1"), {editor}) << "\n";
                        return kExitFailure;
                      }});
}

}  // namespace brv3::cli
