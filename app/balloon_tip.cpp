#include "app/balloon_tip.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include "app/main_window.h"
#include "app/owned_font.h"

namespace quorvale {
namespace {

constexpr UINT_PTR kTool = 1;
constexpr int kFontPoints = 9;

HWND 气球提示框1 = nullptr;
HHOOK input_hook = nullptr;

bool face_exists(const char* face) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(
      screen, &wanted,
      [](const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found_flag) -> int {
        *reinterpret_cast<bool*>(found_flag) = true;
        return 0;  // one is enough
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// 9-point "宋体", or Verdana where that face is missing.
HFONT tip_font() {
  static const OwnedFont font = [] {
    HDC screen = GetDC(nullptr);
    const int height = MulDiv(kFontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return make_font(height, FW_NORMAL, face_exists("宋体") ? "宋体" : "Verdana");
  }();
  return font.get();
}

TTTOOLINFOA tool_info(const Text* text) {
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = 窗口;
  tool.uId = kTool;
  tool.lpszText = text ? const_cast<char*>(text->c_str()) : nullptr;
  return tool;
}

// Made at its first use: a top-most popup owned by 窗口, so it has no task-bar entry.
HWND tip_window() {
  if (气球提示框1 != nullptr) return 气球提示框1;
  气球提示框1 = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 窗口,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  if (气球提示框1 == nullptr) return nullptr;
  const Text empty;
  TTTOOLINFOA tool = tool_info(&empty);
  SendMessageA(气球提示框1, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(气球提示框1, WM_SETFONT, reinterpret_cast<WPARAM>(tip_font()), FALSE);
  SendMessageA(气球提示框1, TTM_SETTIPTEXTCOLOR, RGB(0, 0, 0), 0);
  return 气球提示框1;
}

bool hides_tip(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_NCXBUTTONDOWN:
    case WM_NCXBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return true;
    default:
      return false;
  }
}

void hide_tip() {
  TTTOOLINFOA tool = tool_info(nullptr);
  SendMessageA(气球提示框1, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  UnhookWindowsHookEx(input_hook);
  input_hook = nullptr;
}

// Sees each message as the thread takes it from its queue, before it is handled.
LRESULT CALLBACK watch_input(int code, WPARAM removal, LPARAM message) {
  const auto* taken = reinterpret_cast<const MSG*>(message);
  const bool hide = code == HC_ACTION && removal == PM_REMOVE && hides_tip(taken->message);
  const LRESULT result = CallNextHookEx(nullptr, code, removal, message);
  if (hide) hide_tip();
  return result;
}

}  // namespace

void show_balloon_tip(int x, int y, const Text& text) {
  HWND tip = tip_window();
  if (tip == nullptr) return;
  TTTOOLINFOA tool = tool_info(&text);
  SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
  SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  if (input_hook == nullptr) {
    input_hook = SetWindowsHookExA(WH_GETMESSAGE, watch_input, nullptr, GetCurrentThreadId());
  }
}

}  // namespace quorvale
