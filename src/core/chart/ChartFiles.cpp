#include "core/chart/ChartFiles.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "core/chart/ChartFileIndex.h"
#include "core/motion/ChannelWord.h"
#include "core/util/CommaText.h"
#include "core/util/Cp932.h"
#include "core/util/IniFile.h"
#include "core/util/SafeFile.h"

namespace brv3 {

const char* const kMsgCannotKeep = "It can't be kept in the designated place";
const char* const kMsgFileUnusable = "The designated file can't be used";
const char* const kMsgDiscardData =
    "Do you prepared for the disappearance of all the present data?";

namespace {

constexpr const char* kHeader = "GraphicalEdit";
constexpr const char* kItemFile = "ItemFile";
// A canvas larger than this cannot be painted; files asking for more get this much.
constexpr int32_t kMaxCanvasSize = 32000;
// Missing Item/Link sections read as defaults, but a count far beyond what the file holds is
// refused so that a tiny file cannot make the program build millions of objects.
constexpr int64_t kMissingSectionAllowance = 1000;

std::string ItemSection(int64_t i) {
  return "Item" + std::to_string(i);
}
std::string LinkSection(int64_t i) {
  return "Link" + std::to_string(i);
}

std::string NotAnInteger(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

int32_t Clamp(int64_t v, int64_t lo, int64_t hi) {
  if (v > hi) v = hi;
  if (v < lo) v = lo;
  return static_cast<int32_t>(v);
}

// Bend points from a "Point" value: pairs of integers, offset then held on the canvas. An odd
// last number is ignored. nullopt (with the bad text) when a pair is not two integers.
std::optional<std::vector<LinkPoint>> ReadPoints(std::string_view value, int32_t offsetX,
                                                 int32_t offsetY, int32_t width, int32_t height,
                                                 std::string& error) {
  std::vector<std::string> fields = SplitCommaText(value);
  std::vector<LinkPoint> points;
  points.reserve(fields.size() / 2);
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    auto x = ParseIniInteger(fields[i]);
    auto y = ParseIniInteger(fields[i + 1]);
    if (!x || !y) {
      error = NotAnInteger(!x ? fields[i] : fields[i + 1]);
      return std::nullopt;
    }
    points.push_back(
        {Clamp(int64_t{*x} + offsetX, 0, width), Clamp(int64_t{*y} + offsetY, 0, height)});
  }
  return points;
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

bool CountFits(int64_t count, const ChartFileIndex& index) {
  return count <= static_cast<int64_t>(index.SectionCount()) + kMissingSectionAllowance;
}

int32_t IntValue(const std::string_view* v, int32_t def) {
  return v ? ParseIniInteger(*v).value_or(def) : def;
}

std::string StringValue(const std::string_view* v, std::string_view def) {
  return std::string(v ? *v : def);
}

void ReadObjectFields(const ChartFileIndex::ItemSlots* s, ChartObject& o) {
  using I = ChartFileIndex;
  auto find = [s](size_t key) { return s ? s->Find(key) : nullptr; };
  o.Name = StringValue(find(I::IName), "");
  o.Width = IntValue(find(I::IWidth), 50);
  o.Height = IntValue(find(I::IHeight), 30);
  o.Left = IntValue(find(I::ILeft), 0);
  o.Top = IntValue(find(I::ITop), 0);
  o.Color = static_cast<uint32_t>(IntValue(find(I::IColor), 0xFFFFFF));
  o.Type = static_cast<uint8_t>(IntValue(find(I::IType), 0));
  const std::string_view* prm = find(I::IPrm);
  ParsePrmText(prm ? std::string(*prm) : std::string(), o.Head, o.Values);
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

// Reads wires [0, count) of the file into the chart. Each wire is read completely before it is
// appended, so a bad bend point leaves only whole wires behind.
OpenResult ReadLinks(Chart& chart, const ChartFileIndex& index, int64_t count, int first,
                     int32_t offsetX, int32_t offsetY) {
  using I = ChartFileIndex;
  chart.AppendLinks(0);  // deselects the present wires
  chart.Links.reserve(chart.Links.size() + static_cast<size_t>(count));
  for (int64_t j = 0; j < count; ++j) {
    const I::LinkSlots* s = index.Link(j);
    auto find = [s](size_t key) { return s ? s->Find(key) : nullptr; };
    ChartLink l;
    l.Selected = 1;
    l.Main = static_cast<uint8_t>(IntValue(find(I::LMain), 0));
    l.Origin = WireEnd(IntValue(find(I::LOrigin), -1), first, chart.ObjectCount());
    l.Final = WireEnd(IntValue(find(I::LFinal), -1), first, chart.ObjectCount());
    std::string error;
    const std::string_view* point = find(I::LPoint);
    auto points = ReadPoints(point ? *point : std::string_view(), offsetX, offsetY,
                             chart.CanvasWidth, chart.CanvasHeight, error);
    if (!points) return {OpenStatus::ReadError, error};
    l.Point = std::move(*points);
    chart.Links.push_back(std::move(l));
  }
  return {};
}

OpenResult ReadChartIni(Chart& chart, const ChartFileIndex& index, uint8_t kind) {
  using I = ChartFileIndex;
  const auto& header = index.Header();
  int64_t items = std::max<int32_t>(0, IntValue(header.Find(I::HItems), 0));
  int64_t links = std::max<int32_t>(0, IntValue(header.Find(I::HLinks), 0));
  if (!CountFits(items, index) || !CountFits(links, index))
    return {OpenStatus::ReadError, "The file names more objects or wires than it holds"};
  if (chart.Objects.empty()) {
    chart.SetChartName(StringValue(header.Find(I::HName), kUntitledName));
    chart.Ctrl = IntValue(header.Find(I::HCtrl), kNoCtrl);
  }
  chart.Type = kind;
  chart.CanvasWidth =
      std::max(chart.CanvasWidth, Clamp(IntValue(header.Find(I::HWidth), 640), 0, kMaxCanvasSize));
  chart.CanvasHeight = std::max(chart.CanvasHeight,
                                Clamp(IntValue(header.Find(I::HHeight), 480), 0, kMaxCanvasSize));

  int first = chart.AppendObjects(static_cast<int>(items));
  for (int64_t i = 0; i < items; ++i) {
    int at = first + static_cast<int>(i);
    ChartObject& o = chart.Objects[static_cast<size_t>(at)];
    o.Selected = 1;
    ReadObjectFields(index.Item(i), o);
    o.Type = kind == kScenarioChart ? static_cast<uint8_t>(kMot) : DeriveType(o.Values);
  }
  int32_t start = IntValue(header.Find(I::HStart), -1);
  chart.Start = WireEnd(start, first, chart.ObjectCount());
  return ReadLinks(chart, index, links, first, 0, 0);
}

// The lines of raw cp932 bytes (split at CR LF, CR or LF) as UTF-8, one at a time. Each line is
// converted on its own: a line break never belongs to a two-byte character.
class LineReader {
 public:
  explicit LineReader(std::string_view raw) : raw_(raw) {}
  bool Next(std::string_view& line) {
    if (pos_ >= raw_.size()) return false;
    size_t eol = raw_.find_first_of("\r\n", pos_);
    if (eol == std::string_view::npos) eol = raw_.size();
    line = raw_.substr(pos_, eol - pos_);
    pos_ = eol + (raw_.compare(eol, 2, "\r\n") == 0 ? 2 : 1);
    for (char c : line)
      if (static_cast<unsigned char>(c) >= 0x80) {
        converted_ = Cp932ToUtf8(line);
        line = converted_;
        break;
      }
    return true;
  }

 private:
  std::string_view raw_;
  size_t pos_ = 0;
  std::string converted_;
};

bool BlankLine(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

uint16_t CsvChannelWord(int32_t v) {
  if (v >= -180 && v <= 180) return static_cast<uint16_t>(16384 + v);
  if (v >= 221 && v <= 224) return static_cast<uint16_t>(32770 + (v - 221));
  if (v == 225 || v == 226) return static_cast<uint16_t>(32768 + (v - 225));
  return 0;
}

struct CsvStep {
  std::string name;
  uint8_t head = 1;
  ChannelWords values{};
};
struct CsvMotion {
  std::string name;
  std::vector<CsvStep> steps;
};

// A CSV motion file read in one pass, or nullopt when the bytes are not one.
std::optional<CsvMotion> ParseCsvMotion(std::string_view raw) {
  LineReader lines(raw);
  std::string_view line;
  auto field = [](const std::vector<std::string>& row, size_t i) -> std::string {
    return i < row.size() ? row[i] : std::string();
  };
  if (!lines.Next(line)) return std::nullopt;
  std::vector<std::string> row = SplitCommaText(line);
  if (row.size() != 27 || row[0] != "NO" || row[2] != "SPEED") return std::nullopt;
  CsvMotion csv;
  csv.name = row[1];
  // Editors often leave blank lines at the end; they carry no motion. A blank line with more
  // lines after it breaks the numbering.
  bool blankSeen = false;
  while (lines.Next(line)) {
    if (BlankLine(line)) {
      blankSeen = true;
      continue;
    }
    row = SplitCommaText(line);
    const int32_t k = static_cast<int32_t>(csv.steps.size() + 1);
    if (blankSeen || row.empty() || ParseIniInteger(row[0]) != std::optional<int32_t>(k))
      return std::nullopt;
    CsvStep& step = csv.steps.emplace_back();
    step.name = field(row, 1);
    // The speed is a power of two; the shift count wraps like the processor's (mod 32).
    auto speed = static_cast<uint32_t>(ParseIniInteger(field(row, 2)).value_or(1));
    step.head = static_cast<uint8_t>(1u << (speed & 31u));
    for (size_t c = 0; c < kChannels; ++c)
      step.values[c] = CsvChannelWord(ParseIniInteger(field(row, c + 3)).value_or(225));
  }
  if (csv.steps.empty()) return std::nullopt;
  return csv;
}

void ReadCsvMotion(Chart& chart, CsvMotion& csv) {
  if (chart.Objects.empty()) {
    chart.SetChartName(csv.name);
    chart.Ctrl = kNoCtrl;
  }
  chart.Type = kMotionChart;
  const int count = static_cast<int>(csv.steps.size());
  int first = chart.AppendObjects(count);
  chart.Start = first;
  int32_t left = 5, top = 5;
  for (int k = 0; k < count; ++k) {
    CsvStep& step = csv.steps[static_cast<size_t>(k)];
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

// The chart type a file's header names: kMotionChart, kScenarioChart or -1.
int32_t HeaderType(const ChartFileIndex& index) {
  return IntValue(index.Header().Find(ChartFileIndex::HType), -1);
}

OpenResult Report(Prompter& prompter, OpenResult result);

// Reads the file at `path` and hands its bytes to `read`; a file that cannot be read is reported
// with the system's reason.
template <class Read>
OpenResult ReadThen(const std::string& path, Prompter& prompter, Read read) {
  std::string error;
  FileProblem problem = FileProblem::None;
  auto bytes = ReadWholeFile(path, &error, &problem);
  if (!bytes && (problem == FileProblem::NotARegularFile || problem == FileProblem::TooLarge)) {
    std::string message = std::string(kMsgFileUnusable) + " (" + error + ")";
    prompter.MsgBox(MsgKind::Warning, MsgButtons::Ok, message);
    return {OpenStatus::Unusable, message};
  }
  if (!bytes)
    return Report(prompter,
                  {OpenStatus::CannotRead, "Cannot open file \"" + path + "\". " + error});
  return read(*bytes);
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

ChartFileKind ClassifyChartFile(const std::string& rawBytes) {
  ChartFileIndex index(rawBytes);
  int32_t type = HeaderType(index);
  if (type == kMotionChart) return ChartFileKind::MotionChart;
  if (type == kScenarioChart) return ChartFileKind::ScenarioChart;
  return ParseCsvMotion(rawBytes) ? ChartFileKind::CsvMotion : ChartFileKind::Unusable;
}

bool SaveChartFile(const Chart& chart, const std::string& path, Prompter& prompter) {
  if (!CanWriteFile(path) || !WriteFileAtomically(path, ChartFileBytes(chart))) {
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, kMsgCannotKeep);
    return false;
  }
  return true;
}

OpenResult OpenChartFile(Chart& chart, const std::string& path, Prompter& prompter) {
  return ReadThen(path, prompter,
                  [&](const std::string& bytes) { return OpenChartBytes(chart, bytes, prompter); });
}

OpenResult OpenChartBytes(Chart& chart, const std::string& rawBytes, Prompter& prompter) {
  ChartFileIndex index(rawBytes);
  int32_t type = HeaderType(index);
  std::optional<CsvMotion> csv;
  if (type != kMotionChart && type != kScenarioChart) {
    csv = ParseCsvMotion(rawBytes);
    if (!csv) {
      prompter.MsgBox(MsgKind::Warning, MsgButtons::Ok, kMsgFileUnusable);
      return {OpenStatus::Unusable, kMsgFileUnusable};
    }
  }
  uint8_t fileType = type == kScenarioChart ? kScenarioChart : kMotionChart;
  if (!chart.Objects.empty() && chart.Type != fileType) {
    if (prompter.MsgBox(MsgKind::Question, MsgButtons::OkCancel, kMsgDiscardData) == IdCancel)
      return {OpenStatus::Cancelled, ""};
    chart.ClearChart();
  }
  if (csv) {
    ReadCsvMotion(chart, *csv);
    return {};
  }
  return Report(prompter, ReadChartIni(chart, index, fileType));
}

bool SaveItemFile(const Chart& chart, const std::string& path, Prompter& prompter) {
  if (chart.SelectedObjectCount() == 0) return false;
  // The sections of an existing file that this save does not write stay, so a file that exists
  // but cannot be read is not replaced.
  IniFile ini;
  std::error_code ec;
  if (!CanWriteFile(path) || (std::filesystem::exists(path, ec) && !ini.LoadFile(path))) {
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, kMsgCannotKeep);
    return false;
  }
  // Reference corner: the first selected object's corner, replaced only by one that lies both
  // further left and further up.
  bool haveCorner = false;
  int32_t cornerX = 0, cornerY = 0;
  for (const ChartObject& o : chart.Objects) {
    if (!o.Selected) continue;
    if (!haveCorner || (o.Left < cornerX && o.Top < cornerY)) {
      cornerX = o.Left;
      cornerY = o.Top;
      haveCorner = true;
    }
  }
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
    prompter.MsgBox(MsgKind::Error, MsgButtons::Ok, kMsgCannotKeep);
    return false;
  }
  return true;
}

OpenResult OpenItemFile(Chart& chart, const std::string& path, int32_t offsetX, int32_t offsetY,
                        Prompter& prompter) {
  return ReadThen(path, prompter, [&](const std::string& bytes) {
    return OpenItemBytes(chart, bytes, offsetX, offsetY, prompter);
  });
}

OpenResult OpenItemBytes(Chart& chart, const std::string& rawBytes, int32_t offsetX,
                         int32_t offsetY, Prompter& prompter) {
  using I = ChartFileIndex;
  ChartFileIndex index(rawBytes);
  chart.DeselectAll();
  int64_t items = std::max<int32_t>(0, IntValue(index.ItemFile().Find(I::FItemCount), 0));
  int64_t links = std::max<int32_t>(0, IntValue(index.ItemFile().Find(I::FLinkCount), 0));
  if (!CountFits(items, index) || !CountFits(links, index))
    return Report(prompter,
                  {OpenStatus::ReadError, "The file names more objects or wires than it holds"});
  int first = chart.AppendObjects(static_cast<int>(items));
  for (int64_t i = 0; i < items; ++i) {
    int at = first + static_cast<int>(i);
    ChartObject& o = chart.Objects[static_cast<size_t>(at)];
    const I::ItemSlots* slots = index.Item(i);
    ReadObjectFields(slots, o);
    o.Selected = 1;
    if (!slots || !slots->Find(I::IName)) o.Name = "Item" + std::to_string(at);
    o.Left = Clamp(
        std::min<int64_t>(int64_t{o.Left} + offsetX, int64_t{chart.CanvasWidth} - o.Width - 1), 0,
        INT32_MAX);
    o.Top = Clamp(
        std::min<int64_t>(int64_t{o.Top} + offsetY, int64_t{chart.CanvasHeight} - o.Height - 1), 0,
        INT32_MAX);
  }
  return Report(prompter, ReadLinks(chart, index, links, first, offsetX, offsetY));
}

}  // namespace brv3
