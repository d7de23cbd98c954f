// A press on 编辑框2 copies the download link.
#pragma once

#include "text/text.h"

namespace quorvale {

// Puts the whole text of 编辑框2, when there is one, on the clipboard, and shows
// "地址已经复制" at the cursor whether or not anything was copied.
void copy_download_link();

// The text as CF_TEXT; false when the clipboard is held by another program or
// no memory is left (the clipboard is then empty).
bool set_clipboard_text(const Text& text);

}  // namespace quorvale
