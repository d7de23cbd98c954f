// resolve_link and extract_between: the input checks, the query, the markers
// and the size, with the fetch, message box and browser replaced through their
// seams. The real fetch against a loopback resolver is in resolve_link_server_test.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "link_fields.h"
#include "platform/message_box.h"
#include "resolver/resolve_link.h"
#include "web/forum_pages.h"
#include "web/page_fetch.h"

namespace quorvale {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct ExtractCase {
  const char* text;
  const char* left;
  const char* right;
  int32_t start;
  bool case_sensitive;
  const char* want;
  const char* why;
};

constexpr ExtractCase kExtractCases[] = {
    {"<a>X</a>", "<a>", "</a>", 0, false, "X", "plain cut"},
    {"<a></a>", "<a>", "</a>", 0, false, "", "right marker right after the left one"},
    {"</a><a>X", "<a>", "</a>", 0, false, "", "right marker only before the left one"},
    {"<a>X</a><a>Y</a>", "<a>", "</a>", 0, false, "X", "first occurrences win"},
    {"<A>X</A>", "<a>", "</a>", 0, false, "X", "case folded when not case sensitive"},
    {"<A>X</A>", "<a>", "</a>", 0, true, "", "exact when case sensitive"},
    {"<a>X</a><a>Y</a>", "<a>", "</a>", 2, false, "Y", "start position skips the first"},
    {"<a>X</a>", "<a>", "</a>", -5, false, "X", "start below 1 is the first byte"},
    {"k=\"v\";", "k=#引号", "#引号;", 0, false, "v", "placeholder stands for a quote"},
    {"no markers", "<a>", "</a>", 0, false, "", "left marker missing"},
    {"text<a>", "<a>", "</a>", 0, false, "", "left marker at the very end"},
    {"", "<a>", "</a>", 0, false, "", "empty text"},
};

TEST(ExtractBetween, CutsBetweenTheMarkers) {
  for (const ExtractCase& c : kExtractCases) {
    EXPECT_EQ(extract_between(c.text, c.left, c.right, c.start, c.case_sensitive).view(), c.want)
        << c.why;
  }
}

TEST(ExtractBetween, LeavesTheCallersMarkersAlone) {
  const Text left = "#引号";
  extract_between("\"x\"", left, left, 0, false);
  EXPECT_EQ(left.view(), Text("#引号").view());
}

// A reply in the service's layout, holding every marker pair of the four fields.
std::string reply(const std::string& download, const std::string& md5, const std::string& name,
                  const std::string& size) {
  return "{\n  \"download\": \"" + download + "\", \n  \"error\": 0, \n  \"name\": \"" + name +
         "\", \n  \"error\": 0, \n  \"path\": \"/f\", \n  \"md5\": \"" + md5 +
         "\", \n  \"size\": \"" + size + "\"\n}";
}

// Replaces the three outside effects of resolve_link and records them.
class ResolveLink : public ::testing::Test {
 protected:
  std::vector<std::string> fetched;
  std::vector<std::string> messages;
  std::vector<std::string> opened;
  std::string body;

  Seam<ByteBuffer(const Text&)>::Replace fetch{fetch_page, [this](const Text& url) {
                                                 fetched.emplace_back(url.view());
                                                 return ByteBuffer(body);
                                               }};
  Seam<MessageAnswer(const Text&, const Text&, MessageKind)>::Replace box{
      show_message_box, [this](const Text& text, const Text& title, MessageKind kind) {
        EXPECT_EQ(kind, MessageKind::error);
        messages.push_back(std::string(title.view()) + "|" + std::string(text.view()));
        return MessageAnswer::ok;
      }};
  Seam<void(const Text&)>::Replace browser{
      open_url, [this](const Text& url) { opened.emplace_back(url.view()); }};

  void SetUp() override { last_response = Text{}; }
};

TEST_F(ResolveLink, RejectsAddressesBeforeAnyRequest) {
  struct Case {
    const char* address;
    const char* message;
  };
  const Case cases[] = {
      {"", "错误！|网址不能为空！"},
      {"   ", "错误！|网址不正确！"},  // spaces are not empty, and not a share link
      {"https://pan.BAIDU.com/s/1abc", "错误！|网址不正确！"},  // the word is looked for exactly
  };
  last_response = "kept";
  for (const Case& c : cases) {
    messages.clear();
    opened.clear();
    EXPECT_FALSE(resolve_link(c.address).has_value()) << c.address;
    EXPECT_THAT(messages, ElementsAre(Text(c.message).view())) << c.address;
    EXPECT_THAT(opened, ElementsAre(update_page_url.view())) << c.address;
  }
  EXPECT_THAT(fetched, IsEmpty());
  EXPECT_EQ(last_response.view(), "kept");
}

TEST_F(ResolveLink, SendsTheAddressAsTyped) {
  body = reply("http://d/1", "abc", "f.txt", "1048576");
  ASSERT_TRUE(resolve_link("xbaiduy &a=1 #frag").has_value());
  EXPECT_THAT(fetched, ElementsAre("http://127.0.0.1:47811/baidu/?url=xbaiduy &a=1 #frag"));
  EXPECT_THAT(messages, IsEmpty());
  EXPECT_THAT(opened, IsEmpty());
}

TEST_F(ResolveLink, CutsTheFourFieldsOutOfTheReply) {
  body = reply("http://d.example/f?x=1", "0123abcd", "\\u4e2d\\u6587.txt", "12345678");
  EXPECT_THAT(link_fields(resolve_link("https://pan.baidu.com/s/1abc")),
              ElementsAre("http://d.example/f?x=1", "0123abcd", "\xD6\xD0\xCE\xC4.txt",
                          "11.77375602722MB"));
  EXPECT_EQ(last_response.view(), body);
}

TEST_F(ResolveLink, MatchesMarkersWhateverTheirCase) {
  body = "\"Download\": \"X\", \n  \"ERROR\":";
  const auto info = resolve_link("baidu");
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->download.view(), "X");
}

TEST_F(ResolveLink, ShowsTheSizeInMegabytes) {
  struct Case {
    const char* size;
    const char* want;
  };
  const Case cases[] = {
      {"12345678", "11.77375602722MB"},
      {"1048576", "1MB"},
      {"524288", "0.5MB"},
      {"", "0MB"},
  };
  for (const Case& c : cases) {
    body = reply("d", "m", "n", c.size);
    const auto info = resolve_link("baidu");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->size.view(), c.want) << c.size;
  }
}

TEST_F(ResolveLink, EmptyReplyEmptiesEveryFieldButTheSize) {
  body = reply("http://d/1", "abc", "f.txt", "1048576");
  ASSERT_TRUE(resolve_link("baidu").has_value());
  body.clear();
  EXPECT_THAT(link_fields(resolve_link("baidu")), ElementsAre("", "", "", "0MB"));
  EXPECT_EQ(last_response.view(), "");
}

TEST_F(ResolveLink, ReplyEndsAtItsFirstNulByte) {
  body = reply("X", "m", "n", "1");
  body.insert(body.find("X"), 1, '\0');
  const auto info = resolve_link("baidu");
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->download.view(), "");
}

}  // namespace
}  // namespace quorvale
