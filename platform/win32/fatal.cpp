#include "platform/fatal.h"

#include <windows.h>

#include <cstdio>

namespace quorvale {

void report_out_of_memory(std::size_t bytes) {
  // Formatted into a fixed buffer: the heap is what just failed.
  char message[128];
  std::snprintf(message, sizeof message, "内存不足：无法分配 %llu 字节。",
                static_cast<unsigned long long>(bytes));
  MessageBoxA(nullptr, message, "错误！", MB_ICONHAND | MB_TASKMODAL);
  ExitProcess(static_cast<UINT>(-1));
}

}  // namespace quorvale
