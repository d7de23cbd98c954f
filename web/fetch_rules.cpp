#include "web/fetch_rules.h"

#include "text/text.h"

namespace quorvale {

std::string request_target(std::string_view path_with_query) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string_view target = path_with_query.substr(0, path_with_query.find('#'));
  std::string out;
  out.reserve(target.size());
  for (const char byte : target) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x21 || c == 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else {
      out += byte;
    }
  }
  return out;
}

std::uint32_t announced_size(std::optional<std::string_view> content_length) {
  const int32_t length = content_length ? text_to_int(Text(*content_length)) : 0;
  return length > 0 ? static_cast<std::uint32_t>(length) : 0;
}

std::uint32_t read_piece_size(std::optional<std::string_view> content_length) {
  const std::uint32_t length = announced_size(content_length);
  if (length == 0) return kDefaultReadPiece;
  const std::uint32_t piece = length + 1;
  return piece > kLargestReadPiece ? kLargestReadPiece : piece;
}

}  // namespace quorvale
