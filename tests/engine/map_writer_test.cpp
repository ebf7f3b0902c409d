#include "engine/formats/classic/map_writer.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"
#include "ui/clipboard_feeder.h"

namespace zorvitan::testing {
namespace {

const std::string kUntitled = Cp1250("#bez tytułu#");

class MapWriterTest : public EngineTest {
 protected:
  void SetUp() override {
    fs.AddFolder("C:\\strona");
    inputs.site_folder = "C:\\strona\\";
    inputs.map_file = "C:\\mapa.htm";
  }
  bool WriteMap(const std::vector<std::string>& pages) {
    const PageList list(pages);
    const std::vector<std::string> excluded;
    MapWriter writer(inputs, ClassicOptions{}, fs, window);
    ClipboardFeeder feeder(window.clipboard, fs, inputs.page_encoding);
    if (window.has_clipboard) writer.SetPageObserver(&feeder);
    result = writer.Write({list, excluded});
    unreadable = result.summary.unreadable_pages;
    return result.outcome == WriteResult::kWritten;
  }
  WriteResult result;
  std::vector<std::string> unreadable;
};

TEST_F(MapWriterTest, WorkedExampleByteForByte) {
  fs.AddFile("C:\\strona\\index.htm", Page("Start"));
  fs.AddFile("C:\\strona\\kontakt.htm", "<p>no title</p>");
  fs.AddFile("C:\\strona\\dzial\\a.htm", Page("A"));
  fs.AddFile("C:\\strona\\stare\\b.htm", "");
  const std::vector<std::string> pages = {"C:\\strona\\index.htm", "C:\\strona\\kontakt.htm",
                                          "C:\\strona\\dzial\\a.htm", "C:\\strona\\stare\\b.htm"};
  ASSERT_TRUE(WriteMap(pages));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n"
            "<br><a href=\"index.htm\">Start</a>\r\n"
            "<br><a href=\"kontakt.htm\">" +
                kUntitled +
                "</a>\r\n"
                "<h1>C:\\strona\\dzial\\</h1>\r\n"
                "<br><a href=\"dzial/a.htm\">A</a>\r\n"
                "<h1>C:\\strona\\stare\\</h1>\r\n"
                "<br><a href=\"stare\\b.htm\">" +
                kUntitled + "</a>\r\n");

  inputs.skip_untitled = true;  // untitled pages left out; their headings stay
  ASSERT_TRUE(WriteMap(pages));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n"
            "<br><a href=\"index.htm\">Start</a>\r\n"
            "<h1>C:\\strona\\dzial\\</h1>\r\n"
            "<br><a href=\"dzial/a.htm\">A</a>\r\n"
            "<h1>C:\\strona\\stare\\</h1>\r\n");
}

TEST_F(MapWriterTest, EmptyPageListGivesEmptyFile) {
  fs.AddFile("C:\\mapa.htm", "old map");
  ASSERT_TRUE(WriteMap({}));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"), "");
}

TEST_F(MapWriterTest, EachReturnToAFolderGetsAHeading) {
  fs.AddFile("C:\\strona\\a\\1.htm", Page("1"));
  fs.AddFile("C:\\strona\\b\\2.htm", Page("2"));
  fs.AddFile("C:\\strona\\a\\3.htm", Page("3"));
  ASSERT_TRUE(WriteMap({"C:\\strona\\a\\1.htm", "C:\\strona\\b\\2.htm", "C:\\strona\\a\\3.htm"}));
  const std::string map = fs.Contents("C:\\mapa.htm");
  EXPECT_EQ(map.find("<h1>C:\\strona\\a\\</h1>"), 0u);
  EXPECT_NE(map.rfind("<h1>C:\\strona\\a\\</h1>"), 0u);
}

// A title is text: its tags show as the browser shows the page's own title.
TEST_F(MapWriterTest, TitlesShowAsTextAndPathsAreWrittenVerbatim) {
  fs.AddFile("C:\\strona\\moja strona \xB3\xF3.htm", Page(" <b>\"Q\" & R</b> "));
  fs.AddFile("C:\\strona\\two.htm", "<title>one\ntwo\rthree</title>");
  ASSERT_TRUE(WriteMap({"C:\\strona\\moja strona \xB3\xF3.htm", "C:\\strona\\two.htm"}));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n"
            "<br><a href=\"moja strona \xB3\xF3.htm\"> &lt;b&gt;\"Q\" & R&lt;/b&gt; </a>\r\n"
            "<br><a href=\"two.htm\">one\ntwo\r\nthree</a>\r\n");
}

