// Text and ByteBuffer, the two value types every part of Quorvale passes around,
// and the byte, text and number operations on them.
//
// Positions are 1-based byte positions; -1 means "not found". Searching and
// replacing follow the two-byte rule: a byte of 0x80 or above starts a two-byte
// character whose second byte may have any value. Case folding touches ASCII
// letters only, and applies to every compared byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/fatal_allocator.h"

namespace quorvale {

using Storage = std::basic_string<char, std::char_traits<char>, FatalAllocator<char>>;

struct StorageAccess;  // text/storage_access.h: lets the operations hand over filled storage

// Bytes in the ANSI code page, none of them zero. The empty text stands for a
// missing one too.
class Text {
 public:
  Text() = default;
  // NOLINTNEXTLINE(google-explicit-constructor): constants read as literals.
  Text(const char* bytes);
  // Keeps the bytes before the first zero byte, so a Text never holds one.
  explicit Text(std::string_view bytes);

  std::string_view view() const { return bytes_; }
  const char* c_str() const { return bytes_.c_str(); }
  bool empty() const { return bytes_.empty(); }

  friend bool operator==(const Text&, const Text&) = default;

 private:
  friend struct StorageAccess;
  Storage bytes_;
};

// Length-counted bytes of any value, zero included. The empty buffer stands
// for a missing one too.
class ByteBuffer {
 public:
  ByteBuffer() = default;
  explicit ByteBuffer(std::string_view bytes) : bytes_(bytes) {}
  explicit ByteBuffer(std::span<const unsigned char> bytes)
      : bytes_(reinterpret_cast<const char*>(bytes.data()), bytes.size()) {}

  std::string_view view() const { return bytes_; }
  std::span<const unsigned char> bytes() const {
    return {reinterpret_cast<const unsigned char*>(bytes_.data()), bytes_.size()};
  }
  int32_t size() const { return static_cast<int32_t>(bytes_.size()); }
  bool empty() const { return bytes_.empty(); }

  friend bool operator==(const ByteBuffer&, const ByteBuffer&) = default;

 private:
  friend struct StorageAccess;
  Storage bytes_;
};

// "Absent" for the optional start and count arguments.
inline constexpr std::optional<int32_t> kAbsent = std::nullopt;

int32_t text_length(const Text& text);
Text text_left(const Text& text, int32_t n);
Text text_mid(const Text& text, int32_t start, int32_t n);
// The scan starts at byte start - 1 (0 when absent or below 1) whatever
// precedes it. An empty pattern is found at the start, if the text reaches it.
int32_t find_text(const Text& text, const Text& pattern, std::optional<int32_t> start,
                  bool ignore_case);
// An absent replacement is the empty text, so it is passed as Text{}. A
// negative count replaces nothing, as 0 does; so for replace_bytes.
Text replace_text(const Text& text, const Text& pattern, const Text& replacement,
                  std::optional<int32_t> start, std::optional<int32_t> count, bool match_case);
Text concat_text(const Text& a, const Text& b);
Text concat_text(const Text& a, const Text& b, const Text& c);
int compare_text(const Text& a, const Text& b);

ByteBuffer text_to_bytes(const Text& text);
ByteBuffer bytes_left(const ByteBuffer& buffer, int32_t n);
bool bytes_equal(const ByteBuffer& a, const ByteBuffer& b);
// An absent replacement inserts nothing, so it is passed as ByteBuffer{}.
ByteBuffer replace_bytes(const ByteBuffer& buffer, const ByteBuffer& pattern,
                         const ByteBuffer& replacement, std::optional<int32_t> start,
                         std::optional<int32_t> count);
Text bytes_to_text(const ByteBuffer& buffer);

int32_t text_to_int(const Text& text);
// The double as "%.13g" writes it, except that the 13 digits are cut from the
// correctly rounded 17 with ties away from zero, and exponents have three
// digits. Both zeros give "0"; infinities and NaN "inf", "-inf" and "nan".
Text number_to_text(double x);

}  // namespace quorvale
