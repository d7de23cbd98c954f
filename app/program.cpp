#include "app/program.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <cstdlib>

#include "app/main_window.h"
#include "platform/message_box.h"
#include "resolver/resolve_link.h"

namespace quorvale {

void release_program_state() { last_response = Text{}; }

int start_program() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  std::atexit(release_program_state);  // runs once, when start_program has returned
  if (!load_main_window()) {
    show_message_box("启动窗口载入失败！", "错误！", MessageKind::error);
    std::_Exit(-1);  // leaves the exit routine out: there is nothing to release yet
  }
  run_message_loop();
  return 0;
}

}  // namespace quorvale
