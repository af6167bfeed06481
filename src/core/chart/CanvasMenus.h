#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/chart/CanvasHitTest.h"

namespace brv3 {

// Entries of the canvas pop-up menu `PopupMenu`, in menu order.
enum class PopupEntry : uint8_t {
  ReleaseSelection,  // N21
  Separator20,       // N20
  Copy,              // CopyMenu
  Paste,             // PasteMenu
  Convert,           // MirMenu
  Insert,            // N23
  SaveItems,         // N24
  OpenItems,         // N25
  Separator19,       // N19
  Color,             // ColorMenu (sub-menu)
  Properties,        // PropertyMenu
  AddBend,           // PointAddBtn
  DeleteBend,        // PointDelBtn
  Separate0,         // Separate0
  Delete,            // ItemDel
  SelectAll,         // N22
};

struct PopupMenuItem {
  PopupEntry entry;
  const char* name;      // control name
  const char* japanese;  // design text; empty for separators
  const char* english;   // text shown
  bool separator = false;
  bool visible = true;
  bool enabled = true;
};

// The pop-up menu as it is to be shown: every entry with its visibility and enabled state.
struct PopupMenuModel {
  std::vector<PopupMenuItem> items;
  const PopupMenuItem* Find(PopupEntry entry) const;
};

// The entries with their texts, visibility decided by what the right press hit (hit tests of
// the press point) and Properties enabled only with exactly one selected object.
PopupMenuModel BuildPopupMenu(const CanvasHit& hit, int selectedObjectCount);

// One entry of the colour sub-menu `ColorMenu`.
struct ColorMenuEntry {
  const char* name;
  const char* japanese;
  const char* english;
  int tag;         // -1 = "etc.", a colour chosen in the platform colour dialog
  uint32_t color;  // 0x00BBGGRR or a system colour code; unused for "etc."
};
constexpr int kColorEtcTag = -1;
extern const std::array<ColorMenuEntry, 18> kColorMenu;

// The menu entry with `tag`, or nullptr.
const ColorMenuEntry* FindColorEntry(int tag);

// A chosen pop-up entry; `colorTag` is the colour entry's tag when `entry` is Color.
struct PopupChoice {
  PopupEntry entry = PopupEntry::ReleaseSelection;
  int colorTag = 0;
};

}  // namespace brv3
