// 气球提示框1, the balloon tip of 窗口.
#pragma once

#include "text/text.h"

namespace quorvale {

// Shows the tip, without an icon, anchored at the screen point (x, y). It stays
// until the program's thread takes a mouse-button press or double-click, a wheel
// turn or a key press from its queue, which hides it before being handled.
void show_balloon_tip(int x, int y, const Text& text);

}  // namespace quorvale
