// A resolve's outcome as four strings, so one assertion shows every field.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "resolver/resolve_link.h"

namespace quorvale {

inline std::array<std::string, 4> link_fields(const std::optional<LinkInfo>& info) {
  if (!info) return {"(nothing)", "", "", ""};
  return {std::string(info->download.view()), std::string(info->md5.view()),
          std::string(info->name.view()), std::string(info->size.view())};
}

}  // namespace quorvale
