// The resolve command: a share link in, the four display values out.
#pragma once

#include <cstdint>
#include <optional>

#include "text/text.h"

namespace quorvale {

struct LinkInfo {
  Text download;
  Text md5;
  Text name;
  Text size;
};

// The latest reply of the resolver service; released when the program ends.
extern Text last_response;

// Nothing when an input check stopped the command (after its message box and
// the update page); otherwise every field, each possibly empty.
std::optional<LinkInfo> resolve_link(const Text& address);

// The bytes between the first `left` from `start` on and the first `right`
// behind it; empty when either is missing. "#引号" in a marker stands for '"'.
Text extract_between(const Text& text, const Text& left, const Text& right, int32_t start,
                     bool case_sensitive);

}  // namespace quorvale
