#include "core/motion/PanelLayout.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

#include "core/util/CommaText.h"
#include "core/util/IniFile.h"
#include "core/util/NumberText.h"

namespace brv3 {

const char* const kLayoutSection = "BRV3";

namespace {

const char* const kPanelKeys[] = {"SPEED", "CMD", "LINK"};

std::string ChannelKey(int channel) {
  return "CH" + std::to_string(channel);
}

// Field `i` of a comma list, or nullopt past its end.
std::optional<std::string> Field(const std::vector<std::string>& fields, size_t i) {
  if (i >= fields.size()) return std::nullopt;
  return fields[i];
}

int64_t IntegerField(const std::vector<std::string>& fields, size_t i, int64_t def) {
  const std::optional<std::string> f = Field(fields, i);
  if (!f) return def;
  const std::optional<int64_t> v = ParseDecimalInteger(TrimBlanks(*f));
  return v ? *v : def;
}

int32_t CoordinateField(const std::vector<std::string>& fields, size_t i, int32_t def) {
  const int64_t v = IntegerField(fields, i, def);
  return v < INT32_MIN || v > INT32_MAX ? def : static_cast<int32_t>(v);
}

// Colours are kept as signed 32-bit numbers (-2147483633 is the button face 0x8000000F).
uint32_t ColorField(const std::vector<std::string>& fields, size_t i) {
  const int64_t v = IntegerField(fields, i, static_cast<int32_t>(kColorButtonFace));
  if (v < INT32_MIN || v > UINT32_MAX) return kColorButtonFace;
  return static_cast<uint32_t>(v);
}

std::string ColorText(uint32_t color) {
  return std::to_string(static_cast<int32_t>(color));
}

bool VisibleField(const std::vector<std::string>& fields, size_t i) {
  const std::optional<std::string> f = Field(fields, i);
  return !f || TrimBlanks(*f) == "1";
}

EditorPanel ReadPanel(const std::vector<std::string>& fields, const EditorPanel& def) {
  EditorPanel p;
  p.Visible = VisibleField(fields, 0);
  p.Left = CoordinateField(fields, 1, def.Left);
  p.Top = CoordinateField(fields, 2, def.Top);
  p.Color = ColorField(fields, 3);
  return p;
}

std::vector<std::string> PanelFields(const EditorPanel& p) {
  return {p.Visible ? "1" : "0", std::to_string(p.Left), std::to_string(p.Top), ColorText(p.Color)};
}

}  // namespace

std::string FormatScaleFactor(double factor) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, factor);
  return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("1");
}

PanelLayout::PanelLayout() {
  for (int p = 1; p <= kEditorPanels; ++p) panels_[static_cast<size_t>(p - 1)] = DefaultPanel(p);
  for (int c = 1; c <= kChannels; ++c) captions_[static_cast<size_t>(c - 1)] = ChannelKey(c);
  scale_.fill(1.0);
  kinds_.fill(ChannelKind::None);
}

EditorPanel PanelLayout::DefaultPanel(int panel) {
  EditorPanel p;
  if (panel >= 1 && panel <= kChannels) {
    p.Left = (panel - 1) / 12 * kPanelWidth;
    p.Top = (panel - 1) % 12 * kPanelHeight;
  } else if (panel == kSpeedPanel) {
    p.Top = 288;
  } else if (panel == kCommandPanel) {
    p.Top = 312;
  } else if (panel == kLinkPanel) {
    p.Left = kPanelWidth;
    p.Top = 288;
  }
  return p;
}

std::string PanelLayout::ChannelCaption(int channel) const {
  return ValidChannel(channel) ? captions_[static_cast<size_t>(channel - 1)] : std::string();
}

void PanelLayout::SetPanelVisible(int panel, bool visible) {
  if (ValidPanel(panel)) panels_[static_cast<size_t>(panel - 1)].Visible = visible;
}

void PanelLayout::SetPanelColor(int panel, uint32_t color) {
  if (ValidPanel(panel)) panels_[static_cast<size_t>(panel - 1)].Color = color;
}

void PanelLayout::SetChannelCaption(int channel, std::string caption) {
  if (ValidChannel(channel)) captions_[static_cast<size_t>(channel - 1)] = std::move(caption);
}

