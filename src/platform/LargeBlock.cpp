#include "platform/LargeBlock.h"

#include <sys/mman.h>

namespace brv3::platform {

std::unique_ptr<LargeBlock> LargeBlock::Allocate(size_t bytes) {
  if (bytes == 0 || bytes > SIZE_MAX - kAlignment) return nullptr;
  const size_t mapped = bytes + kAlignment;
  void* mapping = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) return nullptr;
  const uintptr_t aligned =
      (reinterpret_cast<uintptr_t>(mapping) + kAlignment - 1) & ~uintptr_t{kAlignment - 1};
  auto* data = reinterpret_cast<uint8_t*>(aligned);
  (void)madvise(data, bytes, MADV_HUGEPAGE);  // only advice
  return std::unique_ptr<LargeBlock>(new LargeBlock(mapping, mapped, data, bytes));
}

LargeBlock::~LargeBlock() {
  munmap(mapping_, mapped_);
}

}  // namespace brv3::platform
