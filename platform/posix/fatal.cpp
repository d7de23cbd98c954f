#include "platform/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace quorvale {

void report_out_of_memory(std::size_t bytes) {
  std::fprintf(stderr, "Quorvale: out of memory, %zu bytes could not be allocated\n", bytes);
  std::exit(-1);
}

}  // namespace quorvale
