// A URL taken apart the way the Windows internet client does it (canonical form
// without escaping, then the split into fixed-size parts), for the HTTP client
// that has no such calls, so that both builds accept and refuse the same URLs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvale {

enum class UrlScheme { http, https, other };

struct UrlParts {
  UrlScheme scheme = UrlScheme::other;
  std::string host;
  std::uint16_t port = 0;
  std::string user;
  std::string password;
  std::string path_with_query;  // "." and ".." segments resolved; the fragment still on
};

// Nothing when the URL has no scheme, is malformed, or has a part too long for
// the client's buffer (terminator included: host 256, user name and password
// 128, path with query 2048). For a scheme other than http and https only the
// scheme is filled in.
std::optional<UrlParts> split_url(std::string_view url);

}  // namespace quorvale
