#include "platform/connectivity.h"

#include <windows.h>

namespace quorvale {

// Bound by name at the first call, so the program starts even where the
// library lacks the entry.
bool machine_is_online() {
  using GetConnectedState = BOOL(WINAPI*)(DWORD*, DWORD);
  static const auto get_connected_state = [] {
    HMODULE wininet = LoadLibraryA("wininet.dll");
    return wininet == nullptr ? nullptr
                              : reinterpret_cast<GetConnectedState>(reinterpret_cast<void*>(
                                    GetProcAddress(wininet, "InternetGetConnectedState")));
  }();
  if (get_connected_state == nullptr) return false;
  DWORD flags = 0;
  return get_connected_state(&flags, 0) != 0;
}

}  // namespace quorvale
