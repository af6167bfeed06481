#include "core/chart/ChartFiles.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "core/chart/ChartFileReader.h"
#include "core/motion/ChannelWord.h"
#include "core/util/CommaText.h"
#include "core/util/Cp932.h"
#include "core/util/IniFile.h"
#include "core/util/SafeFile.h"
#include "core/util/Translate.h"

namespace brv3 {

const char* const kMsgCannotKeep =
    BRV3_TR_NOOP("ChartFiles", "It can't be kept in the designated place");
const char* const kMsgFileUnusable =
    BRV3_TR_NOOP("ChartFiles", "The designated file can't be used");
const char* const kMsgDiscardData =
    BRV3_TR_NOOP("ChartFiles", "Do you prepared for the disappearance of all the present data?");
const char* const kChartFileFilters =
    BRV3_TR_NOOP("ChartFiles", "QVB file (*.QVB *.qvb);;AllFiles (*)");

std::string ChartFileFilters() {
  return Tr("ChartFiles", kChartFileFilters);
}

namespace {

constexpr const char* kItemFile = "ItemFile";
// A canvas larger than this cannot be painted; files asking for more get this much.
constexpr int32_t kMaxCanvasSize = 32000;
// Missing Item/Link sections read as defaults, but a count far beyond what the file holds is
// refused so that a tiny file cannot make the program build millions of objects.
constexpr int64_t kMissingSectionAllowance = 1000;

std::string TooManyNamed() {
  return Tr("ChartFiles", "The file names more objects or wires than it holds");
}

std::string ItemSection(int64_t i) {
  return "Item" + std::to_string(i);
}
std::string LinkSection(int64_t i) {
  return "Link" + std::to_string(i);
}

int32_t Clamp(int64_t v, int64_t lo, int64_t hi) {
  if (v > hi) v = hi;
  if (v < lo) v = lo;
  return static_cast<int32_t>(v);
}

std::string FormatPoints(const std::vector<LinkPoint>& points, int32_t dx, int32_t dy) {
  std::vector<std::string> fields;
  fields.reserve(points.size() * 2);
  for (const LinkPoint& p : points) {
    fields.push_back(std::to_string(int64_t{p.x} - dx));
    fields.push_back(std::to_string(int64_t{p.y} - dy));
  }
  return JoinCommaText(fields);
}

// A wire end read from a file, moved by `first` and checked against the chart: an end that does
// not name an object becomes -1, so it can never start pointing at an object appended later.
int32_t WireEnd(int32_t fileValue, int first, int objectCount) {
  if (fileValue < 0) return -1;
  int64_t end = int64_t{fileValue} + first;
  return end < objectCount ? static_cast<int32_t>(end) : -1;
}

bool CountFits(int64_t count, const ChartFileReader& file) {
  return count <= static_cast<int64_t>(file.SectionCount()) + kMissingSectionAllowance;
}

void WriteObjectFields(IniFile& ini, const std::string& section, const ChartObject& o, int32_t dx,
                       int32_t dy) {
  ini.WriteString(section, "Name", o.Name);
  ini.WriteInteger(section, "Width", o.Width);
  ini.WriteInteger(section, "Height", o.Height);
  ini.WriteInteger(section, "Left", int64_t{o.Left} - dx);
  ini.WriteInteger(section, "Top", int64_t{o.Top} - dy);
  ini.WriteInteger(section, "Color", static_cast<int32_t>(o.Color));
  ini.WriteInteger(section, "Type", o.Type);
  ini.WriteString(section, "Prm", FormatPrmText(o.Head, o.Values));
}

// Appends objects [0, count) of the file, selected, and returns the index of the first.
int AppendFileObjects(Chart& chart, ChartFileReader& file, int64_t count) {
  int first = chart.AppendObjects(0);  // deselects the present objects
  std::vector<ChartObject> read = file.TakeObjects(static_cast<size_t>(count));
  for (ChartObject& o : read) o.Selected = 1;
  if (chart.Objects.empty())
    chart.Objects.swap(read);
  else
    chart.Objects.insert(chart.Objects.end(), std::make_move_iterator(read.begin()),
                         std::make_move_iterator(read.end()));
  return first;
}

// Reads wires [0, count) of the file into the chart. Each wire is read completely before it is
// appended, so a bad bend point leaves only whole wires behind.
OpenResult ReadLinks(Chart& chart, const ChartFileReader& file, int64_t count, int first,
                     int32_t offsetX, int32_t offsetY) {
  chart.AppendLinks(0);  // deselects the present wires
  chart.Links.reserve(chart.Links.size() + static_cast<size_t>(count));
  const ChartFileReader::LinkRecord missing;
  for (int64_t j = 0; j < count; ++j) {
    const ChartFileReader::LinkRecord* r = file.Link(j);
    if (!r) r = &missing;
    if (r->badPoint) return {OpenStatus::ReadError, file.PointError(j)};
    ChartLink l;
    l.Selected = 1;
    l.Main = static_cast<uint8_t>(r->main);
    l.Origin = WireEnd(r->origin, first, chart.ObjectCount());
    l.Final = WireEnd(r->final, first, chart.ObjectCount());
    l.Point.reserve(r->points.size());
    for (const LinkPoint& p : r->points)
      l.Point.push_back({Clamp(int64_t{p.x} + offsetX, 0, chart.CanvasWidth),
                         Clamp(int64_t{p.y} + offsetY, 0, chart.CanvasHeight)});
    chart.Links.push_back(std::move(l));
  }
  return {};
}

OpenResult ReadChartIni(Chart& chart, ChartFileReader& file, uint8_t kind) {
  using F = ChartFileReader;
  int64_t items = std::max<int32_t>(0, file.HeaderInteger(F::HItems, 0));
  int64_t links = std::max<int32_t>(0, file.HeaderInteger(F::HLinks, 0));
  if (!CountFits(items, file) || !CountFits(links, file))
    return {OpenStatus::ReadError, TooManyNamed()};
  if (chart.Objects.empty()) {
    chart.SetChartName(file.HeaderString(F::HName, kUntitledName));
    chart.Ctrl = file.HeaderInteger(F::HCtrl, kNoCtrl);
  }
  chart.Type = kind;
  chart.CanvasWidth =
      std::max(chart.CanvasWidth, Clamp(file.HeaderInteger(F::HWidth, 640), 0, kMaxCanvasSize));
  chart.CanvasHeight =
      std::max(chart.CanvasHeight, Clamp(file.HeaderInteger(F::HHeight, 480), 0, kMaxCanvasSize));

  int first = AppendFileObjects(chart, file, items);
  for (size_t i = static_cast<size_t>(first); i < chart.Objects.size(); ++i) {
    ChartObject& o = chart.Objects[i];
    o.Type = kind == kScenarioChart ? static_cast<uint8_t>(kMot) : DeriveType(o.Values);
  }
  int32_t start = file.HeaderInteger(F::HStart, -1);
  chart.Start = WireEnd(start, first, chart.ObjectCount());
  return ReadLinks(chart, file, links, first, 0, 0);
}

void ReadCsvMotion(Chart& chart, CsvMotionReader& csv) {
  if (chart.Objects.empty()) {
    chart.SetChartName(csv.Name());
    chart.Ctrl = kNoCtrl;
  }
  chart.Type = kMotionChart;
  std::vector<CsvMotionReader::Step>& steps = csv.Steps();
  const int count = static_cast<int>(steps.size());
  int first = chart.AppendObjects(count);
  chart.Start = first;
  int32_t left = 5, top = 5;
  for (int k = 0; k < count; ++k) {
    CsvMotionReader::Step& step = steps[static_cast<size_t>(k)];
    ChartObject& o = chart.Objects[static_cast<size_t>(first + k)];
    o.Selected = 1;
    o.Name = std::move(step.name);
    o.Left = left;
    o.Top = top;
    o.Width = 50;
    o.Height = 30;
    o.Color = kColorWhite;
    o.Type = kPosition;
    o.Head = step.head;
    o.Values = step.values;
    top += 40;
    if (top > chart.CanvasHeight - 30) {
      top = 5;
      left += 70;
    }
  }
  int firstLink = chart.AppendLinks(count - 1);
  for (int k = 0; k + 1 < count; ++k) {
    ChartLink& l = chart.Links[static_cast<size_t>(firstLink + k)];
    l.Selected = 1;
    l.Main = kFlowWiring;
    l.Origin = first + k;
    l.Final = first + k + 1;
  }
}

// A file read as a chart or item file and, while its first line looks like one, as a CSV motion
// file, in the same single pass.
struct ReadFile {
  explicit ReadFile(uint64_t sizeHint) : ini(sizeHint) {}
  ChartFileReader ini;
  CsvMotionReader csv;
  void Feed(std::string_view piece) {
    ini.Feed(piece);
    csv.Feed(piece);
  }
  void Finish() {
    ini.Finish();
    csv.Finish();
  }
  // The chart type the header names: kMotionChart, kScenarioChart or -1.
  int32_t HeaderType() const { return ini.HeaderInteger(ChartFileReader::HType, -1); }
  ChartFileKind Kind() const {
    int32_t type = HeaderType();
    if (type == kMotionChart) return ChartFileKind::MotionChart;
    if (type == kScenarioChart) return ChartFileKind::ScenarioChart;
    return csv.Valid() ? ChartFileKind::CsvMotion : ChartFileKind::Unusable;
  }
};

std::unique_ptr<ReadFile> ReadBytes(const std::string& rawBytes) {
  auto file = std::make_unique<ReadFile>(rawBytes.size());
  file->Feed(rawBytes);
  file->Finish();
  return file;
}

OpenResult OpenRead(Chart& chart, ReadFile& file, Prompter& prompter);
OpenResult OpenItemRead(Chart& chart, ReadFile& file, int32_t offsetX, int32_t offsetY,
                        Prompter& prompter);

OpenResult Report(Prompter& prompter, OpenResult result);

// Reads the file at `path` in pieces and hands what was read to `read`; a file that cannot be
// read is reported with the system's reason.
template <class Read>
OpenResult ReadThen(const std::string& path, Prompter& prompter, Read read) {
  std::string error;
  FileProblem problem = FileProblem::None;
  std::error_code ec;
  uintmax_t size = std::filesystem::file_size(path, ec);
  ReadFile file(ec ? 0 : size);
  bool ok = ReadFileInPieces(
      path, [&file](std::string_view piece) { file.Feed(piece); }, &error, &problem);
  if (!ok && (problem == FileProblem::NotARegularFile || problem == FileProblem::TooLarge)) {
    std::string message = Args(Tr("ChartFiles", "The designated file can't be used (%1)"), {error});
    prompter.MsgBox(MsgKind::Warning, MsgButtons::Ok, message);
    return {OpenStatus::Unusable, message};
  }
  if (!ok)
    return Report(prompter, {OpenStatus::CannotRead,
                             Args(Tr("ChartFiles", "Cannot open file \"%1\". %2"), {path, error})});
  file.Finish();
  return read(file);
}

OpenResult Report(Prompter& prompter, OpenResult result) {
  if (result.status == OpenStatus::ReadError || result.status == OpenStatus::CannotRead)
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, result.message);
  return result;
}

size_t Digits(int64_t v) {
  size_t n = v < 0 ? 2 : 1;
  for (uint64_t u = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); u >= 10;
       u /= 10)
    ++n;
  return n;
}

