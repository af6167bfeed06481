// The board's inputs from a shell: the live analog and remote-control reports, and the stored
// analog and transmitter settings.
#include <iostream>
#include <memory>
#include <variant>

#include "cli/BoardConnection.h"
#include "cli/CliCommands.h"
#include "cli/SensorJson.h"
#include "cli/StopSignals.h"
#include "core/board/SensorSettings.h"
#include "core/comm/Notifications.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

constexpr int kWatchReadMs = 100;  // how often the stop request is looked at while waiting
const std::array<const char*, 3> kInputNames = {"AD1", "AD2", "AD3"};

std::string AnalogLine(const AnalogReport& report) {
  const auto inputs = report.InputTexts();
  std::string line = "analog BATT=" + report.VoltageText();
  for (size_t k = 0; k < inputs.size(); ++k)
    line += " " + std::string(kInputNames[k]) + "=" + inputs[k];
  line += " raw=";
  for (size_t i = 0; i < report.Values.size(); ++i)
    line += (i ? "," : "") + std::to_string(report.Values[i]);
  return line;
}

std::string RemoteLine(const RemoteReport& report) {
  std::string line = "remote code=" + report.CodeText();
  for (size_t i = 0; i < report.Transmitter.size(); ++i)
    line += " PA" + std::to_string(i + 1) + "=" + std::to_string(report.Transmitter[i]);
  return line;
}

// Switches both reports off, each tried once more when it fails: a switch that failed on the
// line may still have reached the board, which must not be left reporting.
bool SwitchReportsOff(SensorBoardLink& sensors) {
  const bool analogOff = sensors.SetAnalogReport(false) || sensors.SetAnalogReport(false);
  const bool receiverOff = sensors.SetReceiverReport(false) || sensors.SetReceiverReport(false);
  return analogOff && receiverOff;
}

int Watch(BoardConnection& board, int count) {
  StopSignals signals;
  SensorBoardLink sensors(board.link);
  if (!sensors.SetAnalogReport(true)) {
    SwitchReportsOff(sensors);
    std::cerr << Tr("SensorCommands", "The board did not answer (analog report not switched on)")
              << "\n";
    return kExitFailure;
  }
  if (!sensors.SetReceiverReport(true)) {
    SwitchReportsOff(sensors);
    std::cerr << Tr("SensorCommands", "The board did not answer (receiver report not switched on)")
              << "\n";
    return kExitFailure;
  }
  board.port->SetTimeOutReceive(kWatchReadMs);
  NotificationBuffer buffer;
  int seen = 0;
  bool gone = false;
  while (!StopRequested() && (count <= 0 || seen < count)) {
    uint8_t byte = 0;
    const int got = board.port->ReadBytes(&byte, 1);
    if (got < 0) {
      // The port failed or closed: no report can come any more.
      gone = true;
      break;
    }
    if (got != 1) continue;
    buffer.Append(&byte, 1);
    while (auto frame = buffer.TakeFrame()) {
      const auto note = DecodeNotification(*frame);
      if (!note) continue;
      if (const auto* analog = std::get_if<AnalogReport>(&*note)) {
        std::cout << AnalogLine(*analog) << std::endl;
      } else if (const auto* remote = std::get_if<RemoteReport>(&*note)) {
        std::cout << RemoteLine(*remote) << std::endl;
      } else {
        continue;
      }
      if (count > 0 && ++seen >= count) break;
    }
  }
  board.port->SetTimeOutReceive(300);
  if (gone) {
    std::cerr << Tr("SensorCommands",
                    "The serial port is gone; the board may still be sending its reports")
              << "\n";
    return kExitFailure;
  }
  if (!SwitchReportsOff(sensors)) {
    std::cerr << Tr("SensorCommands", "The board did not answer (the reports may still be on)")
              << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

// Why a read of the stored settings failed, as a sentence.
std::string ReadFailure(const BoardLink& link) {
  if (link.LastFault() == LinkFault::None)
    return Tr("SensorCommands", "The board's reply could not be used");
  std::string text = LinkFaultText(link.LastFault());
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text;
}

int Analog(BoardConnection& board) {
  SensorBoardLink sensors(board.link);
  const auto settings = ReadStoredAnalogSettings(sensors);
  if (!settings) {
    std::cerr << ReadFailure(board.link) << "\n";
    return kExitFailure;
  }
  std::cout << AnalogToJson(*settings).dump() << "\n";
  return kExitOk;
}

int Transmitter(BoardConnection& board) {
  SensorBoardLink sensors(board.link);
  const auto refs = sensors.ReadPropoReferences(Area::Stored);
  if (!refs) {
    std::cerr << ReadFailure(board.link) << "\n";
    return kExitFailure;
  }
  std::cout << TransmitterToJson(*refs).dump() << "\n";
  return kExitOk;
}

}  // namespace

void AddSensorCommands(CLI::App& app, Options& options, CommandList& commands) {
  auto* watch = app.add_subcommand(
      "watch", Tr("SensorCommands",
                  "Print the analog and remote-control reports as they arrive (Ctrl+C stops)"));
  auto count = std::make_shared<int>(0);
  watch
      ->add_option("--count", *count,
                   Tr("SensorCommands", "Stop after N reports (0: until interrupted)"))
      ->check(CLI::NonNegativeNumber);
  commands.push_back({watch, [&options, count] {
                        return WithBoard(options,
                                         [count](BoardConnection& b) { return Watch(b, *count); });
                      }});

  auto* analog = app.add_subcommand(
      "analog", Tr("SensorCommands", "Print the stored analog-input settings as JSON"));
  commands.push_back({analog, [&options] { return WithBoard(options, Analog); }});

  auto* transmitter = app.add_subcommand(
      "transmitter", Tr("SensorCommands", "Print the stored transmitter references as JSON"));
  commands.push_back({transmitter, [&options] { return WithBoard(options, Transmitter); }});
}

}  // namespace brv3::cli
