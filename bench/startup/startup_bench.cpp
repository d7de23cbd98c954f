// Start-up benchmark under Wine: the time from CreateProcess to the first
// visible top-level window of the new process, for each program given, runs
// taken in turns so that all see the same machine state. Prints the median of
// each and its ratio to the last program's (the reference).
//   startup_bench.exe RUNS PROGRAM... REFERENCE
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD pid;
  HWND found;
};

HWND visible_window_of(DWORD pid) {
  Search search{pid, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s.pid && IsWindowVisible(window)) {
          s.found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

double seconds_since(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

bool is_message_box(HWND window) {
  char name[8] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

// One start: seconds to the visible window (negative when none came, or when a
// message box came first: a prompt is not the window), then the window is
// closed and the process waited for.
double time_one_start(const std::string& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + program + "\"";
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  double elapsed = -1;
  HWND window = nullptr;
  while (seconds_since(start) < 30) {
    if ((window = visible_window_of(process.dwProcessId)) != nullptr) {
      if (!is_message_box(window)) elapsed = seconds_since(start);
      break;
    }
    Sleep(1);
  }
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM... REFERENCE\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const std::vector<std::string> programs(argv + 2, argv + argc);
  std::vector<std::vector<double>> times(programs.size());
  for (const std::string& program : programs) time_one_start(program);  // warm the caches
  for (int run = 0; run < runs; ++run) {
    for (std::size_t i = 0; i < programs.size(); ++i) {
      const double t = time_one_start(programs[i]);
      if (t < 0) {
        std::fprintf(stderr, "%s showed no window, or a message box first\n", programs[i].c_str());
        return 1;
      }
      times[i].push_back(t);
    }
  }
  const double reference = median(times.back());
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const double m = median(times[i]);
    std::printf("%-40s median %7.1f ms  min %7.1f ms  %.2fx the reference\n",
                programs[i].substr(programs[i].find_last_of("\\/") + 1).c_str(), m * 1000,
                *std::min_element(times[i].begin(), times[i].end()) * 1000, m / reference);
  }
  return 0;
}
