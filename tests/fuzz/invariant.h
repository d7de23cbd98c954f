// Stops the fuzzer with a message when a property of the code under test fails.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace quorvale {

inline void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace quorvale
