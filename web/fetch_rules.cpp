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

std::uint32_t read_piece_size(std::optional<std::string_view> announced_length) {
  if (!announced_length) return kDefaultReadPiece;
  const int32_t length = text_to_int(Text(*announced_length));
  if (length <= 0) return kDefaultReadPiece;
  const std::uint32_t piece = static_cast<std::uint32_t>(length) + 1;
  return piece > kLargestReadPiece ? kLargestReadPiece : piece;
}

}  // namespace quorvale
