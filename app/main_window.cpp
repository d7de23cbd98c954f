#include "app/main_window.h"

#include "app/controls.h"
#include "app/handlers.h"
#include "app/link_copy.h"
#include "app/menu.h"

namespace quorvale {

HWND 窗口 = nullptr;

namespace {

constexpr char kWindowClass[] = "QuorvaleMainWindow";
constexpr char kCaption[] = "Quorvale百度网盘下载地址解析V2.3";
constexpr int kWidth = 380;
constexpr int kHeight = 250;
// A fixed dialog frame with a caption bar, and no system menu: no icon and no
// close, minimise or maximise button in the bar.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kIconResource = 1;

// Labels draw transparently on the button face; edit boxes, the read-only one
// included, keep black text on white.
LRESULT color_control(HDC dc, bool label) {
  SetTextColor(dc, RGB(0, 0, 0));
  if (label) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

bool is_edit_box(HWND control) {
  char name[8] = {};
  GetClassNameA(control, name, sizeof name);
  return lstrcmpiA(name, "Edit") == 0;
}

void on_command(HWND source, WORD notification, WORD id) {
  if (source == nullptr) {
    run_menu_command(id);
  } else if (source == control_handle(Control::按钮1) && notification == BN_CLICKED) {
    handle_resolve_click();
  }
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      on_command(reinterpret_cast<HWND>(lparam), HIWORD(wparam), LOWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return color_control(reinterpret_cast<HDC>(wparam),
                           !is_edit_box(reinterpret_cast<HWND>(lparam)));
    case WM_CTLCOLOREDIT:
      return color_control(reinterpret_cast<HDC>(wparam), false);
    case WM_DESTROY:
      窗口 = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

bool register_window_class(HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = main_window_proc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kWindowClass;
  return RegisterClassExA(&window_class) != 0;
}

// Esc closes the window from any of its controls, and Tab moves the focus:
// there is no dialog manager to do either. True when the key was used here.
bool take_window_key(const MSG& message) {
  if (message.message != WM_KEYDOWN || 窗口 == nullptr) return false;
  if (message.hwnd != 窗口 && !IsChild(窗口, message.hwnd)) return false;
  if (message.wParam == VK_ESCAPE) {
    SendMessageA(窗口, WM_CLOSE, 0, 0);
    return true;
  }
  if (message.wParam == VK_TAB) {
    SetFocus(next_tab_stop(GetFocus(), GetKeyState(VK_SHIFT) < 0));
    return true;
  }
  return false;
}

// The left-button events of 编辑框2 and 标签3, raised as the press is taken from
// the queue; the press then goes on to the control as usual.
void raise_press_event(const MSG& message) {
  if (message.message != WM_LBUTTONDOWN) return;
  if (message.hwnd == control_handle(Control::编辑框2)) {
    copy_download_link();
  } else if (message.hwnd == control_handle(Control::标签3)) {
    show_version_menu();
  }
}

}  // namespace

bool load_main_window() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!register_window_class(instance)) return false;
  // Centred on the full screen, not the work area.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  窗口 = CreateWindowExA(kExStyle, kWindowClass, kCaption, kStyle, left, top, kWidth, kHeight,
                         nullptr, build_menu_bar(), instance, nullptr);
  if (窗口 == nullptr) return false;
  SetWindowPos(窗口, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!create_controls(窗口)) {
    DestroyWindow(窗口);
    return false;
  }
  for (std::size_t i = 0; i < kControlCount; ++i) {
    ShowWindow(control_handle(static_cast<Control>(i)), SW_SHOWNA);
  }
  prepare_main_window();
  if (窗口 != nullptr) {
    ShowWindow(窗口, SW_SHOWNORMAL);
    UpdateWindow(窗口);
  }
  return true;
}

void run_message_loop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (take_window_key(message)) continue;
    raise_press_event(message);
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace quorvale
