// Throughput of the text operations over large texts, with glibc's memmem on
// the same bytes as the reference for the searches and a plain copy for the
// replacement. Each runs on 4 MiB and 64 MiB of ASCII and of GBK-heavy text, so
// the growth from one size to the other shows.
#include <benchmark/benchmark.h>
#include <string.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "text/text.h"

namespace quorvale {
namespace {

enum Kind : int64_t { kAscii, kGbk };

constexpr int64_t kMiB = 1 << 20;
// The reply's last member; the search markers occur only here, at the very end.
constexpr const char kTail[] = "\"size\": \"1234567\"\n}";
constexpr const char kMarker[] = "\"size\": \"";
constexpr const char kMarkerOtherCase[] = "\"SIZE\": \"";
constexpr const char kRightMarker[] = "\"\n}";

class Random {
 public:
  uint32_t next(uint32_t bound) {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return static_cast<uint32_t>(state_ >> 33) % bound;
  }

 private:
  uint64_t state_ = 1;
};

// Lines of words and JSON-like members ending in "\r\n", the kind of page the
// resolver answers with; GBK text is mostly two-byte characters, a tenth of
// them from the GBK extension whose second bytes include ASCII letters.
std::string make_text(Kind kind, int64_t size) {
  static const char* const kWords[] = {"the",  "file", "share", "link", "Download", "of",
                                       "name", "md5",  "error", "url",  "Baidu",    "a"};
  Random random;
  std::string text;
  text.reserve(static_cast<std::size_t>(size));
  const std::size_t body = static_cast<std::size_t>(size) - (sizeof kTail - 1);
  std::size_t line = 0;
  while (text.size() < body) {
    if (kind == kAscii || random.next(8) == 0) {
      text += kWords[random.next(12)];
      text += random.next(10) == 0 ? "\": \"" : " ";
    } else if (random.next(10) == 0) {
      text += static_cast<char>(0x81 + random.next(32));
      text += static_cast<char>(0x40 + random.next(63));
    } else {
      text += static_cast<char>(0xB0 + random.next(40));
      text += static_cast<char>(0xA1 + random.next(94));
    }
    if (text.size() - line > 70) {
      text += "\r\n";
      line = text.size();
    }
  }
  text.resize(body);
  return text + kTail;
}

// 0-9 repeated, or the full-width digits A3B0..A3B9 for GBK.
std::string make_digits(Kind kind, int64_t size) {
  std::string digits;
  digits.reserve(static_cast<std::size_t>(size));
  for (int i = 0; static_cast<int64_t>(digits.size()) < size; ++i) {
    if (kind == kAscii) {
      digits += static_cast<char>('0' + i % 10);
    } else {
      digits += {'\xA3', static_cast<char>(0xB0 + i % 10)};
    }
  }
  return digits;
}

// Built once per kind and size: the 64 MiB texts take a while to make.
const Text& text_of(Kind kind, int64_t size, bool digits) {
  static std::map<std::tuple<Kind, int64_t, bool>, Text> made;
  auto [at, fresh] = made.try_emplace({kind, size, digits});
  if (fresh) at->second = Text(digits ? make_digits(kind, size) : make_text(kind, size));
  return at->second;
}

const Text& input(benchmark::State& state, bool digits = false) {
  const auto kind = static_cast<Kind>(state.range(0));
  const int64_t size = state.range(1);
  state.SetLabel(std::string(kind == kAscii ? "ascii " : "gbk ") + std::to_string(size / kMiB) +
                 " MiB");
  return text_of(kind, size, digits);
}

void finish(benchmark::State& state, const Text& text) {
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.view().size()));
}

void BM_memmem(benchmark::State& state) {
  const Text& text = input(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        memmem(text.view().data(), text.view().size(), kMarker, sizeof kMarker - 1));
  }
  finish(state, text);
}

void BM_find_text(benchmark::State& state) {
  const Text& text = input(state);
  for (auto _ : state) benchmark::DoNotOptimize(find_text(text, kMarker, kAbsent, false));
  finish(state, text);
}

void BM_find_text_ignore_case(benchmark::State& state) {
  const Text& text = input(state);
  for (auto _ : state) benchmark::DoNotOptimize(find_text(text, kMarkerOtherCase, kAbsent, true));
  finish(state, text);
}

// The two searches of a marker extraction: the left marker from the start, the
// right one from just behind it.
void BM_extract_markers(benchmark::State& state) {
  const Text& text = input(state);
  const int32_t left_length = text_length(kMarker);
  for (auto _ : state) {
    const int32_t left = find_text(text, kMarker, 0, true);
    const int32_t right = find_text(text, kRightMarker, left + left_length, true);
    benchmark::DoNotOptimize(text_mid(text, left + left_length, right - left - left_length));
  }
  finish(state, text);
}

// The floor of every operation that makes a new text of this size: a copy.
// 64 MiB blocks come fresh from the system each time (above glibc's mmap
// threshold), so this also measures the first touch of their pages. To see the
// operations' own speed, keep the blocks in the heap: run with
// GLIBC_TUNABLES=glibc.malloc.mmap_threshold=1073741824:glibc.malloc.trim_threshold=2147483648
void BM_copy_text(benchmark::State& state) {
  const Text& text = input(state);
  for (auto _ : state) benchmark::DoNotOptimize(Text(text));
  finish(state, text);
}

void BM_replace_text(benchmark::State& state) {
  const Text& text = input(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(replace_text(text, "\r\n", "{$}", kAbsent, kAbsent, true));
  }
  finish(state, text);
}

void BM_text_to_int(benchmark::State& state) {
  const Text& text = input(state, true);
  for (auto _ : state) benchmark::DoNotOptimize(text_to_int(text));
  finish(state, text);
}

void sizes(benchmark::internal::Benchmark* b) {
  for (int64_t kind : {kAscii, kGbk}) {
    for (int64_t size : {4 * kMiB, 64 * kMiB}) b->Args({kind, size});
  }
  b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_memmem)->Apply(sizes);
BENCHMARK(BM_find_text)->Apply(sizes);
BENCHMARK(BM_find_text_ignore_case)->Apply(sizes);
BENCHMARK(BM_extract_markers)->Apply(sizes);
BENCHMARK(BM_copy_text)->Apply(sizes);
BENCHMARK(BM_replace_text)->Apply(sizes);
BENCHMARK(BM_text_to_int)->Apply(sizes);

}  // namespace
}  // namespace quorvale
