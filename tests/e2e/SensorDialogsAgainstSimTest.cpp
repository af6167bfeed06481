// The analog and transmitter dialogs' rounds over the real command set and the simulated board.
#include <gtest/gtest.h>

#include "core/board/SensorDialogs.h"
#include "core/comm/BoardLink.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

class SensorsAgainstSim : public ::testing::Test {
 protected:
  sim::Engine engine;
  sim::SimPort port{engine};
  test::ScriptedPrompter prompter;
  BoardLink link{&port, &prompter};
  SensorBoardLink board{link};

  void Faults(const char* text) { engine.SetFaults(*sim::FaultPlan::Parse(text)); }
  bool Reporting(uint16_t bit) const { return (engine.board().Working().modeWord & bit) != 0; }
  // The notifications the board sent over `ms` milliseconds.
  std::vector<Notification> Listen(int ms) {
    Bytes bytes;
    for (int t = 0; t < ms; t += 10) {
      engine.Advance(10 * sim::kMillisecond);
      const Bytes part = engine.TakeOutput();
      bytes.insert(bytes.end(), part.begin(), part.end());
    }
    NotificationBuffer buffer;
    std::vector<Notification> out;
    buffer.Append(bytes.data(), bytes.size());
    while (auto frame = buffer.TakeFrame())
      if (auto note = DecodeNotification(*frame)) out.push_back(*note);
    return out;
  }
};

TEST_F(SensorsAgainstSim, LoadLiveChangesAndSaveReachTheRightCopies) {
  ASSERT_TRUE(link.WriteAdCalibration(Area::Stored, {100, 512, 1000}));
  ASSERT_TRUE(link.WriteAdCalibration(Area::Working, {100, 512, 1000}));  // as after power-up
  ASSERT_TRUE(link.WriteMixTable(Area::Stored, 1, Bytes(24, 0xC5)));
  SensorTriggers stored{};
  stored[3] = {4, -500};
  ASSERT_TRUE(link.WriteAdSettings(Area::Stored, [&] {
    const AdSettingsBytes b = EncodeAdSettings(stored);
    return Bytes(b.begin(), b.end());
  }()));
  engine.board().SetAnalogValues({650, 150, 520, 990});

  AnalogInputs inputs(board);
  const DialogRun run = RunAnalogDialog(inputs, board, {}, [&] {
    EXPECT_TRUE(Reporting(0x0100));
    EXPECT_EQ(inputs.Mix()[1][0], -5);
    EXPECT_EQ(inputs.Triggers()[3], (SensorTrigger{4, -500}));
    // A report moves the read-outs of the current input.
    bool analogSeen = false;
    for (const Notification& note : Listen(250)) {
      if (const auto* analog = std::get_if<AnalogReport>(&note)) {
        inputs.Report(*analog);
        analogSeen = true;
      }
    }
    ASSERT_TRUE(analogSeen);
    EXPECT_EQ(inputs.Readout(), (AnalogReadout{100, "100", "150", "50"}));
    EXPECT_EQ(inputs.VoltageText(), "10.00V");

    inputs.SelectTab(1);
    inputs.ReferenceMoved(600);
    EXPECT_EQ(engine.board().Working().adCalibration[1], 600);
    EXPECT_TRUE(inputs.MixListClosed(3, 0));  // x -63 for channel 3 of input 2
    EXPECT_EQ(engine.board().Working().mixTables[1][2], 0xFF);
    EXPECT_TRUE(inputs.MotionListClosed(1, 0));  // OFF for the trigger of threshold -500
    EXPECT_EQ(engine.board().Working().adSettings[3], 0xFF);
    EXPECT_EQ(
        engine.board().Working().adSettings[12] << 8 | engine.board().Working().adSettings[13],
        0x81F4);
    inputs.SelectTab(2);
    EXPECT_TRUE(inputs.AutoCalibrate());  // the board takes input 3's reading
    EXPECT_EQ(inputs.References()[2], 990);
    EXPECT_EQ(engine.board().Flash().adCalibration[1], 512);  // stored copy untouched so far
  });
  EXPECT_TRUE(run.shown && run.saved);
  EXPECT_FALSE(Reporting(0x0100));
  EXPECT_EQ(engine.board().Flash().adCalibration, (std::array<uint16_t, 3>{100, 600, 990}));
  EXPECT_EQ(engine.board().Flash().mixTables[1][2], 0xFF);
  EXPECT_EQ(engine.board().Flash().mixTables[1][0], 0xC5);
  EXPECT_EQ(engine.board().Flash().adSettings[3], 0xFF);

  // The stored settings as one record, as the CLI prints them.
  const auto settings = ReadStoredAnalogSettings(board);
  ASSERT_TRUE(settings.has_value());
  EXPECT_EQ(settings->references[2], 990);
  EXPECT_EQ(settings->triggers[3], (SensorTrigger{0, -500}));
}

