#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace brv3::platform {

// Memory for one large picture, aligned to 2 MB and advised to be backed by huge pages: a wire
// down a tall picture touches a new row, and with small pages a new page, at every pixel, and
// the page-table walks would cost more than the pixels. Zero-filled. The advice may be ignored;
// the memory works either way.
class LargeBlock {
 public:
  // Null when the system gives no memory of that size (or for 0 bytes).
  static std::unique_ptr<LargeBlock> Allocate(size_t bytes);
  ~LargeBlock();
  LargeBlock(const LargeBlock&) = delete;
  LargeBlock& operator=(const LargeBlock&) = delete;

  uint8_t* Data() const { return data_; }
  size_t Size() const { return bytes_; }

  static constexpr size_t kAlignment = size_t{2} << 20;

 private:
  LargeBlock(void* mapping, size_t mapped, uint8_t* data, size_t bytes)
      : mapping_(mapping), mapped_(mapped), data_(data), bytes_(bytes) {}

  void* mapping_;
  size_t mapped_;
  uint8_t* data_;
  size_t bytes_;
};

}  // namespace brv3::platform
