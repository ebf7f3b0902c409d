// The machine sitemap: noindex in the head, URLs and dates, and the set of
// files with its split, its index and its replacement.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "engine/formats/sitemap/w3c_date.h"
#include "engine/listing/left_out_rules.h"
#include "engine/url/base_url.h"
#include "tests/engine/engine_fixture.h"

namespace zorvitan::testing {
namespace {

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
    inputs.format = options;
    return Generate("C:\\site", map, patterns);
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
  std::string patterns = "*.*";
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

TEST_F(SitemapTest, FilesNamedAlmostLikeNumberedFilesAreTheUsersOwnPagesAndKept) {
  const std::vector<std::string> users_own = {"sitemap-01.xml", "sitemap-.xml", "sitemap-1.txt"};
  for (const std::string& name : users_own) fs.AddFile("C:\\site\\" + name, "mine");
  fs.AddFile("C:\\site\\a.htm", "");
  for (const std::size_t max_urls : {2, 50000}) {  // a split run, then one that removes its files
    options.max_urls = max_urls;
    const RunReport report = GenerateSitemap();
    ASSERT_EQ(report.outcome, RunOutcome::kDone);
    EXPECT_EQ(report.summary.pages_found, 4u) << max_urls;
    for (const std::string& name : users_own) {
      EXPECT_EQ(fs.Contents("C:\\site\\" + name), "mine") << name << ", " << max_urls;
    }
  }
  EXPECT_FALSE(fs.Exists("C:\\site\\sitemap-1.xml"));
}

// The protocol's limits by default: a file holds 50,000 URLs and 50 MiB, not one more.
TEST_F(SitemapTest, AFileHoldsFiftyThousandUrlsByDefault) {
  options = SitemapOptions{};
  options.base_url = "https://example.com/";
  for (int i = 0; i < 50000; ++i) fs.AddFile("C:\\site\\p" + std::to_string(i) + ".htm", "");
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml").find("<urlset"), 39u);
  EXPECT_FALSE(fs.Exists("C:\\site\\sitemap-1.xml"));
  fs.AddFile("C:\\site\\p50000.htm", "");
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_NE(fs.Contents("C:\\site\\sitemap.xml").find("<sitemapindex"), std::string::npos);
  const std::string second = fs.Contents("C:\\site\\sitemap-2.xml");
  EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 4) << "one URL";
}

// 25,600 text lines of 2,048 bytes (URLs of 2,047 characters, within the protocol's 2,048)
// fill 50 MiB exactly; a byte more needs a second file.
TEST_F(SitemapTest, AFileHoldsFiftyMiBByDefault) {
  options = SitemapOptions{};
  options.base_url = "https://example.com/" + std::string(2016, 'x') + "/";
  for (int i = 10000; i < 35600; ++i) fs.AddFile("C:\\site\\p" + std::to_string(i) + ".htm", "");
  const std::string text_map = "C:\\site\\sitemap.txt";
  ASSERT_EQ(GenerateSitemap(SitemapOptions::Format::kText, text_map).outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents(text_map).size(), 50u * 1024 * 1024);
  EXPECT_FALSE(fs.Exists("C:\\site\\sitemap-1.txt"));
  fs.Remove("C:\\site\\p10000.htm");
  fs.AddFile("C:\\site\\p100000.htm", "");
  ASSERT_EQ(GenerateSitemap(SitemapOptions::Format::kText, text_map).outcome, RunOutcome::kDone);
  EXPECT_FALSE(fs.Exists(text_map));
  EXPECT_TRUE(fs.Exists("C:\\site\\sitemap-2.txt"));
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

namespace zorvitan::testing {
namespace {

TEST_F(SitemapTest, PagesLeftOutAreCountedByReasonAndReported) {
  patterns = "*.htm; *.html";
  inputs.excludes = {"drafts"};
  options.report_file = "C:\\out\\report.txt";
  const std::string too_long = std::string(2040, 'x') + ".htm";
  fs.AddFile("C:\\site\\index.htm", Page("home"));
  fs.AddFile("C:\\site\\404.html", "");
  fs.AddFile("C:\\site\\d\\404.html", "");  // only the site's top error page is one
  fs.AddFile("C:\\site\\old.htm", "<meta http-equiv=refresh content=\"0; url=new.htm\">");
  fs.AddFile("C:\\site\\dup.htm", "<link rel=canonical href=index.htm>");
  // A canonical URL is resolved as browsers do: in UTF-8, against <base href>.
  fs.AddFile("C:\\site\\based.htm", "<base href=\"docs/\"><link rel=canonical href=based.htm>");
  fs.AddFile(Cp1250("C:\\site\\łódź.htm"),
             Cp1250("<meta charset=windows-1250><link rel=canonical href=\"łódź.htm\">"));
  fs.AddFile("C:\\site\\self.htm",
             "<link rel=canonical href=\"https://EXAMPLE.com/a&b/self.htm\">");
  fs.AddFile("C:\\site\\noindex.htm", "<meta name=robots content=noindex>");
  // Head elements past the head's end: a noindex still leaves the page out.
  fs.AddFile("C:\\site\\late.htm", "<title>x</title>\n<b><meta name=robots content=noindex>");
  fs.AddFile("C:\\site\\latecanon.htm", "<p><link rel=canonical href=index.htm>");
  fs.AddFile("C:\\site\\" + too_long, "");
  fs.AddFile("C:\\site\\private\\p.htm", "");
  fs.AddFile("C:\\site\\drafts\\x.htm", "");
  fs.AddFile("C:\\site\\robots.txt", "User-agent: *\nDisallow: /a&b/private/\n");
  fs.AddFolder("C:\\out");
  const RunReport report = GenerateSitemap();
  ASSERT_EQ(report.outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"),
            kUrlset + Url("index.htm") + Url("latecanon.htm") + Url("self.htm") +
                Url("%C5%82%C3%B3d%C5%BA.htm") + Url("d/404.html") + "</urlset>\n");
  EXPECT_EQ(report.summary.noindex_pages, 2u);
  const std::string late =
      "noindex after the head ended at <b> (line 2): search engines do not see it";
  const std::string late_canonical =
      "canonical after the head ended at <p> (line 1): search engines do not see it";
  // For the front end: which elements came late, where, and the pages left out by reason.
  const ListingNotices& notices = report.summary.listing;
  ASSERT_EQ(notices.past_head.size(), 2u);
  EXPECT_EQ(notices.past_head[0].page + " " + PastHeadText(notices.past_head[0]),
            "late.htm " + late);
  EXPECT_EQ(notices.past_head[1].page + " " + PastHeadText(notices.past_head[1]),
            "latecanon.htm " + late_canonical);
  EXPECT_EQ(std::vector<std::size_t>(std::begin(notices.left_out), std::end(notices.left_out)),
            (std::vector<std::size_t>{0, 1, 2, 2, 1, 1, 1, 1}))
      << "none, excluded, noindex, canonical, redirect, robots.txt, error page, too long";
  EXPECT_EQ(fs.Contents("C:\\out\\report.txt"),
            "drafts/\texcluded\n"
            "404.html\terror page\n"
            "based.htm\tcanonical https://example.com/a&b/docs/based.htm\n"
            "dup.htm\tcanonical https://example.com/a&b/index.htm\n"
            "late.htm\t" +
                late + "\n" + "latecanon.htm\t" + late_canonical + "\n" +
                "noindex.htm\tnoindex\n"
                "old.htm\tredirect new.htm\n" +
                too_long +
                "\ttoo long\n"
                "private/p.htm\trobots.txt Disallow: /a&b/private/\n");
}

// Alternates: written with their namespace once a page names them, the file
// begun before that restarted with it, and a set split by their bytes.
TEST_F(SitemapTest, AlternatesTakeTheNamespaceAndTheirBytesCanSplitTheSet) {
  const std::string pair =
      "<link rel=alternate hreflang=en href=b.htm><link rel=alternate hreflang=de href=c.htm>";
  fs.AddFile("C:\\site\\a.htm", "");
  fs.AddFile("C:\\site\\b.htm", pair);
  fs.AddFile("C:\\site\\c.htm", pair);
  auto with_links = [](const std::string& page) {
    const std::string url = Url(page);
    return url.substr(0, url.size() - 7) +
           "<xhtml:link rel=\"alternate\" hreflang=\"en\" "
           "href=\"https://example.com/a&amp;b/b.htm\"/>"
           "<xhtml:link rel=\"alternate\" hreflang=\"de\" "
           "href=\"https://example.com/a&amp;b/c.htm\"/></url>\n";
  };
  const std::string urlset_with_links =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\" "
      "xmlns:xhtml=\"http://www.w3.org/1999/xhtml\">\n";
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(
      fs.Contents("C:\\site\\sitemap.xml"),
      urlset_with_links + Url("a.htm") + with_links("b.htm") + with_links("c.htm") + "</urlset>\n");

  options.hreflang = false;
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"),
            kUrlset + Url("a.htm") + Url("b.htm") + Url("c.htm") + "</urlset>\n");

  // Three dated URLs fit, but not with their links: the file begun as MAP
  // becomes the first numbered one.
  options.hreflang = true;
  options.max_bytes = 600;
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap-1.xml"),
            urlset_with_links + Url("a.htm") + with_links("b.htm") + "</urlset>\n");
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap-2.xml"),
            urlset_with_links + with_links("c.htm") + "</urlset>\n");
  EXPECT_NE(fs.Contents("C:\\site\\sitemap.xml").find("<sitemapindex"), std::string::npos);
  EXPECT_EQ(Files().size(), 6u);  // three pages, MAP and two numbered files: no temporary
}

// Every URL waits for the alternates' checks, then goes out in page order,
// the texts made in batches on two threads.
TEST_F(SitemapTest, HeldUrlsGoOutInPageOrderWithTheirLinks) {
  const int kPages = 1500;
  auto name = [](int i) { return "p" + std::to_string(10000 + i) + ".htm"; };
  std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\" "
      "xmlns:xhtml=\"http://www.w3.org/1999/xhtml\">\n";
  for (int i = 0; i < kPages; ++i) {
    // Pairs that name each other; every fifth page names none.
    const int pair = i % 2 == 0 ? i + 1 : i - 1;
    const bool names = i % 5 != 0 && pair % 5 != 0 && pair < kPages;
    fs.AddFile("C:\\site\\" + name(i),
               names ? "<link rel=alternate hreflang=en href=" + name(std::min(i, pair)) +
                           "><link rel=alternate hreflang=de href=" + name(std::max(i, pair)) + ">"
                     : std::string());
    const std::string url = Url(name(i));
    expected += names ? url.substr(0, url.size() - 7) +
                            "<xhtml:link rel=\"alternate\" hreflang=\"en\" "
                            "href=\"https://example.com/a&amp;b/" +
                            name(std::min(i, pair)) +
                            "\"/><xhtml:link rel=\"alternate\" hreflang=\"de\" "
                            "href=\"https://example.com/a&amp;b/" +
                            name(std::max(i, pair)) + "\"/></url>\n"
                      : url;
  }
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"), expected + "</urlset>\n");
}

// More than a write's worth of URLs before the first page with alternates:
// the file cannot be begun again, so each link declares the namespace, and
// links go in only while the file stays within its limit.
TEST_F(SitemapTest, AlternatesAfterAWritesWorthOfUrlsDeclareTheNamespaceOnEachLink) {
  const std::string pair =
      "<link rel=alternate hreflang=en href=z1.htm><link rel=alternate hreflang=de href=z2.htm>";
  std::size_t bytes = std::string(kUrlset).size() + std::string("</urlset>\n").size();
  for (int i = 0; i < 3000; ++i) {
    const std::string name = "a" + std::to_string(10000 + i) + ".htm";
    fs.AddFile("C:\\site\\" + name, "");
    bytes += Url(name).size();
  }
  fs.AddFile("C:\\site\\z1.htm", pair);
  fs.AddFile("C:\\site\\z2.htm", pair);
  bytes += Url("z1.htm").size() + Url("z2.htm").size();
  options.max_bytes = bytes + 300;  // room for one page's links, not two
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  const std::string map = fs.Contents("C:\\site\\sitemap.xml");
  EXPECT_EQ(map.compare(0, std::string(kUrlset).size(), kUrlset), 0);
  const std::string z1 = Url("z1.htm");
  const std::size_t links = map.find(z1.substr(0, z1.size() - 7) +
                                     "<xhtml:link xmlns:xhtml=\"http://www.w3.org/1999/xhtml\" "
                                     "rel=\"alternate\" hreflang=\"en\"");
  EXPECT_NE(links, std::string::npos);
  EXPECT_NE(map.find(Url("z2.htm") + "</urlset>\n"), std::string::npos);
  EXPECT_LE(map.size(), options.max_bytes);
}

TEST_F(SitemapTest, NothingToListWritesNoSitemapAndKeepsTheOldOne) {
  fs.AddFile("C:\\site\\sitemap.xml", "old");
  fs.AddFile("C:\\site\\a.htm", "<meta name=robots content=noindex>");
  options.report_file = "C:\\site\\report.txt";
  const RunReport report = GenerateSitemap();
  EXPECT_EQ(report.outcome, RunOutcome::kNothingListed);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"), "old");
  ASSERT_FALSE(window.messages.empty());
  EXPECT_EQ(window.messages.back().text, NothingListedText("C:\\site\\sitemap.xml", fs));
  EXPECT_EQ(report.summary.noindex_pages, 1u) << "for the front end to say why";
  EXPECT_EQ(fs.Contents("C:\\site\\report.txt"), "a.htm\tnoindex\n");
  fs.Remove("C:\\site\\a.htm");
  fs.Remove("C:\\site\\report.txt");
  EXPECT_EQ(GenerateSitemap().outcome, RunOutcome::kNothingListed) << "an empty site";
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"), "old");
}

// Git's answers as the real one gives them (see the sitemap test for that):
// the newest commit first, each page's last commit the first naming it.
TEST_F(SitemapTest, GitDatesForCommittedPagesFileTimesForChangedOnesNoFutureDates) {
  using namespace std::string_literals;
  fs.programs["rev-parse"] = {0, "true\nfalse\nsite/\n"};
  // new.htm was deleted last: the one there now is untracked.
  fs.programs["log"] = {0,
                        "\x01"
                        "1600000000\0\nM\0site/a.htm\0A\0site/d/b.htm\0D\0site/new.htm\0"
                        "\x01"
                        "1500000000\0\nA\0site/a.htm\0A\0site/c.htm\0A\0site/new.htm\0"
                        "A\0other/x.htm\0"s};
  fs.programs["status"] = {0, " M site/c.htm\0"s};
  for (const char* page : {"a.htm", "c.htm", "d\\b.htm", "e.htm", "new.htm"}) {
    fs.AddFile(std::string("C:\\site\\") + page, "");
  }
  fs.SetModifiedTime("C:\\site\\new.htm", 1900000000);
  options.now = 1800000000;
  options.lastmod = SitemapOptions::Lastmod::kGit;
  const RunReport report = GenerateSitemap();
  ASSERT_EQ(report.outcome, RunOutcome::kDone);
  const char* kCommit = "2020-09-13T12:26:40Z";
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"),
            kUrlset + Url("a.htm", kCommit) + Url("c.htm") + Url("e.htm") +
                "<url><loc>https://example.com/a&amp;b/new.htm</loc></url>\n" +
                Url("d/b.htm", kCommit) + "</urlset>\n");
  EXPECT_EQ(report.summary.listing.future_dates, 1u);
  EXPECT_EQ(report.summary.listing.dates_fallback, DatesFallback::kNone);
  ASSERT_EQ(fs.programs_run.size(), 3u);
  EXPECT_EQ(fs.programs_run[0], (std::vector<std::string>{
                                    "git", "-C", "C:\\site\\", "rev-parse", "--is-inside-work-tree",
                                    "--is-shallow-repository", "--show-prefix"}));

