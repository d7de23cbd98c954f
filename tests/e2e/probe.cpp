// Loaded into Quorvale.exe through a WH_CALLWNDPROC hook that the driver sets on
// its thread: answers the driver's questions that only the window's own
// process can (fonts and menus are not readable from another process).
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <cstring>
#include <string>

#include "json_writer.h"

namespace {

using quorvale_e2e::Json;

std::string font_of(HWND window) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW logfont{};
  if (font == nullptr || GetObjectW(font, sizeof logfont, &logfont) == 0) {
    return Json().add("present", false).str();
  }
  return Json()
      .add("present", true)
      .add("face", logfont.lfFaceName)
      .add("height", static_cast<long long>(logfont.lfHeight))
      .add("weight", static_cast<long long>(logfont.lfWeight))
      .str();
}

// Messages that only the version 6 controls know; the older ones answer 0.
std::string v6_of(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  bool v6 = false;
  if (lstrcmpiW(name, L"Button") == 0) {
    SIZE size{};
    v6 = SendMessageW(window, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)) != 0;
  } else if (lstrcmpiW(name, L"Edit") == 0) {
    v6 = SendMessageW(window, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"")) != 0;
  }
  return Json().add("v6", v6).str();
}

std::string items_of(HMENU menu, HWND owner) {
  std::string items = "[";
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 127;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    RECT rect{};
    if (owner) GetMenuItemRect(owner, menu, static_cast<UINT>(i), &rect);
    items += (i ? "," : "");
    items += Json()
                 .add("text", text)
                 .add("separator", (info.fType & MFT_SEPARATOR) != 0)
                 .add("disabled", (info.fState & MFS_DISABLED) != 0)
                 .add("checked", (info.fState & MFS_CHECKED) != 0)
                 .add("submenu", info.hSubMenu != nullptr)
                 .add("left", static_cast<long long>(rect.left))
                 .add("top", static_cast<long long>(rect.top))
                 .add("right", static_cast<long long>(rect.right))
                 .add("bottom", static_cast<long long>(rect.bottom))
                 .str();
  }
  return items + "]";
}

std::string popup_of(HWND popup_window) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup_window, MN_GETHMENU, 0, 0));
  // GetMenuItemRect wants the menu's owner only for a menu bar; for a popup any window will do.
  return Json().raw("items", items_of(menu, popup_window)).str();
}

std::string menu_bar_of(HWND window) {
  HMENU bar = GetMenu(window);
  return Json().add("present", bar != nullptr).raw("items", items_of(bar, window)).str();
}

std::string tooltip_of(HWND tooltip) {
  std::string tools = "[";
  const auto count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool));
    tools += (i ? "," : "");
    tools += Json()
                 .add("text", text)
                 .add("track", (tool.uFlags & TTF_TRACK) != 0)
                 .add("absolute", (tool.uFlags & TTF_ABSOLUTE) != 0)
                 .str();
  }
  return Json().raw("tools", tools + "]").raw("font", font_of(tooltip)).str();
}

void write_answer(const std::string& answer) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, quorvale_e2e::kProbeMapping);
  if (mapping == nullptr) return;
  if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, quorvale_e2e::kProbeAnswerSize)) {
    const std::size_t n = answer.size() < quorvale_e2e::kProbeAnswerSize - 1
                              ? answer.size()
                              : quorvale_e2e::kProbeAnswerSize - 1;
    std::memcpy(view, answer.data(), n);
    static_cast<char*>(view)[n] = '\0';
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    probe_hook(int code, WPARAM wparam, LPARAM lparam) {
  static const UINT probe_message = RegisterWindowMessageW(quorvale_e2e::kProbeMessage);
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && call->message == probe_message) {
    switch (call->wParam) {
      case quorvale_e2e::probe_font:
        write_answer(font_of(call->hwnd));
        break;
      case quorvale_e2e::probe_v6:
        write_answer(v6_of(call->hwnd));
        break;
      case quorvale_e2e::probe_popup:
        write_answer(popup_of(call->hwnd));
        break;
      case quorvale_e2e::probe_menu_bar:
        write_answer(menu_bar_of(call->hwnd));
        break;
      case quorvale_e2e::probe_tooltip:
        write_answer(tooltip_of(call->hwnd));
        break;
      default:
        break;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
