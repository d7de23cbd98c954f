// The UI driver of the end-to-end tests: a Win32 program run in Quorvale's Wine
// prefix and display. It reads one command a line on stdin (fields split by
// tabs, each field percent-encoded UTF-8) and answers each with one line of JSON
// on stdout. Controls of the main window are named by their place in the
// stacking order, 0 for the topmost. Mouse and keys go through SendInput, so they
// reach Quorvale's message queue the way a user's do.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "json_writer.h"

namespace {

using quorvale_e2e::Json;
using Args = std::vector<std::wstring>;

HWND main_window = nullptr;
HHOOK probe = nullptr;
HANDLE probe_answer = nullptr;
UINT probe_message = 0;

std::string error(std::string_view message) {
  return Json().add("ok", false).add_utf8("error", message).str();
}

// Retries `done` until it holds or `timeout_ms` has passed.
bool poll_until(const std::function<bool()>& done, long timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

HWND poll_for(const std::function<HWND()>& find, long timeout_ms) {
  HWND found = nullptr;
  poll_until([&] { return (found = find()) != nullptr; }, timeout_ms);
  return found;
}

std::wstring text_of(HWND window) {
  wchar_t buffer[4096] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      5000, nullptr);
  return buffer;
}

// The caption as the system keeps it: nothing is sent to a thread that may be
// busy, as Quorvale's is during its update check.
std::wstring caption_of(HWND window) {
  wchar_t buffer[4096] = {};
  GetWindowTextW(window, buffer, 4096);
  return buffer;
}

std::wstring class_of(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

DWORD process_of(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

// Visible top-level windows of Quorvale's process with this class (and title, when given).
std::vector<HWND> quorvale_windows(const std::wstring& window_class, const std::wstring* title) {
  struct Search {
    DWORD pid;
    const std::wstring& window_class;
    const std::wstring* title;
    std::vector<HWND> found;
  } search{process_of(main_window), window_class, title, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        if (IsWindowVisible(window) && process_of(window) == s.pid &&
            class_of(window) == s.window_class && (!s.title || text_of(window) == *s.title)) {
          s.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> controls() {
  std::vector<HWND> all;
  for (HWND c = GetWindow(main_window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    all.push_back(c);
  }
  return all;
}

HWND control(const std::wstring& index) {
  const std::vector<HWND> all = controls();
  const std::size_t i = std::stoul(index);
  return i < all.size() ? all[i] : nullptr;
}

// Asks the probe inside Quorvale about `window`; its answer is a JSON value.
std::string ask_probe(HWND window, WPARAM query) {
  void* view = MapViewOfFile(probe_answer, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  static_cast<char*>(view)[0] = '\0';
  SendMessageTimeoutW(window, probe_message, query, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  std::string answer = static_cast<const char*>(view);
  UnmapViewOfFile(view);
  return answer.empty() ? "null" : answer;
}

Json rect_json(Json json, const RECT& rect) {
  return json.add("left", static_cast<long long>(rect.left))
      .add("top", static_cast<long long>(rect.top))
      .add("width", static_cast<long long>(rect.right - rect.left))
      .add("height", static_cast<long long>(rect.bottom - rect.top));
}

POINT center_of(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void send_mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void send_key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

// A real left click (or two, for a double click) at a screen point.
void click_at(POINT point, int clicks) {
  SetCursorPos(point.x, point.y);
  for (int i = 0; i < clicks; ++i) {
    send_mouse(MOUSEEVENTF_LEFTDOWN);
    send_mouse(MOUSEEVENTF_LEFTUP);
  }
}

// ---- commands ----------------------------------------------------------------

// attach CAPTION-PREFIX TIMEOUT-MS [hidden]: waits for Quorvale's main window,
// visible unless "hidden" allows one not yet shown, and sets the probe hook on
// its thread.
std::string attach(const Args& a) {
  const std::wstring prefix = a.at(0);
  const bool hidden = a.size() >= 3 && a[2] == L"hidden";
  main_window = poll_for(
      [&] {
        struct Found {
          const std::wstring& prefix;
          bool hidden;
          HWND window;
        } found{prefix, hidden, nullptr};
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
              auto& f = *reinterpret_cast<Found*>(param);
              if ((f.hidden || IsWindowVisible(window)) &&
                  caption_of(window).rfind(f.prefix, 0) == 0) {
                f.window = window;
                return FALSE;
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found.window;
      },
      std::stol(a.at(1)));
  if (main_window == nullptr) return error("no window");
  if (!hidden) {
    // Input sent the moment the window shows can be lost while Wine maps it: wait
    // until its thread first waits for input.
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process_of(main_window));
    if (process != nullptr) {
      WaitForInputIdle(process, static_cast<DWORD>(std::stol(a.at(1))));
      CloseHandle(process);
    }
  }
  if (probe) UnhookWindowsHookEx(probe);
  HMODULE module = LoadLibraryW(L"quorvale_e2e_probe.dll");
  auto* hook =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "probe_hook")));
  probe = SetWindowsHookExW(WH_CALLWNDPROC, hook, module,
                            GetWindowThreadProcessId(main_window, nullptr));
  if (probe == nullptr) return error("probe hook not set");
  return Json().add("ok", true).add("pid", static_cast<long long>(process_of(main_window))).str();
}

std::string window_info(const Args&) {
  RECT outer{}, client{};
  GetWindowRect(main_window, &outer);
  GetClientRect(main_window, &client);
  POINT origin{0, 0};
  ClientToScreen(main_window, &origin);
  Json json = rect_json(Json().add("ok", true), outer);
  return json.add("caption", text_of(main_window))
      .add("class", class_of(main_window))
      .add("style", static_cast<long long>(GetWindowLongW(main_window, GWL_STYLE)))
      .add("ex_style", static_cast<long long>(GetWindowLongW(main_window, GWL_EXSTYLE)))
      .add("client_left", static_cast<long long>(origin.x))
      .add("client_top", static_cast<long long>(origin.y))
      .add("client_width", static_cast<long long>(client.right))
      .add("client_height", static_cast<long long>(client.bottom))
      .add("screen_width", static_cast<long long>(GetSystemMetrics(SM_CXSCREEN)))
      .add("screen_height", static_cast<long long>(GetSystemMetrics(SM_CYSCREEN)))
      .add("foreground", GetForegroundWindow() == main_window)
      .raw("menu_bar", ask_probe(main_window, quorvale_e2e::probe_menu_bar))
      .str();
}

// state: whether 窗口 is shown and enabled; read without a message to its thread.
std::string window_state(const Args&) {
  return Json()
      .add("ok", true)
      .add("visible", IsWindowVisible(main_window) != 0)
      .add("enabled", IsWindowEnabled(main_window) != 0)
      .str();
}

std::string controls_info(const Args&) {
  std::string list = "[";
  for (HWND c : controls()) {
    RECT rect{};
    GetWindowRect(c, &rect);
    MapWindowPoints(nullptr, main_window, reinterpret_cast<POINT*>(&rect), 2);
    list += list.size() > 1 ? "," : "";
    list += rect_json(Json(), rect)
                .add("class", class_of(c))
                .add("text", text_of(c))
                .add("style", static_cast<long long>(GetWindowLongW(c, GWL_STYLE)))
                .add("ex_style", static_cast<long long>(GetWindowLongW(c, GWL_EXSTYLE)))
                .add("visible", IsWindowVisible(c) != 0)
                .add("enabled", IsWindowEnabled(c) != 0)
                .raw("font", ask_probe(c, quorvale_e2e::probe_font))
                .raw("v6", ask_probe(c, quorvale_e2e::probe_v6))
                .str();
  }
  return Json().add("ok", true).raw("controls", list + "]").str();
}

std::string set_text(const Args& a) {
  HWND c = control(a.at(0));
  const std::wstring& text = a.at(1);
  SendMessageTimeoutW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                      5000, nullptr);
  return Json().add("ok", true).str();
}

std::string get_text(const Args& a) {
  return Json().add("ok", true).add("text", text_of(control(a.at(0)))).str();
}

// click INDEX [CLICKS [DX DY]]: real clicks at the control's centre, or DX, DY
// from its top-left corner.
std::string click(const Args& a) {
  HWND c = control(a.at(0));
  POINT point = center_of(c);
  if (a.size() >= 4) {
    point = {std::stol(a[2]), std::stol(a[3])};
    ClientToScreen(c, &point);
  }
  click_at(point, a.size() >= 2 ? std::stoi(a[1]) : 1);
  return Json()
      .add("ok", true)
      .add("x", static_cast<long long>(point.x))
      .add("y", static_cast<long long>(point.y))
      .str();
}

// post_click INDEX: BM_CLICK posted, for a button whose handler may block in a message box.
std::string post_click(const Args& a) {
  PostMessageW(control(a.at(0)), BM_CLICK, 0, 0);
  return Json().add("ok", true).str();
}

// key VK...: real key presses, one after the other; "16+9" holds the key 16
// (Shift) down while 9 (Tab) is pressed.
std::string key(const Args& a) {
  for (const std::wstring& keys : a) {
    const std::size_t plus = keys.find(L'+');
    const auto held = static_cast<WORD>(plus == std::wstring::npos ? 0 : std::stoi(keys));
    const auto vk =
        static_cast<WORD>(std::stoi(plus == std::wstring::npos ? keys : keys.substr(plus + 1)));
    if (held) send_key(held, false);
    send_key(vk, false);
    send_key(vk, true);
    if (held) send_key(held, true);
  }
  return Json().add("ok", true).str();
}

// message_box TITLE TIMEOUT-MS: the text, buttons and whether an icon shows, of
// Quorvale's message box with that title.
std::string message_box(const Args& a) {
  const std::wstring title = a.at(0);
  HWND box = poll_for(
      [&] {
        auto found = quorvale_windows(L"#32770", &title);
        return found.empty() ? nullptr : found.front();
      },
      std::stol(a.at(1)));
  if (box == nullptr) return error("no message box");
  std::wstring text;
  bool icon = false;
  for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (class_of(c) != L"Static") continue;
    if (!text_of(c).empty()) text = text_of(c);
    icon = icon || SendMessageW(c, STM_GETICON, 0, 0) != 0;
  }
  std::string buttons = "[";
  for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    if (class_of(c) == L"Button" && IsWindowVisible(c)) {
      if (buttons.size() > 1) buttons += ',';
      buttons += std::to_string(GetDlgCtrlID(c));
    }
  }
  return Json()
      .add("ok", true)
      .add("text", text)
      .add("icon", icon)
      .raw("buttons", buttons + "]")
      .str();
}

// answer TITLE BUTTON-ID: presses a button of the message box with that title.
std::string answer(const Args& a) {
  auto found = quorvale_windows(L"#32770", &a.at(0));
  if (found.empty()) return error("no message box");
  HWND button = GetDlgItem(found.front(), std::stoi(a.at(1)));
  if (button == nullptr) return error("no such button");
  PostMessageW(button, BM_CLICK, 0, 0);
  return Json().add("ok", true).str();
}

std::string count_windows(const Args& a) {
  const std::wstring* title = a.size() >= 2 ? &a[1] : nullptr;
  return Json()
      .add("ok", true)
      .add("count", static_cast<long long>(quorvale_windows(a.at(0), title).size()))
      .str();
}

// wait_gone TIMEOUT-MS: waits for the main window to be destroyed.
std::string wait_gone(const Args& a) {
  const bool gone = poll_until([] { return !IsWindow(main_window); }, std::stol(a.at(0)));
  return Json().add("ok", gone).str();
}

// focus: the place of the control that has the keyboard focus in Quorvale's
// thread, -1 for the window itself or none.
std::string focus(const Args&) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main_window, nullptr), &info);
  const std::vector<HWND> all = controls();
  long long place = -1;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] == info.hwndFocus) place = static_cast<long long>(i);
  }
  return Json()
      .add("ok", true)
      .add("control", place)
      .add("window", info.hwndFocus == main_window)
      .str();
}

