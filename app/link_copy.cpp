#include "app/link_copy.h"

#include <windows.h>

#include <cstring>

#include "app/balloon_tip.h"
#include "app/control_text.h"
#include "app/controls.h"

namespace quorvale {

bool set_clipboard_text(const Text& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const std::size_t size = static_cast<std::size_t>(text_length(text)) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  void* bytes = block ? GlobalLock(block) : nullptr;
  bool copied = false;
  if (bytes != nullptr) {
    std::memcpy(bytes, text.c_str(), size);
    GlobalUnlock(block);
    copied = SetClipboardData(CF_TEXT, block) != nullptr;
  }
  if (!copied && block != nullptr) GlobalFree(block);  // the clipboard took no ownership
  CloseClipboard();
  return copied;
}

void copy_download_link() {
  HWND box = control_handle(Control::编辑框2);
  if (compare_text(read_control_text(box), Text{}) != 0) {
    set_clipboard_text(read_control_text(box));
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  show_balloon_tip(cursor.x, cursor.y, "地址已经复制");
}

}  // namespace quorvale
