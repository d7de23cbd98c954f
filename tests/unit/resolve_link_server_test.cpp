// resolve_link with the real fetch: the resolver host of this build is a
// loopback port where the fixture server answers.
#include <gmock/gmock.h>

#include <string>

#include "fixtures/fixture_server.h"
#include "hosts.h"
#include "link_fields.h"
#include "resolver/resolve_link.h"
#include "web/page_fetch.h"

namespace quorvale {
namespace {

TEST(ResolveLinkServer, FillsTheFieldsFromARealReply) {
  FixtureServer resolver(kResolverHost);
  EXPECT_THAT(link_fields(resolve_link("https://pan.baidu.com/s/1abc?pwd=x&y=1")),
              ::testing::ElementsAre("http://127.0.0.1/file/1/%E4%B8%AD%E6%96%87.txt?fid=1",
                                     "0123456789abcdef0123456789abcdef", "\xD6\xD0\xCE\xC4.txt",
                                     "11.77375602722MB"));

  const auto requests = resolver.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_THAT(requests[0].bytes,
              ::testing::StartsWith("GET /baidu/?url=https://pan.baidu.com/s/1abc?pwd=x&y=1 "
                                    "HTTP/1.0\r\n"));
}

TEST(ResolveLinkServer, FailedFetchEmptiesWhatTheLastResolveFilled) {
  FixtureServer resolver(kResolverHost);
  ASSERT_TRUE(resolve_link("baidu").has_value());
  resolver.set_reply("/baidu/", "", "status=500");
  EXPECT_THAT(link_fields(resolve_link("baidu")), ::testing::ElementsAre("", "", "", "0MB"));
}

TEST(ResolveLinkServer, UnreachableServiceShowsZeroMegabytes) {
  // The build's own resolver port may be held by a parallel test, so the
  // query goes to a port that nobody listens on.
  const std::string refused = "http://127.0.0.1:1/";
  Seam<ByteBuffer(const Text&)>::Replace unreachable{
      fetch_page, [&](const Text&) { return fetch_page_from_server(Text(refused)); }};
  EXPECT_THAT(link_fields(resolve_link("https://pan.baidu.com/s/1abc")),
              ::testing::ElementsAre("", "", "", "0MB"));
}

}  // namespace
}  // namespace quorvale
