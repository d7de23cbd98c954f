// The ANSI <-> UTF-16 conversions in code page 936: natively through iconv, in
// the Windows build through MultiByteToWideChar/WideCharToMultiByte under Wine.
// The same answers from both are what lets the built-in script host give the
// same names everywhere.
#include <gtest/gtest.h>

#include <string_view>

#include "platform/ansi.h"

namespace quorvale {
namespace {

struct ToUtf16Case {
  std::string_view ansi;
  std::u16string_view want;
};

TEST(AnsiToUtf16, ReadsCodePage936) {
  constexpr ToUtf16Case kCases[] = {
      {"", u""},
      {"a.txt", u"a.txt"},
      {"\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
      {"\x80", u"\u20AC"},  // the euro sign is one byte
      {"\xFF", u"\uF8F5"},
      {"\x81'x", u"?x"},  // a lead byte takes its second byte along, even a
                          // bad one
      {"a\x81", u"a?"},   // a lead byte with nothing behind it
  };
  for (const ToUtf16Case& c : kCases) {
    EXPECT_EQ(ansi_to_utf16(c.ansi), c.want) << testing::PrintToString(c.ansi);
  }
}

struct ToAnsiCase {
  std::u16string_view utf16;
  std::string_view want;
};

TEST(Utf16ToAnsi, WritesCodePage936WithItsDefaultCharacter) {
  constexpr ToAnsiCase kCases[] = {
      {u"", ""},
      {u"\u4E2D\u6587.txt", "\xD6\xD0\xCE\xC4.txt"},
      {u"\u2019", "\xA1\xAF"},
      {u"\u20AC\uF8F5", "\x80\xFF"},
      {u"\u0E01", "?"},  // not in the code page
      {u"a\xD800"
       u"b",
       "a?b"},  // a lone surrogate
  };
  for (const ToAnsiCase& c : kCases) {
    EXPECT_EQ(utf16_to_ansi(c.utf16), c.want) << testing::PrintToString(c.want);
  }
}

}  // namespace
}  // namespace quorvale
