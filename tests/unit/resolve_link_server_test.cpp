// resolve_link with the real fetch: the resolver host of this build is a
// loopback port where the fixture server answers.
#include <gmock/gmock.h>

#include <string>

#include "fixtures/fixture_server.h"
#include "hosts.h"
#include "resolver/resolve_link.h"
#include "web/page_fetch.h"

namespace quorvale {
namespace {

TEST(ResolveLinkServer, FillsTheFieldsFromARealReply) {
  FixtureServer resolver(kResolverHost);
  const auto info = resolve_link("https://pan.baidu.com/s/1abc?pwd=x&y=1");
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->download.view(), "http://127.0.0.1/file/1/%E4%B8%AD%E6%96%87.txt?fid=1");
  EXPECT_EQ(info->md5.view(), "0123456789abcdef0123456789abcdef");
  EXPECT_EQ(info->name.view(), "\xD6\xD0\xCE\xC4.txt");
  EXPECT_EQ(info->size.view(), "11.77375602722MB");

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
  const auto info = resolve_link("baidu");
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->download.view(), "");
  EXPECT_EQ(info->md5.view(), "");
  EXPECT_EQ(info->name.view(), "");
  EXPECT_EQ(info->size.view(), "0MB");
}

TEST(ResolveLinkServer, UnreachableServiceShowsZeroMegabytes) {
  // The build's own resolver port may be held by a parallel test, so the
  // query goes to a port that nobody listens on.
  const std::string refused = "http://127.0.0.1:1/";
  Seam<ByteBuffer(const Text&)>::Replace unreachable{
      fetch_page, [&](const Text&) { return fetch_page_from_server(Text(refused)); }};
  const auto info = resolve_link("https://pan.baidu.com/s/1abc");
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->download.view(), "");
  EXPECT_EQ(info->name.view(), "");
  EXPECT_EQ(info->size.view(), "0MB");
}

}  // namespace
}  // namespace quorvale
