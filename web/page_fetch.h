// One HTTP GET, waited for to its end. The body comes back whatever the status;
// every failure gives the empty buffer.
#pragma once

#include "platform/seam.h"
#include "text/text.h"

namespace quorvale {

// The real fetch: WinINet on Windows, libcurl elsewhere.
ByteBuffer fetch_page_from_server(const Text& url);

inline Seam<ByteBuffer(const Text&)> fetch_page{&fetch_page_from_server};

}  // namespace quorvale
