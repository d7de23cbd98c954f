#include "web/url_split.h"

#include <charconv>
#include <vector>

namespace quorvale {
namespace {

constexpr std::size_t kHostBuffer = 256;
constexpr std::size_t kUserBuffer = 128;
constexpr std::size_t kPasswordBuffer = 128;
constexpr std::size_t kPathBuffer = 2048;

bool is_white(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_alpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_scheme_char(char c) {
  return is_alpha(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if ((a[i] | 0x20) != b[i]) return false;
  }
  return true;
}

// "." and ".." segments of the path (the part before "?" or "#") resolved as
// RFC 3986 section 5.2.4 does; a ".." above the root stays at the root.
std::string resolve_dot_segments(std::string_view target) {
  const std::size_t path_end = target.find_first_of("?#");
  const std::string_view path = target.substr(0, path_end);
  std::vector<std::string_view> kept;
  std::size_t at = 1;  // the path starts with "/"
  bool ends_in_directory = false;
  while (at <= path.size()) {
    const std::size_t slash = std::min(path.find('/', at), path.size());
    const std::string_view segment = path.substr(at, slash - at);
    const bool last = slash == path.size();
    if (segment == ".") {
      ends_in_directory = last;
    } else if (segment == "..") {
      if (!kept.empty()) kept.pop_back();
      ends_in_directory = last;
    } else {
      kept.push_back(segment);
      ends_in_directory = false;
    }
    at = slash + 1;
  }
  std::string out;
  for (const auto segment : kept) {
    out += '/';
    out += segment;
  }
  if (ends_in_directory || out.empty()) out += '/';
  if (path_end != std::string_view::npos) out += target.substr(path_end);
  return out;
}

}  // namespace

std::optional<UrlParts> split_url(std::string_view url) {
  while (!url.empty() && is_white(url.back())) url.remove_suffix(1);

  const std::size_t colon = url.find(':');
  if (colon == std::string_view::npos || colon == 0 || !is_alpha(url[0])) return std::nullopt;
  for (const char c : url.substr(0, colon)) {
    if (!is_scheme_char(c)) return std::nullopt;
  }
  UrlParts parts;
  const std::string_view scheme = url.substr(0, colon);
  if (equal_ignoring_case(scheme, "http")) {
    parts.scheme = UrlScheme::http;
  } else if (equal_ignoring_case(scheme, "https")) {
    parts.scheme = UrlScheme::https;
  } else {
    return parts;
  }

  std::string_view rest = url.substr(colon + 1);
  if (rest.substr(0, 2) != "//") return std::nullopt;
  rest.remove_prefix(2);
  const std::size_t authority_end = std::min(rest.find_first_of("/?#"), rest.size());
  std::string_view authority = rest.substr(0, authority_end);
  const std::string_view target = rest.substr(authority_end);

  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
    const std::string_view user_info = authority.substr(0, at);
    const std::size_t split = user_info.find(':');
    parts.user = user_info.substr(0, split);
    if (split != std::string_view::npos) parts.password = user_info.substr(split + 1);
    authority.remove_prefix(at + 1);
  }
  // A bracketed IPv6 address keeps its brackets, as the client's split does.
  const std::size_t host_end =
      authority.starts_with('[') ? authority.find(']') + 1 : authority.find(':');
  if (host_end == 0) return std::nullopt;  // an opening bracket without its closing one
  parts.host = authority.substr(0, host_end);
  std::string_view port = host_end < authority.size() ? authority.substr(host_end) : "";
  if (!port.empty()) {
    if (port[0] != ':') return std::nullopt;
    port.remove_prefix(1);
  }
  unsigned number = 0;
  if (!port.empty()) {
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (error != std::errc{} || end != port.data() + port.size() || number > 0xFFFF) {
      return std::nullopt;
    }
  }
  // No port, or port 0, is the scheme's own.
  parts.port = static_cast<std::uint16_t>(number != 0                        ? number
                                          : parts.scheme == UrlScheme::https ? 443
                                                                             : 80);
  parts.path_with_query = resolve_dot_segments(target.starts_with('/') ? std::string(target)
                                                                       : "/" + std::string(target));

  if (parts.host.empty() || parts.host.size() >= kHostBuffer || parts.user.size() >= kUserBuffer ||
      parts.password.size() >= kPasswordBuffer || parts.path_with_query.size() >= kPathBuffer) {
    return std::nullopt;
  }
  return parts;
}

}  // namespace quorvale
