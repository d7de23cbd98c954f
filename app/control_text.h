// The texts of 窗口 (its caption) and of its controls, as Text in the ANSI code page.
#pragma once

#include <windows.h>

#include "text/text.h"

namespace quorvale {

Text read_control_text(HWND control);
void write_control_text(HWND control, const Text& text);

}  // namespace quorvale
