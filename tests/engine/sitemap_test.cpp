// The machine sitemap: noindex in the head, URLs and dates, and the set of
// files with its split, its index and its replacement.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/sitemap/robots_meta.h"
#include "engine/sitemap/sitemap_url.h"
#include "tests/engine/engine_fixture.h"

namespace zorvitan::testing {
namespace {

bool Noindex(const std::string& page, std::size_t piece) {
  HeadScanner scanner;
  for (std::size_t at = 0; at < page.size() && !scanner.Settled(); at += piece) {
    scanner.Feed(page.data() + at, std::min(piece, page.size() - at));
  }
  return scanner.Noindex();
}

TEST(Noindex, MetaRobotsInTheHeadOnly) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"<head><meta name=\"robots\" content=\"noindex\"></head>", true},
      {"<HEAD><META CONTENT='NoIndex, follow' NAME='Robots'/>", true},
      {"<meta name=googlebot content=noindex>", true},
      {"<meta content=\"none\" name=\" robots \">", true},
      {"<!DOCTYPE html><?php x->y(); ?><html><meta data-x=\">\" name=robots content=noindex>",
       true},
      {"<meta name=\"robots\" content=\"nofollow\">", false},
      {"<meta name=\"description\" content=\"noindex\">", false},
      {"<meta name=\"robots\" content=\"noindexing\">", false},
      {"<head></head><meta name=\"robots\" content=\"noindex\">", false},
      {"<head><title>a</title><p><meta name=\"robots\" content=\"noindex\">", false},
      {"<!-- <meta name=\"robots\" content=\"noindex\"> -->", false},
      {"<script>'<meta name=\"robots\" content=\"noindex\">'</script>", false},
      {"<title><meta name=robots content=noindex></title>", false},
  };
  for (const auto& [page, noindex] : cases) {
    EXPECT_EQ(Noindex(page, page.size()), noindex) << page;
    EXPECT_EQ(Noindex(page, 1), noindex) << page << " (a byte at a time)";
  }
}

TEST(Noindex, TheScanEndsWithTheHead) {
  HeadScanner scanner;
  const std::string head = "<html><head><title>x</title></head>";
  EXPECT_TRUE(scanner.Feed(head.data(), head.size()));
  HeadScanner endless;
  const std::string comment = "<!--" + std::string(1 << 20, 'x');
  EXPECT_FALSE(endless.Feed(comment.data(), comment.size()));
}

TEST(SitemapText, W3cDateTimeInUtc) {
  EXPECT_EQ(W3cDateTime(0), "1970-01-01T00:00:00Z");
  EXPECT_EQ(W3cDateTime(951825599), "2000-02-29T11:59:59Z");
  EXPECT_EQ(W3cDateTime(-1), "1969-12-31T23:59:59Z");
  EXPECT_EQ(W3cDateTime(253402300799), "9999-12-31T23:59:59Z");
  EXPECT_EQ(W3cDateTime(253402300800), "");
}

TEST(SitemapText, BaseUrls) {
  EXPECT_TRUE(IsBaseUrl("https://example.com"));
  EXPECT_TRUE(IsBaseUrl("HTTP://example.com/a/b/"));
  for (const char* bad :
       {"example.com", "ftp://example.com/", "https://", "https:///x", "https://example.com/?q",
        "https://example.com/#top", "https://exa mple.com/", "/www/"}) {
    EXPECT_FALSE(IsBaseUrl(bad)) << bad;
  }
}

class SitemapTest : public EngineTest {
 protected:
  RunReport GenerateSitemap(SitemapOptions::Format format = SitemapOptions::Format::kXml,
                            const std::string& map = "C:\\site\\sitemap.xml") {
    options.format = format;
    inputs.sitemap = options;
    return Generate("C:\\site", map, "*.*");
  }
  static std::string Url(const std::string& path, const char* lastmod = "2023-11-14T22:13:20Z") {
    return "<url><loc>https://example.com/a&amp;b/" + path + "</loc><lastmod>" + lastmod +
           "</lastmod></url>\n";
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (const std::string& path : fs.AllPaths()) {
      if (path.rfind("c:\\site\\", 0) == 0) files.push_back(path.substr(8));
    }
    return files;
  }
  SitemapOptions options{SitemapOptions::Format::kXml, "https://example.com/a&b"};
};

