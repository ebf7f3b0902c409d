#include "engine/formats/html5/html5_map_writer.h"

#include <cstdint>
#include <utility>

#include "engine/formats/html5/html5_page.h"
#include "engine/formats/html5/html5_words.h"
#include "engine/formats/title_suffix.h"
#include "engine/listing/index_first_order.h"
#include "engine/listing/listed_text.h"
#include "engine/page/head_reader.h"
#include "engine/page/read_ahead.h"
#include "engine/text/text_rules.h"
#include "engine/url/page_url.h"

namespace zorvitan {
namespace {

constexpr std::string_view kDefaultLang = "pl";

}  // namespace

Html5MapWriter::Html5MapWriter(const WriterInputs& inputs, const Html5Options& options,
                               Platform& platform, RunProgress& progress)
    : inputs_(inputs),
      platform_(platform),
      progress_(progress),
      options_(options),
      converter_(platform, inputs.page_encoding),
      separator_(platform.Separator()),
      site_length_(inputs.site_folder.size()),
      skip_untitled_(inputs.skip_untitled),
      output_(platform) {}

Html5MapWriter::~Html5MapWriter() = default;

WriteResult Html5MapWriter::Write(const WalkedSite& site) {
  page_list_ = &site.pages;
  MakeOrder();
  result_.summary.pages_found = order_.size();
  result_.outcome = WriteOneFile(&output_, inputs_.map_file, [this] { return WritePage(); });
  result_.failed_file = output_.failed_file();
  result_.summary.unreadable_pages = std::move(unreadable_);
  result_.summary.stripped_suffix = std::move(suffix_);
  return std::move(result_);
}

// The titles are read ahead on two threads and the entries written in the
// map's order. They are held until all are read when the page's start
// depends on them: the suffix they share, or the language most of them have.
bool Html5MapWriter::WritePage() {
  const std::size_t count = order_.size();
  std::string top_title, top_lang;
  ReadTopPage(&top_title, &top_lang);
  const bool lang_known = !options_.lang.empty() || IsLanguageTag(top_lang);
  const bool hold = options_.strip_common_suffix || !lang_known;
  std::vector<std::string> titles;
  std::vector<char> readable;
  // Each page's language, as its place in `languages`; kNoLanguage when it
  // declares none that looks like a tag.
  constexpr std::uint32_t kNoLanguage = UINT32_MAX;
  std::vector<std::uint32_t> langs;
  std::vector<std::string> descriptions;  // with --descriptions
  LanguageCount languages;
  if (hold) {
    titles.reserve(count);
    readable.reserve(count);
    langs.reserve(count);
    const bool read = ReadEntries([&](std::size_t, Entry entry) {
      titles.push_back(std::move(entry.title));
      readable.push_back(entry.readable);
      langs.push_back(IsLanguageTag(entry.lang) ? languages.Add(entry.lang) : kNoLanguage);
      if (options_.descriptions) descriptions.push_back(std::move(entry.description));
      return true;
    });
    if (!read) return false;
    if (options_.strip_common_suffix) suffix_ = CommonTitleSuffix(titles);
  }

  lang_ = !options_.lang.empty()                      ? options_.lang
          : IsLanguageTag(top_lang)                   ? top_lang
          : !languages.Most().empty()                 ? languages.Most()
          : IsLanguageTag(platform_.SystemLanguage()) ? platform_.SystemLanguage()
                                                      : std::string(kDefaultLang);
  words_ = &Html5WordsFor(lang_);
  const std::string title_html = TitleHtml(top_title);
  const bool templated = !options_.template_text.empty();
  Emit(templated ? TemplateBeforeMap(options_.template_text, title_html)
                 : DocumentStart(lang_, title_html));
  Emit("<nav class=\"site-map\" aria-label=\"");
  Emit(words_->site_map);
  Emit("\"");
  // A template that declares another language keeps it; the list says its own.
  if (templated) {
    const std::string template_lang = TemplateLanguage(options_.template_text);
    if (!template_lang.empty() && !SameLanguage(template_lang, lang_)) AppendLangAttribute(lang_);
  }
  Emit(">\n<ul>\n");
  if (hold) {
    for (std::size_t i = 0; i < count && !output_.Failed(); ++i) {
      std::string description = options_.descriptions ? std::move(descriptions[i]) : std::string();
      std::string lang = langs[i] == kNoLanguage ? std::string() : languages.At(langs[i]);
      WriteEntry(order_[i], Entry{std::move(titles[i]), std::move(lang), readable[i] != 0,
                                  std::move(description)});
    }
  } else if (!ReadEntries([this](std::size_t i, Entry entry) {
               WriteEntry(order_[i], std::move(entry));
               return !output_.Failed();
             })) {
    return false;
  }
  while (!open_.empty()) CloseFolder();
  Emit("</ul>\n</nav>\n");
  Emit(options_.template_text.empty() ? DocumentEnd()
                                      : TemplateAfterMap(options_.template_text, title_html));
  return true;
}

template <typename Use>
bool Html5MapWriter::ReadEntries(Use use) {
  const std::size_t count = order_.size();
  bool stopped = false;
  ReadAheadInOrder<Entry>(
      count, &chunk_, &helper_chunk_,
      [this](std::size_t i, std::string* chunk) { return ReadEntry(order_[i], chunk); },
      [this, &use, &stopped](std::size_t i, Entry entry) {
        if (!progress_.KeepGoing()) {
          stopped = true;
          return false;
        }
        return use(i, std::move(entry));
      },
      [this, count](std::size_t done) { progress_.Report(Phase::kReading, done, count); });
  return !stopped;
}

// The map's own file (left by this run's probe or an earlier run) is no page.
void Html5MapWriter::MakeOrder() {
  order_ = IndexFirstOrder(*page_list_, inputs_.map_file, platform_);
}

// The title as the browser shows it, converted to UTF-8 with its references
// decoded: the page writes it as text.
Html5MapWriter::Entry Html5MapWriter::ReadEntry(std::size_t page, std::string* chunk) {
  Entry entry;
  PageHead head;
  // The description stands in the head: read to its end only when asked for.
  const unsigned needs = options_.descriptions ? kNeedsTitle | kNeedsHead : kNeedsTitle;
  if (ReadPageHead(platform_, (*page_list_)[page], chunk, needs, &head) != ReadResult::kOk) {
    entry.readable = false;
  } else {
    entry.title = ShownTitle(converter_, head);
    entry.description = ShownDescription(converter_, head);
    entry.lang = std::move(head.lang);
  }
  return entry;
}

// The top index page is the site folder's index page, first in the order.
void Html5MapWriter::ReadTopPage(std::string* title, std::string* lang) {
  if (order_.empty() || !IsTopIndexPage(*page_list_, order_[0], site_length_)) return;
  Entry top = ReadEntry(order_[0], &chunk_);
  *title = std::move(top.title);
  *lang = std::move(top.lang);
}

std::string Html5MapWriter::TitleHtml(const std::string& top_title) const {
  std::string html;
  if (options_.has_title) {
    AppendPlainText(platform_.Utf8FromCodePage(options_.title), &html);
    return html;
  }
  // Named as the site names its pages when they share a suffix.
  std::string title(words_->site_map);
  if (!suffix_.empty()) {
    title += suffix_;
  } else if (!top_title.empty()) {
    title += words_->title_join;
    title += top_title;
  }
  AppendPlainText(title, &html);
  return html;
}

std::uint32_t Html5MapWriter::LanguageCount::Add(const std::string& lang) {
  const std::string key = LowerAscii(lang);
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    if (counts_[i].first == key) {
      ++counts_[i].second;
      return static_cast<std::uint32_t>(i);
    }
  }
  counts_.emplace_back(key, 1);
  spelled_.push_back(lang);
  return static_cast<std::uint32_t>(counts_.size() - 1);
}

