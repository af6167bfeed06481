#include "core/chart/ChartFiles.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

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
std::optional<std::vector<LinkPoint>> ReadPoints(const std::string& value, int32_t offsetX,
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

bool CountFits(int64_t count, const IniFile& ini) {
  return count <= static_cast<int64_t>(ini.SectionCount()) + kMissingSectionAllowance;
}

void ReadObjectFields(const IniFile& ini, const std::string& section, ChartObject& o) {
  o.Name = ini.ReadString(section, "Name", "");
  o.Width = ini.ReadInteger(section, "Width", 50);
  o.Height = ini.ReadInteger(section, "Height", 30);
  o.Left = ini.ReadInteger(section, "Left", 0);
  o.Top = ini.ReadInteger(section, "Top", 0);
  o.Color = static_cast<uint32_t>(ini.ReadInteger(section, "Color", 0xFFFFFF));
  o.Type = static_cast<uint8_t>(ini.ReadInteger(section, "Type", 0));
  ParsePrmText(ini.ReadString(section, "Prm", ""), o.Head, o.Values);
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
OpenResult ReadLinks(Chart& chart, const IniFile& ini, int64_t count, int first, int32_t offsetX,
                     int32_t offsetY) {
  chart.AppendLinks(0);  // deselects the present wires
  chart.Links.reserve(chart.Links.size() + static_cast<size_t>(count));
  for (int64_t j = 0; j < count; ++j) {
    std::string section = LinkSection(j);
    ChartLink l;
    l.Selected = 1;
    l.Main = static_cast<uint8_t>(ini.ReadInteger(section, "Main", 0));
    l.Origin = WireEnd(ini.ReadInteger(section, "Origin", -1), first, chart.ObjectCount());
    l.Final = WireEnd(ini.ReadInteger(section, "Final", -1), first, chart.ObjectCount());
    std::string error;
    auto points = ReadPoints(ini.ReadString(section, "Point", ""), offsetX, offsetY,
                             chart.CanvasWidth, chart.CanvasHeight, error);
    if (!points) return {OpenStatus::ReadError, error};
    l.Point = std::move(*points);
    chart.Links.push_back(std::move(l));
  }
  return {};
}

OpenResult ReadChartIni(Chart& chart, const IniFile& ini, uint8_t kind) {
  int64_t items = std::max<int32_t>(0, ini.ReadInteger(kHeader, "Items", 0));
  int64_t links = std::max<int32_t>(0, ini.ReadInteger(kHeader, "Links", 0));
  if (!CountFits(items, ini) || !CountFits(links, ini))
    return {OpenStatus::ReadError, "The file names more objects or wires than it holds"};
  if (chart.Objects.empty()) {
    chart.SetChartName(ini.ReadString(kHeader, "Name", kUntitledName));
    chart.Ctrl = ini.ReadInteger(kHeader, "Ctrl", kNoCtrl);
  }
  chart.Type = kind;
  chart.CanvasWidth =
      std::max(chart.CanvasWidth, Clamp(ini.ReadInteger(kHeader, "Width", 640), 0, kMaxCanvasSize));
  chart.CanvasHeight = std::max(chart.CanvasHeight,
                                Clamp(ini.ReadInteger(kHeader, "Height", 480), 0, kMaxCanvasSize));

  int first = chart.AppendObjects(static_cast<int>(items));
  for (int64_t i = 0; i < items; ++i) {
    int index = first + static_cast<int>(i);
    ChartObject& o = chart.Objects[static_cast<size_t>(index)];
    o.Selected = 1;
    ReadObjectFields(ini, ItemSection(i), o);
    o.Type = kind == kScenarioChart ? static_cast<uint8_t>(kMot) : DeriveType(o.Values);
  }
  int32_t start = ini.ReadInteger(kHeader, "Start", -1);
  chart.Start = WireEnd(start, first, chart.ObjectCount());
  return ReadLinks(chart, ini, links, first, 0, 0);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eol = text.find_first_of("\r\n", pos);
    if (eol == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, eol - pos));
    pos = eol + (text.compare(eol, 2, "\r\n") == 0 ? 2 : 1);
  }
  // Editors often leave blank lines at the end; they carry no motion.
  while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos)
    lines.pop_back();
  return lines;
}

