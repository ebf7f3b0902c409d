// The rules that keep pages out of a sitemap, one by one: robots.txt, the
// canonical link, the refresh of a redirect stub.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/listing/robots_txt.h"
#include "engine/url/canonical_url.h"

namespace zorvitan::testing {
namespace {

TEST(RobotsTxt, TheLongestRuleOfTheGroupsForEveryAgentDecides) {
  const RobotsTxt robots(
      "\xEF\xBB\xBFUser-agent: otherbot\n"
      "Disallow: /\n"
      "\n"
      "User-agent: a\r\n"
      "User-agent: *  # every other crawler\r\n"
      "Disallow: /private\r\n"
      "Allow: /private/open\r\n"
      "Disallow: /*.pdf$\r\n"
      "Disallow: /tmp*/x\r\n"
      "Allow: /same\n"
      "Disallow: /same\n"
      "Disallow: /za%c5%bc\n"
      "Disallow: /caf\xC3\xA9\n"
      "Disallow:\n"
      "User-agent: b\n"
      "Disallow: /b-only\n"
      "User-agent: *\n"
      "disallow: /second-group\n");
  const std::vector<std::pair<std::string, bool>> cases = {
      {"/index.html", true},
      {"/private", false},
      {"/private/x.html", false},
      {"/private/open/x.html", true},
      {"/a.pdf", false},
      {"/a.pdf.html", true},
      {"/tmp/x", false},
      {"/tmp1/2/x/y", false},
      {"/tmp/y", true},
      {"/same.html", true},
      {"/za%C5%BC%C3%B3%C5%82", false},
      {"/caf%C3%A9.html", false},
      {"/b-only", true},
      {"/second-group/a", false},
  };
  for (const auto& [path, allowed] : cases) EXPECT_EQ(robots.Allows(path), allowed) << path;
  std::string rule;
  EXPECT_FALSE(robots.Allows("/private/x", &rule));
  EXPECT_EQ(rule, "Disallow: /private");
  EXPECT_TRUE(RobotsTxt("User-agent: bot\nDisallow: /\n").Allows("/x"));
  EXPECT_TRUE(RobotsTxt("Disallow: /\n").Allows("/x")) << "a rule outside any group";
}

TEST(RobotsTxt, TheSitemapLineIsAddedOnceWithTheFilesLineEnds) {
  std::string updated;
  ASSERT_TRUE(AddSitemapLine("", "https://h/s.xml", &updated));
  EXPECT_EQ(updated, "Sitemap: https://h/s.xml\n");
  ASSERT_TRUE(AddSitemapLine("User-agent: *\r\nDisallow:", "https://h/s.xml", &updated));
  EXPECT_EQ(updated, "User-agent: *\r\nDisallow:\r\nSitemap: https://h/s.xml\r\n");
  EXPECT_FALSE(AddSitemapLine("a\nSITEMAP:  https://h/s.xml \nb\n", "https://h/s.xml", &updated));
  ASSERT_TRUE(AddSitemapLine("Sitemap: https://h/other.xml\n", "https://h/s.xml", &updated));
}

TEST(CanonicalUrl, ReferencesResolveAgainstThePagesOwnUrl) {
  const std::string page = "https://example.com/a/b/page.html?q=1";
  EXPECT_EQ(ResolveUrl(page, "other.html"), "https://example.com/a/b/other.html");
  EXPECT_EQ(ResolveUrl(page, "../c/./d.html#top"), "https://example.com/a/c/d.html");
  EXPECT_EQ(ResolveUrl(page, "/x"), "https://example.com/x");
  EXPECT_EQ(ResolveUrl(page, "//cdn.example.com/y"), "https://cdn.example.com/y");
  EXPECT_EQ(ResolveUrl(page, "HTTP://Other.example/z"), "http://Other.example/z");
  EXPECT_EQ(ResolveUrl(page, ""), page);
  EXPECT_EQ(ResolveUrl(page, "?r=2"), "https://example.com/a/b/page.html?r=2");
  EXPECT_EQ(ResolveUrl(page, "../../../.."), "https://example.com/");

  EXPECT_TRUE(SameUrl("https://example.com/a%20b.html", "HTTPS://EXAMPLE.COM:443/a b.html#x"));
  EXPECT_TRUE(SameUrl("https://example.com", "https://example.com/"));
  EXPECT_TRUE(SameUrl("https://example.com/za%C5%BC", "https://example.com/za%c5%bc"));
  EXPECT_FALSE(SameUrl("https://example.com/a", "http://example.com/a"));
  EXPECT_FALSE(SameUrl("https://example.com/A", "https://example.com/a"));
  EXPECT_FALSE(SameUrl("https://example.com/d/", "https://example.com/d/index.html"));
}

}  // namespace
}  // namespace zorvitan::testing