  // A shallow clone: file times, and a notice that says how to get the history.
  fs.programs["rev-parse"] = {0, "true\ntrue\n\n"};
  options.lastmod = SitemapOptions::Lastmod::kAuto;
  EXPECT_EQ(GenerateSitemap().summary.listing.dates_fallback, DatesFallback::kShallow);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml").find(kCommit), std::string::npos);
  // No git: auto quietly takes file times; asked for, a notice says why.
  fs.programs.clear();
  EXPECT_EQ(GenerateSitemap().summary.listing.dates_fallback, DatesFallback::kNone);
  options.lastmod = SitemapOptions::Lastmod::kGit;
  EXPECT_EQ(GenerateSitemap().summary.listing.dates_fallback, DatesFallback::kNoGit);
  options.lastmod = SitemapOptions::Lastmod::kNone;
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml").find("<lastmod>"), std::string::npos);
}

// Closed at any point, a run with git dates, a report and robots.txt keeps
// every old file, and git's thread ends with the writer.
TEST_F(SitemapTest, ClosingTheWindowDuringAGitDatedRunKeepsEveryOldFile) {
  using namespace std::string_literals;
  fs.programs["rev-parse"] = {0, "true\nfalse\nsite/\n"};
  fs.programs["log"] = {0,
                        "\x01"
                        "1600000000\0\nA\0site/a.htm\0A\0site/b.htm\0"s};
  fs.programs["status"] = {0, ""};
  fs.AddFile("C:\\site\\a.htm", "");
  fs.AddFile("C:\\site\\b.htm", "");
  fs.AddFile("C:\\site\\sitemap.xml", "old");
  fs.AddFile("C:\\site\\robots.txt", "User-agent: *\n");
  options.lastmod = SitemapOptions::Lastmod::kGit;
  options.report_file = "C:\\site\\report.txt";
  options.robots_txt = true;
  const auto before = fs.AllPaths();
  // Asked once for the folder walked, then once per page read.
  for (const int close_at : {0, 1, 2}) {
    window.events = 0;
    window.close_at_event = close_at;
    fs.programs_run.clear();
    EXPECT_EQ(GenerateSitemap().outcome, RunOutcome::kCancelled) << close_at;
    EXPECT_EQ(fs.programs_run.empty(), close_at == 0) << "git asked once the pages are read";
    EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"), "old") << close_at;
    EXPECT_EQ(fs.Contents("C:\\site\\robots.txt"), "User-agent: *\n") << close_at;
    EXPECT_EQ(fs.AllPaths(), before) << close_at;
  }
  window.close_at_event = -1;
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_NE(fs.Contents("C:\\site\\sitemap.xml").find("2020-09-13T12:26:40Z"), std::string::npos);
  EXPECT_TRUE(fs.Exists("C:\\site\\report.txt"));
}