// The rows of a CSV motion file, or nullopt when the text is not one.
std::optional<std::vector<std::vector<std::string>>> ParseCsvMotion(const std::string& text) {
  std::vector<std::string> lines = SplitLines(text);
  if (lines.size() < 2) return std::nullopt;
  std::vector<std::vector<std::string>> rows;
  rows.reserve(lines.size());
  rows.push_back(SplitCommaText(lines[0]));
  const auto& head = rows[0];
  if (head.size() != 27 || head[0] != "NO" || head[2] != "SPEED") return std::nullopt;
  for (size_t k = 1; k < lines.size(); ++k) {
    rows.push_back(SplitCommaText(lines[k]));
    const auto& row = rows.back();
    if (row.empty() || ParseIniInteger(row[0]) != std::optional<int32_t>(static_cast<int32_t>(k)))
      return std::nullopt;
  }
  return rows;
}

uint16_t CsvChannelWord(int32_t v) {
  if (v >= -180 && v <= 180) return static_cast<uint16_t>(16384 + v);
  if (v >= 221 && v <= 224) return static_cast<uint16_t>(32770 + (v - 221));
  if (v == 225 || v == 226) return static_cast<uint16_t>(32768 + (v - 225));
  return 0;
}

void ReadCsvMotion(Chart& chart, const std::vector<std::vector<std::string>>& rows) {
  auto field = [](const std::vector<std::string>& row, size_t i) -> std::string {
    return i < row.size() ? row[i] : std::string();
  };
  if (chart.Objects.empty()) {
    chart.SetChartName(field(rows[0], 1));
    chart.Ctrl = kNoCtrl;
  }
  chart.Type = kMotionChart;
  int first = chart.AppendObjects(static_cast<int>(rows.size() - 1));
  chart.Start = first;
  int32_t left = 5, top = 5;
  for (size_t k = 1; k < rows.size(); ++k) {
    const auto& row = rows[k];
    ChartObject& o = chart.Objects[static_cast<size_t>(first) + k - 1];
    o.Selected = 1;
    o.Name = field(row, 1);
    o.Left = left;
    o.Top = top;
    o.Width = 50;
    o.Height = 30;
    o.Color = kColorWhite;
    o.Type = kPosition;
    // The speed is a power of two; the shift count wraps like the processor's (mod 32).
    auto speed = static_cast<uint32_t>(ParseIniInteger(field(row, 2)).value_or(1));
    o.Head = static_cast<uint8_t>(1u << (speed & 31u));
    for (size_t c = 0; c < kChannels; ++c)
      o.Values[c] = CsvChannelWord(ParseIniInteger(field(row, c + 3)).value_or(225));
    top += 40;
    if (top > chart.CanvasHeight - 30) {
      top = 5;
      left += 70;
    }
  }
  int firstLink = chart.AppendLinks(static_cast<int>(rows.size()) - 2);
  for (size_t k = 0; k + 2 < rows.size(); ++k) {
    ChartLink& l = chart.Links[static_cast<size_t>(firstLink) + k];
    l.Selected = 1;
    l.Main = kFlowWiring;
    l.Origin = first + static_cast<int32_t>(k);
    l.Final = first + static_cast<int32_t>(k) + 1;
  }
}

struct LoadedFile {
  std::string text;  // UTF-8
  IniFile ini;
};

LoadedFile Load(const std::string& rawBytes) {
  LoadedFile f;
  f.text = Cp932ToUtf8(rawBytes);
  f.ini.LoadText(f.text);
  return f;
}

ChartFileKind Classify(const LoadedFile& f) {
  int32_t type = f.ini.ReadInteger(kHeader, "Type", -1);
  if (type == kMotionChart) return ChartFileKind::MotionChart;
  if (type == kScenarioChart) return ChartFileKind::ScenarioChart;
  return ParseCsvMotion(f.text) ? ChartFileKind::CsvMotion : ChartFileKind::Unusable;
}

OpenResult Report(Prompter& prompter, OpenResult result);