TEST_F(SensorsAgainstSim, AFailedReadWhileLoadingShowsNothingAndReportsNothing) {
  ASSERT_TRUE(link.WriteAdCalibration(Area::Stored, {7, 8, 9}));
  AnalogInputs inputs(board);
  const int before = engine.FramesReceived();
  Faults("no-attention@3");  // the second mixing table
  bool shown = false;
  const DialogRun run = RunAnalogDialog(inputs, board, {}, [&] { shown = true; });
  EXPECT_FALSE(run.shown || shown);
  EXPECT_EQ(engine.FramesReceived() - before, 2);  // nothing after the failed read
  EXPECT_FALSE(Reporting(0x0100));
  EXPECT_TRUE(Listen(300).empty());
}

TEST_F(SensorsAgainstSim, AFailedSaveStepStopsTheLaterOnes) {
  AnalogInputs inputs(board);
  const DialogRun run = RunAnalogDialog(inputs, board, {}, [&] {
    inputs.SelectTab(2);
    inputs.MixListClosed(1, 63 + 9);
    inputs.ThresholdMoved(0, 300);
    inputs.ReferenceMoved(44);
    Faults("nak@3");  // report off, references, then the first table's write
  });
  EXPECT_TRUE(run.shown);
  EXPECT_FALSE(run.saved);
  EXPECT_FALSE(Reporting(0x0100));
  EXPECT_EQ(engine.board().Flash().adCalibration[2], 44);
  EXPECT_EQ(engine.board().Flash().mixTables[2][0], 0x00);  // never written
  EXPECT_EQ(engine.board().Flash().adSettings[14], 0x00);
  EXPECT_EQ(engine.board().Working().mixTables[2][0], 0x89);  // the live change got there
}

TEST_F(SensorsAgainstSim, TransmitterRoundWithReportsAutoAndFailures) {
  ASSERT_TRUE(link.WritePropoSettings(Area::Stored, {60, 61, 62, 63}));
  engine.board().InjectRemote(1234, {70, 50, 90, 10}, engine.Now());
  TransmitterInputs inputs(board);
  std::vector<std::string> status;
  auto show = [&](const std::string& s) { status.push_back(s); };
  DialogRun run = RunTransmitterDialog(
      inputs, board,
      [&] {
        EXPECT_TRUE(Reporting(0x0004));
        int remotes = 0;
        for (const Notification& note : Listen(350)) {
          if (const auto* remote = std::get_if<RemoteReport>(&note)) {
            inputs.Report(*remote);
            ++remotes;
          }
        }
        EXPECT_GE(remotes, 3);  // a steady stream, not just one per button
        EXPECT_EQ(inputs.ButtonText(), "1234");
        EXPECT_EQ(inputs.ChangeText(0), "10");
        EXPECT_TRUE(inputs.AutoSet(2));
        EXPECT_EQ(inputs.References()[2], 90);
        inputs.SliderMoved(3, 5);
        EXPECT_EQ(engine.board().Working().propo[3], 63);  // only when the movement ends
        EXPECT_TRUE(inputs.SliderEnded(3));
        EXPECT_EQ(engine.board().Working().propo[3], 5);
      },
      show);
  EXPECT_TRUE(run.shown && run.saved);
  EXPECT_TRUE(status.empty());
  EXPECT_FALSE(Reporting(0x0004));
  EXPECT_EQ(engine.board().Flash().propo, (std::array<uint8_t, 4>{60, 61, 90, 5}));

  // The final write fails: "Connection failed", and the report still goes off.
  run = RunTransmitterDialog(
      inputs, board, [&] { Faults("nak@1"); }, show);
  EXPECT_FALSE(run.saved);
  EXPECT_EQ(status, std::vector<std::string>{"Connection failed"});
  EXPECT_FALSE(Reporting(0x0004));

  // The stored references cannot be read: no dialog, and no report left running.
  status.clear();
  Faults("no-attention@2");
  bool shown = false;
  run = RunTransmitterDialog(
      inputs, board, [&] { shown = true; }, show);
  EXPECT_FALSE(shown);
  EXPECT_EQ(status, std::vector<std::string>{"Connection failed"});
  EXPECT_FALSE(Reporting(0x0004));
}

}  // namespace
}  // namespace brv3
