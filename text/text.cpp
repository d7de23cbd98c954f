// The value types and the operations that count, cut, join and compare plain
// bytes (no two-byte rule here).
#include <cstring>

#include "text/storage_access.h"
#include "text/text.h"

namespace quorvale {
namespace {

// The bytes before the first zero byte.
std::string_view before_zero(std::string_view bytes) {
  const void* zero = std::memchr(bytes.data(), 0, bytes.size());
  if (zero == nullptr) return bytes;
  return bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - bytes.data()));
}

// A Text of bytes taken from a Text, which therefore holds no zero byte.
Text text_of(std::string_view bytes) { return StorageAccess::text(Storage(bytes)); }

// The first n bytes, n clamped to [0, size].
std::string_view left_of(std::string_view bytes, int32_t n) {
  return n <= 0 ? std::string_view() : bytes.substr(0, static_cast<std::size_t>(n));
}

}  // namespace

Text::Text(const char* bytes) {
  if (bytes != nullptr) bytes_.assign(bytes);
}

Text::Text(std::string_view bytes) : bytes_(before_zero(bytes)) {}

int32_t text_length(const Text& text) { return static_cast<int32_t>(text.view().size()); }

Text text_left(const Text& text, int32_t n) { return text_of(left_of(text.view(), n)); }

Text text_mid(const Text& text, int32_t start, int32_t n) {
  const std::string_view bytes = text.view();
  if (start < 1 || static_cast<std::size_t>(start) > bytes.size() || n <= 0) return Text();
  return text_of(bytes.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

Text concat_text(const Text& a, const Text& b) { return concat_text(a, b, Text()); }

Text concat_text(const Text& a, const Text& b, const Text& c) {
  Storage joined;
  joined.reserve(a.view().size() + b.view().size() + c.view().size());
  joined.append(a.view()).append(b.view()).append(c.view());
  return StorageAccess::text(std::move(joined));
}

int compare_text(const Text& a, const Text& b) {
  // char_traits<char>::compare orders bytes as unsigned char.
  const int order = a.view().compare(b.view());
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

ByteBuffer text_to_bytes(const Text& text) { return ByteBuffer(text.view()); }

ByteBuffer bytes_left(const ByteBuffer& buffer, int32_t n) {
  return ByteBuffer(left_of(buffer.view(), n));
}

bool bytes_equal(const ByteBuffer& a, const ByteBuffer& b) { return a.view() == b.view(); }

Text bytes_to_text(const ByteBuffer& buffer) { return text_of(before_zero(buffer.view())); }

}  // namespace quorvale
