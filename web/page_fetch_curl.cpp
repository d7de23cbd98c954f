// fetch_page through libcurl, where WinINet is missing. The URL is split by
// split_url so that the same URLs pass and fail as under Windows; curl gets
// the target as it must go out, with PATH_AS_IS so it changes nothing in it.
#include <curl/curl.h>

#include <string>

#include "web/body_accumulator.h"
#include "web/fetch_rules.h"
#include "web/page_fetch.h"
#include "web/url_split.h"

namespace quorvale {
namespace {

// The counterpart of WinINet's root handle: one easy handle for the whole
// process, so connections, DNS answers and cookies carry over between fetches.
// Made, with the options every fetch shares, by the first fetch that needs it;
// retried while making it fails; cleaned up when the program ends.
class InternetHandle {
 public:
  ~InternetHandle() { release(); }

  CURL* get() {
    if (handle_ == nullptr && curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {
      handle_ = curl_easy_init();
      headers_ = curl_slist_append(nullptr, "Accept: */*");
      if (handle_ == nullptr || headers_ == nullptr) {
        release();
      } else {
        set_shared_options();
      }
    }
    return handle_;
  }

 private:
  void set_shared_options() const {
    const long timeout = long{kFetchTimeoutSeconds};
    curl_easy_setopt(handle_, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(handle_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle_, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(handle_, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(handle_, CURLOPT_HTTPHEADER, headers_);
    curl_easy_setopt(handle_, CURLOPT_FOLLOWLOCATION, 1L);
    // Cookies in memory, kept like WinINet's for the life of the process.
    curl_easy_setopt(handle_, CURLOPT_COOKIEFILE, "");
    // curl reads into one buffer whose size is fixed before the reply's length
    // is known: the largest read piece.
    curl_easy_setopt(handle_, CURLOPT_BUFFERSIZE, long{kLargestReadPiece});
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT, timeout);
    // Sending or receiving: less than a byte a second for that long gives up.
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, timeout);
    curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &keep_piece);
  }

  void release() {
    if (handle_ == nullptr && headers_ == nullptr) return;
    curl_easy_cleanup(handle_);
    curl_slist_free_all(headers_);
    curl_global_cleanup();
    handle_ = nullptr;
    headers_ = nullptr;
  }

  static std::size_t keep_piece(char* data, std::size_t /*size*/, std::size_t n, void* body) {
    const bool kept = static_cast<BodyAccumulator*>(body)->append(
        {reinterpret_cast<const unsigned char*>(data), n});
    return kept ? n : 0;  // 0 makes curl give up on the rest
  }

  CURL* handle_ = nullptr;
  curl_slist* headers_ = nullptr;
};

InternetHandle internet_handle;

const char* or_null(const std::string& part) { return part.empty() ? nullptr : part.c_str(); }

}  // namespace

ByteBuffer fetch_page_from_server(const Text& url) {
  if (url.empty()) return {};
  const auto parts = split_url(url.view());
  if (!parts || parts->scheme == UrlScheme::other) return {};
  CURL* curl = internet_handle.get();
  if (curl == nullptr) return {};

  const std::string address = (parts->scheme == UrlScheme::https ? "https://" : "http://") +
                              parts->host + ":" + std::to_string(parts->port) +
                              request_target(parts->path_with_query);
  BodyAccumulator body;
  curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
  curl_easy_setopt(curl, CURLOPT_USERNAME, or_null(parts->user));
  curl_easy_setopt(curl, CURLOPT_PASSWORD, or_null(parts->password));
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  // The outcome does not matter: whatever arrived before a failure is the body.
  curl_easy_perform(curl);
  return body.take();
}

}  // namespace quorvale
