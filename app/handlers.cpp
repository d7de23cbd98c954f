#include "app/handlers.h"

#include "app/control_styles.h"
#include "app/control_text.h"
#include "app/controls.h"
#include "app/main_window.h"
#include "resolver/resolve_link.h"
#include "web/update_check.h"

namespace quorvale {

void prepare_main_window() {
  enable_control_styles(1);
  // 窗口 is still hidden here, so a prompt of the check comes before the window.
  check_for_update({[] { return read_control_text(窗口); },
                    [](const Text& caption) { write_control_text(窗口, caption); }});
}

void handle_resolve_click() {
  const Text address = read_control_text(control_handle(Control::编辑框1));
  const std::optional<LinkInfo> info = resolve_link(address);
  if (!info) return;  // an input check stopped it and told the user
  // Every field, empty ones too, so nothing of an earlier resolve stays.
  write_control_text(control_handle(Control::编辑框2), info->download);
  write_control_text(control_handle(Control::编辑框4), info->md5);
  write_control_text(control_handle(Control::编辑框8), info->name);
  write_control_text(control_handle(Control::编辑框7), info->size);
}

}  // namespace quorvale
