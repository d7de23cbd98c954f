#include "app/control_text.h"

#include <string>

namespace quorvale {

Text read_control_text(HWND control) {
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::string bytes(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(control, bytes.data(), length + 1);
  return Text(std::string_view(bytes.data(), static_cast<std::size_t>(copied > 0 ? copied : 0)));
}

void write_control_text(HWND control, const Text& text) { SetWindowTextA(control, text.c_str()); }

}  // namespace quorvale
