#pragma once

namespace brv3 {

// Told after each step of a slot transfer: `done` of `total` steps written or read.
class TransferProgress {
 public:
  virtual ~TransferProgress() = default;
  virtual void Step(int done, int total) = 0;
};

}  // namespace brv3
