#include "app/controls.h"

#include <array>

#include "app/owned_font.h"

namespace quorvale {
namespace {

enum class ControlKind { label, edit_box, read_only_edit_box, push_button };
enum class FontKind { default_gui, version_label, button };

struct ControlSpec {
  Control name;
  ControlKind kind;
  int left, top, width, height;
  const char* text;
  DWORD align;  // SS_* for labels, 0 for the others
  FontKind font;
};

constexpr ControlSpec kControls[] = {
    {Control::标签3, ControlKind::label, 328, -3, 53, 23, "V2.3", SS_LEFT, FontKind::version_label},
    {Control::标签6, ControlKind::label, 8, 93, 53, 23, "大小：", SS_CENTER, FontKind::default_gui},
    {Control::标签5, ControlKind::label, 8, 63, 53, 23, "名称：", SS_CENTER, FontKind::default_gui},
    {Control::标签4, ControlKind::label, 8, 128, 53, 23, "MD5：", SS_CENTER, FontKind::default_gui},
    {Control::标签2, ControlKind::label, 8, 158, 53, 23, "下载：", SS_CENTER,
     FontKind::default_gui},
    {Control::标签1, ControlKind::label, 8, 28, 53, 23, "地址：", SS_CENTER, FontKind::default_gui},
    {Control::按钮1, ControlKind::push_button, 153, 188, 63, 33, "解析", 0, FontKind::button},
    {Control::编辑框7, ControlKind::edit_box, 63, 93, 293, 24, "", 0, FontKind::default_gui},
    {Control::编辑框8, ControlKind::edit_box, 63, 63, 293, 23, "", 0, FontKind::default_gui},
    {Control::编辑框4, ControlKind::edit_box, 63, 128, 293, 23, "", 0, FontKind::default_gui},
    {Control::编辑框2, ControlKind::read_only_edit_box, 63, 158, 293, 24, "", 0,
     FontKind::default_gui},
    {Control::编辑框1, ControlKind::edit_box, 63, 28, 293, 23, "", 0, FontKind::default_gui},
};
static_assert(std::size(kControls) == kControlCount);

constexpr bool rows_follow_enum() {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (static_cast<std::size_t>(kControls[i].name) != i) return false;
  }
  return true;
}
static_assert(rows_follow_enum(), "each row sits at the index of its Control");

struct KindSettings {
  const char* window_class;
  DWORD style;
  DWORD ex_style;
};

KindSettings settings_of(ControlKind kind) {
  constexpr DWORD kEdit = WS_CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
  switch (kind) {
    case ControlKind::label:
      // SS_NOTIFY lets a label take mouse presses instead of passing them to the window.
      return {"Static", WS_CHILD | SS_NOTIFY | SS_CENTERIMAGE, 0};
    case ControlKind::edit_box:
      return {"Edit", kEdit, WS_EX_CLIENTEDGE};
    case ControlKind::read_only_edit_box:
      return {"Edit", kEdit | ES_READONLY, WS_EX_CLIENTEDGE};
    case ControlKind::push_button:
      return {"Button",
              WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
  }
  return {};
}

HFONT font_of(FontKind kind) {
  // Made once, used for the program's whole run.
  static const OwnedFont version_label = make_font(20, FW_BOLD, "宋体");
  static const OwnedFont button = make_font(20, FW_NORMAL, nullptr);
  switch (kind) {
    case FontKind::version_label:
      return version_label.get();
    case FontKind::button:
      return button.get();
    case FontKind::default_gui:
      break;
  }
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// A one-line edit box lower than its text plus its sunken edge would clip the text.
void ensure_edit_height(HWND edit, HFONT font, int height) {
  HDC dc = GetDC(edit);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(edit, dc);
  const int least = metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
  if (height < least) {
    RECT rect{};
    GetWindowRect(edit, &rect);
    SetWindowPos(edit, nullptr, 0, 0, rect.right - rect.left, least,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// As the boxes read on the window; the stacking order would start at the button.
constexpr Control kTabOrder[] = {Control::编辑框1, Control::编辑框8, Control::编辑框7,
                                 Control::编辑框4, Control::编辑框2, Control::按钮1};

std::array<HWND, kControlCount> handles{};

}  // namespace

bool create_controls(HWND window) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const ControlSpec& row = kControls[i];
    const KindSettings kind = settings_of(row.kind);
    // Each new child goes below the ones made before it, so table order is stacking order.
    HWND control = CreateWindowExA(kind.ex_style, kind.window_class, row.text,
                                   kind.style | row.align, row.left, row.top, row.width, row.height,
                                   window, reinterpret_cast<HMENU>(i + 1), instance, nullptr);
    if (control == nullptr) return false;
    const HFONT font = font_of(row.font);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (row.kind == ControlKind::edit_box || row.kind == ControlKind::read_only_edit_box) {
      ensure_edit_height(control, font, row.height);
    }
    handles[i] = control;
  }
  return true;
}

HWND control_handle(Control control) { return handles[static_cast<std::size_t>(control)]; }

HWND next_tab_stop(HWND focus, bool backwards) {
  constexpr std::size_t n = std::size(kTabOrder);
  std::size_t at = backwards ? 0 : n - 1;  // so that one step lands on the first or last
  for (std::size_t i = 0; i < n; ++i) {
    if (control_handle(kTabOrder[i]) == focus) at = i;
  }
  return control_handle(kTabOrder[(at + (backwards ? n - 1 : 1)) % n]);
}

}  // namespace quorvale
