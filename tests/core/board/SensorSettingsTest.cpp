// The analog and transmitter settings' byte codecs and the dialogs' models over a recording board.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/board/SensorDialogs.h"

namespace brv3 {
namespace {

TEST(SensorCodecs, MixingBytesDecodeAndEncode) {
  MixTableBytes bytes{};
  bytes[0] = 0xC5;
  bytes[1] = 0x85;
  bytes[2] = 0x45;  // bit 7 clear: no mixing whatever the rest says
  bytes[3] = 0xFF;
  const MixFactors factors = DecodeMixTable(bytes);
  EXPECT_EQ(factors[0], -5);
  EXPECT_EQ(factors[1], 5);
  EXPECT_EQ(factors[2], 0);
  EXPECT_EQ(factors[3], -63);
  const MixTableBytes back = EncodeMixTable(factors);
  EXPECT_EQ(back[0], 0xC5);
  EXPECT_EQ(back[1], 0x85);
  EXPECT_EQ(back[2], 0x00);
  EXPECT_EQ(back[3], 0xFF);
}

// Typed values over stored bytes: unchanged triggers and factors keep bytes the values do not
// carry, changed ones are encoded whole and touch nothing else.
TEST(SensorCodecs, MergingKeepsTheBytesOfUnchangedValues) {
  AdSettingsBytes base{};
  base[0] = 0x05;
  base[6] = 0x3C;
  base[7] = 0x10;  // no motion (bit 14 clear) but a motion byte and bits 10-13 set: OFF, 16
  base[1] = 0x07;
  base[8] = 0x80;
  base[9] = 0x00;  // "-0"
  base[2] = 0x02;
  base[10] = 0x41;
  base[11] = 0x00;  // M3 at 256
  SensorTriggers triggers = DecodeAdSettings(base);
  EXPECT_EQ(MergeAdSettings(base, triggers), base);
  triggers[1].threshold = 5;
  triggers[2].motion = 0;
  const AdSettingsBytes merged = MergeAdSettings(base, triggers);
  AdSettingsBytes want = base;
  want[1] = 0xFF;
  want[8] = 0x00;
  want[9] = 0x05;
  want[2] = 0xFF;
  want[10] = 0x01;
  EXPECT_EQ(merged, want);
  EXPECT_EQ(DecodeAdSettings(merged), triggers);

  MixTableBytes mix{};
  mix[0] = 0x45;  // bit 7 clear: 0
  mix[1] = 0x80;  // "+0"
  mix[2] = 0xC3;  // -3
  MixFactors factors = DecodeMixTable(mix);
  EXPECT_EQ(MergeMixTable(mix, factors), mix);
  factors[1] = 2;
  factors[2] = 0;
  MixTableBytes mixWant = mix;
  mixWant[1] = 0x82;
  mixWant[2] = 0x00;
  EXPECT_EQ(MergeMixTable(mix, factors), mixWant);
}

TEST(SensorCodecs, TriggersFollowTheMotionAndSignBits) {
  AdSettingsBytes bytes{};
  bytes.fill(0);
  bytes[0] = 3;
  bytes[6] = 0xC1;
  bytes[7] = 0xF4;  // motion set, negative, 500
  bytes[1] = 3;
  bytes[8] = 0x01;
  bytes[9] = 0xF4;  // no motion bit: OFF, 500
  bytes[2] = 85;
  bytes[10] = 0x40;
  bytes[11] = 0x07;  // a slot beyond 84 is no motion either
  bytes[3] = 0xFF;
  bytes[12] = 0x3F;
  bytes[13] = 0xFF;  // only bits 0-9 count: 1023
  const SensorTriggers triggers = DecodeAdSettings(bytes);
  EXPECT_EQ(triggers[0], (SensorTrigger{4, -500}));
  EXPECT_EQ(triggers[1], (SensorTrigger{0, 500}));
  EXPECT_EQ(triggers[2], (SensorTrigger{0, 7}));
  EXPECT_EQ(triggers[3], (SensorTrigger{0, 1023}));

  SensorTriggers mine{};
  mine[0] = {0, -20};
  mine[1] = {4, -500};
  mine[5] = {85, 2000};  // S5, threshold held at 1023
  const AdSettingsBytes out = EncodeAdSettings(mine);
  EXPECT_EQ(out[0], 0xFF);
  EXPECT_EQ(out[6] << 8 | out[7], 0x8014);
  EXPECT_EQ(out[1], 3);
  EXPECT_EQ(out[8] << 8 | out[9], 0xC1F4);
  EXPECT_EQ(out[2], 0xFF);
  EXPECT_EQ(out[10] << 8 | out[11], 0);
  EXPECT_EQ(out[5], 84);
  EXPECT_EQ(out[16] << 8 | out[17], 0x43FF);
  mine[5].threshold = 1023;
  EXPECT_EQ(DecodeAdSettings(out), mine);
}

// Records every call; `failAt` makes the n-th call (1-based) fail.
class RecordingSensorBoard : public SensorBoard {
 public:
  std::vector<std::string> calls;
  int failAt = 0;
  AdReferences refs{100, 200, 300};
  PropoReferences propo{10, 20, 30, 40};
  std::vector<PropoReferences> propoWrites;

