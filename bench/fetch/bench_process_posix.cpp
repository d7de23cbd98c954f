#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bench/fetch/bench_process.h"

namespace quorvale::bench_process {
namespace {

std::string output_of(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char piece[4096];
    for (std::size_t n; (n = std::fread(piece, 1, sizeof piece, pipe)) > 0;) out.append(piece, n);
    pclose(pipe);
  }
  return out;
}

}  // namespace

const char kReferenceName[] = "curl -s -o /dev/null";

double now_seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::size_t resident_bytes() {
  std::size_t pages = 0;
  std::size_t resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

std::size_t peak_resident_bytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

std::string run_self(const std::vector<std::string>& args) {
  char self[4096] = {};
  if (readlink("/proc/self/exe", self, sizeof self - 1) < 0) return {};
  std::string command = std::string("'") + self + "'";
  for (const auto& a : args) command.append(" '").append(a).append("'");
  return output_of(command);
}

// curl's own measure of the transfer, without its start-up.
double reference_seconds(const std::string& url) {
  return std::atof(output_of("curl -s -o /dev/null -w '%{time_total}' '" + url + "'").c_str());
}

}  // namespace quorvale::bench_process
