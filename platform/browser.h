// Hands a URL to the user's browser and returns at once; failures are not
// reported.
#pragma once

#include "text/text.h"

namespace quorvale {

void open_in_browser(const Text& url);

}  // namespace quorvale