// select INDEX START END: EM_SETSEL on an edit box.
std::string select_range(const Args& a) {
  SendMessageTimeoutW(control(a.at(0)), EM_SETSEL, std::stoul(a.at(1)), std::stol(a.at(2)),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
  return Json().add("ok", true).str();
}

// mouse KIND X Y: moves the cursor to the screen point, then "move" does
// nothing more, "left", "right" and "double" press and release, "wheel" turns.
std::string mouse(const Args& a) {
  const std::wstring& kind = a.at(0);
  SetCursorPos(std::stoi(a.at(1)), std::stoi(a.at(2)));
  if (kind == L"left" || kind == L"double") {
    click_at({std::stoi(a[1]), std::stoi(a[2])}, kind == L"double" ? 2 : 1);
  } else if (kind == L"right") {
    send_mouse(MOUSEEVENTF_RIGHTDOWN);
    send_mouse(MOUSEEVENTF_RIGHTUP);
  } else if (kind == L"wheel") {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
    SendInput(1, &input, sizeof input);
  } else if (kind != L"move") {
    return error("unknown mouse action");
  }
  return Json().add("ok", true).str();
}

std::string cursor(const Args&) {
  POINT point{};
  GetCursorPos(&point);
  return Json()
      .add("ok", true)
      .add("x", static_cast<long long>(point.x))
      .add("y", static_cast<long long>(point.y))
      .str();
}

// tips: Quorvale's visible tooltip windows.
std::string tips(const Args&) {
  std::string list = "[";
  for (HWND tip : quorvale_windows(L"tooltips_class32", nullptr)) {
    RECT rect{};
    GetWindowRect(tip, &rect);
    if (list.size() > 1) list += ',';
    list += rect_json(Json(), rect)
                .add("style", static_cast<long long>(GetWindowLongW(tip, GWL_STYLE)))
                .add("ex_style", static_cast<long long>(GetWindowLongW(tip, GWL_EXSTYLE)))
                .add("owned_by_main", GetWindow(tip, GW_OWNER) == main_window)
                .raw("probe", ask_probe(tip, quorvale_e2e::probe_tooltip))
                .str();
  }
  return Json().add("ok", true).raw("tips", list + "]").str();
}

// popup TIMEOUT-MS: waits for Quorvale's popup menu and gives its place and items.
std::string popup(const Args& a) {
  HWND menu = poll_for(
      [] {
        auto found = quorvale_windows(L"#32768", nullptr);
        return found.empty() ? nullptr : found.front();
      },
      std::stol(a.at(0)));
  if (menu == nullptr) return error("no popup menu");
  RECT rect{};
  GetWindowRect(menu, &rect);
  return rect_json(Json().add("ok", true), rect)
      .raw("menu", ask_probe(menu, quorvale_e2e::probe_popup))
      .str();
}

// clipboard: the CF_TEXT on the clipboard, read through the code page, and the
// clipboard's sequence number, which each change moves on.
std::string clipboard(const Args&) {
  Json json;
  json.add("ok", true).add("sequence", static_cast<long long>(GetClipboardSequenceNumber()));
  if (!OpenClipboard(nullptr)) return error("clipboard busy");
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  std::wstring text;
  if (bytes != nullptr) {
    const int wide = MultiByteToWideChar(CP_ACP, 0, bytes, -1, nullptr, 0);
    text.resize(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, bytes, -1, text.data(), wide);
    text.resize(text.size() ? text.size() - 1 : 0);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return json.add("present", bytes != nullptr).add("text", text).str();
}

// set_clipboard TEXT
std::string set_clipboard(const Args& a) {
  if (!OpenClipboard(nullptr)) return error("clipboard busy");
  EmptyClipboard();
  const std::wstring& text = a.at(0);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  return Json().add("ok", true).str();
}

// hold_clipboard / release_clipboard: keeps the clipboard open, as a busy
// program would. It opens it for a window of its own: Wine lets a second
// OpenClipboard(NULL) through while the holder's owner is NULL too.
std::string hold_clipboard(const Args&) {
  static HWND holder = CreateWindowExW(0, L"Static", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                       nullptr, nullptr, nullptr);
  return Json().add("ok", OpenClipboard(holder) != 0).str();
}

std::string release_clipboard(const Args&) { return Json().add("ok", CloseClipboard() != 0).str(); }

}  // namespace

int main() {
  probe_message = RegisterWindowMessageW(quorvale_e2e::kProbeMessage);
  probe_answer = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    quorvale_e2e::kProbeAnswerSize, quorvale_e2e::kProbeMapping);
  const std::map<std::string, std::function<std::string(const Args&)>> commands = {
      {"attach", attach},
      {"window", window_info},
      {"state", window_state},
      {"controls", controls_info},
      {"set_text", set_text},
      {"text", get_text},
      {"click", click},
      {"post_click", post_click},
      {"key", key},
      {"message_box", message_box},
      {"answer", answer},
      {"count", count_windows},
      {"wait_gone", wait_gone},
      {"focus", focus},
      {"select", select_range},
      {"mouse", mouse},
      {"cursor", cursor},
      {"tips", tips},
      {"popup", popup},
      {"clipboard", clipboard},
      {"set_clipboard", set_clipboard},
      {"hold_clipboard", hold_clipboard},
      {"release_clipboard", release_clipboard},
  };
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    Args args;
    for (std::size_t i = 1; i < fields.size(); ++i) {
      std::string bytes;
      const std::string& f = fields[i];
      for (std::size_t j = 0; j < f.size(); ++j) {
        if (f[j] == '%' && j + 2 < f.size()) {
          bytes += static_cast<char>(std::stoi(f.substr(j + 1, 2), nullptr, 16));
          j += 2;
        } else {
          bytes += f[j];
        }
      }
      args.push_back(quorvale_e2e::from_utf8(bytes));
    }
    std::string reply;
    const auto command = commands.find(fields[0]);
    if (command == commands.end()) {
      reply = error("unknown command");
    } else if (main_window == nullptr && fields[0] != "attach") {
      reply = error("not attached");
    } else {
      try {
        reply = command->second(args);
      } catch (const std::exception& e) {
        reply = error(e.what());
      }
    }
    std::cout << reply << std::endl;
  }
  if (probe) UnhookWindowsHookEx(probe);
  return 0;
}
