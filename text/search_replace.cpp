// find_text, replace_text and replace_bytes over one linear search.
//
// Rather than walking the two-byte rule over every byte, the search jumps with
// memchr to the bytes where the pattern could begin and checks the rule only
// where the whole pattern matches. The check looks back over the run of bytes
// of 0x80 or above just before the match: a position is a character start when
// that run, counted back to the last byte below 0x80 or to the scan's start
// (both followed by a character start), has an even length.
#include <algorithm>
#include <cstring>

#include "text/storage_access.h"
#include "text/text.h"

namespace quorvale {
namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

bool is_capital(unsigned char byte) { return byte >= 'A' && byte <= 'Z'; }
bool is_small(unsigned char byte) { return byte >= 'a' && byte <= 'z'; }

unsigned char fold(unsigned char byte) {
  return is_capital(byte) ? static_cast<unsigned char>(byte + 0x20) : byte;
}

// How seldom a byte is in ordinary text, to pick the byte that memchr looks for.
int rarity(unsigned char byte, bool folded) {
  if (byte == ' ' || byte >= 0x80 || is_small(byte) || (folded && is_capital(byte))) return 0;
  return 1;
}

struct Rule {
  bool two_byte;  // candidates are character starts only
  bool folded;    // ASCII letters compare equal to their other case
};

// The occurrences of one pattern, which must not be empty, in one text.
class Search {
 public:
  Search(std::string_view text, std::string_view pattern, Rule rule)
      : text_(reinterpret_cast<const unsigned char*>(text.data())),
        size_(text.size()),
        pattern_(reinterpret_cast<const unsigned char*>(pattern.data())),
        length_(pattern.size()),
        rule_(rule) {
    for (std::size_t i = 1; i < length_; ++i) {
      if (rarity(pattern_[i], rule.folded) > rarity(pattern_[anchor_], rule.folded)) anchor_ = i;
    }
    const unsigned char byte = pattern_[anchor_];
    anchor_bytes_[0] = byte;
    anchor_bytes_[1] = byte;
    if (rule.folded && is_capital(byte)) anchor_bytes_[0] = fold(byte);
    if (rule.folded && is_small(byte)) anchor_bytes_[1] = static_cast<unsigned char>(byte - 0x20);
  }

  // The offset of the first occurrence at a candidate at or after `from` (which
  // is itself a candidate), or kNotFound. Successive calls must not go back
  // (`from` never below an earlier one): they share the memchr results.
  std::size_t find(std::size_t from) {
    if (from >= size_ || size_ - from < length_) return kNotFound;
    const std::size_t end = size_ - length_ + anchor_ + 1;  // no anchor byte counts from here on
    std::size_t known_start = from;  // a character start at or before the candidates
    for (std::size_t hit = advance(from + anchor_, end); hit < end; hit = advance(hit + 1, end)) {
      const std::size_t at = hit - anchor_;
      if (!matches_at(at)) continue;
      if (!rule_.two_byte) return at;
      std::size_t run = at;
      while (run > known_start && text_[run - 1] >= 0x80) --run;
      if ((at - run) % 2 == 0) return at;
      known_start = at + 1;  // `at` is a second byte, so the next byte starts a character
    }
    return kNotFound;
  }

 private:
  std::size_t next_anchor(int which, std::size_t from, std::size_t end) const {
    if (which == 1 && anchor_bytes_[1] == anchor_bytes_[0]) return end;
    const void* hit = std::memchr(text_ + from, anchor_bytes_[which], end - from);
    return hit == nullptr
               ? end
               : static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text_);
  }

  // The next offset at or after `from` holding either anchor byte, or `end`.
  // Each of the two memchr scans is redone only once the search has passed it.
  std::size_t advance(std::size_t from, std::size_t end) {
    if (from >= end) return end;
    for (int which = 0; which < 2; ++which) {
      if (!primed_ || next_hit_[which] < from) next_hit_[which] = next_anchor(which, from, end);
    }
    primed_ = true;
    return std::min(next_hit_[0], next_hit_[1]);
  }

  bool matches_at(std::size_t at) const {
    if (!rule_.folded) return std::memcmp(text_ + at, pattern_, length_) == 0;
    for (std::size_t i = 0; i < length_; ++i) {
      if (fold(text_[at + i]) != fold(pattern_[i])) return false;
    }
    return true;
  }

  const unsigned char* text_;
  std::size_t size_;
  const unsigned char* pattern_;
  std::size_t length_;
  Rule rule_;
  std::size_t anchor_ = 0;  // the pattern byte that memchr looks for
  unsigned char anchor_bytes_[2];
  std::size_t next_hit_[2] = {0, 0};
  bool primed_ = false;
};

// Where a search or replacement begins: start - 1, or 0 when absent or below 1.
std::size_t start_offset(std::optional<int32_t> start) {
  return start.has_value() && *start > 1 ? static_cast<std::size_t>(*start) - 1 : 0;
}

// The text with up to `count` occurrences from the start on replaced, left to right
// and never overlapping. A negative count replaces nothing, like 0.
Storage replace_all(std::string_view text, std::string_view pattern, std::string_view replacement,
                    std::optional<int32_t> start, std::optional<int32_t> count, Rule rule) {
  const std::size_t from = start_offset(start);
  const bool no_limit = !count.has_value();
  if (text.empty() || pattern.empty() || from >= text.size() || (!no_limit && *count <= 0)) {
    return Storage(text);
  }
  Storage result;
  result.reserve(text.size());
  Search search(text, pattern, rule);
  std::size_t copied = 0;  // text before this offset is already in the result
  int32_t left = no_limit ? 0 : *count;
  for (std::size_t at = search.find(from); at != kNotFound; at = search.find(copied)) {
    result.append(text.substr(copied, at - copied)).append(replacement);
    copied = at + pattern.size();
    if (!no_limit && --left == 0) break;
  }
  result.append(text.substr(copied));
  return result;
}

}  // namespace

int32_t find_text(const Text& text, const Text& pattern, std::optional<int32_t> start,
                  bool ignore_case) {
  const std::size_t from = start_offset(start);
  if (from >= text.view().size()) return -1;
  if (pattern.empty()) return static_cast<int32_t>(from) + 1;
  const std::size_t at = Search(text.view(), pattern.view(), {true, ignore_case}).find(from);
  return at == kNotFound ? -1 : static_cast<int32_t>(at) + 1;
}

Text replace_text(const Text& text, const Text& pattern, const Text& replacement,
                  std::optional<int32_t> start, std::optional<int32_t> count, bool match_case) {
  return StorageAccess::text(replace_all(text.view(), pattern.view(), replacement.view(), start,
                                         count, {true, !match_case}));
}

ByteBuffer replace_bytes(const ByteBuffer& buffer, const ByteBuffer& pattern,
                         const ByteBuffer& replacement, std::optional<int32_t> start,
                         std::optional<int32_t> count) {
  return StorageAccess::buffer(
      replace_all(buffer.view(), pattern.view(), replacement.view(), start, count, {false, false}));
}

}  // namespace quorvale
