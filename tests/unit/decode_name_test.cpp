// decode_name through the built-in script host (natively, and under Wine in
// the Windows build), and what decode_name hands to its host and makes of the
// answer.
#include <gtest/gtest.h>

#include <string_view>

#include "resolver/decode_name.h"
#include "resolver/script_host.h"
#include "unit/decode_name_cases.h"

namespace quorvale {
namespace {

using ScriptHostSeam = decltype(run_script);

TEST(DecodeName, BuiltinHostDecodesEveryCase) {
  const ScriptHostSeam::Replace builtin(run_script, &run_script_builtin);
  for (const DecodeCase& c : kDecodeCases) {
    SCOPED_TRACE(testing::PrintToString(std::string_view(c.raw)));
    EXPECT_EQ(decode_name(c.raw).view(), std::string_view(c.want));
  }
}

TEST(DecodeName, HandsThePreparedNameToTheHostAndRestoresItsAnswer) {
  Text script;
  Text function;
  const ScriptHostSeam::Replace fake(run_script, [&](const Text& s, const Text& f) {
    script = s;
    function = f;
    return Text("a\xA1\xAF{$}b");
  });
  EXPECT_EQ(decode_name("\rit's\r\n\\u4e2d\\U").view(), "a'\r\nb");
  EXPECT_EQ(script.view(), "function xx(){var x='it\xA1\xAFs{$}%u4e2d\\U';return unescape(x);}");
  EXPECT_EQ(function.view(), "xx");
}

TEST(DecodeName, HostFailureGivesTheEmptyName) {
  const ScriptHostSeam::Replace failing(run_script,
                                        [](const Text&, const Text&) { return Text(); });
  EXPECT_TRUE(decode_name("name.txt").empty());
}

struct ScriptCase {
  const char* script;
  const char* want;
};

TEST(BuiltinScriptHost, RunsOnlyTheScriptDecodeNameWrites) {
  constexpr ScriptCase kCases[] = {
      {"function xx(){var x='a%41';return unescape(x);}", "aA"},
      {"function yy(){var x='a';return unescape(x);}", ""},  // no function xx
      {"function xx(){var x='a'+'b';return unescape(x);}", ""},
      {"function xx(){var x='a';return unescape(x);};xx=0", ""},
      {"function xx(){var x='a';return unescape(x);", ""},
      {"function xx(){var x='a\\';return unescape(x);}", ""},
      {"", ""},
  };
  for (const ScriptCase& c : kCases) {
    EXPECT_EQ(run_script_builtin(c.script, "xx").view(), std::string_view(c.want)) << c.script;
  }
}

}  // namespace
}  // namespace quorvale
