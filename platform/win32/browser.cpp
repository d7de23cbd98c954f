#include "platform/browser.h"

#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs

namespace quorvale {

void open_in_browser(const Text& url) {
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  ShellExecuteA(owner, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quorvale