// Each title is read in its page's encoding and written in the map's
// (code page 1250 here), with "&#N;" for what the map's encoding lacks.
TEST_F(MapWriterTest, TitlesAreConvertedFromTheirPagesEncodingIntoTheMaps) {
  using namespace std::string_literals;
  const std::string head = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=";
  const std::vector<std::pair<std::string, std::string>> pages = {
      {"<meta charset=\"utf-8\"><title>Źródło € Ω 日本</title>",
       Cp1250("Źródło") + " \x80 &#937; &#26085;&#26412;"},
      {"<title>Łódź &amp; &#322;</title>", Cp1250("Łódź") + " &amp; &#322;"},  // valid UTF-8
      {head + "iso-8859-2\"><title>" + Latin2("Źródło") + "</title>", Cp1250("Źródło")},
      {"<title>" + Cp1250("Źródło") + "</title>", Cp1250("Źródło")},  // not UTF-8: the code page
      {head + "koi8-r\"><title>\xC1</title>", "\xC1"},  // no converter: read as undeclared
      {"<meta charset=utf-8><title>bad \xC3(</title>", "bad &#65533;("},
      {"\xFF\xFE<\0t\0i\0t\0l\0e\0>\0A\0\x42\x01<\0/\0t\0i\0t\0l\0e\0>\0"s,
       "A" + Cp1250("ł")},  // UTF-16 with its byte-order mark
      {"<title><script>document.title='x'</script></title>",
       "&lt;script&gt;document.title='x'&lt;/script&gt;"},
  };
  fs.unconvertible_encodings = {"KOI8-R"};
  std::vector<std::string> paths;
  std::string expected = "<h1>C:\\strona\\</h1>\r\n";
  for (std::size_t i = 0; i < pages.size(); ++i) {
    paths.push_back("C:\\strona\\" + std::to_string(i) + ".htm");
    fs.AddFile(paths.back(), pages[i].first);
    expected += "<br><a href=\"" + std::to_string(i) + ".htm\">" + pages[i].second + "</a>\r\n";
  }
  ASSERT_TRUE(WriteMap(paths));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"), expected);

  // When the map's encoding cannot be had, every letter outside ASCII travels
  // as a reference.
  fs.fail_encode = true;
  ASSERT_TRUE(WriteMap({paths[0]}));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n<br><a href=\"0.htm\">&#377;r&#243;d&#322;o &#8364; "
            "&#937; &#26085;&#26412;</a>\r\n");

  // The clipboard's Unicode text holds the page's letters, decoded.
  ASSERT_TRUE(WriteMap({paths[2], paths[1]}));
  EXPECT_EQ(window.clipboard.text, pages[1].first + "\r\n");
  EXPECT_EQ(window.clipboard.unicode_text, "<title>Łódź &amp; &#322;</title>\r\n");
  ASSERT_TRUE(WriteMap({paths[3]}));
  EXPECT_EQ(window.clipboard.unicode_text, "<title>Źródło</title>\r\n");
}

// A link must lead to its own page and a folder name must show as text,
// whatever bytes the names hold.
TEST_F(MapWriterTest, NamesAreEscapedOnlyWhereTheyWouldBreakALinkOrAHeading) {
  const std::string odd = "C:\\strona\\<b>&amp;\\";
  const std::vector<std::string> pages = {odd + "c#d%41?\"x\t\x7f.htm", odd + "q&r.htm",
                                          odd + "[a] 'b' \xB3.htm"};
  fs.AddFile(pages[0], Page("T&amp;"));
  fs.AddFile(pages[1], "");
  fs.AddFile(pages[2], Page("P"));
  ASSERT_TRUE(WriteMap(pages));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\&lt;b&gt;&amp;amp;\\</h1>\r\n"
            "<br><a href=\"<b>&amp;amp;/c%23d%2541%3F%22x%09%7F.htm\">T&amp;</a>\r\n"
            "<br><a href=\"<b>&amp;amp;\\q&amp;r.htm\">" +
                kUntitled +
                "</a>\r\n"
                "<br><a href=\"<b>&amp;amp;/[a] 'b' \xB3.htm\">P</a>\r\n");
}

