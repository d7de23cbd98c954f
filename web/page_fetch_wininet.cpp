// fetch_page through WinINet, call for call as the Windows build makes it.
#include <windows.h>
#include <wininet.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "web/body_accumulator.h"
#include "web/fetch_rules.h"
#include "web/page_fetch.h"

namespace quorvale {
namespace {

constexpr DWORD kCanonicalBuffer = 2084;
constexpr DWORD kHostBuffer = 256;
constexpr DWORD kUserBuffer = 128;
constexpr DWORD kPasswordBuffer = 128;
constexpr DWORD kPathBuffer = 2048;
constexpr DWORD kLengthBuffer = 32;
// INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE: from the server, never stored.
constexpr DWORD kHttpFlags = 0x84000000;
constexpr DWORD kHttpsFlags = kHttpFlags | INTERNET_FLAG_SECURE;
constexpr char kAcceptEntry[] = "Accept: */* \r\n";
constexpr char kSendHeaders[] = "Accept: */*\r\n\r\n";
constexpr DWORD kSendHeadersLength = sizeof kSendHeaders - 1;  // 15

class Handle {
 public:
  explicit Handle(HINTERNET handle = nullptr) : handle_(handle) {}
  ~Handle() {
    if (handle_ != nullptr) InternetCloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  void reset(HINTERNET handle) {
    if (handle_ != nullptr) InternetCloseHandle(handle_);
    handle_ = handle;
  }
  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HINTERNET handle_;
};

// The root handle for the whole process, closed when the program ends.
Handle internet_handle;

// The canonical form, or nothing. One spare zero byte stays behind the buffer
// the call is told of: Wine's A form leaves its result unterminated when the
// URL holds two-byte characters.
std::optional<std::vector<char>> canonical_form(const Text& url) {
  std::vector<char> buffer(kCanonicalBuffer + 1, '\0');
  DWORD size = kCanonicalBuffer;
  if (InternetCanonicalizeUrlA(url.c_str(), buffer.data(), &size, ICU_NO_ENCODE)) return buffer;
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  buffer.assign(size + 1, '\0');
  if (InternetCanonicalizeUrlA(url.c_str(), buffer.data(), &size, ICU_NO_ENCODE)) return buffer;
  return std::nullopt;
}

// On the connection handle, which the request inherits them from: Wine takes
// no send or receive time-out from the root handle.
void set_timeouts(HINTERNET connection) {
  DWORD timeout_ms = DWORD{kFetchTimeoutSeconds * 1000};
  for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionA(connection, option, &timeout_ms, sizeof timeout_ms);
  }
}

void read_body(HINTERNET request, DWORD piece, BodyAccumulator& body) {
  for (;;) {
    const auto room = body.room(piece);
    if (room.empty()) return;
    DWORD got = 0;
    if (!InternetReadFile(request, room.data(), piece, &got) || got == 0) return;
    body.commit(got);
  }
}

}  // namespace

ByteBuffer fetch_page_from_server(const Text& url) {
  if (url.empty()) return {};
  const auto canonical = canonical_form(url);
  if (!canonical) return {};

  char host[kHostBuffer] = {};
  char user[kUserBuffer] = {};
  char password[kPasswordBuffer] = {};
  char path[kPathBuffer] = {};
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = kHostBuffer;
  parts.lpszUserName = user;
  parts.dwUserNameLength = kUserBuffer;
  parts.lpszPassword = password;
  parts.dwPasswordLength = kPasswordBuffer;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = kPathBuffer;
  if (!InternetCrackUrlA(canonical->data(), 0, 0, &parts)) return {};

  DWORD flags = 0;
  if (parts.nScheme == INTERNET_SCHEME_HTTP) {
    flags = kHttpFlags;
  } else if (parts.nScheme == INTERNET_SCHEME_HTTPS) {
    flags = kHttpsFlags;
  } else {
    return {};
  }

  if (!internet_handle) {
    internet_handle.reset(
        InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!internet_handle) return {};
  }

  // Declared before the request, so closed after it.
  const Handle connection(InternetConnectA(internet_handle.get(), host, parts.nPort, user, password,
                                           INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  set_timeouts(connection.get());

  INTERNET_PROXY_INFO proxy = {INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr};
  InternetSetOptionA(internet_handle.get(), INTERNET_OPTION_PROXY, &proxy, sizeof proxy);
  char no_proxy_login[] = "";
  InternetSetOptionA(connection.get(), INTERNET_OPTION_PROXY_USERNAME, no_proxy_login, 1);
  InternetSetOptionA(connection.get(), INTERNET_OPTION_PROXY_PASSWORD, no_proxy_login, 1);

  const std::string target = request_target(path);
  const char* accept_types[] = {kAcceptEntry, nullptr};
  const Handle request(HttpOpenRequestA(connection.get(), "GET", target.c_str(), "HTTP/1.0",
                                        nullptr, accept_types, flags, 0));
  if (!request) return {};
  if (!HttpSendRequestA(request.get(), kSendHeaders, kSendHeadersLength, nullptr, 0)) return {};

  char length[kLengthBuffer] = {};
  DWORD length_size = kLengthBuffer;
  const bool announced =
      HttpQueryInfoA(request.get(), HTTP_QUERY_CONTENT_LENGTH, length, &length_size, nullptr);
  const auto content_length = announced ? std::optional<std::string_view>(length) : std::nullopt;
  const DWORD piece = read_piece_size(content_length);

  BodyAccumulator body;
  // The body, and room for the read that finds its end.
  body.reserve(std::size_t{announced_size(content_length)} + piece);
  read_body(request.get(), piece, body);
  return body.take();
}

}  // namespace quorvale
