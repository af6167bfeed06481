#include "core/chart/DisplayListDiff.h"

#include <gtest/gtest.h>

#include <climits>

namespace brv3 {
namespace {

DrawItem Box(int32_t left, int32_t top, uint32_t brush = 0xFFFFFF) {
  DrawItem item;
  item.kind = DrawKind::Rect;
  item.brush = brush;
  item.a = {left, top};
  item.b = {left + 50, top + 30};
  return item;
}

DisplayList Picture(std::vector<DrawItem> items) {
  DisplayList list;
  list.width = 1000;
  list.height = 800;
  DrawItem background;
  background.kind = DrawKind::Background;
  background.b = {1000, 800};
  list.items.push_back(background);
  for (const DrawItem& item : items) list.items.push_back(item);
  return list;
}

bool Covers(const std::vector<CanvasArea>& areas, int32_t x, int32_t y) {
  for (const CanvasArea& a : areas)
    if (x >= a.left && x <= a.right && y >= a.top && y <= a.bottom) return true;
  return false;
}

const TextReach kReach{12,
                       [](std::string_view text) { return static_cast<int32_t>(text.size()) * 8; }};

TEST(DisplayListDiff, ChangesCoverWhatMovedWasRaisedOrWasRenamedAndNothingElse) {
  const DisplayList before = Picture({Box(10, 10), Box(40, 20), Box(500, 500)});
  auto same = ChangedAreas(before, before, kReach);
  ASSERT_TRUE(same);
  EXPECT_TRUE(same->empty());

  // One box moved: its old and new places, not the others.
  auto moved = ChangedAreas(before, Picture({Box(10, 10), Box(40, 20), Box(600, 520)}), kReach);
  ASSERT_TRUE(moved);
  EXPECT_TRUE(Covers(*moved, 525, 515));
  EXPECT_TRUE(Covers(*moved, 625, 535));
  EXPECT_FALSE(Covers(*moved, 30, 25));

  // The first box painted last (raised over the second): the same items in another order still
  // change the picture where they overlap.
  // (With few areas allowed: a handful of changed positions is otherwise taken position by
  // position, which covers more but is as right.)
  auto raised = ChangedAreas(before, Picture({Box(40, 20), Box(500, 500), Box(10, 10)}), kReach, 4);
  ASSERT_TRUE(raised);
  EXPECT_TRUE(Covers(*raised, 45, 25));
  EXPECT_FALSE(Covers(*raised, 525, 515));

  // A text reaches as far as it is wide, beyond its box.
  DisplayList named = before;
  DrawItem text;
  text.kind = DrawKind::Text;
  text.a = {500, 500};
  text.b = {550, 530};
  named.text = "A NAME MUCH WIDER THAN ITS BOX";
  text.count = static_cast<uint32_t>(named.text.size());
  named.items.push_back(text);
  auto renamed = ChangedAreas(before, named, kReach);
  ASSERT_TRUE(renamed);
  EXPECT_TRUE(Covers(*renamed, 525 - 110, 515));
  EXPECT_FALSE(Covers(*renamed, 525, 515 + 30));
  // Unmeasured, it reaches across the whole picture.
  auto unmeasured = ChangedAreas(before, named, TextReach{12, nullptr});
  ASSERT_TRUE(unmeasured);
  EXPECT_TRUE(Covers(*unmeasured, 0, 515));
  // A text pointing outside the list's text is a change, not a read beyond it.
  named.items.back().first = 1000;
  EXPECT_TRUE(ChangedAreas(before, named, kReach));
}

TEST(DisplayListDiff, AnotherSizeOrTooManyChangesMeanTheWholePicture) {
  const DisplayList before = Picture({Box(10, 10)});
  DisplayList wider = before;
  wider.width = 1200;
  EXPECT_FALSE(ChangedAreas(before, wider, kReach));

  std::vector<DrawItem> many;
  for (int i = 0; i < 300; ++i) many.push_back(Box(i, i));
  EXPECT_FALSE(ChangedAreas(before, Picture(many), kReach));
  EXPECT_TRUE(ChangedAreas(before, Picture(many), kReach, 1000));

  // Items anywhere in 32-bit coordinates (a hostile file's): areas are held, not overflowed.
  DisplayList far = before;
  DrawItem edge;
  edge.kind = DrawKind::Text;
  edge.a = {-2000000000, -2000000000};
  edge.b = {2000000000, -1999999970};
  far.text = "X";
  edge.count = 1;
  far.items.push_back(edge);
  edge.kind = DrawKind::Line;
  edge.penWidth = 255;
  edge.a = {INT32_MIN, INT32_MIN};
  edge.b = {INT32_MAX, INT32_MAX};
  far.items.push_back(edge);
  auto held = ChangedAreas(before, far, kReach);
  ASSERT_TRUE(held);
  ASSERT_EQ(held->size(), 2u);
  EXPECT_EQ(held->back().left, INT32_MIN);
  EXPECT_EQ(held->back().right, INT32_MAX);

  // Identical items (boxes stacked in one place, between two that change) match one to one,
  // quickly.
  std::vector<DrawItem> stacked(20000, Box(5, 5));
  stacked.front() = Box(700, 700);
  stacked.back() = Box(800, 700);
  const DisplayList pile = Picture(stacked);
  stacked.pop_back();
  stacked.front() = Box(701, 700);
  stacked.back() = Box(801, 700);
  auto fewer = ChangedAreas(pile, Picture(stacked), kReach);
  ASSERT_TRUE(fewer);
  EXPECT_EQ(fewer->size(), 5u);  // both ends, old and new, and the one box of the pile gone
}

}  // namespace
}  // namespace brv3