// The language most pages declare; of equal counts, the first met.
std::string Html5MapWriter::LanguageCount::Most() const {
  std::size_t best = counts_.size();
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    if (best == counts_.size() || counts_[i].second > counts_[best].second) best = i;
  }
  return best == counts_.size() ? std::string() : spelled_[best];
}

void Html5MapWriter::WriteEntry(std::size_t page, Entry entry) {
  if (!entry.readable) unreadable_.push_back((*page_list_)[page]);
  if (entry.title.empty() && skip_untitled_) return;
  const std::string& folder = page_list_->FolderOf(page);
  const std::string_view relative =
      folder.size() > site_length_ ? std::string_view(folder).substr(site_length_) : "";
  if (!MoveToFolder(relative, page, entry)) {
    OpenList();
    Indent(2 + 4 * open_.size());
    Emit("<li>");
    AppendLink(page, entry, page_list_->NameOf(page));
    Emit("</li>\n");
  }
  output_.FlushIfFull();
}

bool Html5MapWriter::MoveToFolder(std::string_view folder, std::size_t page, const Entry& entry) {
  if (folder == open_path_) return false;
  std::size_t common = 0;
  while (common < open_.size() && open_[common].end <= folder.size() &&
         folder.compare(0, open_[common].end, open_path_, 0, open_[common].end) == 0) {
    ++common;
  }
  while (open_.size() > common) CloseFolder();
  open_path_.assign(folder.data(), folder.size());
  bool labelled = false;
  for (std::size_t start = open_.empty() ? 0 : open_.back().end; start < folder.size();) {
    std::size_t end = folder.find(separator_, start);
    if (end == std::string_view::npos) end = folder.size() - 1;
    const std::string_view name = folder.substr(start, end - start);
    OpenList();
    Indent(2 + 4 * open_.size());
    Emit("<li class=\"folder\">");
    if (end + 1 == folder.size() && IsIndexName(page_list_->NameOf(page))) {
      AppendLink(page, entry, name);
      labelled = true;
    } else {
      Emit("<span>");
      AppendPlainText(NamesInUtf8(name, platform_), &output_.text());
      Emit("</span>");
    }
    open_.push_back(OpenFolder{end + 1, false});
    start = end + 1;
  }
  return labelled;
}

