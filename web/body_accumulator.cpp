#include "web/body_accumulator.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace quorvale {
namespace {

// A ByteBuffer counts its bytes in a signed 32-bit number.
constexpr std::size_t kLargestBody = std::numeric_limits<int32_t>::max();

}  // namespace

void* resize_block_on_heap(void* block, std::size_t size) { return std::realloc(block, size); }

BodyAccumulator::~BodyAccumulator() { std::free(data_); }

bool BodyAccumulator::grow_to(std::size_t capacity) {
  void* grown = resize_block(data_, capacity);
  if (grown == nullptr) return false;
  data_ = static_cast<unsigned char*>(grown);
  capacity_ = capacity;
  return true;
}

void BodyAccumulator::reserve(std::size_t n) {
  if (!failed_ && n > capacity_) grow_to(std::min(n, kLargestBody));
}

std::span<unsigned char> BodyAccumulator::room(std::size_t n) {
  if (failed_ || n > kLargestBody - size_) {
    failed_ = true;
    return {};
  }
  // Doubling keeps the copies of a growing body linear in its size.
  if (size_ + n > capacity_ &&
      !grow_to(std::max(size_ + n, std::min(capacity_ * 2, kLargestBody)))) {
    failed_ = true;
    return {};
  }
  return {data_ + size_, n};
}

bool BodyAccumulator::append(std::span<const unsigned char> bytes) {
  const auto space = room(bytes.size());
  if (failed_) return false;
  std::copy(bytes.begin(), bytes.end(), space.begin());
  commit(bytes.size());
  return true;
}

ByteBuffer BodyAccumulator::take() const {
  if (failed_ || size_ == 0) return {};
  return ByteBuffer(std::string_view(reinterpret_cast<const char*>(data_), size_));
}

}  // namespace quorvale
