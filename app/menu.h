// The menu 菜单 of 窗口: its entries as data, the menu bar built from them, the
// popup the version label opens, and the operations of its entries.
#pragma once

#include <windows.h>

namespace quorvale {

// The bar 窗口 owns: 菜单's one top-level entry is hidden, so the bar shows none.
HMENU build_menu_bar();

// A press on 标签3: the entries under 菜单 as a popup 3 pixels right of and below
// the cursor. The chosen entry's operation comes to 窗口 as a command event.
void show_version_menu();

// Runs the operation of the entry with this command id; false for other ids.
bool run_menu_command(UINT id);

}  // namespace quorvale
