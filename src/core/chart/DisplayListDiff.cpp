#include "core/chart/DisplayListDiff.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <string_view>

namespace brv3 {
namespace {

// The item with what it draws from the list's shared storage, so that equal items of two lists
// compare equal.
struct ItemView {
  const DisplayList* list;
  const DrawItem* item;

  bool Payload(std::string_view& text, const LinkPoint*& points, size_t& count) const {
    count = 0;
    points = nullptr;
    text = {};
    if (item->kind == DrawKind::Text) {
      if (size_t{item->first} + item->count > list->text.size()) return false;
      text = list->TextOf(*item);
    } else if (item->kind == DrawKind::Polyline) {
      if (size_t{item->first} + item->count > list->points.size()) return false;
      points = list->points.data() + item->first;
      count = item->count;
    }
    return true;
  }
};

bool SameDrawing(const ItemView& x, const ItemView& y) {
  const DrawItem &a = *x.item, &b = *y.item;
  if (a.kind != b.kind || a.style != b.style || a.penWidth != b.penWidth || a.pen != b.pen ||
      a.brush != b.brush || !(a.a == b.a) || !(a.b == b.b) || !(a.c == b.c) || a.count != b.count)
    return false;
  std::string_view ta, tb;
  const LinkPoint *pa = nullptr, *pb = nullptr;
  size_t na = 0, nb = 0;
  if (!x.Payload(ta, pa, na) || !y.Payload(tb, pb, nb)) return false;
  return ta == tb && na == nb && std::equal(pa, pa + na, pb);
}

size_t Mix(size_t seed, size_t value) {
  return seed ^ (value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

size_t HashOf(const ItemView& view) {
  const DrawItem& d = *view.item;
  size_t h = static_cast<size_t>(d.kind) << 16 | static_cast<size_t>(d.style) << 8 | d.penWidth;
  for (int32_t v : {static_cast<int32_t>(d.pen), static_cast<int32_t>(d.brush), d.a.x, d.a.y, d.b.x,
                    d.b.y, d.c.x, d.c.y, static_cast<int32_t>(d.count)})
    h = Mix(h, static_cast<size_t>(static_cast<uint32_t>(v)));
  std::string_view text;
  const LinkPoint* points = nullptr;
  size_t count = 0;
  if (view.Payload(text, points, count)) {
    h = Mix(h, std::hash<std::string_view>{}(text));
    for (size_t k = 0; k < count; ++k)
      h = Mix(h, static_cast<size_t>(static_cast<uint32_t>(points[k].x)) << 32 |
                     static_cast<uint32_t>(points[k].y));
  }
  return h;
}

// An area in 64 bits: items may lie anywhere in 32-bit coordinates, and their reach beyond.
struct WideArea {
  int64_t left, top, right, bottom;
};

CanvasArea Narrow(const WideArea& a) {
  auto held = [](int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  };
  return {held(a.left), held(a.top), held(a.right), held(a.bottom)};
}

CanvasArea AreaOf(const DisplayList& list, const DrawItem& item, const TextReach& text) {
  const int64_t reach = std::max<int64_t>(item.penWidth, 1) + 1;
  WideArea area{std::min(item.a.x, item.b.x), std::min(item.a.y, item.b.y),
                std::max(item.a.x, item.b.x), std::max(item.a.y, item.b.y)};
  switch (item.kind) {
    case DrawKind::Background:
      return {0, 0, list.width - 1, list.height - 1};
    case DrawKind::Triangle:
      area = {std::min({item.a.x, item.b.x, item.c.x}), std::min({item.a.y, item.b.y, item.c.y}),
              std::max({item.a.x, item.b.x, item.c.x}), std::max({item.a.y, item.b.y, item.c.y})};
      break;
    case DrawKind::Text: {
      const int64_t middle = (int64_t{item.a.y} + item.b.y) / 2;
      const int64_t centre = (int64_t{item.a.x} + item.b.x) / 2;
      const bool measured = text.width && size_t{item.first} + item.count <= list.text.size();
      const int64_t half = measured ? int64_t{text.width(list.TextOf(item))} / 2 + 2 : 0;
      return Narrow({measured ? std::min(area.left, centre - half) : 0,
                     std::min(area.top, middle - text.rows),
                     measured ? std::max(area.right, centre + half) : int64_t{list.width} - 1,
                     std::max(area.bottom, middle + text.rows)});
    }
    case DrawKind::Polyline:
      if (item.count > 0 && size_t{item.first} + item.count <= list.points.size()) {
        const LinkPoint& p0 = list.points[item.first];
        area = {p0.x, p0.y, p0.x, p0.y};
        for (uint32_t k = 1; k < item.count; ++k) {
          const LinkPoint& p = list.points[item.first + k];
          area = {std::min<int64_t>(area.left, p.x), std::min<int64_t>(area.top, p.y),
                  std::max<int64_t>(area.right, p.x), std::max<int64_t>(area.bottom, p.y)};
        }
      }
      break;
    default:
      break;
  }
  return Narrow({area.left - reach, area.top - reach, area.right + reach, area.bottom + reach});
}

// Positions (into `order`) of a longest strictly increasing run of `order`'s values, as flags.
std::vector<bool> LongestIncreasing(const std::vector<size_t>& order) {
  std::vector<size_t> tails;  // index into order of the smallest tail of each length
  std::vector<size_t> previous(order.size(), SIZE_MAX);
  for (size_t i = 0; i < order.size(); ++i) {
    auto at = std::lower_bound(tails.begin(), tails.end(), order[i],
                               [&order](size_t t, size_t value) { return order[t] < value; });
    if (at != tails.begin()) previous[i] = *(at - 1);
    if (at == tails.end())
      tails.push_back(i);
    else
      *at = i;
  }
  std::vector<bool> kept(order.size(), false);
  for (size_t i = tails.empty() ? SIZE_MAX : tails.back(); i != SIZE_MAX; i = previous[i])
    kept[i] = true;
  return kept;
}

}  // namespace

std::optional<std::vector<CanvasArea>> ChangedAreas(const DisplayList& before,
                                                    const DisplayList& after,
                                                    const TextReach& reach, size_t mostAreas) {
  if (before.width != after.width || before.height != after.height) return std::nullopt;
  std::vector<CanvasArea> areas;
  auto changed = [&](const DisplayList& list, const DrawItem& item) {
    areas.push_back(AreaOf(list, item, reach));
    return areas.size() <= mostAreas;
  };
  auto same = [&](size_t i, size_t j) {
    return SameDrawing({&before, &before.items[i]}, {&after, &after.items[j]});
  };
  const size_t oldCount = before.items.size(), newCount = after.items.size();
  // The same number of items (an object moved, renamed or recoloured): painting goes item by
  // item, so the picture can differ only where the items at one position differ.
  // Items that merely moved in the order (a selected object drawn on top) differ at every
  // position between; those are left to the matching below.
  if (oldCount == newCount) {
    bool few = true;
    for (size_t i = 0; i < oldCount && few; ++i)
      if (!same(i, i)) few = changed(before, before.items[i]) && changed(after, after.items[i]);
    if (few) return areas;
    areas.clear();
  }
  // Otherwise the items the two lists start and end with alike stay, and the rest is matched by
  // what the items draw.
  size_t head = 0;
  while (head < oldCount && head < newCount && same(head, head)) ++head;
  size_t tail = 0;
  while (tail < oldCount - head && tail < newCount - head &&
         same(oldCount - 1 - tail, newCount - 1 - tail))
    ++tail;
  const size_t oldEnd = oldCount - tail, newEnd = newCount - tail;

  // The old middle's items sorted by what they draw (hash, then position): items that draw
  // alike are matched one to one, earliest first.
  std::vector<std::pair<size_t, size_t>> old;
  old.reserve(oldEnd - head);
  for (size_t i = head; i < oldEnd; ++i) old.emplace_back(HashOf({&before, &before.items[i]}), i);
  std::sort(old.begin(), old.end());
  std::vector<bool> matched(oldCount, false);
  // Per group of equal hashes (at its first position): where its unmatched items begin, so that
  // many identical items match in linear time.
  std::vector<size_t> firstFree(old.size(), SIZE_MAX);
  std::vector<size_t> newOf, oldOf;  // the matched pairs, in the new painting order
  for (size_t i = head; i < newEnd; ++i) {
    const size_t hash = HashOf({&after, &after.items[i]});
    const size_t group = static_cast<size_t>(
        std::lower_bound(old.begin(), old.end(), std::pair{hash, size_t{0}}) - old.begin());
    size_t found = SIZE_MAX;
    if (group < old.size() && old[group].first == hash) {
      size_t k = firstFree[group] == SIZE_MAX ? group : firstFree[group];
      while (k < old.size() && old[k].first == hash && matched[old[k].second]) ++k;
      firstFree[group] = k;
      for (; k < old.size() && old[k].first == hash; ++k) {
        if (!matched[old[k].second] && same(old[k].second, i)) {
          found = old[k].second;
          break;
        }
      }
    }
    if (found == SIZE_MAX) {
      if (!changed(after, after.items[i])) return std::nullopt;
      continue;
    }
    matched[found] = true;
    newOf.push_back(i);
    oldOf.push_back(found);
  }
  for (size_t i = head; i < oldEnd; ++i)
    if (!matched[i] && !changed(before, before.items[i])) return std::nullopt;
  // Items painted in another order against the others: wherever they overlap, the picture may
  // differ, so their areas are painted again.
  const std::vector<bool> kept = LongestIncreasing(oldOf);
  for (size_t k = 0; k < newOf.size(); ++k)
    if (!kept[k] && !changed(after, after.items[newOf[k]])) return std::nullopt;
  return areas;
}

}  // namespace brv3
