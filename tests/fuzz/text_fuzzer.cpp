// Fuzzes the searching, replacing and number operations. The fast search is
// held against a literal, byte-by-byte walk of the two-byte rule, and the
// number writer against reading its output back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "invariant.h"
#include "text/text.h"

namespace quorvale {
namespace {

// The walk the rules describe, one candidate at a time.
struct Walk {
  std::string_view text;
  std::string_view pattern;
  bool two_byte;
  bool folded;

  static unsigned char fold(unsigned char b) {
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + 0x20) : b;
  }

  bool matches_at(std::size_t at) const {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      const auto t = static_cast<unsigned char>(text[at + i]);
      const auto p = static_cast<unsigned char>(pattern[i]);
      if (folded ? fold(t) != fold(p) : t != p) return false;
    }
    return true;
  }
  std::size_t step(std::size_t at) const {
    return two_byte && static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
  }
  static std::size_t offset(std::optional<int32_t> start) {
    return start && *start > 1 ? static_cast<std::size_t>(*start) - 1 : 0;
  }

  int32_t find(std::optional<int32_t> start) const {
    const std::size_t from = offset(start);
    if (from >= text.size()) return -1;
    for (std::size_t at = from; at + pattern.size() <= text.size(); at += step(at)) {
      if (matches_at(at)) return static_cast<int32_t>(at) + 1;
    }
    return -1;
  }

  std::string replace(std::string_view replacement, std::optional<int32_t> start,
                      std::optional<int32_t> count) const {
    const std::size_t from = offset(start);
    if (text.empty() || pattern.empty() || from >= text.size() || (count && *count <= 0)) {
      return std::string(text);
    }
    std::string out(text.substr(0, from));
    int32_t left = count.value_or(-1);
    std::size_t at = from;
    while (at < text.size() && at + pattern.size() <= text.size() && left != 0) {
      if (matches_at(at)) {
        out += replacement;
        at += pattern.size();
        --left;
      } else {
        const std::size_t n = std::min(step(at), text.size() - at);
        out += text.substr(at, n);
        at += n;
      }
    }
    out += text.substr(std::min(at, text.size()));
    return out;
  }
};

void fuzz_search(FuzzedDataProvider& in) {
  const bool absent = in.ConsumeBool();
  const std::optional<int32_t> start =
      absent ? kAbsent : std::optional<int32_t>(in.ConsumeIntegralInRange<int32_t>(-2, 300));
  const bool case_flag = in.ConsumeBool();
  const std::optional<int32_t> count =
      in.ConsumeBool() ? kAbsent : std::optional<int32_t>(in.ConsumeIntegralInRange(-1, 4));
  const std::string pattern_bytes = in.ConsumeRandomLengthString(12);
  const std::string replacement_bytes = in.ConsumeRandomLengthString(12);
  const std::string text_bytes = in.ConsumeRemainingBytesAsString();

  const Text text(text_bytes);
  const Text pattern(pattern_bytes);
  const Text replacement(replacement_bytes);

  if (!pattern.empty()) {
    const Walk walk{text.view(), pattern.view(), true, case_flag};
    check(find_text(text, pattern, start, case_flag) == walk.find(start), "find_text");
  }
  const Walk chars{text.view(), pattern.view(), true, !case_flag};
  const Text replaced = replace_text(text, pattern, replacement, start, count, case_flag);
  check(replaced.view() == chars.replace(replacement.view(), start, count), "replace_text");
  check(replace_text(text, pattern, pattern, start, count, true) == text,
        "replace_text of the pattern by itself");

  const ByteBuffer buffer(text_bytes);
  const ByteBuffer pattern_buffer(pattern_bytes);
  const Walk bytes{buffer.view(), pattern_buffer.view(), false, false};
  check(replace_bytes(buffer, pattern_buffer, ByteBuffer(replacement_bytes), start, count).view() ==
            bytes.replace(replacement_bytes, start, count),
        "replace_bytes");
  check(replace_bytes(buffer, pattern_buffer, pattern_buffer, start, count) == buffer,
        "replace_bytes of the pattern by itself");

  (void)text_to_int(text);
}

void fuzz_number(FuzzedDataProvider& in) {
  const auto raw = in.ConsumeIntegral<uint64_t>();
  double x;
  std::memcpy(&x, &raw, sizeof x);
  const Text written = number_to_text(x);
  const double back = std::strtod(written.c_str(), nullptr);
  if (std::isnan(x)) {
    check(std::isnan(back), "number_to_text of NaN");
    return;
  }
  // 13 significant digits: off by at most half a unit in the 13th digit.
  const double bound = 5.002e-13 * std::fabs(x) + 2 * std::numeric_limits<double>::denorm_min();
  check(x == back || std::fabs(back - x) <= bound, "number_to_text reads back");

  (void)text_to_int(written);
}

}  // namespace
}  // namespace quorvale

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool()) {
    quorvale::fuzz_number(in);
  } else {
    quorvale::fuzz_search(in);
  }
  return 0;
}
