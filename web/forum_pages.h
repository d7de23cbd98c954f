// The maker's forum: its two pages, and the one way a page is shown to the user.
#pragma once

#include "platform/browser.h"
#include "platform/seam.h"
#include "text/text.h"

namespace quorvale {

extern const Text update_page_url;
extern const Text about_page_url;

inline Seam<void(const Text&)> open_url{&open_in_browser};

}  // namespace quorvale
