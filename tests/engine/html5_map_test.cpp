// The html5 map: its nesting by folder, its labels, the page around it, the
// template, and the suffix rule for titles.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "engine/formats/html5/html5_page.h"
#include "engine/formats/title_suffix.h"
#include "tests/engine/engine_fixture.h"

namespace zorvitan::testing {
namespace {

// A template that holds nothing but the map, so the map's bytes can be
// compared whole.
const std::string kBare = "{{title}}\n{{map}}";

class Html5MapTest : public EngineTest {
 protected:
  Html5MapTest() { fs.AddFolder("C:\\s"); }

  // Runs the html5 map of C:\s into C:\mapa.html; returns its bytes.
  std::string Map(const std::string& template_text = kBare) {
    options.template_text = template_text;
    inputs.format = options;
    report = Generate("C:\\s", map_file);
    EXPECT_EQ(report.outcome, RunOutcome::kDone);
    return fs.Contents(map_file);
  }
  // The list between the template's title line and the end.
  std::string List() {
    const std::string map = Map();
    return map.substr(map.find('\n') + 1);
  }
  static std::string Nav(const std::string& items) {
    return "<nav class=\"site-map\" aria-label=\"Mapa serwisu\">\n<ul>\n" + items +
           "</ul>\n</nav>\n";
  }

