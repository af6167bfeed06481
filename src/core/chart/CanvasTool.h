#pragma once

namespace brv3 {

// The canvas tools; each value equals the `Tag` of its tool button (the tool mode).
enum class CanvasTool : int {
  Inert = -1,  // after opening a file: the next mouse event only returns to Select
  Select = 0,
  Position = 1,
  Set = 2,
  Compare = 3,
  FlowWiring = 4,
  BranchWiring = 5,
  StartFlag = 6,
  Mix = 7,
};

}  // namespace brv3
