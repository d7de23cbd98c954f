// Whether the system reports a network connection.
#pragma once

namespace quorvale {

bool machine_is_online();

}  // namespace quorvale
