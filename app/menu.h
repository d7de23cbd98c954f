// The menu 菜单 of 窗口: its entries as data, the menu bar built from them.
#pragma once

#include <windows.h>

namespace quorvale {

// The bar 窗口 owns: 菜单's one top-level entry is hidden, so the bar shows none.
HMENU build_menu_bar();

}  // namespace quorvale
