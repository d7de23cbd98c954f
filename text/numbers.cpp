// text_to_int and number_to_text: integers read the way the users type them,
// doubles written in the program's fixed "%.13g" form.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "text/text.h"

namespace quorvale {
namespace {

// One character of the text as text_to_int sees it: full-width digits, signs
// and the ideographic space read as their ASCII forms; any other two-byte
// character as 0x80, which is neither a digit, a sign nor white space.
struct Character {
  unsigned char ascii;
  std::size_t size;
};

Character character_at(const unsigned char* bytes, std::size_t at, std::size_t size) {
  const unsigned char first = bytes[at];
  if (first < 0x80) return {first, 1};
  if (at + 1 == size) return {0x80, 1};
  const unsigned char second = bytes[at + 1];
  if (first == 0xA3 && second >= 0xB0 && second <= 0xB9) {
    return {static_cast<unsigned char>('0' + (second - 0xB0)), 2};
  }
  if (first == 0xA3 && second == 0xAB) return {'+', 2};
  if (first == 0xA3 && second == 0xAD) return {'-', 2};
  if (first == 0xA1 && second == 0xA1) return {' ', 2};
  return {0x80, 2};
}

bool is_space(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

constexpr int kSignificantDigits = 13;

}  // namespace

int32_t text_to_int(const Text& text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.view().data());
  const std::size_t size = text.view().size();
  std::size_t at = 0;
  Character c{};
  auto next = [&] {
    if (at >= size) return false;
    c = character_at(bytes, at, size);
    return true;
  };
  while (next() && is_space(c.ascii)) at += c.size;
  const bool negative = at < size && c.ascii == '-';
  if (at < size && (c.ascii == '-' || c.ascii == '+')) at += c.size;
  uint32_t value = 0;  // wraps modulo 2^32, never saturates
  while (next() && c.ascii >= '0' && c.ascii <= '9') {
    value = value * 10u + static_cast<uint32_t>(c.ascii - '0');
    at += c.size;
  }
  return static_cast<int32_t>(negative ? 0u - value : value);
}

Text number_to_text(double x) {
  if (std::isnan(x)) return "nan";
  if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
  if (x == 0) return "0";

  // 17 significant digits, correctly rounded: "[-]d.dddddddddddddddde[+-]dd[d]".
  char exact[32];
  const char* exact_end =
      std::to_chars(exact, exact + sizeof exact, x, std::chars_format::scientific, 16).ptr;
  const bool negative = exact[0] == '-';
  const char* mantissa = exact + (negative ? 1 : 0);
  const char* e_mark = std::find(mantissa, exact_end, 'e');
  int exponent = 0;
  for (const char* d = e_mark + 2; d < exact_end; ++d) exponent = exponent * 10 + (*d - '0');
  if (e_mark[1] == '-') exponent = -exponent;

  // Cut to 13 digits; a 14th digit of 5 or more rounds up, carrying.
  char digits[kSignificantDigits];
  digits[0] = mantissa[0];
  std::memcpy(digits + 1, mantissa + 2, kSignificantDigits - 1);
  if (mantissa[2 + kSignificantDigits - 1] >= '5') {
    int i = kSignificantDigits - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits[0] = '1';  // 9.99...95 became 10.00...0
      ++exponent;
    }
  }

  char out[40];
  std::size_t n = 0;
  if (negative) out[n++] = '-';
  auto put_fraction = [&](const char* from, const char* to) {
    while (to > from && to[-1] == '0') --to;  // trailing zeros, then a bare point, go
    if (to == from) return;
    out[n++] = '.';
    while (from < to) out[n++] = *from++;
  };
  const char* digits_end = digits + kSignificantDigits;
  if (exponent < -4 || exponent >= kSignificantDigits) {
    out[n++] = digits[0];
    put_fraction(digits + 1, digits_end);
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out[n++] = 'e';
    out[n++] = exponent < 0 ? '-' : '+';
    out[n++] = static_cast<char>('0' + magnitude / 100);
    out[n++] = static_cast<char>('0' + magnitude / 10 % 10);
    out[n++] = static_cast<char>('0' + magnitude % 10);
  } else if (exponent >= 0) {
    const char* point = digits + exponent + 1;
    for (const char* d = digits; d < point; ++d) out[n++] = *d;
    put_fraction(point, digits_end);
  } else {
    out[n++] = '0';
    char fraction[kSignificantDigits + 4];
    const std::size_t zeros = static_cast<std::size_t>(-exponent - 1);
    std::memset(fraction, '0', zeros);
    std::memcpy(fraction + zeros, digits, kSignificantDigits);
    put_fraction(fraction, fraction + zeros + kSignificantDigits);
  }
  return Text(std::string_view(out, n));
}

}  // namespace quorvale
