// Raw names as the resolver service sends them and the bytes decode_name must
// give for them, whichever script host runs the script. Bytes of 0x80 and above
// are written as escapes.
#pragma once

namespace quorvale {

struct DecodeCase {
  const char* raw;
  const char* want;
  // Wine's Script Control accepts a raw line break inside a string literal,
  // where Windows' reports a syntax error; its answer then (nullptr: `want`).
  const char* wine_control = nullptr;
};

inline constexpr DecodeCase kDecodeCases[] = {
    {"\\u4e2d\\u6587.txt", "\xD6\xD0\xCE\xC4.txt"},
    {"a\\/b", "a/b"},
    {"say \\\"hi\\\"", "say \"hi\""},
    {"it's.txt", "it's.txt"},  // passes the host as A1 AF and is turned back
    {"\\u2019s", "'s"},        // a real right single quotation mark comes back as "'"
    {"a{$}b", "a\r\nb"},
    {"a\r\nb", "a\r\nb"},
    {"%41", "A"},  // percent sequences already in the name are decoded too
    {"%u4E2D%4%zz%", "\xD6\xD0%4%zz%"},
    {"\\\\user", "%user"},
    {"\\U0041", "U0041"},  // only a small u is turned into %u
    {"\\%41", "A"},
    {"\rname", "name"},
    {"\r\r\nx", "\r\nx"},
    {"a\rb", "", "a\rb"},
    {"a\nb", "", "a\nb"},
    {"abc\\", ""},  // the backslash escapes the closing quote
    {"", ""},
    {"a\\u0000b", "a"},
    {"a%00b", "a"},
    {"\\u0e01", "?"},  // Thai: not in the code page
    {"\\x41\\101\\v\\q", "AAvq"},
    {"\\x4g", ""},
    {"\\u12", "%u12"},  // as %u12 it stays text: unescape wants four digits
    {"\\8\\0101",
     "\x08\x08"
     "1"},
    {"\\\xA3\xB1", "\xA3\xB1"},  // a full-width digit is no octal digit
    {"\x80\\u0041",
     "\x80"
     "A"},  // 0x80 is the euro sign, but hides the \u from the two-byte rule
    {"\xFF\\u0041",
     "\xFF"
     "A"},
    // The apostrophe after 0x80 escapes the substitution; it must not end the
    // literal and run the rest as script. The reversal, again under the
    // two-byte rule, leaves the quotation mark in its place.
    {"\x80';}function xx(){return \"pwned\"}//", "\x80\xA1\xAF;}function xx(){return \"pwned\"}//"},
};

}  // namespace quorvale
