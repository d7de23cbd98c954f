// The script host that decode_name hands its script to: it runs the script,
// then calls one of the script's functions without arguments and gives back
// the result as ANSI text, up to its first U+0000. The empty text when the
// host is missing, the script does not compile or the call fails.
#pragma once

#include "platform/seam.h"
#include "text/text.h"

namespace quorvale {

// JScript's effect computed here, for scripts of the one form decode_name
// writes: "function F(){var x='...';return unescape(x);}". Any other script is
// treated as one that does not compile.
Text run_script_builtin(const Text& script, const Text& function);

// The platform's host: the Script Control on Windows (the built-in host where
// it cannot be created), the built-in host elsewhere.
Text run_script_on_platform(const Text& script, const Text& function);

inline Seam<Text(const Text&, const Text&)> run_script{&run_script_on_platform};

}  // namespace quorvale
