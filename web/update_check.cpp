#include "web/update_check.h"

#include "platform/message_box.h"
#include "web/forum_pages.h"
#include "web/page_fetch.h"

namespace quorvale {
namespace {

const Text kOwnVersion = "V2.3";
const Text kLatestSuffix = "-最新版";
const Text kUpdatePrompt = "将软件版本更新到最新！";
const Text kUpdateTitle = "有更新！";

}  // namespace

void check_for_update(const WindowCaption& caption) {
  if (!is_online()) return;
  const Text page = bytes_to_text(fetch_page(update_page_url));
  if (find_text(page, kOwnVersion, kAbsent, true) > -1) {
    caption.write(concat_text(caption.read(), kLatestSuffix));
  } else if (show_message_box(kUpdatePrompt, kUpdateTitle, MessageKind::yes_no) ==
             MessageAnswer::yes) {
    open_url(update_page_url);
  }
}

}  // namespace quorvale
