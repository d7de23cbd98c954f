// check_for_update with connectivity, fetch, message box and browser replaced
// through their seams. The end-to-end paths under Wine are in tests/e2e.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "web/forum_pages.h"
#include "web/page_fetch.h"
#include "web/update_check.h"

namespace quorvale {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kCaption = "Quorvale百度网盘下载地址解析V2.3";

class UpdateCheck : public ::testing::Test {
 protected:
  bool online = true;
  std::string page;
  MessageAnswer answer = MessageAnswer::no;
  std::string caption = kCaption;
  std::vector<std::string> fetched;
  std::vector<std::string> prompts;
  std::vector<std::string> opened;

  Seam<bool()>::Replace connectivity{is_online, [this] { return online; }};
  Seam<ByteBuffer(const Text&)>::Replace fetch{fetch_page, [this](const Text& url) {
                                                 fetched.emplace_back(url.view());
                                                 return ByteBuffer(page);
                                               }};
  Seam<MessageAnswer(const Text&, const Text&, MessageKind)>::Replace box{
      show_message_box, [this](const Text& text, const Text& title, MessageKind kind) {
        EXPECT_EQ(kind, MessageKind::yes_no);
        prompts.push_back(std::string(title.view()) + "|" + std::string(text.view()));
        return answer;
      }};
  Seam<void(const Text&)>::Replace browser{
      open_url, [this](const Text& url) { opened.emplace_back(url.view()); }};

  void check() {
    check_for_update(
        {[this] { return Text(caption); }, [this](const Text& text) { caption = text.view(); }});
  }
};

TEST_F(UpdateCheck, OfflineDoesNothing) {
  online = false;
  check();
  EXPECT_THAT(fetched, IsEmpty());
  EXPECT_THAT(prompts, IsEmpty());
  EXPECT_EQ(caption, kCaption);
}

TEST_F(UpdateCheck, PageNamingThisVersionMarksTheCaption) {
  const char* const pages[] = {
      "<html><b>V2.3</b></html>",
      "latest: v2.3",  // ASCII case does not matter
      "V2.31",         // a longer version still holds the string
  };
  for (const char* p : pages) {
    page = p;
    caption = kCaption;
    check();
    EXPECT_EQ(caption, kCaption + Text("-最新版").c_str()) << p;
  }
  EXPECT_EQ(fetched.back(), update_page_url.view());
  EXPECT_THAT(prompts, IsEmpty());
}

TEST_F(UpdateCheck, AnyOtherPageOffersTheUpdate) {
  const std::string pages[] = {
      "latest: V2.4",
      "",                         // unreachable or empty page
      std::string("x\0V2.3", 6),  // the text ends at the first NUL byte
  };
  for (const std::string& p : pages) {
    page = p;
    prompts.clear();
    check();
    EXPECT_THAT(prompts, ElementsAre(std::string(Text("有更新！|将软件版本更新到最新！").view())));
    EXPECT_EQ(caption, kCaption);
  }
  EXPECT_THAT(opened, IsEmpty());  // the answer was No
}

TEST_F(UpdateCheck, YesOpensTheUpdatePage) {
  page = "V2.4";
  answer = MessageAnswer::yes;
  check();
  EXPECT_THAT(opened, ElementsAre(update_page_url.view()));
  EXPECT_EQ(caption, kCaption);
}

}  // namespace
}  // namespace quorvale
