#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/chart/ChartEvents.h"
#include "core/comm/BoardLayout.h"

namespace brv3 {

using ChannelWords = std::array<uint16_t, kChannels>;

// Object types.
enum ObjectType : uint8_t {
  kPosition = 0,
  kSet = 1,
  kCompare = 2,
  kJumpStep = 3,
  kEndStep = 4,
  kMix = 6,
  kMot = 7,
  kNoType = 255,
};
// Chart kinds.
constexpr uint8_t kMotionChart = 0;
constexpr uint8_t kScenarioChart = 7;
// Wiring kinds.
constexpr uint8_t kFlowWiring = 0;
constexpr uint8_t kBranchWiring = 1;

constexpr uint32_t kColorWhite = 0xFFFFFF;
constexpr uint32_t kColorButtonFace = 0x8000000F;  // system colour code, "Standard"
constexpr int32_t kNoCtrl = 65535;
extern const char* const kUntitledName;  // "無題", as files and the board keep it

// A chart name as the user sees it (tab caption, titles): the default name reads "No title" in
// the user's language, any other name as it is.
std::string ShownChartName(const std::string& name);

struct ChartObject {
  uint8_t Selected = 0;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  uint32_t Color = 0;  // 0x00BBGGRR or a system colour code
  std::string Name;
  uint8_t Type = 0;
  uint8_t Head = 0;
  ChannelWords Values{};

  int32_t CenterX() const { return Left + Width / 2; }
  int32_t CenterY() const { return Top + Height / 2; }
  bool operator==(const ChartObject&) const = default;
};

struct LinkPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const LinkPoint&) const = default;
};

struct ChartLink {
  uint8_t Selected = 0;
  uint8_t Main = 0;  // kFlowWiring or kBranchWiring
  int32_t Origin = 0;
  int32_t Final = 0;
  std::vector<LinkPoint> Point;
  bool operator==(const ChartLink&) const = default;
};

// The internal copy buffer: positions relative to a reference corner, wire ends as indices into
// the copied objects.
struct CopyBuffer {
  struct Object {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    uint32_t Color = 0;
    std::string Name;
    uint8_t Type = 0;
    uint8_t Head = 0;
    ChannelWords Values{};
  };
  struct Link {
    uint8_t Main = 0;
    int32_t Origin = -1;
    int32_t Final = -1;
    std::vector<LinkPoint> Point;
  };
  std::vector<Object> Objects;
  std::vector<Link> Links;
};

// The one open document: a motion or scenario chart. A plain value: copying or moving it copies
// or moves the data, never the subscribers of its change notifier. Views subscribe through
// Changes(); edits that should be undoable go through a ChartHistory, which announces them.
class Chart {
 public:
  Chart() = default;
  Chart(const Chart& other) { *this = other; }
  Chart(Chart&& other) noexcept { *this = std::move(other); }
  Chart& operator=(const Chart& other);
  Chart& operator=(Chart&& other) noexcept;
  // Compares the data only.
  bool operator==(const Chart& other) const;

  uint8_t Type = kMotionChart;
  int32_t Start = -1;
  std::string Name = kUntitledName;
  int32_t Ctrl = kNoCtrl;
  int32_t CanvasWidth = 640;
  int32_t CanvasHeight = 480;
  std::vector<ChartObject> Objects;
  std::vector<ChartLink> Links;

  // The change notifier: views subscribe here.
  ChartNotifier& Changes() const { return changes_; }
  void Notify(ChartChangeKind kind, ChangeOrigin origin = ChangeOrigin::Edit) const {
    changes_.Notify({kind, {}, origin});
  }

  int ObjectCount() const { return static_cast<int>(Objects.size()); }
  int LinkCount() const { return static_cast<int>(Links.size()); }
  bool ValidObject(int32_t index) const { return index >= 0 && index < ObjectCount(); }

  void ClearChart();
  // Empties the chart and gives it the header the program starts with: a motion chart, the
  // untitled name, no remote code. The canvas size stays.
  void NewChart();
  int AppendObjects(int count);
  int AppendLinks(int count);
  int PlaceObject(int32_t x, int32_t y, uint8_t type);
  void DeleteSelectedObjects();
  void DeleteSelectedLinks();
  void DeselectAll();
  void SelectAllObjects();
  int SelectedObjectCount() const;
  int SelectedLinkCount() const;
  // The corner copied and saved objects are placed against: the first selected object's top
  // left, replaced only by one that lies both further left and further up; (0, 0) with none.
  LinkPoint SelectionCorner() const;
  // Sets the name and announces a header change (the tab caption follows it), even when the
  // name stays the same.
  void SetChartName(const std::string& text);
  std::string FormatPrm(int index) const;
  void ParsePrm(int index, const std::string& text);

 private:
  mutable ChartNotifier changes_;
};

// Name prefix of an object type ("POS", "SET", "CMP", "MIX", "MOT", else "ITEM").
const char* ObjectNamePrefix(uint8_t type);
// The word each channel of a newly placed object of `type` gets.
uint16_t DefaultObjectWord(uint8_t type);
// The text form of a parameter block: Head and the 24 words as 25 decimals joined by ",".
std::string FormatPrmText(uint8_t head, const ChannelWords& values);
// Reads that text form; a missing field takes its default (Head 1, words 0), big numbers wrap.
void ParsePrmText(const std::string& text, uint8_t& head, ChannelWords& values);

}  // namespace brv3