// A name the code page cannot hold reaches the map in forms every browser
// reads, whatever the map's code page: UTF-8 in links, references in text.
TEST_F(MapWriterTest, NamesOutsideTheCodePageAreWrittenAsUtf8AndReferences) {
  const std::string folder = "C:\\strona\\\x01данные\\";
  fs.AddFile(folder + "\x01日本.htm", Page("J"));
  fs.AddFile(folder + "\x01smile😀 #&.htm", "");
  ASSERT_TRUE(WriteMap({folder + "\x01日本.htm", folder + "\x01smile😀 #&.htm"}));
  const std::string utf8_folder = "%D0%B4%D0%B0%D0%BD%D0%BD%D1%8B%D0%B5";
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\&#1076;&#1072;&#1085;&#1085;&#1099;&#1077;\\</h1>\r\n"
            "<br><a href=\"" +
                utf8_folder +
                "/%E6%97%A5%E6%9C%AC.htm\">J</a>\r\n"
                "<br><a href=\"" +
                utf8_folder + "\\smile%F0%9F%98%80 %23&amp;.htm\">" + kUntitled + "</a>\r\n");
}

TEST_F(MapWriterTest, PageTitledWithThePlaceholderCountsAsUntitled) {
  fs.AddFile("C:\\strona\\p.htm", "<title>" + kUntitled + "</title>");
  fs.AddFile("C:\\strona\\sub\\q.htm", "<title>" + kUntitled + "</title>");
  ASSERT_TRUE(WriteMap({"C:\\strona\\p.htm", "C:\\strona\\sub\\q.htm"}));
  EXPECT_NE(fs.Contents("C:\\mapa.htm").find("href=\"sub\\q.htm\""), std::string::npos);
}

TEST_F(MapWriterTest, EveryMapStartsWithItsHeading) {
  fs.AddFile("C:\\strona\\a.htm", Page("A"));
  ASSERT_TRUE(WriteMap({"C:\\strona\\a.htm"}));
  ASSERT_TRUE(WriteMap({"C:\\strona\\a.htm"}));  // same folder as the last run ended in
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n<br><a href=\"a.htm\">A</a>\r\n");
}

TEST_F(MapWriterTest, ClipboardHoldsEachPageTextInTurn) {
  fs.AddFile("C:\\strona\\a.htm", "first\n<title>A</title>");
  fs.AddFile("C:\\strona\\b.htm", "no title\r\nhere");
  ASSERT_TRUE(WriteMap({"C:\\strona\\a.htm", "C:\\strona\\b.htm"}));
  EXPECT_EQ(window.clipboard.calls, 2);
  EXPECT_EQ(window.clipboard.text, "no title\r\nhere\r\n");
}

TEST_F(MapWriterTest, RefusedClipboardNeverFailsTheRun) {
  fs.AddFile("C:\\strona\\a.htm", Page("A"));
  fs.AddFile("C:\\strona\\b.htm", Page("B"));
  window.clipboard.refusals = -1;
  ASSERT_TRUE(WriteMap({"C:\\strona\\a.htm", "C:\\strona\\b.htm"}));
  EXPECT_NE(fs.Contents("C:\\mapa.htm").find(">B</a>"), std::string::npos);
  EXPECT_LE(window.clipboard.calls, 3);  // gave up after a few tries, not once per page

  window.clipboard.refusals = 1;  // held for a moment only
  window.clipboard.calls = 0;
  ASSERT_TRUE(WriteMap({"C:\\strona\\a.htm"}));
  EXPECT_EQ(window.clipboard.text, Page("A"));
}

