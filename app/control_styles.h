// The control-drawing styles of this thread's windows.
#pragma once

#include <cstdint>

namespace quorvale {

// 1, 2 or 3 switches the platform's visual styles on for the standard controls
// (all three look the same here) and returns 1; any other value switches them
// off and returns 0. Reaches the controls that exist already and later ones.
int enable_control_styles(int32_t style);

}  // namespace quorvale
