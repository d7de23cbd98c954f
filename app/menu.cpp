#include "app/menu.h"

#include <cstddef>
#include <iterator>

#include "app/main_window.h"
#include "web/forum_pages.h"

namespace quorvale {
namespace {

// The window goes once the current event has ended; being the last window, its
// end ends the program.
void exit_program() { PostMessageA(窗口, WM_CLOSE, 0, 0); }
void open_update_page() { open_url(update_page_url); }
void open_about_page() { open_url(about_page_url); }

struct MenuEntry {
  const char* text;
  int level;  // 0 for the bar, 1 for the entries under it
  bool hidden;
  void (*operation)();
};

constexpr MenuEntry k菜单[] = {
    {"菜单", 0, true, nullptr},
    {"退出", 1, false, exit_program},
    {"本软件更新", 1, false, open_update_page},
    {"关于Quorvale", 1, false, open_about_page},
};
constexpr std::size_t kVersionMenu = 0;  // the hidden entry whose entries form the popup
constexpr int kPopupOffset = 3;

// An entry's command id is its row in k菜单 plus one, so that no id is 0.
constexpr UINT command_of(std::size_t row) { return static_cast<UINT>(row + 1); }

// The bar holds no entry with a popup of its own: 菜单's entries appear only as
// the version label's popup.
constexpr bool top_level_entries_hidden() {
  for (const MenuEntry& entry : k菜单) {
    if (entry.level == 0 && !entry.hidden) return false;
  }
  return true;
}
static_assert(top_level_entries_hidden());

// Appends the visible entries of `level` from `first` on, up to the next
// shallower entry; deeper entries and hidden ones are left out.
void append_entries(HMENU menu, std::size_t first, int level) {
  for (std::size_t row = first; row < std::size(k菜单) && k菜单[row].level >= level; ++row) {
    if (k菜单[row].level == level && !k菜单[row].hidden) {
      AppendMenuA(menu, MF_STRING, command_of(row), k菜单[row].text);
    }
  }
}

// TrackPopupMenu for `window` with the entries under `row`, built anew for this
// call and destroyed when it returns. Nothing shows for a window without 菜单.
void popup_menu(HWND window, std::size_t row) {
  if (GetMenu(window) == nullptr) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  HMENU popup = CreatePopupMenu();
  append_entries(popup, row + 1, k菜单[row].level + 1);
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x + kPopupOffset, cursor.y + kPopupOffset, 0,
                 window, nullptr);
  DestroyMenu(popup);
}

}  // namespace

HMENU build_menu_bar() {
  HMENU bar = CreateMenu();
  append_entries(bar, 0, 0);
  return bar;
}

void show_version_menu() { popup_menu(窗口, kVersionMenu); }

bool run_menu_command(UINT id) {
  for (std::size_t row = 0; row < std::size(k菜单); ++row) {
    if (command_of(row) == id && k菜单[row].operation != nullptr) {
      k菜单[row].operation();
      return true;
    }
  }
  return false;
}

}  // namespace quorvale
