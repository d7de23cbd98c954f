#include "app/menu.h"

#include <cstddef>
#include <iterator>

namespace quorvale {
namespace {

struct MenuEntry {
  const char* text;
  int level;  // 0 for the bar, 1 for the entries under it
  bool hidden;
};

constexpr MenuEntry k菜单[] = {
    {"菜单", 0, true},
    {"退出", 1, false},
    {"本软件更新", 1, false},
    {"关于Quorvale", 1, false},
};

// Appends the visible entries of `level` from `first` on, up to the next
// shallower entry, each with its sub-entries as a popup; a hidden entry is left
// out with everything under it. Returns the index after the last one used.
std::size_t append_entries(HMENU menu, std::size_t first, int level) {
  std::size_t i = first;
  while (i < std::size(k菜单) && k菜单[i].level == level) {
    const MenuEntry& entry = k菜单[i];
    const std::size_t entry_index = i++;
    const bool has_children = i < std::size(k菜单) && k菜单[i].level > level;
    if (entry.hidden) {
      while (i < std::size(k菜单) && k菜单[i].level > level) ++i;
    } else if (has_children) {
      HMENU popup = CreatePopupMenu();
      i = append_entries(popup, i, level + 1);
      AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), entry.text);
    } else {
      AppendMenuA(menu, MF_STRING, entry_index + 1, entry.text);
    }
  }
  return i;
}

}  // namespace

HMENU build_menu_bar() {
  HMENU bar = CreateMenu();
  append_entries(bar, 0, 0);
  return bar;
}

}  // namespace quorvale
