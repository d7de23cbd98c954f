// Code page 936 through glibc's GBK converter (the same tables as its "CP936"
// and "WINDOWS-936", 0x80 <-> U+20AC included). Around it, what Windows' own
// 936 does differently: 0xFF <-> U+F8F5, and bad input handled the way
// MultiByteToWideChar and WideCharToMultiByte handle it.
#include "platform/ansi.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace quorvale {
namespace {

constexpr unsigned char kLoneFF = 0xFF;
constexpr char16_t kLoneFFUnicode = 0xF8F5;
constexpr char16_t kUnicodeDefault = u'?';
constexpr char kAnsiDefault = '?';

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Appends the conversion of `in` to `out` up to the end or the first
  // sequence the converter rejects; returns the number of bytes consumed.
  std::size_t convert_run(std::string_view in, std::string& out) {
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    while (src_left > 0) {
      const std::size_t used = out.size();
      out.resize(used + src_left * 2 + 8);  // fits any run of GBK or UTF-16 here
      char* dst = out.data() + used;
      std::size_t dst_left = out.size() - used;
      const std::size_t done = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.resize(out.size() - dst_left);
      if (done != static_cast<std::size_t>(-1) || errno != E2BIG) break;
    }
    return in.size() - src_left;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::u16string ansi_to_utf16(std::string_view ansi) {
  Converter converter("UTF-16LE", "GBK");
  std::string wide;
  std::size_t at = 0;
  while (converter.ok() && at < ansi.size()) {
    at += converter.convert_run(ansi.substr(at), wide);
    if (at == ansi.size()) break;
    const auto byte = static_cast<unsigned char>(ansi[at]);
    char16_t stand_in = kUnicodeDefault;
    std::size_t covered = 1;
    if (byte == kLoneFF) {
      stand_in = kLoneFFUnicode;
    } else if (byte >= 0x81 && at + 1 < ansi.size()) {
      covered = 2;  // a lead byte takes its second byte along, whatever it is
    }
    wide.append(reinterpret_cast<const char*>(&stand_in), sizeof stand_in);
    at += covered;
  }
  std::u16string out(wide.size() / 2, u'\0');
  std::memcpy(out.data(), wide.data(), out.size() * 2);
  return out;
}

std::string utf16_to_ansi(std::u16string_view utf16) {
  Converter converter("GBK", "UTF-16LE");
  const std::string_view in(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2);
  std::string out;
  std::size_t at = 0;
  while (converter.ok() && at < in.size()) {
    at += converter.convert_run(in.substr(at), out);
    if (at == in.size()) break;
    // One UTF-16 unit the code page lacks (a lone surrogate, half a pair, ...).
    const char16_t unit = utf16[at / 2];
    out += unit == kLoneFFUnicode ? static_cast<char>(kLoneFF) : kAnsiDefault;
    at += 2;
  }
  return out;
}

}  // namespace quorvale
