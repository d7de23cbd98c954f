// For the operations in text/ only: wraps storage they filled into a Text or a
// ByteBuffer without copying it again. A Text built this way must hold no zero
// byte; the operations guarantee that by building it from bytes of texts.
#pragma once

#include <utility>

#include "text/text.h"

namespace quorvale {

struct StorageAccess {
  static Text text(Storage&& bytes) {
    Text text;
    text.bytes_ = std::move(bytes);
    return text;
  }
  static ByteBuffer buffer(Storage&& bytes) {
    ByteBuffer buffer;
    buffer.bytes_ = std::move(bytes);
    return buffer;
  }
};

}  // namespace quorvale
