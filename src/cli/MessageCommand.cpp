#include <ostream>

#include "cli/BoardCli.h"
#include "cli/CliCommands.h"
#include "core/util/Translate.h"
#include "platform/MessageSocket.h"

namespace brv3::cli {

int RunSendMessage(const std::string& message, const std::string& w, const std::string& l,
                   const std::string& socketPath, std::ostream& err,
                   const std::string& socketError) {
  std::string error;
  const auto parsed = platform::ParseMessageLine(message + " " + w + " " + l, &error);
  if (!parsed) {
    err << error << "\n";
    return kExitBadInput;
  }
  if (socketPath.empty()) {
    err << (socketError.empty() ? Tr("MessageCommand", "No message socket path") : socketError)
        << "\n";
    return kExitFailure;
  }
  switch (platform::SendWindowMessage(socketPath, *parsed, &error)) {
    case platform::SendResult::Sent:
      return kExitOk;
    case platform::SendResult::NoEditor:
      err << Tr("MessageCommand", "no running editor") << "\n";
      return kExitFailure;
    case platform::SendResult::NotAccepted:
    case platform::SendResult::Failed:
      break;
  }
  err << error << "\n";
  return kExitFailure;
}

}  // namespace brv3::cli
