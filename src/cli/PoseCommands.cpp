// Pose work from a shell: live servo words, the board's pose buffer, home and trim, channel
// names, and conversions applied to chart files.
#include <algorithm>
#include <iostream>

#include "cli/BoardConnection.h"
#include "cli/CliCommands.h"
#include "core/board/ChannelNames.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/TableEntry.h"
#include "core/motion/ChannelWord.h"
#include "core/motion/Conversion.h"
#include "core/motion/PatternStore.h"
#include "core/motion/PoseRecord.h"
#include "core/motion/RestPose.h"
#include "core/util/CommaText.h"
#include "core/util/Cp932.h"
#include "core/util/NumberText.h"
#include "core/util/Translate.h"
#include "platform/CommX.h"
#include "platform/ConfigLocation.h"

namespace brv3::cli {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// A servo value argument: an offset from the centre, or free / h / l.
std::optional<uint16_t> ServoWord(const std::string& text) {
  const std::string word = Lower(text);
  if (word == "free") return kWordFree;
  if (word == "h") return kWordH;
  if (word == "l") return kWordL;
  const std::optional<int64_t> offset = ParseDecimalInteger(text);
  if (!offset || *offset < -16383 || *offset > 16383) return std::nullopt;
  return static_cast<uint16_t>(kPositionCenter + *offset);
}

std::optional<int> ChannelNumber(const std::string& text) {
  const std::optional<int64_t> n = ParseDecimalInteger(text);
  if (!n || *n < 1 || *n > kChannels) return std::nullopt;
  return static_cast<int>(*n);
}

int Servo(const Options& options, const std::vector<std::string>& args) {
  if (args.empty() || args.size() % 2 != 0) {
    std::cerr << Tr("PoseCommands", "servo takes pairs of CH VALUE") << "\n";
    return kExitBadInput;
  }
  std::vector<std::pair<int, uint16_t>> frames;
  for (size_t i = 0; i < args.size(); i += 2) {
    const std::optional<int> channel = ChannelNumber(args[i]);
    if (!channel) {
      std::cerr << Args(Tr("PoseCommands", "'%1' is not a channel 1..24"), {args[i]}) << "\n";
      return kExitBadInput;
    }
    const std::optional<uint16_t> word = ServoWord(args[i + 1]);
    if (!word) {
      std::cerr << Args(Tr("PoseCommands",
                           "'%1' is not a servo value (-16383..16383, free, h or l)"),
                        {args[i + 1]})
                << "\n";
      return kExitBadInput;
    }
    frames.emplace_back(*channel, *word);
  }
  return WithBoard(options, [&frames](BoardConnection& board) {
    for (auto [channel, word] : frames) board.link.SetServoLive(channel - 1, word, 1);
    // Live frames await no reply: let the last one leave instead of purging it at close.
    if (auto* serial = dynamic_cast<platform::TCustomCommX*>(board.port.get()))
      serial->CloseAfterSending(1000);
    return kExitOk;
  });
}

// The Position object named `name` of the chart file at `path`, or an exit code.
int FindPositionObject(const std::string& path, const std::string& name, PoseRecord& pose) {
  CliPrompter prompter(std::cerr, false);
  Chart chart;
  if (int rc = ReadChartForCli(path, chart, prompter)) return rc;
  for (const ChartObject& o : chart.Objects) {
    if (o.Name != name) continue;
    if (o.Type != kPosition) {
      std::cerr << Args(Tr("PoseCommands", "'%1' is not a Position object"), {name}) << "\n";
      return kExitBadInput;
    }
    pose.Head = o.Head;
    pose.Values = o.Values;
    return kExitOk;
  }
  std::cerr << Args(Tr("PoseCommands", "There is no object '%1' in %2"), {name, path}) << "\n";
  return kExitBadInput;
}

// The cause of a failed command as a sentence, e.g. "The board refused the command (NAK)".
int Report(const BoardLink& link, bool ok) {
  if (ok) return kExitOk;
  if (link.LastFault() == LinkFault::None) {
    std::cerr << Tr("PoseCommands", "The board's reply could not be used") << "\n";
    return kExitFailure;
  }
  std::string text = LinkFaultText(link.LastFault());
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  std::cerr << text << "\n";
  return kExitFailure;
}

// Go to home / trim position. A failure can come while the board sleeps, so it is woken then,
// tried twice: the robot must not be left limp.
int GoToRestPoseCommand(BoardConnection& board, RestPose kind) {
  if (GoToRestPose(board.link, kind)) return kExitOk;
  const LinkFault fault = board.link.LastFault();
  const auto wake = [&board] {
    return board.link.SetMotionEnable(ModeSwitch::Off) && board.link.SetSleep(ModeSwitch::Off);
  };
  const bool awake = wake() || wake();
  std::cerr << Args(awake ? Tr("PoseCommands", "The board did not answer (%1)")
                          : Tr("PoseCommands",
                               "The board did not answer (%1); it may have been left asleep"),
                    {LinkFaultText(fault)})
            << "\n";
  return kExitFailure;
}

int PoseGet(BoardConnection& board) {
  Bytes reply;
  std::optional<PoseRecord> pose;
  if (board.link.ReadPose(PoseArea::Live, 0, 0, reply)) pose = PoseRecord::Unpack(reply);
  if (!pose) return Report(board.link, false);
  std::cout << FormatPrmText(pose->Head, pose->Values) << "\n";
  return kExitOk;
}

Bytes WordBytes(const ChannelWords& words) {
  const Bytes record = PoseRecord{0, words}.Pack();
  return Bytes(record.begin() + 1, record.end());
}

int Names(BoardConnection& board) {
  std::string failed;
  LinkFault fault = LinkFault::None;
  for (int n = 1; n <= kChannels; ++n) {
    const std::optional<std::string> name = ReadChannelName(board.link, n);
    if (!name) {
      failed += (failed.empty() ? "" : ", ") + std::to_string(n);
      fault = board.link.LastFault();
    }
    std::cout << n << "\t" << name.value_or(std::string()) << "\n";
  }
  if (failed.empty()) return kExitOk;
  std::cerr << Args(Tr("PoseCommands", "The names of channels %1 could not be read (%2)"),
                    {failed, LinkFaultText(fault)})
            << "\n";
  return kExitFailure;
}

int SetNames(const Options& options, const std::vector<std::string>& sets) {
  std::vector<std::pair<int, std::string>> names;
  for (const std::string& set : sets) {
    const size_t eq = set.find('=');
    const std::optional<int> channel =
        eq == std::string::npos ? std::nullopt : ChannelNumber(set.substr(0, eq));
    if (!channel) {
      std::cerr << Args(Tr("PoseCommands", "'%1' is not N=TEXT with a channel N of 1..24"), {set})
                << "\n";
      return kExitBadInput;
    }
    names.emplace_back(*channel, set.substr(eq + 1));
  }
  return WithBoard(options, [&names](BoardConnection& board) {
    for (const auto& [channel, text] : names) {
      if (!WriteChannelName(board.link, channel, text)) return Report(board.link, false);
    }
    return kExitOk;
  });
}

struct TransformArgs {
  std::string in, out, conversion, rows, objects;
};

int Transform(const TransformArgs& a) {
  ChannelTexts rows;
  if (!a.rows.empty()) {
    size_t count = 0;
    rows = ParsePatternEntries(a.rows, &count);
    if (count != kChannels) {
      std::cerr << Args(Tr("PoseCommands", "--rows needs exactly 24 entries, found %1"),
                        {std::to_string(count)})
                << "\n";
      return kExitBadInput;
    }
  } else {
    PatternStore store;
    std::string error;
    if (!store.Load(platform::PatternFilePath(), &error)) {
      std::cerr << error << "\n";
      return kExitBadInput;
    }
    std::optional<ChannelTexts> saved = store.Entries(PatternKind::Conversion, a.conversion);
    if (!saved) {
      std::cerr << Args(Tr("PoseCommands", "There is no conversion '%1' in PATTERN.ini"),
                        {a.conversion})
                << "\n";
      return kExitBadInput;
    }
    rows = *saved;
  }
  CliPrompter prompter(std::cerr, false);
  Chart chart;
  if (int rc = ReadChartForCli(a.in, chart, prompter)) return rc;
  for (ChartObject& o : chart.Objects) o.Selected = a.objects.empty() ? 1 : 0;
  for (const std::string& name : SplitCommaText(a.objects)) {
    auto it = std::find_if(chart.Objects.begin(), chart.Objects.end(),
                           [&name](const ChartObject& o) { return o.Name == name; });
    if (it == chart.Objects.end()) {
      std::cerr << Args(Tr("PoseCommands", "There is no object '%1' in %2"), {name, a.in}) << "\n";
      return kExitBadInput;
    }
    it->Selected = 1;
  }
  ApplyConversion(chart, rows);
  return SaveChartFile(chart, a.out, prompter) ? kExitOk : kExitCannotSave;
}

}  // namespace