const char kUrlset[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";

TEST_F(SitemapTest, UrlsAreUtf8PercentEncodedAndNoindexPagesLeftOut) {
  fs.AddFile("C:\\site\\a b&c.htm", Page("x"));
  fs.AddFile("C:\\site\\dzia\xB3\\~x_y-z.php", "");
  fs.AddFile("C:\\site\\\x01日本.htm", "");
  fs.SetModifiedTime("C:\\site\\\x01日本.htm", 0);
  fs.AddFile("C:\\site\\secret.htm", "<head><meta name=robots content=noindex></head>");
  fs.AddFile("C:\\site\\sitemap-3.xml", "");  // the set's own files are no pages
  fs.unopenable_pages.insert("C:\\site\\zamek.htm");
  fs.AddFile("C:\\site\\zamek.htm", "");
  const RunReport report = GenerateSitemap();
  ASSERT_EQ(report.outcome, RunOutcome::kDone);
  EXPECT_EQ(report.summary.pages_found, 5u);
  EXPECT_EQ(report.summary.noindex_pages, 1u);
  EXPECT_EQ(report.summary.unreadable_pages, (std::vector<std::string>{"C:\\site\\zamek.htm"}));
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"),
            kUrlset + Url("a%20b%26c.htm") +
                "<url><loc>https://example.com/a&amp;b/zamek.htm</loc></url>\n" +
                Url("%E6%97%A5%E6%9C%AC.htm", "1970-01-01T00:00:00Z") +
                Url("dzia%C5%82/~x_y-z.php") + "</urlset>\n");
  // A smaller run than the one that left sitemap-3.xml behind removes it.
  EXPECT_FALSE(fs.Exists("C:\\site\\sitemap-3.xml"));
}

TEST_F(SitemapTest, StripIndexGivesOneFolderUrl) {
  options.format = SitemapOptions::Format::kText;
  options.strip_index = true;
  for (const char* page : {"C:\\site\\INDEX.HTM", "C:\\site\\index.html", "C:\\site\\d\\index.php",
                           "C:\\site\\d\\index.php5", "C:\\site\\d\\e\\Index.html"}) {
    fs.AddFile(page, "");
  }
  GenerateSitemap(SitemapOptions::Format::kText, "C:\\site\\sitemap.txt");
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.txt"),
            "https://example.com/a&b/\nhttps://example.com/a&b/d/\n"
            "https://example.com/a&b/d/index.php5\nhttps://example.com/a&b/d/e/\n");
}

TEST_F(SitemapTest, ALargeSiteIsSplitUnderAnIndexAndASmallerRunLeavesNoStaleFiles) {
  options.max_urls = 2;
  for (const char* page : {"a.htm", "b.htm", "c.htm", "d\\e.htm", "d\\f.htm"}) {
    fs.AddFile(std::string("C:\\site\\") + page, "");
  }
  fs.SetModifiedTime("C:\\site\\b.htm", 1800000000);
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<sitemapindex xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n"
            "<sitemap><loc>https://example.com/a&amp;b/sitemap-1.xml</loc>"
            "<lastmod>2027-01-15T08:00:00Z</lastmod></sitemap>\n"
            "<sitemap><loc>https://example.com/a&amp;b/sitemap-2.xml</loc>"
            "<lastmod>2023-11-14T22:13:20Z</lastmod></sitemap>\n"
            "<sitemap><loc>https://example.com/a&amp;b/sitemap-3.xml</loc>"
            "<lastmod>2023-11-14T22:13:20Z</lastmod></sitemap>\n"
            "</sitemapindex>\n");
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap-3.xml"), kUrlset + Url("d/f.htm") + "</urlset>\n");

  // A disk that fills while the new set is written keeps the whole old one.
  const std::vector<std::string> before = Files();
  fs.AddFile("C:\\site\\g.htm", "");
  const std::string old_index = fs.Contents("C:\\site\\sitemap.xml");
  fs.fail_map_write_after = 200;
  EXPECT_EQ(GenerateSitemap().outcome, RunOutcome::kMapNotWritten);
  EXPECT_EQ(window.messages.back().text, "Nie mog\xEA utworzy\xE6 pliku: C:\\site\\sitemap-1.xml");
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"), old_index);
  EXPECT_EQ(Files().size(), before.size() + 1);  // g.htm, and no temporary file

  fs.fail_map_write_after = -1;
  options.max_urls = 4;
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_TRUE(fs.Exists("C:\\site\\sitemap-2.xml"));
  EXPECT_FALSE(fs.Exists("C:\\site\\sitemap-3.xml"));
  options.max_urls = 50000;
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml").find("<urlset"), 39u);
  EXPECT_FALSE(fs.Exists("C:\\site\\sitemap-1.xml"));
}

TEST_F(SitemapTest, BytesSplitTooAndASplitTextSitemapHasNoMap) {
  options.max_bytes = 70;  // two URLs of 30 bytes and their line ends
  for (const char* page : {"a.htm", "b.htm", "c.htm"})
    fs.AddFile(std::string("C:\\site\\") + page, "");
  fs.AddFile("C:\\site\\sitemap.txt", "old map");
  ASSERT_EQ(GenerateSitemap(SitemapOptions::Format::kText, "C:\\site\\sitemap.txt").outcome,
            RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap-1.txt"),
            "https://example.com/a&b/a.htm\nhttps://example.com/a&b/b.htm\n");
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap-2.txt"), "https://example.com/a&b/c.htm\n");
  EXPECT_FALSE(fs.Exists("C:\\site\\sitemap.txt"));
}

}  // namespace
}  // namespace zorvitan::testing