// The chart file's bytes (cp932). Every section is rewritten on save, so the text is produced
// directly in the layout the INI writer would give it, into a buffer sized for it beforehand.
std::string ChartFileBytes(const Chart& chart) {
  auto oneLine = [](std::string_view v) {
    std::string s(v);
    for (char& c : s)
      if (c == '\r' || c == '\n') c = ' ';
    return Utf8ToCp932(s);
  };
  const std::string chartName =
      oneLine(std::string_view(chart.Name).substr(0, chart.Name.find('\0')));
  // Sizes: section line, then each key with "=", its longest value and CR LF.
  constexpr size_t kNumberKey = 8 + 11 + 2;
  size_t size = 16 + 8 * kNumberKey + chartName.size() + 2;
  for (size_t i = 0; i < chart.Objects.size(); ++i) {
    const ChartObject& o = chart.Objects[i];
    size += 8 + Digits(static_cast<int64_t>(i)) + 7 * kNumberKey + 7 + o.Name.size() + 2 + 4 +
            Digits(o.Head) + 2;
    for (uint16_t w : o.Values) size += 1 + Digits(w);
  }
  for (size_t j = 0; j < chart.Links.size(); ++j)
    size += 8 + Digits(static_cast<int64_t>(j)) + 3 * kNumberKey + 8 + 2 +
            chart.Links[j].Point.size() * 24;

  std::string out;
  out.reserve(size);
  auto number = [&out](int64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
  };
  auto num = [&](const char* k, int64_t v) {
    out += k;
    out += '=';
    number(v);
    out += "\r\n";
  };
  auto key = [&out](const char* k, std::string_view v) {
    out += k;
    out += '=';
    out += v;
    out += "\r\n";
  };
  out += "[GraphicalEdit]\r\n";
  num("Type", chart.Type);
  num("Width", chart.CanvasWidth);
  num("Height", chart.CanvasHeight);
  num("Items", chart.ObjectCount());
  num("Links", chart.LinkCount());
  num("Start", chart.Start);
  key("Name", chartName);
  num("Ctrl", chart.Ctrl);
  out += "\r\n";
  for (size_t i = 0; i < chart.Objects.size(); ++i) {
    const ChartObject& o = chart.Objects[i];
    out += "[Item";
    number(static_cast<int64_t>(i));
    out += "]\r\n";
    key("Name", oneLine(o.Name));
    num("Width", o.Width);
    num("Height", o.Height);
    num("Left", o.Left);
    num("Top", o.Top);
    num("Color", static_cast<int32_t>(o.Color));
    num("Type", o.Type);
    out += "Prm=";
    number(o.Head);
    for (uint16_t w : o.Values) {
      out += ',';
      number(w);
    }
    out += "\r\n\r\n";
  }
  for (size_t j = 0; j < chart.Links.size(); ++j) {
    const ChartLink& l = chart.Links[j];
    out += "[Link";
    number(static_cast<int64_t>(j));
    out += "]\r\n";
    num("Main", l.Main);
    num("Origin", l.Origin);
    num("Final", l.Final);
    out += "Point=";
    for (size_t p = 0; p < l.Point.size(); ++p) {
      if (p) out += ',';
      number(l.Point[p].x);
      out += ',';
      number(l.Point[p].y);
    }
    out += "\r\n\r\n";
  }
  return out;
}

}  // namespace

