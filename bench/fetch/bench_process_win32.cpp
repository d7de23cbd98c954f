#include <windows.h>  // before the headers that build on it

#include <psapi.h>
#include <wininet.h>

#include <cstdio>
#include <vector>

#include "bench/fetch/bench_process.h"

namespace quorvale::bench_process {
namespace {

PROCESS_MEMORY_COUNTERS memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

}  // namespace

const char kReferenceName[] = "bare WinINet loop, 1 MiB reads";

double now_seconds() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::size_t resident_bytes() { return memory().WorkingSetSize; }
std::size_t peak_resident_bytes() { return memory().PeakWorkingSetSize; }

std::string run_self(const std::vector<std::string>& args) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"\"";
  command.append(self).append("\"");
  for (const auto& a : args) command.append(" \"").append(a).append("\"");
  command.append("\"");  // cmd /c drops the outermost quotes
  std::string out;
  if (FILE* pipe = _popen(command.c_str(), "r")) {
    char piece[4096];
    for (std::size_t n; (n = std::fread(piece, 1, sizeof piece, pipe)) > 0;) out.append(piece, n);
    _pclose(pipe);
  }
  return out;
}

// The plainest WinINet GET there is: the body read in 1 MiB pieces and dropped.
double reference_seconds(const std::string& url) {
  const double started = now_seconds();
  HINTERNET root = InternetOpenA("bench", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET request = InternetOpenUrlA(root, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
  std::vector<char> piece(1 << 20);
  std::size_t total = 0;
  DWORD got = 0;
  while (request &&
         InternetReadFile(request, piece.data(), static_cast<DWORD>(piece.size()), &got) &&
         got > 0) {
    total += got;
  }
  const double seconds = now_seconds() - started;
  if (request) InternetCloseHandle(request);
  if (root) InternetCloseHandle(root);
  return total > 0 ? seconds : 0;
}

}  // namespace quorvale::bench_process
