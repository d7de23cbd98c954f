#include "resolver/resolve_link.h"

#include "hosts.h"
#include "platform/message_box.h"
#include "resolver/decode_name.h"
#include "web/forum_pages.h"
#include "web/page_fetch.h"

namespace quorvale {

Text last_response;

namespace {

const Text kQueryPrefix = concat_text("http://", kResolverHost, "/baidu/?url=");
const Text kShareLinkWord = "baidu";
const Text kErrorTitle = "错误！";
const Text kEmptyAddress = "网址不能为空！";
const Text kForeignAddress = "网址不正确！";
const Text kQuotePlaceholder = "#引号";
const Text kQuote = "\"";

// The reply is never parsed: these byte sequences are the whole contract with
// the service. Spaces and line feeds count.
struct MarkerPair {
  Text left;
  Text right;
};
const MarkerPair kDownloadMarkers{"\"download\": \"", "\", \n  \"error\":"};
const MarkerPair kMd5Markers{"\", \n  \"md5\": \"", "\", \n  \"size\":"};
const MarkerPair kNameMarkers{"  \"name\": \"", "\", \n  \"error\":"};
const MarkerPair kSizeMarkers{"\"size\": \"", "\"\n}"};

constexpr double kBytesPerMegabyte = 1048576.0;
const Text kMegabyteSuffix = "MB";

void reject_address(const Text& message) {
  show_message_box(message, kErrorTitle, MessageKind::error);
  open_url(update_page_url);
}

Text field(const MarkerPair& markers) {
  return extract_between(last_response, markers.left, markers.right, 0, false);
}

Text size_in_megabytes(const Text& size_in_bytes) {
  const int32_t bytes = text_to_int(size_in_bytes);
  return concat_text(number_to_text(bytes / kBytesPerMegabyte), kMegabyteSuffix);
}

}  // namespace

std::optional<LinkInfo> resolve_link(const Text& address) {
  if (compare_text(address, Text{}) == 0) {
    reject_address(kEmptyAddress);
    return std::nullopt;
  }
  if (find_text(address, kShareLinkWord, kAbsent, false) == -1) {
    reject_address(kForeignAddress);
    return std::nullopt;
  }

  last_response = bytes_to_text(fetch_page(concat_text(kQueryPrefix, address)));

  LinkInfo info;
  info.download = field(kDownloadMarkers);
  info.md5 = field(kMd5Markers);
  info.name = decode_name(field(kNameMarkers));
  info.size = size_in_megabytes(field(kSizeMarkers));
  return info;
}

Text extract_between(const Text& text, const Text& left, const Text& right, int32_t start,
                     bool case_sensitive) {
  const Text left_marker = replace_text(left, kQuotePlaceholder, kQuote, kAbsent, kAbsent, true);
  const Text right_marker = replace_text(right, kQuotePlaceholder, kQuote, kAbsent, kAbsent, true);
  const bool ignore_case = !case_sensitive;

  int32_t p = find_text(text, left_marker, start, ignore_case);
  if (p != -1) p += text_length(left_marker);
  // Searched only behind the left marker; when that was missing the outcome
  // does not matter, but the search still runs from the first byte.
  const int32_t q = find_text(text, right_marker, p, ignore_case);
  if (p == -1 || q == -1) return {};
  return text_mid(text, p, q - p);
}

}  // namespace quorvale