void AddPoseCommands(CLI::App& app, Options& options, CommandList& commands) {
  auto* servo = app.add_subcommand(
      "servo", Tr("PoseCommands",
                  "Send live servo words: CH VALUE pairs, VALUE an offset from the "
                  "centre (-16383..16383) or free, h, l"));
  auto servoArgs = std::make_shared<std::vector<std::string>>();
  servo->add_option("CH VALUE", *servoArgs, Tr("PoseCommands", "Channel 1..24 and its value"))
      ->required();
  servo->allow_extras(false);
  commands.push_back({servo, [&options, servoArgs] { return Servo(options, *servoArgs); }});

  auto* pose = app.add_subcommand(
      "pose", Tr("PoseCommands", "The board's live pose: get, set, home, trim, set-home"));
  pose->require_subcommand(1);
  auto* get =
      pose->add_subcommand("get", Tr("PoseCommands", "Print the live pose as speed and 24 words"));
  commands.push_back({get, [&options] { return WithBoard(options, PoseGet); }});

  auto file = std::make_shared<std::string>();
  auto object = std::make_shared<std::string>();
  auto* set = pose->add_subcommand(
      "set", Tr("PoseCommands", "Send a Position object's pose, as Write pose does"));
  auto* setHome = pose->add_subcommand(
      "set-home", Tr("PoseCommands", "Store a Position object's words as the home position"));
  for (CLI::App* cmd : {set, setHome}) {
    cmd->add_option("FILE", *file, Tr("PoseCommands", "Chart file (.QVB)"))->required();
    cmd->add_option("--object", *object, Tr("PoseCommands", "Name of the Position object"))
        ->required();
  }
  commands.push_back({set, [&options, file, object] {
                        PoseRecord record;
                        if (int rc = FindPositionObject(*file, *object, record)) return rc;
                        return WithBoard(options, [&record](BoardConnection& board) {
                          return Report(board.link,
                                        board.link.WritePose(PoseArea::Live, 0, 0, record.Pack()));
                        });
                      }});
  commands.push_back({setHome, [&options, file, object] {
                        PoseRecord record;
                        if (int rc = FindPositionObject(*file, *object, record)) return rc;
                        return WithBoard(options, [&record](BoardConnection& board) {
                          return Report(board.link,
                                        board.link.WriteHomePosition(WordBytes(record.Values)));
                        });
                      }});
  auto* home =
      pose->add_subcommand("home", Tr("PoseCommands", "Send the robot to its home position"));
  commands.push_back({home, [&options] {
                        return WithBoard(options, [](BoardConnection& board) {
                          return GoToRestPoseCommand(board, RestPose::Home);
                        });
                      }});
  auto* trim =
      pose->add_subcommand("trim", Tr("PoseCommands", "Send the robot to its trim position"));
  commands.push_back({trim, [&options] {
                        return WithBoard(options, [](BoardConnection& board) {
                          return GoToRestPoseCommand(board, RestPose::Trim);
                        });
                      }});

  auto* names = app.add_subcommand(
      "names", Tr("PoseCommands", "Print the 24 channel names, or set some with --set"));
  auto sets = std::make_shared<std::vector<std::string>>();
  names->add_option("--set", *sets, Tr("PoseCommands", "N=TEXT: name channel N (1..24)"));
  commands.push_back({names, [&options, sets] {
                        if (!sets->empty()) return SetNames(options, *sets);
                        return WithBoard(options, Names);
                      }});

  auto* transform = app.add_subcommand(
      "transform", Tr("PoseCommands",
                      "Apply a conversion to the Position, Set and Mix objects of a chart file"));
  auto args = std::make_shared<TransformArgs>();
  transform->add_option("IN", args->in, Tr("PoseCommands", "Chart file to read"))->required();
  transform->add_option("OUT", args->out, Tr("PoseCommands", "Chart file to write"))->required();
  auto* byName = transform->add_option("--conversion", args->conversion,
                                       Tr("PoseCommands", "A conversion saved in PATTERN.ini"));
  auto* byRows = transform->add_option(
      "--rows", args->rows, Tr("PoseCommands", "The 24 conversion entries as comma text"));
  byName->excludes(byRows);
  transform->add_option("--objects", args->objects,
                        Tr("PoseCommands", "Comma list of object names (default: every object)"));
  commands.push_back({transform, [args, byName, byRows] {
                        if (byName->count() == 0 && byRows->count() == 0) {
                          std::cerr << Tr("PoseCommands",
                                          "transform needs --conversion NAME or --rows TEXT")
                                    << "\n";
                          return kExitBadInput;
                        }
                        return Transform(*args);
                      }});
  for (CLI::App* cmd : {servo, pose, names}) cmd->fallthrough();
}

}  // namespace brv3::cli
