#include "engine/sitemap/sitemap_writer.h"

#include <utility>

#include "engine/page/head_reader.h"
#include "engine/read_ahead.h"
#include "engine/sitemap/canonical_url.h"
#include "engine/sitemap/sitemap_url.h"
#include "engine/text_rules.h"

namespace zorvitan {
namespace {

constexpr std::size_t kLastmodLength = 20;  // "2024-05-01T12:34:56Z"

const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const char kUrlsetStart[] = "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
const char kUrlsetEnd[] = "</urlset>\n";
const char kIndexStart[] = "<sitemapindex xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
const char kIndexEnd[] = "</sitemapindex>\n";

}  // namespace

SitemapWriter::SitemapWriter(const RunInputs& inputs, Platform& platform, RunProgress& progress)
    : platform_(platform),
      progress_(progress),
      options_(*inputs.sitemap),
      xml_(options_.format == SitemapOptions::Format::kXml),
      site_(inputs.site_folder),
      converter_(platform, inputs.page_encoding),
      set_(std::make_unique<SitemapSet>(inputs.map_file, xml_ ? ".xml" : ".txt", platform)) {}

// The dates' git thread reads the page list through this writer: it ends
// before anything else goes.
SitemapWriter::~SitemapWriter() { dates_.reset(); }

WriteResult SitemapWriter::Write(const PageList& pages, const std::vector<std::string>& excluded) {
  page_list_ = &pages;
  if (!WriteSet(excluded) && result_.outcome == WriteResult::kWritten) {
    result_.outcome = WriteResult::kFailed;
  }
  result_.summary.pages_found = pages_.size();
  return std::move(result_);
}

bool SitemapWriter::WriteSet(const std::vector<std::string>& excluded) {
  const PageList& page_list = *page_list_;
  const std::string base = SitemapBase(options_.base_url, platform_);
  plain_base_ = base;
  base_.clear();
  if (xml_) {
    AppendXmlEscaped(base, &base_);
  } else {
    base_ = base;
  }

  // The set's own files, from this run's probe or an earlier run, are no pages.
  for (std::size_t i = 0; i < page_list.size(); ++i) {
    if (!set_->IsMember(page_list[i])) pages_.push_back(i);
  }
  split_ = NeedsSplit();

  // The site's own robots.txt: its rules leave pages out, and --robots-txt
  // adds the sitemap to it.
  const std::string robots_path = site_ + "robots.txt";
  std::string robots_text;
  bool robots_exists = false;
  if (!ReadWholeFile(platform_, robots_path, &robots_text, &robots_exists)) {
    if (robots_exists && options_.robots_txt) return Fail(robots_path);
    robots_text.clear();
  }
  rules_ = std::make_unique<SitemapPageRules>(base, RobotsTxt(robots_text));
  dates_ = std::make_unique<SitemapDates>(platform_, options_);
  // Git reads the history while the pages are read.
  if (dates_->UsesGit(site_)) {
    dates_->Start([this] {
      std::vector<std::string> paths;
      paths.reserve(pages_.size());
      for (const std::size_t i : pages_) paths.push_back(SitePath((*page_list_)[i]));
      return paths;
    });
  }
  for (const std::string& path : excluded) {
    exclusions_.Add(LeftOut::kExcluded, SitePath(site_ + path));
  }

  const std::size_t count = pages_.size();
  bool written = true;
  ReadAheadInOrder<PageFacts>(
      count, &chunk_, &helper_chunk_,
      [this, &page_list](std::size_t i, std::string* chunk) {
        return ReadFacts(page_list[pages_[i]], chunk);
      },
      [this, &page_list, &written](std::size_t i, PageFacts&& facts) {
        if (!progress_.KeepGoing()) {
          result_.outcome = WriteResult::kStopped;
          written = false;
        } else {
          written = Add(i, page_list[pages_[i]], std::move(facts));
        }
        return written;
      },
      [this, count](std::size_t done) { progress_.Report(Phase::kReading, done, count); });
  if (!written || !AddWaiting()) return false;
  std::vector<std::string>& notices = result_.summary.sitemap_notices;
  notices = std::move(past_head_notices_);
  for (std::string& line : exclusions_.CountLines(platform_)) notices.push_back(std::move(line));
  for (std::string& notice : dates_->Notices(site_)) notices.push_back(std::move(notice));
  const bool report = !options_.report_file.empty();
  if (parts_.empty()) {
    // An empty <urlset> is no sitemap: the old one stays; the report says why.
    result_.outcome = WriteResult::kNothingListed;
    if (report && (!BeginWhole(options_.report_file, exclusions_.ReportText(), &report_) ||
                   !report_->Commit())) {
      Fail(options_.report_file);
    }
    return false;
  }
  if (!ClosePart()) return false;
  if (split_ && xml_ && !WriteIndex()) return false;
  if (report && !BeginWhole(options_.report_file, exclusions_.ReportText(), &report_)) {
    return false;
  }
  if (options_.robots_txt && !BeginRobotsTxt(robots_text)) return false;
  return PutInPlace();
}

std::string SitemapWriter::SitePath(const std::string& page) const {
  std::string encoded;
  AppendUrlPath(page.substr(site_.size()), platform_, &encoded);
  return PercentDecoded(encoded);
}

bool SitemapWriter::BeginWhole(const std::string& path, const std::string& text,
                               std::unique_ptr<FileReplacement>* output) {
  *output = platform_.BeginReplacing(path);
  if (!*output || !(*output)->Write(text.data(), text.size()) || !(*output)->Finish()) {
    output->reset();
    return Fail(path);
  }
  return true;
}

bool SitemapWriter::BeginRobotsTxt(const std::string& robots_txt) {
  // The index when there is one; a split text sitemap has none, so each file.
  std::vector<std::string> files;
  if (split_ && !xml_) {
    for (const Part& part : parts_) files.push_back(part.path);
  } else {
    files.push_back(set_->Map());
  }
  std::string text = robots_txt;
  bool changed = false;
  for (const std::string& file : files) {
    std::string updated;
    if (AddSitemapLine(text, FileUrl(file, plain_base_), &updated)) {
      text = std::move(updated);
      changed = true;
    }
  }
  return !changed || BeginWhole(site_ + "robots.txt", text, &robots_txt_);
}

SitemapWriter::PageFacts SitemapWriter::ReadFacts(const std::string& page, std::string* chunk) {
  PageFacts facts;
  UrlPath(page, &facts.url_path, &facts.folder_url);
  // What the name decides costs no read.
  facts.left_out = rules_->ByName(page.substr(site_.size()), facts.url_path, &facts.detail);
  if (facts.left_out != LeftOut::kNone) return facts;
  PageHead head;
  facts.readable = ReadPageHead(platform_, page, chunk, kNeedsHead, &head) == ReadResult::kOk;
  HeadUrlsInUtf8(converter_, &head);
  facts.left_out = rules_->ByHead(head, facts.url_path, &facts.detail);
  facts.past_head = PastHeadFindings(head);
  if (facts.left_out != LeftOut::kNone) return facts;
  facts.has_time = facts.readable && dates_->FileTime(page, &facts.modified);
  return facts;
}

void SitemapWriter::UrlPath(const std::string& page, std::string* path, bool* folder_url) const {
  std::string relative = page.substr(site_.size());
  *folder_url = false;
  if (options_.strip_index) {
    const std::string folder = FolderOf(relative, platform_.Separator());
    if (IsIndexName(relative.substr(folder.size()))) {
      *folder_url = true;
      relative.resize(folder.size());
    }
  }
  const std::size_t html = relative.size() - std::min<std::size_t>(relative.size(), 5);
  if (options_.clean_urls && !*folder_url && relative.compare(html, 5, ".html") == 0) {
    relative.resize(html);
  }
  path->clear();
  AppendUrlPath(relative, platform_, path);
}

bool SitemapWriter::FolderUrlGiven(const std::string& path) {
  if (folder_url_given_ && path == last_folder_url_) return true;
  folder_url_given_ = true;
  last_folder_url_ = path;
  return false;
}

std::string SitemapWriter::Entry(const std::string& url_path, const std::string& lastmod) const {
  if (!xml_) return base_ + url_path + "\n";
  std::string entry = "<url><loc>" + base_ + url_path + "</loc>";
  if (!lastmod.empty()) entry += "<lastmod>" + lastmod + "</lastmod>";
  entry += "</url>\n";
  return entry;
}

// Whether the site needs more than one file, taken before any page is read:
// every page counted with a date, as if none asked to be left out.
bool SitemapWriter::NeedsSplit() {
  if (pages_.size() > options_.max_urls) return true;
  const std::string any_date(kLastmodLength, '0');
  std::size_t bytes = xml_ ? sizeof kXmlDeclaration + sizeof kUrlsetStart + sizeof kUrlsetEnd : 0;
  std::string path;
  bool folder_url = false;
  for (const std::size_t i : pages_) {
    UrlPath((*page_list_)[i], &path, &folder_url);
    bytes += Entry(path, any_date).size();
    if (bytes > options_.max_bytes) return true;
  }
  return false;
}

bool SitemapWriter::Add(std::size_t number, const std::string& page, PageFacts&& facts) {
  if (!facts.readable) result_.summary.unreadable_pages.push_back(page);
  NotePastHead(page, facts);
  if (facts.left_out != LeftOut::kNone) {
    if (facts.left_out == LeftOut::kNoindex) ++result_.summary.noindex_pages;
    exclusions_.Add(facts.left_out, SitePath(page), facts.detail);
    return true;
  }
  if (facts.folder_url && FolderUrlGiven(facts.url_path)) return true;
  Listed listed{number, std::move(facts.url_path), facts.readable, facts.has_time, facts.modified};
  // While git still reads the history, the URLs wait in order and the pages
  // are read on.
  if (!dates_->Ready()) {
    waiting_.push_back(std::move(listed));
    return true;
  }
  return AddWaiting() && AddUrl(listed);
}

// Head elements after the head's end are named on standard error and in the
// report; a noindex among them has left the page out, and says so there.
void SitemapWriter::NotePastHead(const std::string& page, const PageFacts& facts) {
  if (facts.past_head.empty()) return;
  const std::string path = SitePath(page);
  for (const std::string& finding : facts.past_head) {
    past_head_notices_.push_back(platform_.ProgramText(path + ": " + finding));
    if (finding.compare(0, 8, "noindex ") != 0) exclusions_.Note(path, finding);
  }
}

bool SitemapWriter::AddWaiting() {
  for (const Listed& listed : waiting_) {
    if (!AddUrl(listed)) return false;
  }
  waiting_ = std::vector<Listed>();
  return true;
}

bool SitemapWriter::AddUrl(const Listed& listed) {
  std::int64_t date = 0;
  std::string lastmod;
  // An unreadable page gets no date, as before git.
  const bool dated =
      listed.readable &&
      dates_->Choose(
          listed.number, listed.has_time, listed.file_time,
          [this, &listed] { return (*page_list_)[pages_[listed.number]]; }, &date, &lastmod);
  const std::string entry = Entry(listed.url_path, lastmod);
  const std::size_t end_size = xml_ ? sizeof kUrlsetEnd - 1 : 0;
  if (parts_.empty()) {
    if (!OpenPart()) return false;
  } else if (split_ && (parts_.back().urls == options_.max_urls ||
                        parts_.back().bytes + entry.size() + end_size > options_.max_bytes)) {
    if (!ClosePart() || !OpenPart()) return false;
  }
  Part& part = parts_.back();
  ++part.urls;
  if (dated && (!part.has_time || date > part.newest)) {
    part.has_time = true;
    part.newest = date;
  }
  return Emit(entry);
}

bool SitemapWriter::OpenPart() {
  Part part;
  part.path = split_ ? set_->Part(parts_.size() + 1) : set_->Map();
  part.output = platform_.BeginReplacing(part.path);
  parts_.push_back(std::move(part));
  if (!parts_.back().output) return Fail(parts_.back().path);
  buffer_.clear();
  return !xml_ || Emit(std::string(kXmlDeclaration) + kUrlsetStart);
}

bool SitemapWriter::Emit(const std::string& text) {
  Part& part = parts_.back();
  buffer_ += text;
  part.bytes += text.size();
  if (buffer_.size() < kWriteChunk) return true;
  const bool written = part.output->Write(buffer_.data(), buffer_.size());
  buffer_.clear();
  return written || Fail(part.path);
}

// Ends the file being written and closes it, complete but not yet in place.
bool SitemapWriter::ClosePart() {
  Part& part = parts_.back();
  if (xml_) buffer_ += kUrlsetEnd;
  const bool written = part.output->Write(buffer_.data(), buffer_.size()) && part.output->Finish();
  buffer_.clear();
  return written || Fail(part.path);
}

bool SitemapWriter::WriteIndex() {
  std::string text = std::string(kXmlDeclaration) + kIndexStart;
  for (const Part& part : parts_) {
    text += "<sitemap><loc>" + FileUrl(part.path, base_) + "</loc>";
    const std::string newest = part.has_time ? W3cDateTime(part.newest) : std::string();
    if (!newest.empty()) text += "<lastmod>" + newest + "</lastmod>";
    text += "</sitemap>\n";
  }
  text += kIndexEnd;
  index_ = platform_.BeginReplacing(set_->Map());
  if (!index_ || !index_->Write(text.data(), text.size()) || !index_->Finish()) {
    return Fail(set_->Map());
  }
  return true;
}

std::string SitemapWriter::FileUrl(const std::string& path, const std::string& base) const {
  const bool in_site =
      platform_.FoldCase(path.substr(0, site_.size())) == platform_.FoldCase(site_);
  const std::string relative = in_site ? path.substr(site_.size())
                                       : path.substr(FolderOf(path, platform_.Separator()).size());
  std::string url = base;
  AppendUrlPath(relative, platform_, &url);
  return url;
}

bool SitemapWriter::Fail(const std::string& path) {
  if (result_.failed_file.empty()) result_.failed_file = path;
  return false;
}

// Every file is complete: the numbered ones replace theirs first, MAP last,
// then what is left of a larger set goes.
bool SitemapWriter::PutInPlace() {
  for (Part& part : parts_) {
    if (!part.output->Commit()) return Fail(part.path);
  }
  if (index_ && !index_->Commit()) return Fail(set_->Map());
  if (report_ && !report_->Commit()) return Fail(options_.report_file);
  if (robots_txt_ && !robots_txt_->Commit()) return Fail(site_ + "robots.txt");
  const std::size_t numbered = split_ ? parts_.size() : 0;
  for (const std::string& stale : set_->PartsAbove(numbered, platform_)) {
    platform_.RemoveFile(stale);
  }
  // A text sitemap has no index: a MAP from an earlier run must not stay
  // beside the numbered files as if it were the whole site.
  if (split_ && !xml_) platform_.RemoveFile(set_->Map());
  return true;
}

}  // namespace zorvitan
