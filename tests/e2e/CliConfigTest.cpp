// The configuration commands of brivane3-cli against qvb3-sim: a tuned board's configuration
// saved, loaded onto a fresh board, and the trim file commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/SimProcess.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

using json = nlohmann::ordered_json;

class SimBoard {
 public:
  SimBoard(const test::TempDir& dir, const std::string& name) : link_(dir.File(name + ".link")) {
    sim_ = std::make_unique<test::SimProcess>(
        std::vector<std::string>{"--link", link_, "--state", dir.File(name + ".state"), "--trace",
                                 dir.File(name + ".trace")});
    EXPECT_EQ(sim_->FirstLine(), link_);
  }
  test::ProcessResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", link_});
    return test::RunProcess(BRV3_CLI_PATH, args, "", 60000);
  }
  json Config() {
    auto r = Cli({"config", "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return json::parse(r.out, nullptr, false);
  }

 private:
  std::string link_;
  std::unique_ptr<test::SimProcess> sim_;
};

// A configuration that touches every key, made from a fresh board's own.
json Tuned(json j) {
  j["mode_word"] = 0x8005;
  j["options"]["motion_replay"] = true;
  j["options"]["zlt1"] = true;
  j["options"]["timebase"] = "22.5ms";
  j["options"]["start_switch_motion"] = "M3";
  j["options"]["low_voltage_motion"] = "S2";
  j["options"]["low_voltage"] = 7.4;
  j["serial_servo_channels"] = {2, 24};
  j["svl_channels"] = {1, 2};
  j["trim"][0] = 16500;
  j["trim"][23] = 12000;
  j["channel_names"][1] = "Elbow";
  std::string longRecord;
  for (int i = 0; i < 29; ++i) longRecord += (i % 2 ? "7f" : "0c");
  j["servo_records"] = {{"1",
                         {{"format", "short"},
                          {"bytes",
                           "0102030405010203"
                           "06d6044c64010203ff"}}},
                        {"2", {{"format", "long"}, {"bytes", longRecord}}}};
  j["analog"]["references"] = {512, 300, 1023};
  j["analog"]["mix"][0][0] = -5;
  j["analog"]["mix"][2][23] = 63;
  j["analog"]["triggers"][3]["motion"] = "M4";
  j["analog"]["triggers"][3]["threshold"] = -500;
  j["transmitter"]["references"] = {10, 11, 12, 127};
  return j;
}

}  // namespace