// Reads the file at `path` and hands its bytes to `read`; a file that cannot be read is reported
// with the system's reason.
template <class Read>
OpenResult ReadThen(const std::string& path, Prompter& prompter, Read read) {
  std::string error;
  auto bytes = ReadWholeFile(path, &error);
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

// The chart file's text. Every section is rewritten on save, so the text is produced directly in
// the layout the INI writer would give it.
std::string ChartFileText(const Chart& chart) {
  std::string out;
  out.reserve(64 + chart.Objects.size() * 220 + chart.Links.size() * 60);
  auto key = [&out](const char* k, std::string_view v) {
    out += k;
    out += '=';
    for (char c : v) out += (c == '\r' || c == '\n') ? ' ' : c;
    out += "\r\n";
  };
  auto num = [&key](const char* k, int64_t v) { key(k, std::to_string(v)); };
  out += "[GraphicalEdit]\r\n";
  num("Type", chart.Type);
  num("Width", chart.CanvasWidth);
  num("Height", chart.CanvasHeight);
  num("Items", chart.ObjectCount());
  num("Links", chart.LinkCount());
  num("Start", chart.Start);
  key("Name", std::string_view(chart.Name).substr(0, chart.Name.find('\0')));
  num("Ctrl", chart.Ctrl);
  out += "\r\n";
  for (size_t i = 0; i < chart.Objects.size(); ++i) {
    const ChartObject& o = chart.Objects[i];
    out += "[Item" + std::to_string(i) + "]\r\n";
    key("Name", o.Name);
    num("Width", o.Width);
    num("Height", o.Height);
    num("Left", o.Left);
    num("Top", o.Top);
    num("Color", static_cast<int32_t>(o.Color));
    num("Type", o.Type);
    key("Prm", FormatPrmText(o.Head, o.Values));
    out += "\r\n";
  }
  for (size_t j = 0; j < chart.Links.size(); ++j) {
    const ChartLink& l = chart.Links[j];
    out += "[Link" + std::to_string(j) + "]\r\n";
    num("Main", l.Main);
    num("Origin", l.Origin);
    num("Final", l.Final);
    key("Point", FormatPoints(l.Point, 0, 0));
    out += "\r\n";
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
  return Classify(Load(rawBytes));
}

bool SaveChartFile(const Chart& chart, const std::string& path, Prompter& prompter) {
  if (!CanWriteFile(path) || !WriteFileAtomically(path, Utf8ToCp932(ChartFileText(chart)))) {
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
  LoadedFile file = Load(rawBytes);
  ChartFileKind kind = Classify(file);
  if (kind == ChartFileKind::Unusable) {
    prompter.MsgBox(MsgKind::Warning, MsgButtons::Ok, kMsgFileUnusable);
    return {OpenStatus::Unusable, kMsgFileUnusable};
  }
  uint8_t fileType = kind == ChartFileKind::ScenarioChart ? kScenarioChart : kMotionChart;
  if (!chart.Objects.empty() && chart.Type != fileType) {
    if (prompter.MsgBox(MsgKind::Question, MsgButtons::OkCancel, kMsgDiscardData) == IdCancel)
      return {OpenStatus::Cancelled, ""};
    chart.ClearChart();
  }
  if (kind == ChartFileKind::CsvMotion) {
    ReadCsvMotion(chart, *ParseCsvMotion(file.text));
    return {};
  }
  return Report(prompter, ReadChartIni(chart, file.ini, fileType));
}

bool SaveItemFile(const Chart& chart, const std::string& path, Prompter& prompter) {
  if (chart.SelectedObjectCount() == 0) return false;
  IniFile ini;
  if (std::filesystem::exists(path)) ini.LoadFile(path);
  if (!CanWriteFile(path)) {
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
  LoadedFile file = Load(rawBytes);
  const IniFile& ini = file.ini;
  chart.DeselectAll();
  int64_t items = std::max<int32_t>(0, ini.ReadInteger(kItemFile, "ItemCount", 0));
  int64_t links = std::max<int32_t>(0, ini.ReadInteger(kItemFile, "LinkCount", 0));
  if (!CountFits(items, ini) || !CountFits(links, ini))
    return Report(prompter,
                  {OpenStatus::ReadError, "The file names more objects or wires than it holds"});
  int first = chart.AppendObjects(static_cast<int>(items));
  for (int64_t i = 0; i < items; ++i) {
    int index = first + static_cast<int>(i);
    ChartObject& o = chart.Objects[static_cast<size_t>(index)];
    std::string section = ItemSection(i);
    ReadObjectFields(ini, section, o);
    o.Selected = 1;
    if (!ini.ValueExists(section, "Name")) o.Name = "Item" + std::to_string(index);
    o.Left = Clamp(
        std::min<int64_t>(int64_t{o.Left} + offsetX, int64_t{chart.CanvasWidth} - o.Width - 1), 0,
        INT32_MAX);
    o.Top = Clamp(
        std::min<int64_t>(int64_t{o.Top} + offsetY, int64_t{chart.CanvasHeight} - o.Height - 1), 0,
        INT32_MAX);
  }
  return Report(prompter, ReadLinks(chart, ini, links, first, offsetX, offsetY));
}

}  // namespace brv3
