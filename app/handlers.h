// The operations that the events of 窗口 and 按钮1 run.
#pragma once

namespace quorvale {

// The creation event of 窗口: every control exists, the window is not yet shown.
// Switches the control styles on and runs the update check.
void prepare_main_window();

// A click on 按钮1: resolves the address in 编辑框1 into the four result boxes.
void handle_resolve_click();

}  // namespace quorvale
