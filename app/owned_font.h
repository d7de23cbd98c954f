// Fonts the program makes for itself, released when their owner goes.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorvale {

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// A font whose characters (not cells) are `character_height` pixels high; a
// null face leaves the choice to the system.
inline OwnedFont make_font(int character_height, int weight, const char* face) {
  return OwnedFont(CreateFontA(-character_height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

}  // namespace quorvale
