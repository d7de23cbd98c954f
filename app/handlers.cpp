#include "app/handlers.h"

#include "app/control_styles.h"
#include "app/control_text.h"
#include "app/controls.h"
#include "resolver/resolve_link.h"

namespace quorvale {

void prepare_main_window() { enable_control_styles(1); }

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
