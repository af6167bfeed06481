#include "core/chart/CanvasMenus.h"

namespace brv3 {

const std::array<ColorMenuEntry, 18> kColorMenu = {{
    {"N18", "標準色", "Standard", 16, kColorButtonFace},
    {"N6", "白", "White", 0, 0xFFFFFF},
    {"N15", "灰色", "Gray", 1, 0xC0C0C0},
    {"N17", "濃い灰色", "Dark gray", 2, 0x808080},
    {"N7", "黒", "Black", 3, 0x000000},
    {"N13", "茶色", "Brown", 4, 0x000080},
    {"N12", "桃色", "Peach", 5, 0xFF00FF},
    {"N2", "赤", "Red", 6, 0x0000FF},
    {"N1", "紫", "Purple", 7, 0x800080},
    {"N14", "藍色", "Persian blue", 8, 0x800000},
    {"N3", "青", "Blue", 9, 0xFF0000},
    {"N16", "青緑", "Turquoise green", 10, 0x808000},
    {"N10", "黄緑", "Yellow green", 12, 0x00FF00},
    {"N5", "緑", "Green", 11, 0x008000},
    {"N4", "黄", "Yellow", 13, 0x00FFFF},
    {"N11", "水色", "Aqua", 14, 0xFFFF00},
    {"N9", "黄土", "Ochre", 15, 0x008080},
    {"N8", "そのほかの色", "etc.", kColorEtcTag, 0},
}};

const ColorMenuEntry* FindColorEntry(int tag) {
  for (const ColorMenuEntry& e : kColorMenu)
    if (e.tag == tag) return &e;
  return nullptr;
}

const PopupMenuItem* PopupMenuModel::Find(PopupEntry entry) const {
  for (const PopupMenuItem& item : items)
    if (item.entry == entry) return &item;
  return nullptr;
}

PopupMenuModel BuildPopupMenu(const CanvasHit& hit, int selectedObjectCount) {
  const bool nothing = hit.Nothing();
  const bool object = hit.object >= 0;
  const bool segment = hit.WireAtSegment();
  const bool bend = hit.WireAtBend();
  const bool clipboard = nothing || object;

  using E = PopupEntry;
  PopupMenuModel menu;
  menu.items = {
      {E::ReleaseSelection, "N21", "選択解除", "Release Selection"},
      {E::Separator20, "N20", "", "-", true},
      {E::Copy, "CopyMenu", "コピー", "Copy", false, clipboard},
      {E::Paste, "PasteMenu", "貼り付け", "Paste", false, clipboard},
      {E::Convert, "MirMenu", "変換", "Convert", false, clipboard},
      {E::Insert, "N23", "分割", "Insert"},
      {E::SaveItems, "N24", "アイテム保存", "Save"},
      {E::OpenItems, "N25", "アイテムを開く", "Open"},
      {E::Separator19, "N19", "", "-", true},
      {E::Color, "ColorMenu", "色", "Color", false, object},
      {E::Properties, "PropertyMenu", "プロパティ", "Properties", false, object,
       selectedObjectCount == 1},
      {E::AddBend, "PointAddBtn", "折れ目の追加", "Add the bending line", false, segment},
      {E::DeleteBend, "PointDelBtn", "折れ目の削除", "Deletion of bending line", false, bend},
      {E::Separate0, "Separate0", "", "-", true, object},
      {E::Delete, "ItemDel", "削除", "Delete", false, object || segment},
      {E::SelectAll, "N22", "全選択", "Select All"},
  };
  return menu;
}

}  // namespace brv3
