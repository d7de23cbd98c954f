#include "platform/ansi.h"

#include <iconv.h>

#include <cerrno>

namespace quorvale {
namespace {

// Runs one whole conversion; on a byte sequence the target cannot take, the
// input character is skipped and `replacement` is written in its place.
template <class Out, class In>
Out convert(const char* to, const char* from, const In& in, std::string_view replacement,
            std::size_t in_unit) {
  Out out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  char* src = const_cast<char*>(reinterpret_cast<const char*>(in.data()));
  std::size_t src_left = in.size() * sizeof(typename In::value_type);
  std::string buffer(src_left * 4 + 16, '\0');
  char* dst = buffer.data();
  std::size_t dst_left = buffer.size();
  while (src_left > 0) {
    if (iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) break;  // cannot happen: the buffer fits the worst case
    // EILSEQ or EINVAL: replace one input unit and go on.
    const std::size_t skip = src_left < in_unit ? src_left : in_unit;
    src += skip;
    src_left -= skip;
    if (replacement.size() <= dst_left) {
      for (char c : replacement) *dst++ = c;
      dst_left -= replacement.size();
    }
  }
  iconv_close(cd);
  buffer.resize(buffer.size() - dst_left);
  out.assign(reinterpret_cast<const typename Out::value_type*>(buffer.data()),
             buffer.size() / sizeof(typename Out::value_type));
  return out;
}

}  // namespace

std::u16string ansi_to_utf16(std::string_view ansi) {
  // A byte GBK cannot read becomes U+003F, as MultiByteToWideChar gives the default.
  static const char16_t kQuestion = u'?';
  return convert<std::u16string>(
      "UTF-16LE", "GBK", ansi,
      std::string_view(reinterpret_cast<const char*>(&kQuestion), sizeof kQuestion), 1);
}

std::string utf16_to_ansi(std::u16string_view utf16) {
  return convert<std::string>("GBK", "UTF-16LE", utf16, "?", 2);
}

}  // namespace quorvale