std::string ChartFileName(const std::string& chosen, int filterIndex) {
  if (filterIndex != 1) return chosen;
  std::filesystem::path p(chosen);
  p.replace_extension(".QVB");
  return p.string();
}

bool SaveChartFile(const Chart& chart, const std::string& path, Prompter& prompter) {
  if (!CanWriteFile(path) || !WriteFileAtomically(path, ChartFileBytes(chart))) {
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, Tr("ChartFiles", kMsgCannotKeep));
    return false;
  }
  return true;
}

OpenResult OpenChartFile(Chart& chart, const std::string& path, Prompter& prompter) {
  return ReadThen(path, prompter, [&](ReadFile& file) { return OpenRead(chart, file, prompter); });
}

OpenResult OpenChartBytes(Chart& chart, const std::string& rawBytes, Prompter& prompter) {
  return OpenRead(chart, *ReadBytes(rawBytes), prompter);
}

namespace {

OpenResult OpenRead(Chart& chart, ReadFile& file, Prompter& prompter) {
  ChartFileKind kind = file.Kind();
  if (kind == ChartFileKind::Unusable) {
    const std::string message = Tr("ChartFiles", kMsgFileUnusable);
    prompter.MsgBox(MsgKind::Warning, MsgButtons::Ok, message);
    return {OpenStatus::Unusable, message};
  }
  uint8_t fileType = kind == ChartFileKind::ScenarioChart ? kScenarioChart : kMotionChart;
  if (!chart.Objects.empty() && chart.Type != fileType) {
    if (prompter.MsgBox(MsgKind::Question, MsgButtons::OkCancel,
                        Tr("ChartFiles", kMsgDiscardData)) == IdCancel)
      return {OpenStatus::Cancelled, ""};
    chart.ClearChart();
  }
  if (kind == ChartFileKind::CsvMotion) {
    ReadCsvMotion(chart, file.csv);
    return {};
  }
  return Report(prompter, ReadChartIni(chart, file.ini, fileType));
}

OpenResult OpenItemRead(Chart& chart, ReadFile& file, int32_t offsetX, int32_t offsetY,
                        Prompter& prompter) {
  using F = ChartFileReader;
  ChartFileReader& ini = file.ini;
  chart.DeselectAll();
  int64_t items = std::max<int32_t>(0, ini.ItemFileInteger(F::FItemCount, 0));
  int64_t links = std::max<int32_t>(0, ini.ItemFileInteger(F::FLinkCount, 0));
  if (!CountFits(items, ini) || !CountFits(links, ini))
    return Report(prompter, {OpenStatus::ReadError, TooManyNamed()});
  int first = AppendFileObjects(chart, ini, items);
  for (int64_t i = 0; i < items; ++i) {
    int at = first + static_cast<int>(i);
    ChartObject& o = chart.Objects[static_cast<size_t>(at)];
    if (!ini.ItemNamed(i)) o.Name = "Item" + std::to_string(at);
    o.Left = Clamp(
        std::min<int64_t>(int64_t{o.Left} + offsetX, int64_t{chart.CanvasWidth} - o.Width - 1), 0,
        INT32_MAX);
    o.Top = Clamp(
        std::min<int64_t>(int64_t{o.Top} + offsetY, int64_t{chart.CanvasHeight} - o.Height - 1), 0,
        INT32_MAX);
  }
  return Report(prompter, ReadLinks(chart, ini, links, first, offsetX, offsetY));
}

}  // namespace

