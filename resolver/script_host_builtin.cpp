// The built-in script host: a string literal read by JScript's rules, passed
// through unescape. Where ECMAScript leaves room (\x, \v, a backslash before a
// digit), the rules are those of the JScript engine the program meets.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi.h"
#include "resolver/script_host.h"

namespace quorvale {
namespace {

constexpr std::u16string_view kFunctionKeyword = u"function ";
constexpr std::u16string_view kBodyHead = u"(){var x='";
constexpr std::u16string_view kBodyTail = u";return unescape(x);}";

int hex_digit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool is_line_break(char16_t c) { return c == u'\r' || c == u'\n'; }

// The `count` hexadecimal digits at `at` as one code unit; nothing when any is
// missing or not a digit.
std::optional<char16_t> hex_unit(std::u16string_view s, std::size_t at, std::size_t count) {
  if (at + count > s.size()) return std::nullopt;
  char16_t unit = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    const int digit = hex_digit(s[i]);
    if (digit < 0) return std::nullopt;
    unit = static_cast<char16_t>(unit << 4 | digit);
  }
  return unit;
}

// The value of the string literal whose characters (between the quotes) are
// `body`; nothing for a syntax error.
std::optional<std::u16string> literal_value(std::u16string_view body) {
  std::u16string value;
  value.reserve(body.size());
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char16_t c = body[i];
    if (is_line_break(c)) return std::nullopt;
    if (c != u'\\') {
      value += c;
      continue;
    }
    const char16_t e = body[++i];  // the scan that found the literal's end saw to this
    if (is_line_break(e)) return std::nullopt;
    switch (e) {
      case u'b':
        value += u'\b';
        break;
      case u'f':
        value += u'\f';
        break;
      case u'n':
        value += u'\n';
        break;
      case u'r':
        value += u'\r';
        break;
      case u't':
        value += u'\t';
        break;
      case u'x':
      case u'u': {
        const std::size_t digits = e == u'x' ? 2 : 4;
        const std::optional<char16_t> unit = hex_unit(body, i + 1, digits);
        if (!unit) return std::nullopt;
        value += *unit;
        i += digits;
        break;
      }
      default:
        if (!is_digit(e)) {
          value += e;  // \' \" \\ \/ \v and every other character stand for themselves
          break;
        }
        // Up to three decimal digits, each taken as an octal digit.
        char16_t unit = 0;
        for (std::size_t n = 0; n < 3 && i < body.size() && is_digit(body[i]); ++n, ++i) {
          unit = static_cast<char16_t>(unit * 8 + (body[i] - u'0'));
        }
        --i;
        value += unit;
    }
  }
  return value;
}

// ECMAScript's unescape: %uXXXX and %XX become the code unit they name.
std::u16string unescape(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'%') {
      if (i + 1 < s.size() && s[i + 1] == u'u') {
        if (const std::optional<char16_t> unit = hex_unit(s, i + 2, 4)) {
          out += *unit;
          i += 5;
          continue;
        }
      }
      if (const std::optional<char16_t> unit = hex_unit(s, i + 1, 2)) {
        out += *unit;
        i += 2;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

// The characters of the literal that `code` holds from `start` on, up to the
// first quote no backslash escapes; nothing when the code ends first.
std::optional<std::u16string_view> literal_body(std::u16string_view code, std::size_t start) {
  for (std::size_t i = start; i < code.size(); ++i) {
    if (code[i] == u'\'') return code.substr(start, i - start);
    if (code[i] == u'\\') ++i;
  }
  return std::nullopt;
}

}  // namespace

Text run_script_builtin(const Text& script, const Text& function) {
  const std::u16string code = ansi_to_utf16(script.view());
  const std::u16string head =
      std::u16string(kFunctionKeyword) + ansi_to_utf16(function.view()) + std::u16string(kBodyHead);
  if (!std::u16string_view(code).starts_with(head)) return Text();
  const std::optional<std::u16string_view> body = literal_body(code, head.size());
  if (!body) return Text();
  const std::size_t tail = head.size() + body->size() + 1;
  if (std::u16string_view(code).substr(tail) != kBodyTail) return Text();

  const std::optional<std::u16string> value = literal_value(*body);
  if (!value) return Text();
  const std::u16string name = unescape(*value);
  return Text(utf16_to_ansi(std::u16string_view(name).substr(0, name.find(u'\0'))));
}

}  // namespace quorvale
