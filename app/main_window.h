// 窗口, the program's one window: its creation, its events and the message loop.
#pragma once

#include <windows.h>

namespace quorvale {

extern HWND 窗口;

// Creates 窗口 and its controls hidden, raises the creation event and then shows
// the window unless the event destroyed it. False when 窗口 could not be made.
bool load_main_window();

// Serves events until 窗口 is destroyed.
void run_message_loop();

}  // namespace quorvale
