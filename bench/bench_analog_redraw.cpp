// The analog dialog's read-out update for one analog report: the report decoded from its bytes,
// the four voltages and the current input's measured value and change set, and the dialog
// repainted (offscreen raster). A report every 100 ms must never back up the event loop.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>

#include "OffscreenBenchMain.h"
#include "core/board/SensorDialogs.h"
#include "core/comm/Notifications.h"
#include "ui/board/InputDialogs.h"

namespace {

// A board that answers nothing: the bench never talks to it.
class NoBoard : public brv3::SensorBoard {
 public:
  std::optional<brv3::AdReferences> ReadAdReferences(brv3::Area) override { return {}; }
  bool WriteAdReferences(brv3::Area, const brv3::AdReferences&) override { return false; }
  void SetAdReferenceLive(int, uint16_t) override {}
  std::optional<brv3::MixTableBytes> ReadMixTable(brv3::Area, int) override { return {}; }
  bool WriteMixTable(brv3::Area, int, const brv3::MixTableBytes&) override { return false; }
  std::optional<brv3::AdSettingsBytes> ReadAdSettings(brv3::Area) override { return {}; }
  bool WriteAdSettings(brv3::Area, const brv3::AdSettingsBytes&) override { return false; }
  std::optional<brv3::PropoReferences> ReadPropoReferences(brv3::Area) override { return {}; }
  bool WritePropoReferences(brv3::Area, const brv3::PropoReferences&) override { return false; }
  bool SetAnalogReport(bool) override { return false; }
  bool SetReceiverReport(bool) override { return false; }
};

brv3::Bytes ReportBytes(const std::array<uint16_t, 4>& values) {
  brv3::Bytes bytes{0xFE};
  for (uint16_t v : values) {
    bytes.push_back(static_cast<uint8_t>(v >> 7 & 0x7F));
    bytes.push_back(static_cast<uint8_t>(v & 0x7F));
  }
  bytes.push_back(0x00);
  return bytes;
}

void BM_AnalogReadout(benchmark::State& state) {
  NoBoard board;
  brv3::AnalogInputs model(board);
  brv3::TAdDlg dlg(model, board, nullptr, {});
  dlg.show();
  model.SetShowing(true);
  QCoreApplication::processEvents();
  std::vector<brv3::Bytes> frames;
  for (uint16_t v = 0; v < 64; ++v)
    frames.push_back(ReportBytes({static_cast<uint16_t>(600 + v), static_cast<uint16_t>(v * 13),
                                  static_cast<uint16_t>(1000 - v), static_cast<uint16_t>(v * 7)}));
  size_t i = 0;
  for (auto _ : state) {
    const auto note = brv3::DecodeNotification(frames[i++ % frames.size()]);
    dlg.ReportArrived(std::get<brv3::AnalogReport>(*note));
    QCoreApplication::processEvents();  // the repaint of the changed read-outs
  }
  benchmark::DoNotOptimize(dlg.findChild<QLineEdit*>("AdcEdit")->text().size());
}
BENCHMARK(BM_AnalogReadout)->Unit(benchmark::kMicrosecond);

}  // namespace

BRV3_OFFSCREEN_BENCHMARK_MAIN()
