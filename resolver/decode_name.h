// The file name as the resolver service escapes it ("\u4e2d", "\/", ...) turned
// into the text shown in the name box. Empty when the script host fails.
#pragma once

#include "text/text.h"

namespace quorvale {

Text decode_name(const Text& raw_name);

}  // namespace quorvale
