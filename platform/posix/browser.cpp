#include "platform/browser.h"

#include <sys/wait.h>
#include <unistd.h>

namespace quorvale {

// xdg-open in a grandchild, so the caller neither waits for the browser nor
// leaves a zombie behind; no shell ever sees the URL.
void open_in_browser(const Text& url) {
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    if (fork() == 0) {
      char opener[] = "xdg-open";
      char* argv[] = {opener, const_cast<char*>(url.c_str()), nullptr};
      execvp(opener, argv);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

}  // namespace quorvale
