// The html5 map: a complete page in UTF-8 (or the user's template) whose list
// nests as the site's folders do. Each folder is an item labelled by its index
// page's title, linked, or else by its name; pages keep the walk's order, but
// a folder's index page comes first, as its label. The map's own file is not
// listed. Its own words are in the page's language, and a link to a page in
// another language says which. Only the command line asks for it, so it has
// no clipboard to feed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/formats/file_set_output.h"
#include "engine/formats/format_writer.h"
#include "engine/formats/html5/html5_options.h"
#include "engine/formats/html5/html5_words.h"
#include "engine/formats/write_result.h"
#include "engine/platform/platform.h"
#include "engine/run/run_progress.h"
#include "engine/text/text_conversion.h"
#include "engine/walk/page_list.h"

namespace zorvitan {

class Html5MapWriter : public FormatWriter {
 public:
  Html5MapWriter(const WriterInputs& inputs, const Html5Options& options, Platform& platform,
                 RunProgress& progress);
  ~Html5MapWriter() override;

  // Writes the whole map from the page list; the old one is replaced only
  // once the new one is complete, and stays when it could not be written or
  // the front end said not to go on. The pages found leave out the map's own
  // file; pages that could not be read are listed as untitled and named in the
  // result, with what --strip-common-suffix dropped from the titles.
  WriteResult Write(const WalkedSite& site) override;

 private:
  // A page's title as read: UTF-8, as the browser shows it; "" when untitled.
  struct Entry {
    std::string title;
    std::string lang;  // its <html lang>
    bool readable = true;
    std::string description;  // UTF-8, with --descriptions
  };
  // How many pages declare each language (letter case aside).
  class LanguageCount {
   public:
    // Counts one more page; returns the language's place among those met.
    std::uint32_t Add(const std::string& lang);
    std::string Most() const;
    // The language at a place, as first written (letter case is no
    // difference in a language tag).
    const std::string& At(std::uint32_t place) const { return spelled_[place]; }

   private:
    std::vector<std::pair<std::string, std::size_t>> counts_;
    std::vector<std::string> spelled_;  // each as first written
  };
  // A folder of the list being written: where its path (relative to the site)
  // ends in open_path_, and whether its <ul> is written yet.
  struct OpenFolder {
    std::size_t end;
    bool list_open;
  };

  // The list with its page around it: false when it was stopped.
  bool WritePage();
  // Reads the pages in the map's order, each entry handed to `use(i, entry)`,
  // which returns false to stop; false when the front end said not to go on.
  template <typename Use>
  bool ReadEntries(Use use);
  void MakeOrder();
  Entry ReadEntry(std::size_t page, std::string* chunk);
  // The top index page's title and language, when the site has one.
  void ReadTopPage(std::string* title, std::string* lang);
  // The title of the map page, as markup: given, or made from the top title.
  std::string TitleHtml(const std::string& top_title) const;
  void WriteEntry(std::size_t page, Entry entry);
  // Closes and opens folder items until the list is that of `folder`
  // (relative to the site); the page `page` labels the last one it opens when
  // it is that folder's index page. True when the page was written so.
  bool MoveToFolder(std::string_view folder, std::size_t page, const Entry& entry);
  void CloseFolder();
  void OpenList();
  void AppendLink(std::size_t page, const Entry& entry, std::string_view untitled_text);
  void AppendLangAttribute(std::string_view lang);
  void Indent(std::size_t spaces);
  void Emit(std::string_view text);

  const WriterInputs& inputs_;
  Platform& platform_;
  RunProgress& progress_;
  const Html5Options& options_;
  const PageList* page_list_ = nullptr;
  TextConverter converter_;
  char separator_;

  std::vector<std::uint32_t> order_;  // places in the page list, in the map's order
  std::size_t site_length_;
  bool skip_untitled_;
  std::string suffix_;
  std::string lang_;  // the page's
  const Html5Words* words_ = nullptr;

  std::string open_path_;
  std::vector<OpenFolder> open_;

  FileSetOutput output_;
  std::string chunk_;
  std::string helper_chunk_;
  std::vector<std::string> unreadable_;
  WriteResult result_;
};

}  // namespace zorvitan
