// The Script Control as decode_name's host under Wine: the table of names, the
// same answers as the built-in host on thousands of generated names, the
// fallback when the control cannot be created, and COM left as it was found.
#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>

#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "resolver/decode_name.h"
#include "resolver/script_host.h"
#include "resolver/script_host_com.h"
#include "unit/decode_name_cases.h"

namespace quorvale {
namespace {

using ScriptHostSeam = decltype(run_script);

const Text kScriptControl = "ScriptControl";
const Text kMissingControl = "Quorvale.NoSuchControl";
const Text kUnregisteredClass = "{6D1F5A3E-0B7C-4C2A-9E51-3F0A8B7D2C11}";
const Text kNoDispatch = "{0002E005-0000-0000-C000-000000000046}";  // component categories
const Text kNoLanguage = "Scripting.Dictionary";
const Text kScriptControlClass = "{0E59F1D5-1FBE-11D0-8FF2-00A0D10038BC}";
const Text kScript = "function xx(){var x='%u4e2d';return unescape(x);}";

Text run_in_script_control(const Text& script, const Text& function) {
  return run_script_control(kScriptControl, script, function).value_or("(no Script Control)");
}

TEST(ScriptControl, DecodesEveryCase) {
  const ScriptHostSeam::Replace control(run_script, &run_in_script_control);
  for (const DecodeCase& c : kDecodeCases) {
    SCOPED_TRACE(testing::PrintToString(std::string_view(c.raw)));
    EXPECT_EQ(decode_name(c.raw).view(),
              std::string_view(c.wine_control ? c.wine_control : c.want));
  }
}

TEST(ScriptControl, IsTheProgramsHost) {
  EXPECT_EQ(decode_name("\\u4e2d\\u6587.txt").view(), "\xD6\xD0\xCE\xC4.txt");
}

TEST(ScriptControl, IsCreatedFromAClassIdInBraces) {
  EXPECT_EQ(run_script_control(kScriptControlClass, kScript, "xx"), Text("\xD6\xD0"));
}

TEST(ScriptControl, ASyntaxErrorGivesTheEmptyNameNotTheFallback) {
  const std::optional<Text> result =
      run_script_control(kScriptControl, "function xx(){var x='a\\';return unescape(x);}", "xx");
  ASSERT_TRUE(result.has_value());
  EXPECT_TRUE(result->empty());
}

TEST(ScriptControlFallback, NamesStillDecodeWithoutAUsableControl) {
  for (const Text& prog_id : {kMissingControl, kNoDispatch, kNoLanguage}) {
    SCOPED_TRACE(prog_id.c_str());
    EXPECT_FALSE(run_script_control(prog_id, kScript, "xx").has_value());
    const ScriptHostSeam::Replace fallback(
        run_script, [&](const Text& script, const Text& function) {
          return run_script_with_fallback(prog_id, script, function);
        });
    EXPECT_EQ(decode_name("\\u4e2d\\u6587.txt").view(), "\xD6\xD0\xCE\xC4.txt");
    EXPECT_TRUE(decode_name("abc\\").empty());
  }
}

TEST(ScriptControlFallback, AnUnregisteredClassIdIsNoControl) {
  // Only once: under Wine each such attempt waits seconds for a local server.
  EXPECT_FALSE(run_script_control(kUnregisteredClass, kScript, "xx").has_value());
}

// After the call COM must be fully uninitialised: a new CoInitialize is the
// first again (S_OK), not a nested one (S_FALSE).
TEST(ScriptControlApartment, EveryCallUninitialisesWhatItInitialised) {
  for (const Text& prog_id : {kScriptControl, kMissingControl}) {
    SCOPED_TRACE(prog_id.c_str());
    (void)run_script_control(prog_id, kScript, "xx");
    (void)run_script_control(prog_id, "not a script", "xx");
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
  }
}

TEST(ScriptControlApartment, LeavesTheCallersMultithreadedApartmentAlone) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  EXPECT_EQ(run_script_with_fallback(kScriptControl, kScript, "xx"), Text("\xD6\xD0"));
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);  // still initialised
  CoUninitialize();
  CoUninitialize();
}

// Seeded random names from pieces that exercise the literal and unescape
// rules. No raw line breaks: there Wine's engine parts from Windows' (the
// built-in host follows Windows), so each CR LF comes after an ASCII byte and
// stays a pair whatever precedes it.
class NameGenerator {
 public:
  explicit NameGenerator(unsigned seed) : random_(seed) {}

  Text next() {
    std::string name = pick(4) == 0 ? "\r" : "";
    for (int n = pick(12); n > 0; --n) name += piece();
    return Text(name);
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  char byte(int low, int high) { return static_cast<char>(low + pick(high - low + 1)); }
  char hex_digit() { return "0123456789abcdefABCDEFg"[pick(23)]; }  // g: sometimes not hex

  std::string piece() {
    static constexpr const char* kFixed[] = {
        "\\n",      "\\t",  "\\b",    "\\f",        "\\r",        "\\v", "\\\\", "\\/",
        "\\\"",     "\\'",  "\\u",    "\\U",        "\\%",        "\\0", "\\12", "\\999",
        "%",        "%u",   "%uD800", "%00",        "'",          "\"",  "{$}",  "x\r\n",
        "\xA1\xAF", "\x80", "\xFF",   "\\\xD6\xD0", "\\\xA3\xB1",
    };
    switch (pick(8)) {
      case 0:
        return kFixed[pick(std::size(kFixed))];
      case 1:
        return std::string{byte(0x20, 0x7E)};
      case 2:
        return std::string{"\\x"} + hex_digit() + hex_digit();
      case 3:
        return std::string{"\\u"} + hex_digit() + hex_digit() + hex_digit() + hex_digit();
      case 4:
        return std::string{"%u"} + hex_digit() + hex_digit() + hex_digit() + hex_digit();
      case 5:
        return std::string{"%"} + hex_digit() + hex_digit();
      case 6:
        return std::string{byte(0xB0, 0xF7), byte(0xA1, 0xFE)};  // a common GBK character
      default: {
        const char raw = byte(0x01, 0xFF);  // anything but a line break
        return raw == '\r' || raw == '\n' ? std::string("?") : std::string{raw};
      }
    }
  }

  std::mt19937 random_;
};

TEST(ScriptControlDifferential, BuiltinHostGivesTheSameNames) {
  constexpr int kNames = 3000;
  NameGenerator generator(20261211);
  int differing = 0;
  for (int i = 0; i < kNames && differing < 10; ++i) {
    const Text raw = generator.next();
    Text through_control;
    {
      const ScriptHostSeam::Replace control(run_script, &run_in_script_control);
      through_control = decode_name(raw);
    }
    Text through_builtin;
    {
      const ScriptHostSeam::Replace builtin(run_script, &run_script_builtin);
      through_builtin = decode_name(raw);
    }
    if (through_control != through_builtin) {
      ++differing;
      ADD_FAILURE() << "raw " << testing::PrintToString(raw.view()) << "\ncontrol "
                    << testing::PrintToString(through_control.view()) << "\nbuiltin "
                    << testing::PrintToString(through_builtin.view());
    }
  }
}

}  // namespace
}  // namespace quorvale
