#include "app/control_styles.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <uxtheme.h>

namespace quorvale {
namespace {

// The version 6 controls that the manifest gives every window of the program
// redraw themselves in the new style when told the theme changed.
BOOL CALLBACK tell_theme_changed(HWND window, LPARAM /*unused*/) {
  SendMessageA(window, WM_THEMECHANGED, 0, 0);
  return TRUE;
}

BOOL CALLBACK tell_window_and_controls(HWND window, LPARAM /*unused*/) {
  tell_theme_changed(window, 0);
  EnumChildWindows(window, tell_theme_changed, 0);  // every descendant, not only the children
  return TRUE;
}

}  // namespace

int enable_control_styles(int32_t style) {
  const bool on = style >= 1 && style <= 3;
  SetThemeAppProperties(STAP_ALLOW_NONCLIENT | (on ? STAP_ALLOW_CONTROLS : 0));
  EnumThreadWindows(GetCurrentThreadId(), tell_window_and_controls, 0);
  return on ? 1 : 0;
}

}  // namespace quorvale
