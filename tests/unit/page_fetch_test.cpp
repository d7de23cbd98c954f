// fetch_page against a real loopback server: natively through libcurl, under
// Wine through WinINet. The server records each request as it arrived.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "tests/fixtures/fixture_process.h"
#include "tests/fixtures/fixture_server.h"
#include "web/body_accumulator.h"
#include "web/fetch_rules.h"
#include "web/page_fetch.h"

namespace quorvale {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::SizeIs;
using ::testing::StartsWith;

// The server's generated body: byte i is i % 251, NUL bytes and high bytes included.
std::string pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
  return bytes;
}

std::string fetch(const std::string& url) { return std::string(fetch_page(Text(url)).view()); }

std::string request_line(const std::string& request) {
  return request.substr(0, request.find("\r\n"));
}

class PageFetch : public ::testing::Test {
 protected:
  FixtureServer server;

  // The one request the server saw.
  std::string only_request() const {
    const auto seen = server.requests();
    EXPECT_THAT(seen, SizeIs(1));
    return seen.empty() ? std::string() : seen.front().bytes;
  }
};

TEST_F(PageFetch, RequestCarriesOnlyItsFixedHeaders) {
  EXPECT_EQ(fetch(server.url("/gen?size=5")), pattern(5));
  const std::string request = only_request();
  EXPECT_EQ(request_line(request), "GET /gen?size=5 HTTP/1.0");
  EXPECT_THAT(request,
              HasSubstr("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"));
  EXPECT_THAT(request, HasSubstr("\r\nAccept: */*\r\n"));
  EXPECT_THAT(request, HasSubstr("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"));
  for (const char* header : {"Referer:", "Accept-Language:", "Accept-Encoding:", "Cookie:"}) {
    EXPECT_THAT(request, Not(HasSubstr(header)));
  }
}

TEST_F(PageFetch, TargetGoesOutInCanonicalForm) {
  struct Case {
    const char* typed;
    const char* sent;
  };
  const Case cases[] = {
      {"/gen?size=1#part", "/gen?size=1"},  // the fragment stays here
      {"/gen?size=1#a#b", "/gen?size=1"},   // cut at the first "#"
      {"/a/./b/../gen?size=1", "/a/gen?size=1"},
      {"/a//../gen", "/a/gen"},
      {"/a/b/..", "/a/"},
      {"/x?q=%41%zz%", "/x?q=%41%zz%"},  // escapes, even broken ones, stay as typed
      {"/x?q=a b", "/x?q=a%20b"},
      {"/x?q=1 \t ", "/x?q=1"},                // trailing white space dropped
      {"/x?q='\"<>{}|^`", "/x?q='\"<>{}|^`"},  // printable bytes go as typed
  };
  for (const auto& c : cases) {
    server.reset();
    fetch(server.url(c.typed));
    EXPECT_EQ(request_line(only_request()), std::string("GET ") + c.sent + " HTTP/1.0") << c.typed;
  }
}

TEST_F(PageFetch, HighBytesGoOutUnescaped) {
  if (fixture_process::running_under_wine()) {
    GTEST_SKIP() << "Wine's InternetCanonicalizeUrlA drops one byte from the end per two-byte "
                    "character";
  }
  fetch(server.url("/x?name=\xD6\xD0\xCE\xC4.txt"));  // 中文.txt in GBK
  EXPECT_EQ(request_line(only_request()), "GET /x?name=\xD6\xD0\xCE\xC4.txt HTTP/1.0");
}

TEST_F(PageFetch, ControlBytesInALinkCannotSplitTheRequest) {
  const char* const links[] = {
      "/x?url=a\r\nX-Injected: 1",  "/x?url=a\r\n\r\nGET /y HTTP/1.0\r\nX-Injected: 1\r\n",
      "/x?url=a\nX-Injected: 1",    "/x?url=a\rX-Injected: 1",
      "/x?url=\x01\x02\x1F\x7F\t|",
  };
  for (const char* link : links) {
    server.reset();
    fetch(server.url(link));
    const std::string request = only_request();
    const std::string line = request_line(request);
    EXPECT_THAT(line, StartsWith("GET /x?url=")) << link;
    EXPECT_TRUE(line.ends_with(" HTTP/1.0")) << line;
    for (const char c : line.substr(4, line.size() - 13)) {
      EXPECT_FALSE(static_cast<unsigned char>(c) < 0x21 || c == 0x7F) << line;
    }
    EXPECT_THAT(request, Not(HasSubstr("\nX-Injected"))) << link;
  }
}