bool SaveItemFile(const Chart& chart, const std::string& path, Prompter& prompter) {
  if (chart.SelectedObjectCount() == 0) return false;
  // The sections of an existing file that this save does not write stay, so a file that exists
  // but cannot be read is not replaced.
  IniFile ini;
  std::error_code ec;
  if (!CanWriteFile(path) || (std::filesystem::exists(path, ec) && !ini.LoadFile(path))) {
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, Tr("ChartFiles", kMsgCannotKeep));
    return false;
  }
  const auto [cornerX, cornerY] = chart.SelectionCorner();
  std::vector<int32_t> running(chart.Objects.size(), -1);
  int32_t written = 0;
  for (size_t i = 0; i < chart.Objects.size(); ++i) {
    const ChartObject& o = chart.Objects[i];
    if (!o.Selected) continue;
    running[i] = written;
    WriteObjectFields(ini, ItemSection(written++), o, cornerX, cornerY);
  }
  ini.WriteInteger(kItemFile, "ItemCount", written);
  int32_t wires = 0;
  for (const ChartLink& l : chart.Links) {
    if (!l.Selected || !chart.ValidObject(l.Origin) || !chart.ValidObject(l.Final)) continue;
    int32_t origin = running[static_cast<size_t>(l.Origin)];
    int32_t final = running[static_cast<size_t>(l.Final)];
    if (origin < 0 || final < 0) continue;
    std::string section = LinkSection(wires++);
    ini.WriteInteger(section, "Main", l.Main);
    ini.WriteInteger(section, "Origin", origin);
    ini.WriteInteger(section, "Final", final);
    ini.WriteString(section, "Point", FormatPoints(l.Point, cornerX, cornerY));
  }
  ini.WriteInteger(kItemFile, "LinkCount", wires);
  if (!ini.SaveFile(path)) {
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, Tr("ChartFiles", kMsgCannotKeep));
    return false;
  }
  return true;
}

OpenResult OpenItemFile(Chart& chart, const std::string& path, int32_t offsetX, int32_t offsetY,
                        Prompter& prompter) {
  return ReadThen(path, prompter, [&](ReadFile& file) {
    return OpenItemRead(chart, file, offsetX, offsetY, prompter);
  });
}

OpenResult OpenItemBytes(Chart& chart, const std::string& rawBytes, int32_t offsetX,
                         int32_t offsetY, Prompter& prompter) {
  return OpenItemRead(chart, *ReadBytes(rawBytes), offsetX, offsetY, prompter);
}

}  // namespace brv3
