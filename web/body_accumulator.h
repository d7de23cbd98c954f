// The body of a reply as its pieces arrive. The server decides how much comes,
// so running out of memory here ends the fetch (with the empty buffer), never
// the program: the storage is the C heap's, not the text types' allocator.
#pragma once

#include <cstddef>
#include <span>

#include "platform/seam.h"
#include "text/text.h"

namespace quorvale {

// std::realloc's contract; tests put a failing one in its place.
void* resize_block_on_heap(void* block, std::size_t size);
inline Seam<void*(void*, std::size_t)> resize_block{&resize_block_on_heap};

class BodyAccumulator {
 public:
  BodyAccumulator() = default;
  ~BodyAccumulator();
  BodyAccumulator(const BodyAccumulator&) = delete;
  BodyAccumulator& operator=(const BodyAccumulator&) = delete;

  // Capacity for n bytes in all, if it can be had: a hint that saves regrowing
  // (and, where realloc copies, recopying) a body of known length.
  void reserve(std::size_t n);
  // Room for the next n bytes at the end, to be filled and then kept with
  // commit; an empty span once storage has run out.
  std::span<unsigned char> room(std::size_t n);
  void commit(std::size_t n) { size_ += n; }
  // room + copy + commit; false once storage has run out.
  bool append(std::span<const unsigned char> bytes);

  // All bytes kept, or the empty buffer once storage ran out.
  ByteBuffer take() const;

 private:
  bool grow_to(std::size_t capacity);

  unsigned char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  bool failed_ = false;
};

}  // namespace quorvale
