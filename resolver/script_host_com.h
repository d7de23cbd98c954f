// The Microsoft Script Control as the script host (Windows only).
#pragma once

#include <optional>

#include "text/text.h"

namespace quorvale {

// Runs `script` as JScript in the Script Control created from `prog_id` (a
// ProgID, or a class id in braces) and calls `function`. Nothing when no
// usable Script Control could be had: not registered, not creatable in this
// process, or refusing JScript. COM is initialised for this call only.
std::optional<Text> run_script_control(const Text& prog_id, const Text& script,
                                       const Text& function);

// The Script Control when it can be had, otherwise the built-in host. Stock
// 64-bit Windows has the Script Control only as a 32-bit component, which a
// 64-bit process cannot create.
Text run_script_with_fallback(const Text& prog_id, const Text& script, const Text& function);

}  // namespace quorvale