TEST_F(MapWriterTest, WithoutClipboardTheTitleIsTheSameAndTheClipboardUntouched) {
  window.has_clipboard = false;
  std::string big = "<title>T\r\n2</title>" + std::string(3'000'000, 'x');
  fs.AddFile("C:\\strona\\big.htm", big);
  ASSERT_TRUE(WriteMap({"C:\\strona\\big.htm"}));
  EXPECT_EQ(window.clipboard.calls, 0);
  EXPECT_NE(fs.Contents("C:\\mapa.htm").find(">T\r\n2</a>"), std::string::npos);
}

TEST_F(MapWriterTest, LongAndUnclosedTitlesAreWholeWithoutClipboard) {
  window.has_clipboard = false;
  const std::string long_title = std::string(1500000, 'a') + "\r" + std::string(1500000, 'b');
  fs.AddFile("C:\\strona\\long.htm", "<title>" + long_title + "</title>");
  fs.AddFile("C:\\strona\\open.htm", "<title>" + std::string(3000000, 'c'));
  ASSERT_TRUE(WriteMap({"C:\\strona\\long.htm", "C:\\strona\\open.htm"}));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n"
            "<br><a href=\"long.htm\">" +
                std::string(1500000, 'a') + "\r\n" + std::string(1500000, 'b') +
                "</a>\r\n"
                "<br><a href=\"open.htm\">" +
                std::string(3000000, 'c') + "</a>\r\n");
}

// Without the clipboard titles are read on two threads; the map must not show it.
TEST_F(MapWriterTest, ReadingAheadWritesTheSameMapInTheSameOrder) {
  std::vector<std::string> pages;
  for (int i = 0; i < 700; ++i) {
    const std::string path =
        "C:\\strona\\d" + std::to_string(i / 50) + "\\p" + std::to_string(i) + ".htm";
    fs.AddFile(path, i % 7 == 0 ? "none" : Page("T" + std::to_string(i)));
    pages.push_back(path);
  }
  fs.unopenable_pages = {pages[3], pages[300], pages[699]};
  ASSERT_TRUE(WriteMap(pages));
  const std::string one_thread = fs.Contents("C:\\mapa.htm");
  const std::vector<std::string> unreadable_in_order = unreadable;

  window.has_clipboard = false;
  ASSERT_TRUE(WriteMap(pages));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"), one_thread);
  EXPECT_EQ(unreadable, unreadable_in_order);
  EXPECT_EQ(unreadable, (std::vector<std::string>{pages[3], pages[300], pages[699]}));
}

TEST_F(MapWriterTest, UnreadablePagesAreWrittenAsUntitledAndReported) {
  fs.AddFile("C:\\strona\\a.htm", Page("A"));
  fs.AddFile("C:\\strona\\locked.htm", Page("L"));
  fs.unreadable_pages.insert("C:\\strona\\locked.htm");
  ASSERT_TRUE(WriteMap({"C:\\strona\\gone.htm", "C:\\strona\\locked.htm", "C:\\strona\\a.htm"}));
  EXPECT_EQ(unreadable,
            (std::vector<std::string>{"C:\\strona\\gone.htm", "C:\\strona\\locked.htm"}));
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n"
            "<br><a href=\"gone.htm\">" +
                kUntitled +
                "</a>\r\n"
                "<br><a href=\"locked.htm\">" +
                kUntitled +
                "</a>\r\n"
                "<br><a href=\"a.htm\">A</a>\r\n");
}

TEST_F(MapWriterTest, FailedWritingKeepsTheOldMapAndLeavesNoTemporaryFile) {
  fs.AddFile("C:\\strona\\a.htm", Page("A"));
  fs.AddFile("C:\\mapa.htm", "old map");
  const auto before = fs.AllPaths();
  for (int failure = 0; failure < 3; ++failure) {
    fs.fail_begin_replacing = failure == 0;
    fs.fail_map_write_after = failure == 1 ? 10 : -1;
    fs.fail_commit = failure == 2;
    EXPECT_FALSE(WriteMap({"C:\\strona\\a.htm"})) << failure;
    EXPECT_EQ(result.failed_file, "C:\\mapa.htm") << failure;
    EXPECT_EQ(fs.Contents("C:\\mapa.htm"), "old map") << failure;
    EXPECT_EQ(fs.AllPaths(), before) << failure;
  }
}

}  // namespace
}  // namespace zorvitan::testing
