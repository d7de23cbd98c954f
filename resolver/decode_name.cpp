// The name goes to the script host as the body of a single-quoted literal, so
// what would end or break that literal is swapped out first and swapped back
// in the result.
#include "resolver/decode_name.h"

#include <string_view>

#include "resolver/script_host.h"

namespace quorvale {
namespace {

const Text kCrLf = "\r\n";
const Text kCrLfStandIn = "{$}";
const Text kBackslashU = "\\u";
const Text kPercentU = "%u";
const Text kApostrophe = "'";
const Text kApostropheStandIn = "\xA1\xAF";  // the right single quotation mark in GBK
const ByteBuffer kCarriageReturn{std::string_view("\r")};
const ByteBuffer kApostropheByte{std::string_view("'")};
const ByteBuffer kApostropheStandInBytes{std::string_view("\xA1\xAF")};

const Text kScriptHead = "function xx(){var x='";
const Text kScriptTail = "';return unescape(x);}";
const Text kFunction = "xx";

Text replace_all(const Text& text, const Text& pattern, const Text& replacement) {
  return replace_text(text, pattern, replacement, kAbsent, kAbsent, true);
}

}  // namespace

Text decode_name(const Text& raw_name) {
  Text t = replace_all(raw_name, kCrLf, kCrLfStandIn);
  if (bytes_equal(bytes_left(text_to_bytes(text_left(t, 10)), 1), kCarriageReturn)) {
    t = bytes_to_text(replace_bytes(text_to_bytes(t), kCarriageReturn, ByteBuffer(), kAbsent, 1));
  }
  if (find_text(t, kBackslashU, kAbsent, false) != -1) t = replace_all(t, kBackslashU, kPercentU);
  t = replace_all(t, kApostrophe, kApostropheStandIn);
  // The two-byte rule passes over an apostrophe right after a byte of 0x80 or
  // above, yet 0x80 and 0xFF are whole characters to the code page: such an
  // apostrophe would end the literal and let the name run as script.
  t = bytes_to_text(
      replace_bytes(text_to_bytes(t), kApostropheByte, kApostropheStandInBytes, kAbsent, kAbsent));

  Text r = run_script(concat_text(kScriptHead, t, kScriptTail), kFunction);
  r = replace_all(r, kApostropheStandIn, kApostrophe);
  return replace_all(r, kCrLfStandIn, kCrLf);
}

}  // namespace quorvale
