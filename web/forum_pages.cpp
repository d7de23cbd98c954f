#include "web/forum_pages.h"

#include "hosts.h"

namespace quorvale {

const Text update_page_url = concat_text("http://", kForumHost, "/thread-12491-1-1.html");
const Text about_page_url = concat_text("http://", kForumHost, "/thread-9282-1-1.html");

}  // namespace quorvale
