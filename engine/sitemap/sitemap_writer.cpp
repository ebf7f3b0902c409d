#include "engine/sitemap/sitemap_writer.h"

#include <utility>

#include "engine/read_ahead.h"
#include "engine/sitemap/robots_meta.h"
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

bool IsIndexName(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) c = ToLowerAscii(c);
  return lower == "index.htm" || lower == "index.html" || lower == "index.php";
}

}  // namespace

SitemapWriter::SitemapWriter(const RunInputs& inputs, Platform& platform, RunProgress& progress)
    : platform_(platform),
      progress_(progress),
      options_(*inputs.sitemap),
      xml_(options_.format == SitemapOptions::Format::kXml),
      site_(inputs.site_folder),
      set_(std::make_unique<SitemapSet>(inputs.map_file, xml_ ? ".xml" : ".txt", platform)) {}

SitemapWriter::~SitemapWriter() = default;

WriteResult SitemapWriter::Write(const PageList& pages) {
  page_list_ = &pages;
  if (!WriteSet() && result_.outcome == WriteResult::kWritten) {
    result_.outcome = WriteResult::kFailed;
  }
  result_.summary.pages_found = pages_.size();
  return std::move(result_);
}

bool SitemapWriter::WriteSet() {
  const PageList& page_list = *page_list_;
  const std::string base = SitemapBase(options_.base_url, platform_);
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

  const std::size_t count = pages_.size();
  bool written = true;
  ReadAheadInOrder<PageFacts>(
      count, &chunk_, &helper_chunk_,
      [this, &page_list](std::size_t i, std::string* chunk) {
        return ReadFacts(page_list[pages_[i]], chunk);
      },
      [this, &page_list, &written](std::size_t i, const PageFacts& facts) {
        if (!progress_.KeepGoing()) {
          result_.outcome = WriteResult::kStopped;
          written = false;
        } else {
          written = Add(page_list[pages_[i]], facts);
        }
        return written;
      },
      [this, count](std::size_t done) { progress_.Report(Phase::kReading, done, count); });
  if (!written) return false;
  if (parts_.empty() && !OpenPart()) return false;  // an empty site still gets its file
  if (!ClosePart()) return false;
  if (split_ && xml_ && !WriteIndex()) return false;
  return PutInPlace();
}

SitemapWriter::PageFacts SitemapWriter::ReadFacts(const std::string& page, std::string* chunk) {
  PageFacts facts;
  facts.readable = ReadPageRobots(platform_, page, chunk, &facts.noindex) == ReadResult::kOk;
  if (facts.noindex) return facts;
  facts.has_time = facts.readable && platform_.ModifiedTime(page, &facts.modified);
  if (facts.has_time) facts.lastmod = W3cDateTime(facts.modified);
  UrlPath(page, &facts.url_path, &facts.folder_url);
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

bool SitemapWriter::Add(const std::string& page, const PageFacts& facts) {
  if (!facts.readable) result_.summary.unreadable_pages.push_back(page);
  if (facts.noindex) {
    ++result_.summary.noindex_pages;
    return true;
  }
  if (facts.folder_url && FolderUrlGiven(facts.url_path)) return true;
  const std::string entry = Entry(facts.url_path, facts.lastmod);
  const std::size_t end_size = xml_ ? sizeof kUrlsetEnd - 1 : 0;
  if (parts_.empty()) {
    if (!OpenPart()) return false;
  } else if (split_ && (parts_.back().urls == options_.max_urls ||
                        parts_.back().bytes + entry.size() + end_size > options_.max_bytes)) {
    if (!ClosePart() || !OpenPart()) return false;
  }
  Part& part = parts_.back();
  ++part.urls;
  if (facts.has_time && (!part.has_time || facts.modified > part.newest)) {
    part.has_time = true;
    part.newest = facts.modified;
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
  const char separator = platform_.Separator();
  for (const Part& part : parts_) {
    // The file's path in the site; a MAP outside the site is taken to be
    // published at the site's root.
    const bool in_site =
        platform_.FoldCase(part.path.substr(0, site_.size())) == platform_.FoldCase(site_);
    const std::string relative = in_site ? part.path.substr(site_.size())
                                         : part.path.substr(FolderOf(part.path, separator).size());
    text += "<sitemap><loc>" + base_;
    AppendUrlPath(relative, platform_, &text);
    text += "</loc>";
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
