// Task-modal message boxes with no owner window.
#pragma once

#include "platform/seam.h"
#include "text/text.h"

namespace quorvale {

enum class MessageKind {
  error,   // stop icon, one OK button (MB_ICONHAND)
  yes_no,  // Yes and No buttons, no icon (MB_YESNO)
};
enum class MessageAnswer { ok, yes, no };

MessageAnswer show_message_box_on_desktop(const Text& text, const Text& title, MessageKind kind);

inline Seam<MessageAnswer(const Text&, const Text&, MessageKind)> show_message_box{
    &show_message_box_on_desktop};

}  // namespace quorvale
