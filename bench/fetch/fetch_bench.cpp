// fetch_page streaming a 256 MiB body from the loopback fixture server, against
// a reference client on the same server in the same run: curl natively, a bare
// WinINet loop with 1 MiB reads under Wine. Every run is a process of its own,
// so that the peak memory it reports is its own.
//   fetch_bench [RUNS]          best of RUNS (default 3) for each case
//   fetch_bench --one KIND URL  one run of KIND ("fetch", "reference" or "floor");
//                               prints "<seconds> <resident bytes before> <peak bytes>"
// The floor is the cost of writing the body's size of fresh memory once, which
// every client that keeps the body pays and one that drops it does not.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/fetch/bench_process.h"
#include "tests/fixtures/fixture_server.h"
#include "text/text.h"
#include "web/page_fetch.h"

namespace quorvale {
namespace {

constexpr std::int64_t kBodySize = std::int64_t{256} << 20;

// Where the floor's block goes, so that writing it cannot be left out.
void* volatile fresh_memory = nullptr;

struct Run {
  double seconds = 0;
  double baseline = 0;  // bytes resident before the transfer
  double peak = 0;      // the process's peak resident bytes
};

int run_one(const std::string& kind, const std::string& url) {
  Run run;
  run.baseline = static_cast<double>(bench_process::resident_bytes());
  if (kind == "fetch") {
    const double started = bench_process::now_seconds();
    const ByteBuffer body = fetch_page(Text(url));
    run.seconds = bench_process::now_seconds() - started;
    if (body.size() != kBodySize) {
      std::fprintf(stderr, "fetch_page gave %d bytes\n", body.size());
      return 1;
    }
  } else if (kind == "floor") {
    const double started = bench_process::now_seconds();
    fresh_memory = std::malloc(kBodySize);
    if (fresh_memory == nullptr) return 1;
    std::memset(fresh_memory, 1, kBodySize);
    run.seconds = bench_process::now_seconds() - started;
  } else {
    run.seconds = bench_process::reference_seconds(url);
    if (run.seconds <= 0) return 1;
  }
  run.peak = static_cast<double>(bench_process::peak_resident_bytes());
  std::printf("%.6f %.0f %.0f\n", run.seconds, run.baseline, run.peak);
  return 0;
}

// The fastest of runs, each in a new process.
Run best_of(int runs, const std::string& kind, const std::string& url) {
  Run best;
  for (int i = 0; i < runs; ++i) {
    Run run;
    const std::string out = bench_process::run_self({"--one", kind, url});
    if (std::sscanf(out.c_str(), "%lf %lf %lf", &run.seconds, &run.baseline, &run.peak) != 3) {
      std::fprintf(stderr, "run of %s failed: %s\n", kind.c_str(), out.c_str());
      std::exit(1);
    }
    if (best.seconds == 0 || run.seconds < best.seconds) best = run;
  }
  return best;
}

// The peak is shown for fetch_page only: the other rows run in another process
// or measure no transfer.
void print_row(const char* what, const char* announced, const Run& run, const Run& reference) {
  const double mib = static_cast<double>(kBodySize) / (1 << 20);
  std::printf("%-10s %-11s %9.0f %8.2f", what, announced, mib / run.seconds,
              reference.seconds / run.seconds);
  if (std::strcmp(what, "fetch_page") == 0) {
    std::printf(" %9.2f (%.2f)", (run.peak - run.baseline) / static_cast<double>(kBodySize),
                run.peak / static_cast<double>(kBodySize));
  }
  std::printf("\n");
}

int run_all(int runs) {
  FixtureServer server;
  std::printf(
      "reference: %s; %lld MiB from 127.0.0.1; best of %d runs, each a process of its own\n",
      bench_process::kReferenceName, static_cast<long long>(kBodySize >> 20), runs);
  std::printf("%-22s %9s %8s %s\n", "case", "MiB/s", "vs ref", "peak/body: growth (whole)");
  Run reference_with_length;
  for (const char* length : {"", "&length=none"}) {
    const std::string url = server.url("/gen?size=" + std::to_string(kBodySize) + length);
    best_of(1, "reference", url);  // the server makes its body once, on the first request
    const Run reference = best_of(runs, "reference", url);
    const char* announced = *length ? "no length" : "with length";
    print_row("reference", announced, reference, reference);
    print_row("fetch_page", announced, best_of(runs, "fetch", url), reference);
    if (!*length) reference_with_length = reference;
  }
  print_row("floor", "", best_of(runs, "floor", ""), reference_with_length);
  return 0;
}

}  // namespace
}  // namespace quorvale

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--one") {
    return quorvale::run_one(argv[2], argc > 3 ? argv[3] : "");
  }
  // Google Benchmark's flags, which scripts/bench.sh hands every program, leave the default.
  const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
  return quorvale::run_all(runs > 0 ? runs : 3);
}