  Html5Options options;
  std::string map_file = "C:\\mapa.html";
  RunReport report;
};

// Folders nest, each labelled by its index page wherever that stands among its
// pages (an untitled one by the folder's name), or by its name when it has
// none; a folder of one page has no list of its own; names and titles become
// UTF-8.
TEST_F(Html5MapTest, SmallMapByteForByte) {
  fs.AddFile("C:\\s\\index.htm", "<html lang=\"pl-PL\"><title> Start\r\n page </title>");
  fs.AddFile("C:\\s\\b.htm", Page("B &amp; <i>c</i>"));
  fs.AddFile("C:\\s\\a.htm", "<p>no title</p>");
  fs.AddFile("C:\\s\\dzia\xB3\\index.htm", Page(Cp1250("Dział")));
  fs.AddFile("C:\\s\\dzia\xB3\\a b.htm", Page("X"));
  fs.AddFile("C:\\s\\dzia\xB3\\pusty\\g\xB3\xEA\\boki\\z.htm", Page("Z"));
  fs.AddFile("C:\\s\\dzia\xB3\\pusty\\g\xB3\xEA\\index.php", Page("Tylko indeks"));
  fs.AddFile("C:\\s\\\x01\xE6\x97\xA5\xE6\x9C\xAC\\index.html", "");
  EXPECT_EQ(
      Map(),
      "Mapa serwisu \xE2\x80\x93 Start page\n" +
          Nav("  <li><a href=\"index.htm\">Start page</a></li>\n"
              "  <li><a href=\"a.htm\">a.htm</a></li>\n"
              "  <li><a href=\"b.htm\">B &amp; &lt;i&gt;c&lt;/i&gt;</a></li>\n"
              "  <li class=\"folder\"><a href=\"dzia%C5%82/index.htm\">Dział</a>\n"
              "    <ul>\n"
              "      <li><a href=\"dzia%C5%82/a%20b.htm\">X</a></li>\n"
              "      <li class=\"folder\"><span>pusty</span>\n"
              "        <ul>\n"
              "          <li class=\"folder\"><a "
              "href=\"dzia%C5%82/pusty/g%C5%82%C4%99/index.php\">Tylko indeks</a>\n"
              "            <ul>\n"
              "              <li class=\"folder\"><span>boki</span>\n"
              "                <ul>\n"
              "                  <li><a href=\"dzia%C5%82/pusty/g%C5%82%C4%99/boki/z.htm\">"
              "Z</a></li>\n"
              "                </ul>\n"
              "              </li>\n"
              "            </ul>\n"
              "          </li>\n"
              "        </ul>\n"
              "      </li>\n"
              "    </ul>\n"
              "  </li>\n"
              "  <li class=\"folder\"><a href=\"%E6%97%A5%E6%9C%AC/index.html\">日本</a></li>\n"));
  EXPECT_EQ(report.summary.pages_found, 8u);
}

// The built-in page: doctype, language, charset, viewport, title, stylesheet.
TEST_F(Html5MapTest, TheBuiltInPageAroundTheList) {
  fs.AddFile("C:\\s\\index.html", "<!DOCTYPE html>\n<HTML class=x LANG='PL-pl'>" + Page("Start"));
  const std::string map = Map("");
  EXPECT_EQ(map.substr(0, map.find("<style>")),
            "<!DOCTYPE html>\n<html lang=\"PL-pl\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<title>Mapa serwisu \xE2\x80\x93 Start</title>\n");
  EXPECT_NE(map.find("@media (prefers-color-scheme: dark)"), std::string::npos);
  EXPECT_NE(map.find("@media print"), std::string::npos);
  EXPECT_EQ(map.substr(map.find("</style>")),
            "</style>\n</head>\n<body>\n<main>\n<h1>Mapa serwisu \xE2\x80\x93 Start</h1>\n" +
                Nav("  <li><a href=\"index.html\">Start</a></li>\n") +
                "</main>\n</body>\n</html>\n");
  EXPECT_EQ(map.find("<script"), std::string::npos);
}

TEST_F(Html5MapTest, LanguageAndTitleGivenOrByDefault) {
  fs.AddFile("C:\\s\\a.htm", Page("A"));
  std::string map = Map("{{title}}|{{map}}");
  EXPECT_EQ(map.substr(0, map.find('|')), "Mapa serwisu");  // no top index page
  EXPECT_NE(Map("").find("<html lang=\"pl\">"), std::string::npos);

  fs.AddFile("C:\\s\\index.htm", "<html lang=\"not a tag\"><title>T</title>");
  EXPECT_NE(Map("").find("<html lang=\"pl\">"), std::string::npos);
  fs.system_language = "uk";  // no page declares a language: the system's
  EXPECT_NE(Map("").find("<html lang=\"uk\">"), std::string::npos);
  fs.AddFile("C:\\s\\b.htm", "<html lang=ja><title>B &copy 2001 &amp</title>");
  fs.AddFile("C:\\s\\c.htm", "<html lang=ru><title>C</title>");
  fs.AddFile("C:\\s\\d.htm", "<html lang=JA><title>D</title>");
  map = Map("");
  EXPECT_NE(map.find("<html lang=\"ja\">"), std::string::npos);  // what most pages declare
  EXPECT_NE(map.find(">B \xC2\xA9 2001 &amp;</a>"),
            std::string::npos);  // the text the browser shows
  options.lang = "en";
  options.has_title = true;
  options.title = Cp1250("Wszystko <o> \"nas\" & ") + "&amp;";
  map = Map("");
  EXPECT_NE(map.find("<html lang=\"en\">"), std::string::npos);
  EXPECT_NE(map.find("<title>Wszystko &lt;o&gt; &quot;nas&quot; &amp; &amp;amp;</title>"),
            std::string::npos);
  map = Map("<p title=\"{{title}}\">{{title}}</p>{{map}}<!-- {{title}} -->");
  EXPECT_EQ(map.find("{{"), std::string::npos);
  EXPECT_EQ(map.substr(map.rfind("<!--")),
            "<!-- Wszystko &lt;o&gt; &quot;nas&quot; &amp; &amp;amp; -->");
}

// The links that carry a language, "href:lang " each; "!" after one whose
// hreflang is another.
std::string LinksWithLang(const std::string& map) {
  static const std::regex link("<a href=\"([^\"]*)\" lang=\"([^\"]*)\" hreflang=\"([^\"]*)\">");
  std::string found;
  for (std::sregex_iterator it(map.begin(), map.end(), link), end; it != end; ++it) {
    found += (*it)[1].str() + ":" + (*it)[2].str() + ((*it)[2] == (*it)[3] ? " " : "! ");
  }
  return found;
}

// The page's words follow its language, given or found (also once all pages are read, when most
// decide); a link to a page in another language says the page's. A template keeps its language;
// the list declares its own when that is another.
TEST_F(Html5MapTest, WordsAndLinkLanguagesFollowThePagesLanguage) {
  fs.AddFile("C:\\s\\de.htm", "<html lang=de><title>Tag</title>");
  fs.AddFile("C:\\s\\en.htm", "<html lang=\"en-GB\"><title>Day</title>");
  fs.AddFile("C:\\s\\pl.htm", "<html lang=\"PL-pl\"><title>Dzie\xC5\x84</title>");
  fs.AddFile("C:\\s\\x.htm", "<html lang=\"x y\"><title>X</title>");  // no tag: no lang
  fs.AddFile("C:\\s\\n.htm", Page("N"));
  struct {
    const char *given, *top;  // --lang, the top index page's lang
    const char *template_lang, *label, *nav_lang, *links;
  } const cases[] = {
      {"", "pl", "", "Mapa serwisu", "", "de.htm:de en.htm:en-GB "},
      {"en", "pl", "", "Site map", "", "index.htm:pl de.htm:de pl.htm:PL-pl "},
      {"PL", "de", "", "Mapa serwisu", "", "index.htm:de de.htm:de en.htm:en-GB "},
      {"de-AT", "pl", "", "Site map", "", "index.htm:pl en.htm:en-GB pl.htm:PL-pl "},
      // No tag on top: the first of the most declared, "de".
      {"", "not a tag", "", "Site map", "", "en.htm:en-GB pl.htm:PL-pl "},
      {"", "pl", "en", "Mapa serwisu", "pl", "de.htm:de en.htm:en-GB "},
      {"en", "pl", "en-US", "Site map", "", "index.htm:pl de.htm:de pl.htm:PL-pl "},
      {"en", "pl", "pl", "Site map", "en", "index.htm:pl de.htm:de pl.htm:PL-pl "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.given) + "/" + c.top + "/" + c.template_lang);
    fs.AddFile("C:\\s\\index.htm", std::string("<html lang=\"") + c.top + "\"><title>Start");
    options.lang = c.given;
    const std::string html = std::string("<html lang=\"") + c.template_lang + "\">";
    const std::string map = Map(html + "{{title}}|{{map}}");
    const std::string nav_lang = *c.nav_lang ? std::string(" lang=\"") + c.nav_lang + "\"" : "";
    EXPECT_EQ(map.substr(0, map.find('\n')),
              html + c.label + " \xE2\x80\x93 Start|<nav class=\"site-map\" aria-label=\"" +
                  c.label + "\"" + nav_lang + ">");
    EXPECT_EQ(LinksWithLang(map), c.links);
  }
}

TEST_F(Html5MapTest, DeepTreesCloseEveryList) {
  std::string folder = "C:\\s";
  for (int depth = 0; depth < 60; ++depth) {
    folder += "\\d";
    fs.AddFile(folder + "\\p.htm", Page("P"));
  }
  fs.AddFile("C:\\s\\q.htm", Page("Q"));
  const std::string list = List();
  std::size_t opened = 0, closed = 0;
  for (std::size_t at = list.find("<ul>"); at != std::string::npos;
       at = list.find("<ul>", at + 1)) {
    ++opened;
  }
  for (std::size_t at = list.find("</ul>"); at != std::string::npos;
       at = list.find("</ul>", at + 1)) {
    ++closed;
  }
  EXPECT_EQ(opened, 61u);
  EXPECT_EQ(closed, 61u);
  EXPECT_EQ(list.find("<li><a href=\"q.htm\">Q</a></li>"), 2 + list.find("<ul>\n") + 5);
  EXPECT_NE(list.find(std::string(2 + 4 * 60, ' ') + "<li><a href=\"d/"), std::string::npos);
}

// Untitled pages show their file name, an untitled index its folder's name;
// left out, an untitled index leaves its folder labelled by name, and a
// folder with nothing left is not shown at all.
TEST_F(Html5MapTest, UntitledPagesAndSkippedOnes) {
  fs.AddFile("C:\\s\\k\\index.htm", "<p>");
  fs.AddFile("C:\\s\\k\\m.htm", Page("M"));
  fs.AddFile("C:\\s\\n\\x\x7F\x02.htm", "");
  EXPECT_EQ(List(),
            Nav("  <li class=\"folder\"><a href=\"k/index.htm\">k</a>\n"
                "    <ul>\n"
                "      <li><a href=\"k/m.htm\">M</a></li>\n"
                "    </ul>\n"
                "  </li>\n"
                "  <li class=\"folder\"><span>n</span>\n"
                "    <ul>\n"
                "      <li><a href=\"n/x%7F%02.htm\">x\xE2\x90\xA1\xE2\x90\x82.htm</a></li>\n"
                "    </ul>\n"
                "  </li>\n"));
  inputs.skip_untitled = true;
  EXPECT_EQ(List(), Nav("  <li class=\"folder\"><span>k</span>\n"
                        "    <ul>\n"
                        "      <li><a href=\"k/m.htm\">M</a></li>\n"
                        "    </ul>\n"
                        "  </li>\n"));
  EXPECT_EQ(report.summary.pages_found, 3u);
}

// The map written into the site is no page of it; an unreadable page is
// listed by name and reported.
TEST_F(Html5MapTest, TheMapItselfIsNotListed) {
  map_file = "C:\\s\\Mapa.html";
  fs.AddFile("C:\\s\\mapa.html", "<title>Mapa serwisu</title>");
  fs.AddFile("C:\\s\\x.htm", Page("X"));
  fs.unreadable_pages.insert("C:\\s\\x.htm");
  EXPECT_EQ(List(), Nav("  <li><a href=\"x.htm\">x.htm</a></li>\n"));
  EXPECT_EQ(report.summary.pages_found, 1u);
  EXPECT_EQ(report.summary.unreadable_pages, std::vector<std::string>{"C:\\s\\x.htm"});
}

// Closed while the pages are read, in either of the writer's two ways of
// reading them: the old map stays and no temporary is left.
TEST_F(Html5MapTest, ClosingWhilePagesAreReadKeepsTheOldMap) {
  fs.AddFile("C:\\s\\a.htm", Page("A | G"));
  fs.AddFile("C:\\s\\b.htm", Page("B | G"));
  fs.AddFile(map_file, "old");
  const auto before = fs.AllPaths();
  for (const bool strip : {false, true}) {
    options.strip_common_suffix = strip;
    inputs.format = options;
    window.events = 0;
    window.close_at_event = 2;  // the site folder walked and a.htm read
    EXPECT_EQ(Generate("C:\\s", map_file).outcome, RunOutcome::kCancelled) << strip;
    EXPECT_EQ(window.events, 3) << strip;
    EXPECT_EQ(fs.Contents(map_file), "old") << strip;
    EXPECT_EQ(fs.AllPaths(), before) << strip;
  }
}

TEST_F(Html5MapTest, StripCommonSuffixAndNameTheMapAfterIt) {
  fs.AddFile("C:\\s\\index.htm", Page("Start | Glina"));
  fs.AddFile("C:\\s\\a.htm", Page("A | Glina"));
  fs.AddFile("C:\\s\\b.htm", Page(" | Glina"));
  fs.AddFile("C:\\s\\c.htm", Page("C"));
  fs.AddFile("C:\\s\\d.htm", Page("D | Glina"));
  options.strip_common_suffix = true;
  EXPECT_EQ(Map(), "Mapa serwisu | Glina\n" + Nav("  <li><a href=\"index.htm\">Start</a></li>\n"
                                                  "  <li><a href=\"a.htm\">A</a></li>\n"
                                                  "  <li><a href=\"b.htm\">| Glina</a></li>\n"
                                                  "  <li><a href=\"c.htm\">C</a></li>\n"
                                                  "  <li><a href=\"d.htm\">D</a></li>\n"));
  EXPECT_EQ(report.summary.stripped_suffix, " | Glina");
}

TEST(TitleSuffix, MostTitlesMustShareIt) {
  EXPECT_EQ(CommonTitleSuffix({"A | Glina", "B | Glina", "C"}), " | Glina");
  EXPECT_EQ(CommonTitleSuffix({"A | Glina", "B | Glina", "C", "D"}), "");  // half is not most
  EXPECT_EQ(CommonTitleSuffix({"A | Glina", "", ""}), "");  // one title is no pattern
  EXPECT_EQ(CommonTitleSuffix({"A – Kursy | Glina", "B – Kursy | Glina", "C – Blog | Glina"}),
            " | Glina");
  EXPECT_EQ(CommonTitleSuffix({"A – Kursy | Glina", "B – Kursy | Glina"}), " – Kursy | Glina");
  EXPECT_EQ(CommonTitleSuffix({"A &ndash; Glina", "B &ndash; Glina", "A-B Glina"}),
            " &ndash; Glina");
  EXPECT_EQ(CommonTitleSuffix({"Glina", "Glina", "Glina"}), "");  // no separator
  EXPECT_EQ(CommonTitleSuffix({"A |Glina", "B |Glina"}), "");
  EXPECT_EQ(CommonTitleSuffix({"A | B | C", "D | B | C"}), " | B | C");
  EXPECT_EQ(WithoutSuffix("A | Glina", " | Glina"), "A");
  EXPECT_EQ(WithoutSuffix(" | Glina", " | Glina"), " | Glina");
  EXPECT_EQ(WithoutSuffix("A", ""), "A");
}

TEST(Html5Page, TemplatesLanguageTagsAndText) {
  FakePlatform fs;
  std::string text;
  EXPECT_EQ(ReadTemplate(fs, "C:\\none.html", &text), TemplateProblem::kUnreadable);
  fs.AddFile("C:\\t.html", "\xEF\xBB\xBF<p>{{title}}</p>{{map}}");
  EXPECT_EQ(ReadTemplate(fs, "C:\\t.html", &text), TemplateProblem::kNone);
  EXPECT_EQ(text, "<p>{{title}}</p>{{map}}");
  EXPECT_EQ(TemplateBeforeMap(text, "T"), "<p>T</p>");
  fs.AddFile("C:\\t.html", "{{title}} {{ map }}");
  EXPECT_EQ(ReadTemplate(fs, "C:\\t.html", &text), TemplateProblem::kNoMap);

  for (const char* tag : {"pl", "en-GB", "zh-Hant-TW", "de-1996", "x-klingon"}) {
    EXPECT_EQ(IsLanguageTag(tag), std::string(tag) != "x-klingon") << tag;
  }
  for (const char* tag : {"", "p", "pl_PL", "pl-", "-pl", "en-toolongpart", "pl pl", "\"pl\""}) {
    EXPECT_FALSE(IsLanguageTag(tag)) << tag;
  }
  std::string out;
  AppendPlainText("a&b\x01\x7F\xC2\x85\xEF\xBF\xBE\xFF\t", &out);
  EXPECT_EQ(out, "a&amp;b\xE2\x90\x81\xE2\x90\xA1\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\t");
}

}  // namespace
}  // namespace zorvitan::testing