  bool Next(const std::string& call) {
    calls.push_back(call);
    return static_cast<int>(calls.size()) != failAt;
  }
  std::optional<AdReferences> ReadAdReferences(Area a) override {
    if (!Next(a == Area::Stored ? "readRefs:stored" : "readRefs:working")) return std::nullopt;
    return refs;
  }
  bool WriteAdReferences(Area, const AdReferences&) override { return Next("writeRefs"); }
  void SetAdReferenceLive(int input, uint16_t value) override {
    Next("live" + std::to_string(input) + "=" + std::to_string(value));
  }
  std::optional<MixTableBytes> ReadMixTable(Area, int t) override {
    if (!Next("readMix" + std::to_string(t))) return std::nullopt;
    return MixTableBytes{};
  }
  bool WriteMixTable(Area a, int t, const MixTableBytes&) override {
    return Next(std::string(a == Area::Stored ? "storeMix" : "writeMix") + std::to_string(t));
  }
  std::optional<AdSettingsBytes> ReadAdSettings(Area a) override {
    if (!Next(a == Area::Stored ? "readSettings:stored" : "readSettings:working"))
      return std::nullopt;
    return EncodeAdSettings({});
  }
  bool WriteAdSettings(Area a, const AdSettingsBytes&) override {
    return Next(a == Area::Stored ? "storeSettings" : "writeSettings");
  }
  std::optional<PropoReferences> ReadPropoReferences(Area) override {
    if (!Next("readPropo")) return std::nullopt;
    return propo;
  }
  bool WritePropoReferences(Area a, const PropoReferences& r) override {
    propoWrites.push_back(r);
    return Next(a == Area::Stored ? "storePropo" : "writePropo");
  }
  bool SetAnalogReport(bool on) override { return Next(on ? "analogOn" : "analogOff"); }
  bool SetReceiverReport(bool on) override { return Next(on ? "receiverOn" : "receiverOff"); }
};

using Calls = std::vector<std::string>;

TEST(AnalogDialogRound, EveryWayOutSwitchesTheReportOffAndSavesInOrder) {
  RecordingSensorBoard board;
  AnalogInputs inputs(board);
  bool discarded = false;
  const DialogRun run = RunAnalogDialog(
      inputs, board, [&] { discarded = true; },
      [&] {
        EXPECT_TRUE(discarded);
        inputs.ReferenceMoved(5000);  // held at 1023
        inputs.ThresholdMoved(1, -40);
        EXPECT_TRUE(inputs.ThresholdScrollEnded(1));
      });
  EXPECT_TRUE(run.shown && run.saved);
  EXPECT_EQ(board.calls,
            (Calls{"readRefs:stored", "readMix0", "readMix1", "readMix2", "readSettings:stored",
                   "analogOn", "live0=1023", "readSettings:working", "writeSettings", "analogOff",
                   "writeRefs", "storeMix0", "storeMix1", "storeMix2", "readSettings:working",
                   "storeSettings"}));
  EXPECT_EQ(inputs.Triggers()[1].threshold, -40);  // kept after the dialog closed
}

TEST(AnalogDialogRound, StopsAtTheFirstFailure) {
  for (int failAt = 1; failAt <= 5; ++failAt) {
    RecordingSensorBoard board;
    board.failAt = failAt;
    AnalogInputs inputs(board);
    bool shown = false;
    const DialogRun run = RunAnalogDialog(inputs, board, {}, [&] { shown = true; });
    EXPECT_FALSE(run.shown || shown) << failAt;
    EXPECT_EQ(board.calls.size(), static_cast<size_t>(failAt)) << "no read after the failed one";
  }
  // A failed save step: the later ones are not made; the report was switched off before.
  RecordingSensorBoard board;
  board.failAt = 9;  // storeMix0
  AnalogInputs inputs(board);
  const DialogRun run = RunAnalogDialog(inputs, board, {}, {});
  EXPECT_TRUE(run.shown);
  EXPECT_FALSE(run.saved);
  EXPECT_EQ(board.calls.back(), "storeMix0");
  EXPECT_EQ(board.calls[6], "analogOff");
  // A failed working read keeps the trigger from being written, and the user's value stays.
  board.calls.clear();
  board.failAt = 1;
  EXPECT_FALSE(inputs.MotionListClosed(0, 5));
  EXPECT_EQ(board.calls, (Calls{"readSettings:working"}));
  EXPECT_EQ(inputs.Triggers()[0].motion, 5);
}

TEST(AnalogDialogRound, ReadoutsFollowReportsAndTabs) {
  RecordingSensorBoard board;
  AnalogInputs inputs(board);
  EXPECT_EQ(inputs.Triggers(), SensorTriggers{});  // all zero before the first load
  ASSERT_TRUE(inputs.Load());
  EXPECT_EQ(inputs.Readout(), (AnalogReadout{100, "100", "----", "----"}));
  AnalogReport report;
  report.Values = {650, 90, 250, 340};
  inputs.Report(report);  // not showing: measured values change, the read-out waits
  EXPECT_EQ(inputs.Readout().adc, "----");
  EXPECT_EQ(inputs.VoltageText(), "10.00V");
  EXPECT_EQ(inputs.InputText(0), "0.48V");
  inputs.SetShowing(true);
  inputs.Report(report);
  EXPECT_EQ(inputs.Readout(), (AnalogReadout{100, "100", "90", "-10"}));
  inputs.SelectTab(2);
  EXPECT_EQ(inputs.Readout(), (AnalogReadout{300, "300", "340", "40"}));
  board.refs = {1, 2, 333};
  EXPECT_TRUE(inputs.AutoCalibrate());
  EXPECT_EQ(board.calls.back(), "readRefs:working");
  EXPECT_EQ(board.calls[board.calls.size() - 2], "live2=65535");
  EXPECT_EQ(inputs.Readout().cal, "300");  // shown with the next report
  inputs.Report(report);
  EXPECT_EQ(inputs.Readout(), (AnalogReadout{333, "333", "340", "7"}));
  // x -63 for channel 3 of input 2.
  inputs.SelectTab(1);
  EXPECT_TRUE(inputs.MixListClosed(3, 0));
  EXPECT_EQ(EncodeMixTable(inputs.Mix()[1])[2], 0xFF);
  EXPECT_EQ(board.calls.back(), "writeMix1");
  EXPECT_EQ(inputs.MixIndex(3), 0);
  EXPECT_EQ(inputs.MixIndex(4), 63);
}

TEST(TransmitterDialogRound, AutoSendsFFInPlaceOfOneReferenceAndFailuresAreReported) {
  RecordingSensorBoard board;
  TransmitterInputs inputs(board);
  std::vector<std::string> status;
  auto show = [&](const std::string& s) { status.push_back(s); };
  DialogRun run = RunTransmitterDialog(
      inputs, board,
      [&] {
        board.propo = {11, 21, 31, 41};
        EXPECT_TRUE(inputs.AutoSet(2));
        inputs.SliderMoved(0, 200);
        EXPECT_TRUE(inputs.SliderEnded(0));
      },
      show);
  EXPECT_TRUE(run.shown && run.saved);
  EXPECT_TRUE(status.empty());
  ASSERT_EQ(board.propoWrites.size(), 3u);
  EXPECT_EQ(board.propoWrites[0], (PropoReferences{10, 20, 0xFF, 40}));
  EXPECT_EQ(board.propoWrites[1], (PropoReferences{127, 21, 31, 41}));
  EXPECT_EQ(board.calls, (Calls{"receiverOn", "readPropo", "writePropo", "readPropo", "writePropo",
                                "storePropo", "receiverOff"}));
  EXPECT_EQ(inputs.MeasuredText(0), "----");
  RemoteReport report;
  report.Code = 1234;
  report.Transmitter = {100, 0, 0, 0};
  inputs.Report(report);
  EXPECT_EQ(inputs.ChangeText(0), "-27");
  EXPECT_EQ(inputs.ButtonText(), "1234");

  for (int failAt : {1, 2, 3}) {
    RecordingSensorBoard failing;
    failing.failAt = failAt;
    TransmitterInputs other(failing);
    status.clear();
    bool shown = false;
    run = RunTransmitterDialog(
        other, failing, [&] { shown = true; }, show);
    EXPECT_EQ(status, std::vector<std::string>{"Connection failed"}) << failAt;
    EXPECT_EQ(shown, failAt == 3);
    // The board is never left reporting: every way out after the switch-on switches it off.
    if (failAt > 1) {
      EXPECT_EQ(failing.calls.back(), "receiverOff") << failAt;
    }
  }
}

}  // namespace
}  // namespace brv3
