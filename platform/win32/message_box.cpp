#include <windows.h>

#include "platform/message_box.h"

namespace quorvale {

MessageAnswer show_message_box_on_desktop(const Text& text, const Text& title, MessageKind kind) {
  const UINT style = (kind == MessageKind::error ? MB_ICONHAND : MB_YESNO) | MB_TASKMODAL;
  switch (MessageBoxA(nullptr, text.c_str(), title.c_str(), style)) {
    case IDYES:
      return MessageAnswer::yes;
    case IDNO:
      return MessageAnswer::no;
    default:
      return MessageAnswer::ok;
  }
}

}  // namespace quorvale