// The body comes back whole whatever the status, however it is delimited and
// whatever bytes it holds.
TEST_F(PageFetch, BodyComesBackAsSent) {
  struct Case {
    const char* target;
    std::string body;
  };
  const Case cases[] = {
      {"/gen?size=0", ""},
      {"/gen?size=1000", pattern(1000)},  // NUL bytes at 0, 251, 502, 753
      {"/gen?size=102399", pattern(102399)},
      {"/gen?size=300000", pattern(300000)},                   // pieces of 102400
      {"/gen?size=300000&length=none", pattern(300000)},       // pieces of 10240
      {"/gen?size=100&length=none&status=500", pattern(100)},  // no status check
      {"/gen?redirect=/gen%3Fsize%3D7", pattern(7)},
      {"/gen?size=300000&cut=150000", pattern(150000)},  // the server gives up mid-body
      {"/gen?size=300000&cut=0", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(fetch(server.url(c.target)), c.body) << c.target;
}

TEST_F(PageFetch, ErrorPageBodyComesBack) {
  const std::string page = "<html><body><h1>404 Not Found</h1>\xC3\xBB\xD3\xD0</body></html>";
  server.set_reply("/missing.html", page, "status=404");
  EXPECT_EQ(fetch(server.url("/missing.html")), page);
}

TEST_F(PageFetch, UnfetchableUrlsSendNothing) {
  const std::string port = std::to_string(server.port());
  const std::string pad(2048, 'a');
  const std::vector<std::string> urls = {
      "",
      "ftp://127.0.0.1:" + port + "/x",
      "127.0.0.1:" + port + "/x",  // no scheme
      "localhost:" + port + "/x",  // "localhost" taken for the scheme
      "  http://127.0.0.1:" + port + "/x",
      "http:/127.0.0.1:" + port + "/x",
      server.url("/" + pad.substr(0, 2047)),    // the path with query needs 2048 bytes
      server.url("/x?" + pad.substr(0, 2045)),  // so does this one
      server.url("/x#" + pad.substr(0, 2045)),  // the fragment counts before the cut
      "http://" + std::string(128, 'u') + "@127.0.0.1:" + port + "/x",    // user name
      "http://u:" + std::string(128, 'p') + "@127.0.0.1:" + port + "/x",  // password
  };
  for (const auto& url : urls) EXPECT_THAT(fetch(url), IsEmpty()) << url.substr(0, 80);
  EXPECT_THAT(server.requests(), IsEmpty());
}

TEST_F(PageFetch, PartsThatJustFitAreFetched) {
  const std::string port = std::to_string(server.port());
  const std::string longest_target = "/gen?size=3&pad=" + std::string(2047 - 16, 'a');
  const std::vector<std::string> urls = {
      server.url(longest_target),
      "http://" + std::string(127, 'u') + ":" + std::string(127, 'p') + "@127.0.0.1:" + port +
          "/gen?size=3",
  };
  for (const auto& url : urls) EXPECT_EQ(fetch(url), pattern(3)) << url.substr(0, 80);
  const auto seen = server.requests();
  ASSERT_THAT(seen, SizeIs(2));
  EXPECT_EQ(request_line(seen[0].bytes), "GET " + longest_target + " HTTP/1.0");
}

TEST(PageFetchPorts, UrlWithoutPortGoesToPort80) {
  FixtureServer on_80("127.0.0.1:80");
  EXPECT_EQ(fetch("http://127.0.0.1/gen?size=4"), pattern(4));
  EXPECT_EQ(fetch("http://127.0.0.1:0/gen?size=4"), pattern(4));  // port 0 is the default too
}

TEST(PageFetchRefused, NoServerGivesTheEmptyBuffer) {
  const auto port = fixture_process::free_loopback_port();
  EXPECT_THAT(fetch("http://127.0.0.1:" + std::to_string(port) + "/x"), IsEmpty());
}

// The root handle lives across fetches: what the first reply set (a cookie)
// goes with the second request. (Natively the cookie store is the handle's;
// WinINet keeps one per process.)
TEST_F(PageFetch, FetchesShareOneInternetHandle) {
  fetch(server.url("/gen?size=1&cookie=session%3Dq7%3B%20path%3D%2F"));
  fetch(server.url("/gen?size=1"));
  const auto seen = server.requests();
  ASSERT_THAT(seen, SizeIs(2));
  EXPECT_THAT(seen[1].bytes, HasSubstr("\r\nCookie: session=q7\r\n"));
}

TEST_F(PageFetch, StalledServerCostsOneTimeOut) {
  const std::int64_t started = fixture_process::monotonic_ms();
  EXPECT_THAT(fetch(server.url("/gen?stall=1")), IsEmpty());
  EXPECT_LT(fixture_process::monotonic_ms() - started, (kFetchTimeoutSeconds + 10) * 1000);
}

// Storage for the body running out ends that fetch, not the program, and the
// bytes kept so far are not passed off as the body.
TEST_F(PageFetch, OutOfMemoryEndsOnlyThatFetch) {
  struct Case {
    const char* target;
    int growths_granted;
  };
  const Case cases[] = {
      {"/gen?size=300000", 0},
      {"/gen?size=300000&length=none", 1},  // no length to reserve for: the body grows
  };
  for (const auto& c : cases) {
    int granted = 0;
    {
      const Seam<void*(void*, std::size_t)>::Replace no_memory{
          resize_block, [&](void* block, std::size_t size) {
            return granted++ < c.growths_granted ? resize_block_on_heap(block, size) : nullptr;
          }};
      EXPECT_THAT(fetch(server.url(c.target)), IsEmpty()) << c.target;
    }
    EXPECT_GT(granted, c.growths_granted) << c.target;  // storage did run out
    EXPECT_EQ(fetch(server.url("/gen?size=300")), pattern(300));
  }
}

TEST(ReadPiece, FollowsTheAnnouncedLength) {
  struct Case {
    std::optional<std::string_view> announced;
    std::uint32_t piece;
  };
  const Case cases[] = {
      {std::nullopt, 10240},  // no Content-Length
      {"0", 10240},
      {"-5", 10240},
      {"abc", 10240},
      {"1", 2},
      {" +42x", 43},
      {"102399", 102400},
      {"102400", 102400},
      {"2147483647", 102400},  // the + 1 leaves 32 bits
                               // signed but not unsigned
      {"4294967297", 2},       // digits wrap modulo 2^32, as text_to_int reads them
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read_piece_size(c.announced), c.piece) << c.announced.value_or("(none)");
  }
}

}  // namespace
}  // namespace quorvale
