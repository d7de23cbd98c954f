// The controls of 窗口, as a table read top to bottom like the window's layout.
#pragma once

#include <windows.h>

#include <cstddef>

namespace quorvale {

// In stacking order, topmost first; the enumerator is the row of kControls.
enum class Control : std::size_t {
  标签3,
  标签6,
  标签5,
  标签4,
  标签2,
  标签1,
  按钮1,
  编辑框7,
  编辑框8,
  编辑框4,
  编辑框2,
  编辑框1,
};
inline constexpr std::size_t kControlCount = 12;

// Creates every control of the table on `window`, hidden, at its place, in
// stacking order; false when one of them could not be made.
bool create_controls(HWND window);

HWND control_handle(Control control);

// The control that Tab (or, backwards, Shift+Tab) moves the focus to from
// `focus`: the boxes top to bottom, then the button. From a control outside
// that order, the first (or last) of it.
HWND next_tab_stop(HWND focus, bool backwards);

}  // namespace quorvale
