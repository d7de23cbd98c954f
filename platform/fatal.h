// The one way the program stops on its own: storage for a new value could not
// be had. Tells the user how many bytes were asked for, then exits with -1.
#pragma once

#include <cstddef>

namespace quorvale {

[[noreturn]] void report_out_of_memory(std::size_t bytes);

}  // namespace quorvale
