#include <charconv>
#include <iostream>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/CliCommands.h"
#include "cli/CliPrompter.h"
#include "core/chart/ChartFiles.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

// Writes the chart as indented JSON, object by object, so the output never has to be held whole.
class ChartJsonWriter {
 public:
  explicit ChartJsonWriter(std::ostream& out) : out_(out) { buf_.reserve(kFlushAt + 4096); }
  ~ChartJsonWriter() { Flush(); }

  void Write(const Chart& chart) {
    buf_ += "{\n";
    Field(1, "type", chart.Type);
    StringField(1, "name", chart.Name);
    Field(1, "ctrl", chart.Ctrl);
    Field(1, "start", chart.Start);
    Field(1, "width", chart.CanvasWidth);
    Field(1, "height", chart.CanvasHeight);
    ArrayField(1, "objects", chart.Objects, [this](const ChartObject& o) {
      buf_ += "{\n";
      StringField(3, "name", o.Name);
      Field(3, "type", o.Type);
      Field(3, "left", o.Left);
      Field(3, "top", o.Top);
      Field(3, "width", o.Width);
      Field(3, "height", o.Height);
      Field(3, "color", o.Color);
      Field(3, "head", o.Head);
      ArrayField(3, "values", o.Values, [this](uint16_t v) { Number(v); });
      Key(3, "selected");
      buf_ += o.Selected ? "true" : "false";
      Close(2, '}');
    });
    ArrayField(1, "links", chart.Links, [this](const ChartLink& l) {
      buf_ += "{\n";
      Field(3, "main", l.Main);
      Field(3, "origin", l.Origin);
      Field(3, "final", l.Final);
      ArrayField(3, "points", l.Point, [this](const LinkPoint& p) {
        buf_ += "[\n";
        Indent(5);
        Number(p.x);
        buf_ += ",\n";
        Indent(5);
        Number(p.y);
        Close(4, ']');
      });
      Key(3, "selected");
      buf_ += l.Selected ? "true" : "false";
      Close(2, '}');
    });
    // The last field closes without a comma.
    buf_.resize(buf_.size() - 2);
    buf_ += "\n}\n";
  }

 private:
  static constexpr size_t kFlushAt = 1 << 16;

  void Flush() {
    out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
    buf_.clear();
  }
  void Indent(int level) { buf_.append(static_cast<size_t>(level) * 2, ' '); }
  void Number(int64_t v) {
    char tmp[24];
    auto r = std::to_chars(tmp, tmp + sizeof tmp, v);
    buf_.append(tmp, r.ptr);
  }
  void String(std::string_view s) {
    static const char* const kHex = "0123456789abcdef";
    buf_ += '"';
    for (char c : s) {
      switch (c) {
        case '"':
          buf_ += "\\\"";
          break;
        case '\\':
          buf_ += "\\\\";
          break;
        case '\b':
          buf_ += "\\b";
          break;
        case '\f':
          buf_ += "\\f";
          break;
        case '\n':
          buf_ += "\\n";
          break;
        case '\r':
          buf_ += "\\r";
          break;
        case '\t':
          buf_ += "\\t";
          break;
        default:
          if (static_cast<unsigned char>(c) < 0x20) {
            buf_ += "\\u00";
            buf_ += kHex[(c >> 4) & 0xF];
            buf_ += kHex[c & 0xF];
          } else {
            buf_ += c;
          }
      }
    }
    buf_ += '"';
  }
  void Key(int level, const char* name) {
    Indent(level);
    buf_ += '"';
    buf_ += name;
    buf_ += "\": ";
  }
  // Each field ends in ",\n"; the last one of a block gives its comma back in Close.
  void Field(int level, const char* name, int64_t v) {
    Key(level, name);
    Number(v);
    buf_ += ",\n";
  }
  void StringField(int level, const char* name, std::string_view v) {
    Key(level, name);
    String(v);
    buf_ += ",\n";
  }
  void Close(int level, char bracket) {
    buf_ += '\n';
    Indent(level);
    buf_ += bracket;
  }
  template <class List, class Each>
  void ArrayField(int level, const char* name, const List& list, Each each) {
    Key(level, name);
    if (std::empty(list)) {
      buf_ += "[],\n";
      return;
    }
    buf_ += "[\n";
    bool first = true;
    for (const auto& item : list) {
      if (!first) buf_ += ",\n";
      first = false;
      Indent(level + 1);
      each(item);
      if (buf_.size() >= kFlushAt) Flush();
    }
    Close(level, ']');
    buf_ += ",\n";
  }

  std::ostream& out_;
  std::string buf_;
};

}  // namespace

int ReadChartForCli(const std::string& path, Chart& chart, Prompter& prompter) {
  OpenResult r = OpenChartFile(chart, path, prompter);
  switch (r.status) {
    case OpenStatus::Opened:
      return kExitOk;
    case OpenStatus::Cancelled:
      return kExitFailure;
    default:
      return kExitBadInput;
  }
}

namespace {

// What dump and convert read: a chart or CSV motion file, or with --item-at an item file placed
// at a canvas point as the canvas pop-up menu's Open does.
struct Source {
  std::string path;
  std::vector<int32_t> itemAt;

  void AddTo(CLI::App* cmd, const char* name) {
    cmd->add_option(
           name, path,
           Tr("FileCommands", "Chart file (.QVB), CSV motion file, or item file with --item-at"))
        ->required();
    cmd->add_option("--item-at", itemAt,
                    Tr("FileCommands", "Read FILE as an item file placed at canvas point X Y"))
        ->expected(2);
  }

  int Read(Chart& chart, Prompter& prompter) const {
    if (itemAt.empty()) return ReadChartForCli(path, chart, prompter);
    OpenResult r = OpenItemFile(chart, path, itemAt[0], itemAt[1], prompter);
    return r.status == OpenStatus::Opened ? kExitOk : kExitBadInput;
  }
};

}  // namespace

void AddFileCommands(CLI::App& app, Options& options, CommandList& commands) {
  auto* dump = app.add_subcommand(
      "dump", Tr("FileCommands", "Read a chart, CSV motion or item file and print it as JSON"));
  auto dumpSource = std::make_shared<Source>();
  dumpSource->AddTo(dump, "FILE");
  commands.push_back({dump, [dumpSource, &options] {
                        CliPrompter prompter(std::cerr, options.yes);
                        Chart chart;
                        if (int rc = dumpSource->Read(chart, prompter)) return rc;
                        ChartJsonWriter(std::cout).Write(chart);
                        return kExitOk;
                      }});

  auto* convert = app.add_subcommand(
      "convert", Tr("FileCommands",
                    "Read a chart, CSV motion or item file and save it as a chart file named "
                    "exactly OUT"));
  auto in = std::make_shared<Source>();
  auto out = std::make_shared<std::string>();
  in->AddTo(convert, "IN");
  convert->add_option("OUT", *out, Tr("FileCommands", "Chart file to write"))->required();
  commands.push_back({convert, [in, out, &options] {
                        CliPrompter prompter(std::cerr, options.yes);
                        Chart chart;
                        if (int rc = in->Read(chart, prompter)) return rc;
                        return SaveChartFile(chart, *out, prompter) ? kExitOk : kExitCannotSave;
                      }});
}

}  // namespace brv3::cli
