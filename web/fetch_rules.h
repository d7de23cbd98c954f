// What both HTTP clients of fetch_page share: the request's fixed texts, the
// time-out, the safe form of the request target and the read-piece rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvale {

inline constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// Connecting, sending and receiving each give up after this many seconds, so
// that a stalled server cannot freeze the window for minutes. (No <chrono>:
// GCC 12's cannot be compiled with a GBK execution charset.)
inline constexpr int kFetchTimeoutSeconds = 15;

// Read pieces: with an announced length, that length + 1 up to the largest;
// without one, the default.
inline constexpr std::uint32_t kLargestReadPiece = 102400;
inline constexpr std::uint32_t kDefaultReadPiece = 10240;

// The path with query as it goes on the wire: cut before the first "#" (the
// fragment is the browser's), and every byte below 0x21 or of 0x7F as %XX, so
// that no CR or LF from a pasted link can end the request line or add a header.
// Every other byte goes out as typed.
std::string request_target(std::string_view path_with_query);

// The announced length, read as Content-Length text is read: 0 when there is
// none, or it is not above 0.
std::uint32_t announced_size(std::optional<std::string_view> content_length);

// The piece for an announced length given as text (nothing when the reply has
// no Content-Length).
std::uint32_t read_piece_size(std::optional<std::string_view> content_length);

}  // namespace quorvale
