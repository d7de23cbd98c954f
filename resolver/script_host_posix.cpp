#include "resolver/script_host.h"

namespace quorvale {

// There is no Script Control outside Windows.
Text run_script_on_platform(const Text& script, const Text& function) {
  return run_script_builtin(script, function);
}

}  // namespace quorvale
