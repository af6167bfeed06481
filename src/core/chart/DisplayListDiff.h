#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "core/chart/CanvasDrawing.h"

namespace brv3 {

// A rectangle of the canvas picture, right and bottom included.
struct CanvasArea {
  int32_t left = 0, top = 0, right = -1, bottom = -1;
  bool operator==(const CanvasArea&) const = default;
};

// Where the picture of `after` can differ from the picture of `before`: the areas of the items
// only one of them has, and of the items that moved in painting order against the others (a
// selected object drawn on top). nullopt when the whole picture must be painted again: another
// size, or more changed areas than `mostAreas`. A line of text reaches `reach.rows` above and
// below its box's centre and half its `reach.width` to either side (a long name overflows its
// box); without a width it reaches across the whole picture.
struct TextReach {
  int rows = 0;
  std::function<int32_t(std::string_view text)> width;
};
std::optional<std::vector<CanvasArea>> ChangedAreas(const DisplayList& before,
                                                    const DisplayList& after,
                                                    const TextReach& reach, size_t mostAreas = 256);

}  // namespace brv3
