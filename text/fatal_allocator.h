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
    const std::size_t bytes = n * sizeof(T);
    void* block = n > static_cast<std::size_t>(-1) / sizeof(T) ? nullptr : std::malloc(bytes);
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
