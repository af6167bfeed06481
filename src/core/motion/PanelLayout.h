#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/chart/Chart.h"
#include "core/motion/PoseEditor.h"

namespace brv3 {

class IniFile;

constexpr int kEditorPanels = 27;
constexpr int kSpeedPanel = 25;
constexpr int kCommandPanel = 26;
constexpr int kLinkPanel = 27;
constexpr int32_t kPanelWidth = 254;
constexpr int32_t kPanelHeight = 24;
constexpr int32_t kEditorWidth = 508;
constexpr int32_t kEditorHeight = 336;
extern const char* const kLayoutSection;  // "BRV3"

struct EditorPanel {
  bool Visible = true;
  int32_t Left = 0;
  int32_t Top = 0;
  uint32_t Color = kColorButtonFace;
};

// How other dialogs show a channel row: the position editor's caption and panel colour.
class ChannelLook {
 public:
  virtual ~ChannelLook() = default;
  virtual std::string ChannelCaption(int channel) const = 0;  // 1..24
  virtual uint32_t ChannelColor(int channel) const = 0;       // 0x00BBGGRR or a system colour
};

// The position editor's surface: where its 27 panels stand, their colours, the channel captions
// and display scale factors, the editor's size, colour and background picture, and the panel
// lock; kept in BRV3.ini section "BRV3".
class PanelLayout : public ChannelLook {
 public:
  PanelLayout();

  // Panels 1..27 (24 channels, speed, button bar, link).
  const EditorPanel& Panel(int panel) const { return panels_[static_cast<size_t>(panel - 1)]; }
  static EditorPanel DefaultPanel(int panel);

  std::string ChannelCaption(int channel) const override;
  uint32_t ChannelColor(int channel) const override { return Panel(channel).Color; }
  double ScaleFactor(int channel) const { return scale_[static_cast<size_t>(channel - 1)]; }
  ChannelKind LastKind(int channel) const { return kinds_[static_cast<size_t>(channel - 1)]; }

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  uint32_t EditorColor() const { return color_; }
  const std::string& BackgroundPath() const { return backgroundPath_; }
  bool BackgroundShown() const { return backgroundShown_; }
  bool PanelLock() const { return panelLock_; }

  void SetPanelVisible(int panel, bool visible);
  void TogglePanel(int panel) { SetPanelVisible(panel, !Panel(panel).Visible); }
  void SetPanelColor(int panel, uint32_t color);
  void SetEditorColor(uint32_t color) { color_ = color; }
  void SetChannelCaption(int channel, std::string caption);
  void SetScaleFactor(int channel, double factor);
  void SetLastKind(int channel, ChannelKind kind);
  void SetSize(int32_t width, int32_t height);
  void SetBackgroundPath(std::string path) { backgroundPath_ = std::move(path); }
  void SetBackgroundShown(bool shown) { backgroundShown_ = shown; }
  void SetPanelLock(bool locked) { panelLock_ = locked; }

  // Dragging panel p: the mouse moved to `mouse` with the grab point `grab` (both in the panel's
  // coordinates). Nothing moves while the panels are locked; coordinates stop at 0.
  bool DragPanel(int panel, LinkPoint grab, LinkPoint mouse);

  // The layout from the keys of section "BRV3", every missing key or field taking its default.
  void Load(const IniFile& ini);
  // The keys "Form", "Bmp", "Background", "CH1".."CH24", "SPEED", "CMD", "LINK" with their values.
  std::vector<std::pair<std::string, std::string>> Keys() const;
  // Writes those keys into section "BRV3".
  void Save(IniFile& ini) const;

 private:
  static bool ValidPanel(int panel) { return panel >= 1 && panel <= kEditorPanels; }
  static bool ValidChannel(int channel) { return channel >= 1 && channel <= kChannels; }

  std::array<EditorPanel, kEditorPanels> panels_;
  std::array<std::string, kChannels> captions_;
  std::array<double, kChannels> scale_;
  std::array<ChannelKind, kChannels> kinds_;
  int32_t width_ = kEditorWidth;
  int32_t height_ = kEditorHeight;
  uint32_t color_ = kColorButtonFace;
  std::string backgroundPath_;
  bool backgroundShown_ = false;
  bool panelLock_ = true;
};

// The scale factor as stored: the shortest decimal that reads back the same ("1", "0.5").
std::string FormatScaleFactor(double factor);

}  // namespace brv3