TEST_F(SitemapTest, AHundredDatesMostlyOnOneDayAreFlagged) {
  options.lastmod = SitemapOptions::Lastmod::kMtime;
  for (int i = 0; i < 99; ++i) fs.AddFile("C:\\site\\p" + std::to_string(i) + ".htm", "");
  EXPECT_EQ(GenerateSitemap().summary.listing.one_day_dates, 0u) << "99 dates are too few";
  fs.AddFile("C:\\site\\p99.htm", "");
  for (int i = 0; i < 10; ++i) fs.SetModifiedTime("C:\\site\\p" + std::to_string(i) + ".htm", 0);
  const ListingNotices flagged = GenerateSitemap().summary.listing;
  EXPECT_EQ(flagged.one_day_dates, 90u);
  EXPECT_EQ(flagged.dated, 100u);
  EXPECT_EQ(flagged.one_day, "2023-11-14");
  fs.SetModifiedTime("C:\\site\\p10.htm", 0);
  EXPECT_EQ(GenerateSitemap().summary.listing.one_day_dates, 0u) << "89 of 100";
}

TEST_F(SitemapTest, RobotsTxtGetsTheSitemapLineOnceAndCleanUrlsDropHtml) {
  options.robots_txt = true;
  options.clean_urls = true;
  options.strip_index = true;
  patterns = "*.htm; *.html";
  fs.AddFile("C:\\site\\a.html", "");
  fs.AddFile("C:\\site\\b.htm", "");
  fs.AddFile("C:\\site\\d\\index.html", "");
  fs.AddFile("C:\\site\\robots.txt", "User-agent: *\r\nDisallow:");
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\sitemap.xml"),
            kUrlset + Url("a") + Url("b.htm") + Url("d/") + "</urlset>\n");
  const std::string robots =
      "User-agent: *\r\nDisallow:\r\nSitemap: https://example.com/a&b/sitemap.xml\r\n";
  EXPECT_EQ(fs.Contents("C:\\site\\robots.txt"), robots);
  ASSERT_EQ(GenerateSitemap().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\robots.txt"), robots);

  // A split text sitemap has no index: each of its files gets a line.
  options.max_urls = 2;
  fs.Remove("C:\\site\\robots.txt");
  ASSERT_EQ(GenerateSitemap(SitemapOptions::Format::kText, "C:\\site\\s.txt").outcome,
            RunOutcome::kDone);
  EXPECT_EQ(fs.Contents("C:\\site\\robots.txt"),
            "Sitemap: https://example.com/a&b/s-1.txt\nSitemap: https://example.com/a&b/s-2.txt\n");
}

}  // namespace
}  // namespace zorvitan::testing
