// The check at start: is this version still the one the update page names?
#pragma once

#include <functional>

#include "platform/connectivity.h"
#include "platform/seam.h"
#include "text/text.h"

namespace quorvale {

inline Seam<bool()> is_online{&machine_is_online};

// The caption of the main window, which the check may mark as the latest version.
struct WindowCaption {
  std::function<Text()> read;
  std::function<void(const Text&)> write;
};

// Offline: nothing happens. Online: the caption gets "-最新版" when the update
// page names "V2.3"; otherwise the user is offered the update page.
void check_for_update(const WindowCaption& caption);

}  // namespace quorvale
