// The text utilities: every operation's rules, as tables of cases.
// Bytes of 0x80 and above are written as escapes so the two-byte rule is visible.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fatal.h"
#include "text/text.h"

namespace quorvale {
namespace {

using namespace std::string_literals;
using Start = std::optional<int32_t>;

std::string hex(std::string_view bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) out += {kDigits[b >> 4], kDigits[b & 15], ' '};
  return out;
}

TEST(TextTypes, TextStopsAtTheFirstZeroByte) {
  EXPECT_EQ(Text(std::string_view("A\0B", 3)).view(), "A");
  EXPECT_TRUE(Text(static_cast<const char*>(nullptr)).empty());
  EXPECT_EQ(Text(), Text(""));
  EXPECT_EQ(ByteBuffer(std::string_view("A\0B", 3)).size(), 3);
}

TEST(TextTypes, ChineseLiteralsAreGbk) {
  EXPECT_EQ(hex(Text("中文").view()), "D6 D0 CE C4 ");
  EXPECT_EQ(text_length("中文"), 4);
  EXPECT_EQ(text_length(Text()), 0);
}

struct CutCase {
  const char* text;
  int32_t start;  // ignored by text_left
  int32_t n;
  const char* want;
};

TEST(TextCutting, TextMid) {
  constexpr CutCase kCases[] = {
      {"hello", 2, 3, "ell"},
      {"hello", 4, 10, "lo"},
      {"hello", 0, 3, ""},  // 0 is not moved to 1
      {"hello", -1, 3, ""},
      {"hello", 6, 1, ""},
      {"hello", 1, 0, ""},
      {"hello", 1, -1, ""},
      {"hello", 5, 1, "o"},
      {"", 1, 1, ""},
      {"hello", 1, INT32_MAX, "hello"},
  };
  for (const CutCase& c : kCases) {
    EXPECT_EQ(text_mid(c.text, c.start, c.n).view(), c.want)
        << c.text << " from " << c.start << " n " << c.n;
  }
}

TEST(TextCutting, TextLeftAndBytesLeft) {
  constexpr CutCase kCases[] = {
      {"hello", 0, 10, "hello"}, {"hello", 0, 5, "hello"}, {"hello", 0, 2, "he"},
      {"hello", 0, 0, ""},       {"hello", 0, -3, ""},     {"", 0, 1, ""},
  };
  for (const CutCase& c : kCases) {
    EXPECT_EQ(text_left(c.text, c.n).view(), c.want) << c.text << " n " << c.n;
    EXPECT_EQ(bytes_left(ByteBuffer(std::string_view(c.text)), c.n).view(), c.want);
  }
  EXPECT_EQ(bytes_left(ByteBuffer("\0\r"s), 1).view(), "\0"s);
}

struct FindCase {
  const char* text;
  const char* pattern;
  Start start;
  bool ignore_case;
  int32_t want;
};

TEST(FindText, PositionsStartsAndCase) {
  const FindCase kCases[] = {
      {"abcabc", "c", kAbsent, false, 3},
      {"abcabc", "c", 4, false, 6},
      {"abcabc", "c", 0, false, 3},
      {"abcabc", "c", -1, false, 3},
      {"abcabc", "c", 6, false, 6},
      {"abcabc", "c", 7, false, -1},
      {"abcabc", "C", kAbsent, false, -1},
      {"abcabc", "C", kAbsent, true, 3},
      {"abcabc", "abc", 2, false, 4},
      {"abc", "bcd", kAbsent, false, -1},  // runs past the end
      {"", "a", kAbsent, false, -1},
      {"abc", "", 2, false, 2},  // an empty pattern is found where the scan starts
      {"abc", "", 4, false, -1},
      {"V2.3 release", "v2.3", kAbsent, true, 1},
      {"@[`{", "`", kAbsent, true, 3},  // the neighbours of the letters are not folded
      {"@[`{", "{", kAbsent, true, 4},
      {"\xC0", "\xE0", kAbsent, true, -1},  // nor are letters above ASCII
  };
  for (const FindCase& c : kCases) {
    EXPECT_EQ(find_text(c.text, c.pattern, c.start, c.ignore_case), c.want)
        << c.text << " / " << c.pattern << " from " << c.start.value_or(-99);
  }
}

TEST(FindText, TwoByteRule) {
  const FindCase kCases[] = {
      {"\x81\x41\x41", "A", kAbsent, false, 3},    // the first A is a second byte
      {"\x81\x41", "\x81\x61", kAbsent, true, 1},  // second bytes fold too
      {"\x81\x41\x41", "A", 2, false, 2},  // the start byte is a candidate whatever precedes it
      {"\x81\x41\x41\x41", "AA", kAbsent, false, 3},
      {"\x81\x81\x41", "A", kAbsent, false, 3},
      {"\x81\x81\x81\x41", "A", kAbsent, false, -1},
      {"\x81\x41\x81\x81\x41", "A", kAbsent, false, 5},  // a match at a second byte, then more
      {"x\xB0\xA1\xB0\x41", "A", kAbsent, false, -1},    // an odd run of high bytes before it
      {"x\xB0\xA1\xB0\xA1\x41", "A", kAbsent, false, 6},
      {"\xB0\xA1\xB0\xA1", "\xA1\xB0", kAbsent, false, -1},
      {"\xB0\xA1\xB0\xA1", "\xA1\xB0", 2, false, 2},
      {"a\x81", "\x81", kAbsent, false, 2},  // a cut-off character at the end
      {"\xD6\xD0\xCE\xC4\xD6\xD0", "\xD6\xD0", 3, false, 5},
      {"\xD6\xD0\xCE\xC4\xD6\xD0", "\xD6\xD0", 2, false, -1},  // a start inside shifts the pairs
      {"\x81\x41\x41", "a", kAbsent, true, 3},
  };
  for (const FindCase& c : kCases) {
    EXPECT_EQ(find_text(c.text, c.pattern, c.start, c.ignore_case), c.want)
        << hex(c.text) << "/ " << hex(c.pattern) << "from " << c.start.value_or(-99);
  }
}

TEST(FindText, LongTextsWithFrequentNearMisses) {
  // Many anchor hits that fail, or match at a second byte, before the real one.
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "\"siz\xB0\"size";
  text += "\"size\"";
  const int32_t want = static_cast<int32_t>(text.size()) - 5;
  EXPECT_EQ(find_text(Text(text), "\"size\"", kAbsent, false), want);
  EXPECT_EQ(find_text(Text(text), "\"SIZE\"", kAbsent, true), want);
  EXPECT_EQ(find_text(Text(text), "\"size\"", want, true), want);
  EXPECT_EQ(find_text(Text(text), "\"size\"", want + 1, true), -1);
}

struct ReplaceCase {
  const char* text;
  const char* pattern;
  const char* replacement;
  Start start;
  Start count;
  bool match_case;
  const char* want;
};

TEST(ReplaceText, Cases) {
  const ReplaceCase kCases[] = {
      {"aaaa", "aa", "b", kAbsent, kAbsent, true, "bb"},
      {"a\r\nb\r\n", "\r\n", "{$}", kAbsent, kAbsent, true, "a{$}b{$}"},
      {"abab", "ab", "X", 2, kAbsent, true, "abX"},
      {"abab", "ab", "X", kAbsent, 1, true, "Xab"},
      {"xAx", "a", "-", kAbsent, kAbsent, false, "x-x"},
      {"xAx", "a", "-", kAbsent, kAbsent, true, "xAx"},
      {"\x81\x41\x41", "A", "-", kAbsent, kAbsent, true, "\x81\x41-"},
      {"\xB0\x41", "\xB0\x61", "Z", kAbsent, kAbsent, false, "Z"},
      {"ab", "a", "aa", kAbsent, kAbsent, true, "aab"},  // the replacement is not scanned again
      {"a-b-c", "-", "", kAbsent, kAbsent, true, "abc"},
      {"aa", "a", "", kAbsent, kAbsent, true, ""},
      {"ab\x81", "b", "X", kAbsent, kAbsent, true, "aX\x81"},  // a cut-off character is kept
      {"ab\x81", "\x81", "X", kAbsent, kAbsent, true, "abX"},
      {"xaxa", "a", "b", 3, kAbsent, true, "xaxb"},
      {"abab", "ab", "X", 0, kAbsent, true, "XX"},
      {"abab", "ab", "X", kAbsent, 5, true, "XX"},
      // Unchanged copies.
      {"abab", "", "X", kAbsent, kAbsent, true, "abab"},
      {"abab", "ab", "X", 5, kAbsent, true, "abab"},
      {"abab", "ab", "X", kAbsent, 0, true, "abab"},
      {"abab", "ab", "X", kAbsent, -1, true, "abab"},
      {"", "ab", "X", kAbsent, kAbsent, true, ""},
  };
  for (const ReplaceCase& c : kCases) {
    EXPECT_EQ(
        hex(replace_text(c.text, c.pattern, c.replacement, c.start, c.count, c.match_case).view()),
        hex(c.want))
        << hex(c.text) << "/ " << hex(c.pattern) << "-> " << c.replacement;
  }
}

TEST(JoinAndCompare, ConcatText) {
  EXPECT_TRUE(concat_text("", "").empty());
  EXPECT_EQ(concat_text("ab", Text()).view(), "ab");
  EXPECT_EQ(concat_text("http://", "host", "/baidu/?url=").view(), "http://host/baidu/?url=");
  EXPECT_EQ(concat_text(Text(), "b", Text()).view(), "b");
}

TEST(JoinAndCompare, CompareTextByUnsignedBytes) {
  struct Case {
    const char* a;
    const char* b;
    int want;
  };
  constexpr Case kCases[] = {
      {nullptr, "", 0},  {"a", "", 1},      {"", "a", -1},     {"\xB0", "z", 1},
      {"ab", "abc", -1}, {"abd", "abc", 1}, {"abc", "abc", 0}, {"\x7F", "\x80", -1},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(compare_text(c.a, c.b), c.want) << hex(c.a ? c.a : "") << "vs " << hex(c.b);
  }
}

TEST(Bytes, ConversionsAndEquality) {
  EXPECT_TRUE(text_to_bytes(Text()).empty());
  EXPECT_EQ(text_to_bytes("AB").view(), "AB");
  EXPECT_EQ(bytes_to_text(ByteBuffer("A\0B"s)).view(), "A");
  EXPECT_EQ(bytes_to_text(ByteBuffer("AB"s)).view(), "AB");
  EXPECT_TRUE(bytes_to_text(ByteBuffer()).empty());
  EXPECT_TRUE(bytes_to_text(ByteBuffer("\0A"s)).empty());

  const ByteBuffer cr("\r"s);
  EXPECT_FALSE(bytes_equal(bytes_left(ByteBuffer(), 1), cr));
  EXPECT_TRUE(bytes_equal(bytes_left(ByteBuffer("\r\n"s), 1), cr));
  EXPECT_TRUE(bytes_equal(ByteBuffer(), ByteBuffer()));
  EXPECT_FALSE(bytes_equal(ByteBuffer("\r\0"s), cr));
}

TEST(Bytes, ReplaceBytes) {
  struct Case {
    std::string buffer, pattern, replacement;
    Start start, count;
    std::string want;
  };
  const Case kCases[] = {
      {"\rA\r", "\r", "", kAbsent, 1, "A\r"},
      {"\rA\r", "\r", "", kAbsent, kAbsent, "A"},
      {"\rA\r", "\r", "", 2, kAbsent, "\rA"},
      {"\0\r\0"s, "\0"s, "x", kAbsent, kAbsent, "x\rx"},  // zero bytes are plain bytes
      {"\x81\x41", "A", "-", kAbsent, kAbsent, "\x81-"},  // no two-byte rule
      {"aaaa", "aa", "b", kAbsent, kAbsent, "bb"},
      {"aA", "a", "-", kAbsent, kAbsent, "-A"},  // always exact
      {"", "\r", "", kAbsent, 1, ""},
      {"\r", "\r", "", kAbsent, 1, ""},
      {"\rA", "", "x", kAbsent, kAbsent, "\rA"},
      {"\rA", "\r", "x", kAbsent, 0, "\rA"},
      {"\rA", "\r", "x", 3, kAbsent, "\rA"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(hex(replace_bytes(ByteBuffer(c.buffer), ByteBuffer(c.pattern),
                                ByteBuffer(c.replacement), c.start, c.count)
                      .view()),
              hex(c.want))
        << hex(c.buffer) << "/ " << hex(c.pattern);
  }
}

struct IntCase {
  const char* text;
  int32_t want;
};

TEST(TextToInt, Table) {
  constexpr IntCase kCases[] = {
      {"12345678", 12345678},
      {"  -42abc", -42},
      {"3.9", 3},
      {"", 0},
      {"abc", 0},
      {"+7", 7},
      {"- 5", 0},
      {"\t\r\n 8", 8},
      {"2147483648", -2147483648},
      {"4294967297", 1},
      {"\xA3\xB1\xA3\xB2\xA3\xB3", 123},
      {"\xA1\xA1\xA3\xAD\xA3\xB5", -5},
  };
  for (const IntCase& c : kCases) EXPECT_EQ(text_to_int(c.text), c.want) << hex(c.text);
}

TEST(TextToInt, EdgeCases) {
  constexpr IntCase kCases[] = {
      {"-2147483648", INT32_MIN},
      {"-4294967295", 1},
      {"99999999999", 1215752191},  // wraps modulo 2^32, no saturation
      {"\v\f9", 9},
      {"\xA3\xAB\xA3\xB7", 7},
      {"12\xA3\xB4", 124},  // ASCII and full-width digits mix
      {"1\xB0\xA1", 1},
      {"\xB0\xA3\xB1", 0},  // A3 B1 there is not a character: B0 A3 is
      {"5\xA3", 5},         // a cut-off character ends the number
      {"\xA3", 0},
      {"--5", 0},
      {"+-5", 0},
      {"\xA1\xA1\xA1\xA1+9", 9},
  };
  for (const IntCase& c : kCases) EXPECT_EQ(text_to_int(c.text), c.want) << hex(c.text);
}

struct NumberCase {
  double value;
  const char* want;
};

TEST(NumberToText, Table) {
  const NumberCase kCases[] = {
      {1.5, "1.5"},
      {0.0, "0"},
      {12.3456789, "12.3456789"},
      {0.00001, "1e-005"},
      {1234567.8, "1234567.8"},
      {0.5, "0.5"},
      {1.0, "1"},
      {12345678 / 1048576.0, "11.77375602722"},
      {1000000 / 1048576.0, "0.9536743164063"},
      {1 / 1048576.0, "9.536743164063e-007"},
      {105 / 1048576.0, "0.0001001358032227"},
      {2147483647 / 1048576.0, "2047.999999046"},
      {-1294967296 / 1048576.0, "-1234.977050781"},
      {10000000000000.0, "1e+013"},
  };
  for (const NumberCase& c : kCases) EXPECT_EQ(number_to_text(c.value).view(), c.want);
}

TEST(NumberToText, RoundingAndForms) {
  const NumberCase kCases[] = {
      {1234567890122.5, "1234567890123"},  // an exact tie goes away from zero
      {-1234567890122.5, "-1234567890123"},
      {1.2345678901235, "1.234567890124"},  // below the tie, but its 17 digits end in 5000
      {9.99999999999995, "10"},
      {100.0, "100"},  // zeros before the point stay
      {1234567890123.0, "1234567890123"},
      {0.0001, "0.0001"},
      {-0.00001, "-1e-005"},
      {1e300, "1e+300"},
      {1e-300, "1e-300"},
      {5e-324, "4.940656458412e-324"},
      {std::numeric_limits<double>::max(), "1.797693134862e+308"},
      {-0.0, "0"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {std::nan(""), "nan"},
  };
  for (const NumberCase& c : kCases) {
    EXPECT_EQ(number_to_text(c.value).view(), c.want) << "value " << c.value;
  }
}

TEST(OutOfMemory, ReportsTheSizeAndExitsWithMinusOne) {
#ifdef _WIN32
  GTEST_SKIP() << "the report is a message box that waits for the user";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(report_out_of_memory(123456789), testing::ExitedWithCode(255), "123456789 bytes");
#endif
}

}  // namespace
}  // namespace quorvale
