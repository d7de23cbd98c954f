// Fuzzes the built-in script host, alone and behind decode_name: no crash, no
// hang, and no answer longer than its input allows. Every character of the
// answer costs at least as many bytes of the literal as it takes to write.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "invariant.h"
#include "resolver/decode_name.h"
#include "resolver/script_host.h"
#include "text/text.h"

namespace quorvale {
namespace {

std::size_t length(const Text& text) { return text.view().size(); }

}  // namespace
}  // namespace quorvale

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorvale;
  FuzzedDataProvider in(data, size);
  const int mode = in.ConsumeIntegralInRange(0, 2);
  const Text input(in.ConsumeRemainingBytesAsString());
  switch (mode) {
    case 0:  // any script at all
      check(length(run_script_builtin(input, "xx")) <= length(input), "script answer too long");
      break;
    case 1: {  // the input as the literal of decode_name's script
      const Text script = concat_text("function xx(){var x='", input, "';return unescape(x);}");
      check(length(run_script_builtin(script, "xx")) <= length(input), "literal answer too long");
      break;
    }
    default:  // a raw name: each substitution at most doubles a byte
      check(length(decode_name(input)) <= 2 * length(input), "decoded name too long");
  }
  return 0;
}