TEST(CliConfig, SaveThenLoadReproducesTheBoardOnASecondOne) {
  test::TempDir dir;
  auto first = std::make_unique<SimBoard>(dir, "first");
  const json fresh = first->Config();
  ASSERT_TRUE(fresh.is_object());
  for (const char* key : {"mode_word", "options", "serial_servo_channels", "svl_channels", "trim",
                          "channel_names", "servo_records", "analog", "transmitter"})
    EXPECT_TRUE(fresh.contains(key)) << key;
  EXPECT_EQ(fresh["options"]["timebase"], "15ms");
  EXPECT_TRUE(fresh["options"]["start_switch_motion"].is_null());

  test::WriteFile(dir.File("tuned.json"), Tuned(fresh).dump(2));
  // The masks change: refused without --yes, and nothing is written.
  auto r = first->Cli({"config", "load", dir.File("tuned.json")});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(first->Config(), fresh);
  r = first->Cli({"config", "load", dir.File("tuned.json"), "--yes"});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  const json tuned = first->Config();
  EXPECT_EQ(tuned["mode_word"], 0x8000 | 0x1000 | 0x0400 | 0x0200 | 0x0060 | 0x0008 | 0x0005);
  EXPECT_EQ(tuned["options"]["low_voltage"], 7.4);
  EXPECT_EQ(tuned["options"]["low_voltage_motion"], "S2");
  EXPECT_EQ(tuned["channel_names"][1], "Elbow");
  const json& shortRecord = tuned["servo_records"]["1"];
  EXPECT_EQ(shortRecord["limit_l"], 5);
  EXPECT_EQ(shortRecord["power_free"], 2);
  EXPECT_EQ(shortRecord["stretch2"], 1);
  EXPECT_FALSE(shortRecord.contains("offset"));
  EXPECT_EQ(tuned["servo_records"]["2"]["no_pwm"], "ON");
  EXPECT_EQ(tuned["servo_records"]["2"]["offset"], 0x7f);

  r = first->Cli({"config", "save", dir.File("saved.json")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto second = std::make_unique<SimBoard>(dir, "second");
  r = second->Cli({"config", "load", dir.File("saved.json"), "--yes"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(second->Config(), tuned);

  r = second->Cli({"config"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("Timebase: 22.5ms"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Low voltage: 07.4V"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("2\tElbow\tSIO"), std::string::npos) << r.out;

  EXPECT_EQ(second->Cli({"config", "save", dir.File("no/such/dir/x.json")}).exitCode, 3);

  // The analog and transmitter keys are what those commands print; the stored bytes the typed
  // values do not carry (a fresh board's motion bytes) come along under "raw".
  r = second->Cli({"analog"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  json analog = tuned["analog"];
  EXPECT_EQ(analog["raw"], json({{"settings", "000000030000000000000000c1f400000000"}}));
  analog.erase("raw");
  EXPECT_EQ(json::parse(r.out, nullptr, false), analog);
  r = second->Cli({"transmitter"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(json::parse(r.out, nullptr, false), tuned["transmitter"]);
  EXPECT_EQ(analog["triggers"][3], json({{"input", "AD2"}, {"motion", "M4"}, {"threshold", -500}}));

  // Byte for byte: the two boards' memories are the same.
  first.reset();
  second.reset();
  EXPECT_EQ(test::ReadFile(dir.File("first.state")), test::ReadFile(dir.File("second.state")));
}

// Files of the earlier layout, the analog and transmitter settings as stored bytes, still load,
// and bytes the typed values do not carry are kept through save and load.
TEST(CliConfig, EarlierLayoutAndUncarriedBytesSurvive) {
  test::TempDir dir;
  SimBoard board(dir, "board");
  json j = board.Config();
  j["analog"] = {
      {"settings", "05070000000000103c00800000000000ffff"},
      {"mix_tables",
       {std::string(46, '0') + "45", std::string(48, '0'), "80" + std::string(44, '0') + "c3"}},
      {"calibration", {1, 2, 1000}}};
  j["transmitter"] = {{"settings", "0a0b0c0d"}};
  test::WriteFile(dir.File("old.json"), j.dump());
  auto r = board.Cli({"config", "load", dir.File("old.json")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const json now = board.Config();
  EXPECT_EQ(now["analog"]["references"], json({1, 2, 1000}));
  EXPECT_EQ(now["analog"]["mix"][2][23], -3);
  EXPECT_EQ(now["analog"]["triggers"][1]["threshold"], 0);  // "-0"
  EXPECT_EQ(now["analog"]["triggers"][5]["threshold"], -1023);
  EXPECT_EQ(now["analog"]["raw"]["settings"], "05070000000000103c00800000000000ffff");
  EXPECT_EQ(now["analog"]["raw"]["mix_tables"][2], "80" + std::string(44, '0') + "c3");
  EXPECT_EQ(now["transmitter"]["references"], json({10, 11, 12, 13}));

  // A typed change goes over the kept bytes of that trigger only.
  json edited = now;
  edited["analog"]["triggers"][0]["threshold"] = 7;
  test::WriteFile(dir.File("edited.json"), edited.dump());
  r = board.Cli({"config", "load", dir.File("edited.json")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(board.Config()["analog"]["raw"]["settings"], "ff070000000000073c00800000000000ffff");
}

TEST(CliConfig, BadFilesExitTwoNamingTheKeyAndWriteNothing) {
  test::TempDir dir;
  SimBoard board(dir, "board");
  const json fresh = board.Config();
  const std::vector<std::pair<std::string, std::function<void(json&)>>> cases = {
      {"mode_word", [](json& j) { j["mode_word"] = 70000; }},
      {"options.timebase", [](json& j) { j["options"]["timebase"] = "21ms"; }},
      {"options.start_switch_motion", [](json& j) { j["options"]["start_switch_motion"] = "M81"; }},
      {"options.low_voltage", [](json& j) { j["options"]["low_voltage"] = "6V"; }},
      {"svl_channels", [](json& j) { j["svl_channels"] = {0}; }},
      {"trim", [](json& j) { j["trim"].erase(0); }},
      {"channel_names[0]", [](json& j) { j["channel_names"][0] = std::string(40, 'x'); }},
      {"channel_names[2]", [](json& j) { j["channel_names"][2] = std::string("ab\0cd", 5); }},
      {"serial_servo_channels",
       [](json& j) { j["serial_servo_channels"] = json(std::vector<int>(24000, 3)); }},
      {"svl_channels",
       [](json& j) {
         j["svl_channels"] = {2, 2};
       }},
      {"servo_records.1", [](json& j) { j["svl_channels"] = {1}; }},
      {"servo_records.3",
       [](json& j) {
         j["servo_records"]["3"] = {{"format", "short"}, {"bytes", "00"}};
       }},
      {"transmitter", [](json& j) { j.erase("transmitter"); }},
      {"analog.triggers[3].threshold",
       [](json& j) { j["analog"]["triggers"][3]["threshold"] = -1024; }},
      {"analog.triggers[2].motion", [](json& j) { j["analog"]["triggers"][2]["motion"] = "M81"; }},
      {"analog.triggers[0].input", [](json& j) { j["analog"]["triggers"][0]["input"] = "AD2"; }},
      {"analog.mix[1][5]", [](json& j) { j["analog"]["mix"][1][5] = 64; }},
      {"analog.references[2]", [](json& j) { j["analog"]["references"][2] = -1; }},
      {"analog.raw.settings", [](json& j) { j["analog"]["raw"]["settings"] = "00"; }},
      {"transmitter.references[1]", [](json& j) { j["transmitter"]["references"][1] = 256; }},
  };
  for (const auto& [key, spoil] : cases) {
    json j = fresh;
    spoil(j);
    test::WriteFile(dir.File("bad.json"), j.dump());
    auto r = board.Cli({"config", "load", dir.File("bad.json"), "--yes"});
    EXPECT_EQ(r.exitCode, 2) << key;
    EXPECT_NE(r.err.find(key), std::string::npos) << key << ": " << r.err;
  }
  test::WriteFile(dir.File("bad.json"), "[1, 2]");
  EXPECT_EQ(board.Cli({"config", "load", dir.File("bad.json")}).exitCode, 2);
  test::WriteFile(dir.File("bad.json"), "{\"mode_word\": ");
  EXPECT_EQ(board.Cli({"config", "load", dir.File("bad.json")}).exitCode, 2);
  EXPECT_EQ(test::ReadFile(dir.File("board.trace")).find("> F2 03"), std::string::npos);
}

TEST(CliConfig, AFailingBoardIsReportedAndABadTrimFileRefused) {
  test::TempDir dir;
  const std::string link = dir.File("qvb3");
  test::SimProcess sim({"--link", link, "--faults", "nak:1", "--trace", dir.File("trace")});
  ASSERT_EQ(sim.FirstLine(), link);
  test::WriteFile(dir.File("trim.QVB"), "[TrimData]\r\n");
  auto r = test::RunProcess(BRV3_CLI_PATH, {"--port", link, "config"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("could not be read (sleep mode: the board refused the command (NAK))"),
            std::string::npos)
      << r.err;
  // An unusable trim file is refused before the board is touched.
  r = test::RunProcess(BRV3_CLI_PATH, {"--port", link, "trim", "load", dir.File("trim.QVB")});
  EXPECT_EQ(r.exitCode, 2);
}

// One lost answer or one damaged reply anywhere in the reading is read again; a board that stays
// silent fails with the cause named.
TEST(CliConfig, OneLostReplyIsReadAgain) {
  test::TempDir dir;
  SimBoard clean(dir, "clean");
  const json want = clean.Config();
  for (const std::string fault : {"no-attention@9", "bad-checksum@30", "short-reply@3"}) {
    test::TempDir other;
    const std::string link = other.File("qvb3");
    test::SimProcess sim({"--link", link, "--faults", fault});
    ASSERT_EQ(sim.FirstLine(), link);
    auto r = test::RunProcess(BRV3_CLI_PATH, {"--port", link, "config", "--json"});
    ASSERT_EQ(r.exitCode, 0) << fault << ": " << r.err;
    EXPECT_EQ(json::parse(r.out, nullptr, false), want) << fault;
  }
  {
    test::TempDir other;
    const std::string link = other.File("qvb3");
    test::SimProcess sim({"--link", link, "--faults", "no-attention@2"});  // the trim read
    ASSERT_EQ(sim.FirstLine(), link);
    auto r = test::RunProcess(BRV3_CLI_PATH, {"--port", link, "trim"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("CH1\t0\n", 0), 0u) << r.out;
  }
  test::TempDir other;
  const std::string link = other.File("qvb3");
  test::SimProcess sim({"--link", link, "--faults", "no-attention@3,no-attention@40"});
  ASSERT_EQ(sim.FirstLine(), link);
  auto r =
      test::RunProcess(BRV3_CLI_PATH, {"--port", link, "config", "save", other.File("c.json")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(": the board did not answer)"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(other.File("c.json")));
}

TEST(CliConfig, TrimFilesInAndOut) {
  test::TempDir dir;
  SimBoard board(dir, "board");
  std::string file = "[TrimData]\r\n";
  for (int n = 1; n <= 24; ++n)
    file += "CH" + std::to_string(n) + "=" + std::to_string(n == 3 ? 17000 : 16384 + n) + "\r\n";
  test::WriteFile(dir.File("trim.QVB"), file);
  auto r = board.Cli({"trim", "load", dir.File("trim.QVB")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("CH3: 17000 held at 16729"), std::string::npos) << r.err;
  r = board.Cli({"trim"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("CH1\t1\nCH2\t2\nCH3\t345\n"), std::string::npos) << r.out;

  test::WriteFile(dir.File("out.QVB"), "[Other]\r\nkeep=1\r\n");
  ASSERT_EQ(board.Cli({"trim", "save", dir.File("out.QVB")}).exitCode, 0);
  const std::string saved = test::ReadFile(dir.File("out.QVB"));
  EXPECT_EQ(saved.find("Other"), std::string::npos);
  EXPECT_NE(saved.find("CH3=16729\r\n"), std::string::npos) << saved;

  // A file that cannot be used says why: the system's reason, the kind of file, the first
  // channel missing or out of range, or the missing section.
  test::WriteFile(dir.File("short.QVB"), "[TrimData]\r\nCH1=16384\r\n");
  std::filesystem::create_directory(dir.File("folder.QVB"));
  test::WriteFile(dir.File("other.QVB"), "[Other]\r\nCH1=1\r\n");
  const std::vector<std::pair<std::string, std::string>> unusable = {
      {dir.File("short.QVB"), "(CH2 is missing or not 0..65535)"},
      {dir.File("other.QVB"), "(no section TrimData)"},
      {dir.File("absent.QVB"), "No such file or directory"},
      {dir.File("folder.QVB"), "(it is a folder)"}};
  for (const auto& [path, why] : unusable) {
    r = board.Cli({"trim", "load", path});
    EXPECT_EQ(r.exitCode, 2) << path;
    EXPECT_NE(r.err.find("The designated file can't be used"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
  }
}

// A trim load that fails names the cause and leaves the board awake.
TEST(CliConfig, AFailedTrimLoadWakesTheBoard) {
  std::string file = "[TrimData]\r\n";
  for (int n = 1; n <= 24; ++n) file += "CH" + std::to_string(n) + "=16384\r\n";
  for (const auto& [faults, cause] : std::vector<std::pair<std::string, std::string>>{
           {"bad-checksum:3", "bad checksum"}, {"nak:5", "(NAK)"}}) {
    test::TempDir dir;
    test::WriteFile(dir.File("trim.QVB"), file);
    const std::string link = dir.File("qvb3");
    test::SimProcess sim({"--link", link, "--faults", faults, "--trace", dir.File("trace")});
    ASSERT_EQ(sim.FirstLine(), link);
    const auto r =
        test::RunProcess(BRV3_CLI_PATH, {"--port", link, "trim", "load", dir.File("trim.QVB")});
    EXPECT_EQ(r.exitCode, 1) << faults;
    EXPECT_NE(r.err.find(cause), std::string::npos) << faults << ": " << r.err;
    const int mode = test::LastWorkingModeWord(dir.File("trace"));
    ASSERT_GE(mode, 0) << faults;
    EXPECT_EQ(mode & 1, 0) << faults << ": the board was left asleep";
  }
}

}  // namespace brv3