void Html5MapWriter::CloseFolder() {
  const bool list_open = open_.back().list_open;
  open_.pop_back();
  if (list_open) {
    Indent(4 * (open_.size() + 1));
    Emit("</ul>\n");
    Indent(2 + 4 * open_.size());
  }
  Emit("</li>\n");
}

// A folder's list opens with its first item, so a folder of one page has none.
void Html5MapWriter::OpenList() {
  if (open_.empty() || open_.back().list_open) return;
  open_.back().list_open = true;
  Emit("\n");
  Indent(4 * open_.size());
  Emit("<ul>\n");
}

void Html5MapWriter::AppendLink(std::size_t page, const Entry& entry,
                                std::string_view untitled_text) {
  Emit("<a href=\"");
  const std::string& folder = page_list_->FolderOf(page);
  if (folder.size() > site_length_) {
    AppendUrlPath(std::string_view(folder).substr(site_length_), platform_, platform_,
                  &output_.text());
  }
  AppendUrlPath(page_list_->NameOf(page), platform_, platform_, &output_.text());
  Emit("\"");
  // A page in another language is spoken in its own, its title and its
  // description; hreflang says so of where the link leads.
  const bool other_language = IsLanguageTag(entry.lang) && !SameLanguage(entry.lang, lang_);
  if (other_language) {
    AppendLangAttribute(entry.lang);
    Emit(" hreflang=\"");
    AppendPlainText(entry.lang, &output_.text());
    Emit("\"");
  }
  Emit(">");
  if (entry.title.empty()) {
    AppendPlainText(NamesInUtf8(untitled_text, platform_), &output_.text());
  } else {
    AppendPlainText(WithoutSuffix(entry.title, suffix_), &output_.text());
  }
  Emit("</a>");
  if (!entry.description.empty()) {
    Emit("<p class=\"description\"");
    if (other_language) AppendLangAttribute(entry.lang);
    Emit(">");
    AppendPlainText(entry.description, &output_.text());
    Emit("</p>");
  }
}

void Html5MapWriter::AppendLangAttribute(std::string_view lang) {
  Emit(" lang=\"");
  AppendPlainText(lang, &output_.text());
  Emit("\"");
}

void Html5MapWriter::Indent(std::size_t spaces) { output_.text().append(spaces, ' '); }

void Html5MapWriter::Emit(std::string_view text) { output_.text().append(text); }

}  // namespace zorvitan
