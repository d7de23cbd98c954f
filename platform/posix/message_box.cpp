#include <cstdio>

#include "platform/message_box.h"

namespace quorvale {

// No desktop to ask: the message goes to stderr and the answer is the safe one.
MessageAnswer show_message_box_on_desktop(const Text& text, const Text& title, MessageKind kind) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  return kind == MessageKind::yes_no ? MessageAnswer::no : MessageAnswer::ok;
}

}  // namespace quorvale