void PanelLayout::SetScaleFactor(int channel, double factor) {
  if (ValidChannel(channel)) scale_[static_cast<size_t>(channel - 1)] = factor;
}

void PanelLayout::SetLastKind(int channel, ChannelKind kind) {
  if (ValidChannel(channel)) kinds_[static_cast<size_t>(channel - 1)] = kind;
}

void PanelLayout::SetSize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

bool PanelLayout::DragPanel(int panel, LinkPoint grab, LinkPoint mouse) {
  if (panelLock_ || !ValidPanel(panel)) return false;
  EditorPanel& p = panels_[static_cast<size_t>(panel - 1)];
  const auto moved = [](int32_t at, int32_t from, int32_t to) {
    const int64_t v = int64_t{at} + to - from;
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, INT32_MAX));
  };
  p.Top = moved(p.Top, grab.y, mouse.y);
  p.Left = moved(p.Left, grab.x, mouse.x);
  return true;
}

void PanelLayout::Load(const IniFile& ini) {
  const auto fieldsOf = [&ini](std::string_view key) {
    const std::string* value = ini.Find(kLayoutSection, key);
    return value ? SplitCommaText(*value) : std::vector<std::string>{};
  };
  if (const std::string* bmp = ini.Find(kLayoutSection, "Bmp")) backgroundPath_ = *bmp;
  backgroundShown_ = ini.ReadBool(kLayoutSection, "Background", false);

  const std::vector<std::string> form = fieldsOf("Form");
  width_ = std::max(CoordinateField(form, 0, kEditorWidth), 0);
  height_ = std::max(CoordinateField(form, 1, kEditorHeight), 0);
  color_ = ColorField(form, 2);

  for (int c = 1; c <= kChannels; ++c) {
    const std::vector<std::string> f = fieldsOf(ChannelKey(c));
    const size_t i = static_cast<size_t>(c - 1);
    panels_[i] = ReadPanel(f, DefaultPanel(c));
    const int64_t kind = IntegerField(f, 4, 0);
    kinds_[i] = kind >= 0 && kind <= static_cast<int64_t>(ChannelKind::SpeedStretch)
                    ? static_cast<ChannelKind>(kind)
                    : ChannelKind::None;
    const std::optional<std::string> factorText = Field(f, 5);
    const std::optional<double> factor =
        factorText ? ParseDecimalNumber(TrimBlanks(*factorText)) : std::nullopt;
    scale_[i] = factor ? *factor : 1.0;
    const std::optional<std::string> caption = Field(f, 6);
    captions_[i] = caption ? *caption : ChannelKey(c);
  }
  for (int p = kSpeedPanel; p <= kLinkPanel; ++p)
    panels_[static_cast<size_t>(p - 1)] =
        ReadPanel(fieldsOf(kPanelKeys[p - kSpeedPanel]), DefaultPanel(p));
}

std::vector<std::pair<std::string, std::string>> PanelLayout::Keys() const {
  std::vector<std::pair<std::string, std::string>> keys;
  keys.emplace_back(
      "Form", JoinCommaText({std::to_string(width_), std::to_string(height_), ColorText(color_)}));
  keys.emplace_back("Bmp", backgroundPath_);
  keys.emplace_back("Background", backgroundShown_ ? "1" : "0");
  for (int c = 1; c <= kChannels; ++c) {
    const size_t i = static_cast<size_t>(c - 1);
    std::vector<std::string> fields = PanelFields(panels_[i]);
    fields.push_back(std::to_string(static_cast<int>(kinds_[i])));
    fields.push_back(FormatScaleFactor(scale_[i]));
    fields.push_back(captions_[i]);
    keys.emplace_back(ChannelKey(c), JoinCommaText(fields));
  }
  for (int p = kSpeedPanel; p <= kLinkPanel; ++p)
    keys.emplace_back(kPanelKeys[p - kSpeedPanel],
                      JoinCommaText(PanelFields(panels_[static_cast<size_t>(p - 1)])));
  return keys;
}

void PanelLayout::Save(IniFile& ini) const {
  for (const auto& [key, value] : Keys()) ini.WriteString(kLayoutSection, key, value);
}

}  // namespace brv3
