// The allocator behind Text and ByteBuffer: running out of memory ends the
// program with a report of the bytes asked for instead of throwing.
#pragma once

#include <cstddef>
#include <cstdlib>

#include "platform/fatal.h"

namespace quorvale {

template <class T>
struct FatalAllocator {
  using value_type = T;

  FatalAllocator() = default;
  template <class U>
  explicit FatalAllocator(const FatalAllocator<U>& /*other*/) {}

  T* allocate(std::size_t n) {
    // A count whose size in bytes does not fit is reported as the largest size.
    constexpr std::size_t kMaxBytes = static_cast<std::size_t>(-1);
    const bool fits = n <= kMaxBytes / sizeof(T);
    const std::size_t bytes = fits ? n * sizeof(T) : kMaxBytes;
    void* block = fits ? std::malloc(bytes) : nullptr;
    if (block == nullptr) report_out_of_memory(bytes);
    return static_cast<T*>(block);
  }
  void deallocate(T* block, std::size_t /*n*/) { std::free(block); }

  template <class U>
  bool operator==(const FatalAllocator<U>& /*other*/) const {
    return true;
  }
};

}  // namespace quorvale
