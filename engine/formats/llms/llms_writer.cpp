#include "engine/formats/llms/llms_writer.h"

#include <utility>

#include "engine/formats/llms/markdown_text.h"
#include "engine/listing/index_first_order.h"
#include "engine/listing/listed_text.h"
#include "engine/page/read_ahead.h"
#include "engine/text/text_rules.h"
#include "engine/text/utf8.h"
#include "engine/url/page_url.h"

namespace zorvitan {

LlmsWriter::LlmsWriter(const WriterInputs& inputs, const LlmsOptions& options, Platform& platform,
                       RunProgress& progress)
    : inputs_(inputs),
      options_(options),
      platform_(platform),
      progress_(progress),
      listing_(inputs.site_folder, inputs.page_encoding, options.base_url,
               PageUrlRules{options.strip_index, options.clean_urls}, platform, &result_.summary),
      converter_(platform, inputs.page_encoding),
      optional_(options.optional, platform, platform),
      output_(platform) {}

WriteResult LlmsWriter::Write(const WalkedSite& site) {
  pages_ = &site.pages;
  order_ = IndexFirstOrder(site.pages, inputs_.map_file, platform_);
  result_.summary.pages_found = order_.size();
  // An unreadable robots.txt leaves no page out, as for a sitemap that does
  // not change it.
  listing_.Start(site.excluded);
  if (!output_.Begin(inputs_.map_file)) {
    result_.outcome = WriteResult::kFailed;
  } else if (!WriteFile()) {
    output_.Abandon();
    result_.outcome = output_.Failed() ? WriteResult::kFailed : WriteResult::kStopped;
  } else if (listed_ == 0) {
    // A file of no link is no index: the old one stays; the report says why.
    output_.Abandon();
    result_.outcome = WriteResult::kNothingListed;
    if (!options_.report_file.empty() &&
        output_.Begin(options_.report_file, listing_.ReportText())) {
      output_.Commit();
    }
  } else {
    const bool written = (options_.report_file.empty() ||
                          output_.Begin(options_.report_file, listing_.ReportText())) &&
                         output_.Commit();
    if (!written) result_.outcome = WriteResult::kFailed;
  }
  if (result_.outcome != WriteResult::kStopped) {
    listing_.Notices(&result_.summary.listing);
  }
  result_.failed_file = output_.failed_file();
  return std::move(result_);
}

bool LlmsWriter::WriteFile() {
  WriteStart();
  const std::size_t count = order_.size();
  bool stopped = false;
  ReadAheadInOrder<Entry>(
      count, &chunk_, &helper_chunk_,
      [this](std::size_t i, std::string* chunk) { return ReadEntry(order_[i], chunk); },
      [this, &stopped](std::size_t i, Entry entry) {
        if (!progress_.KeepGoing()) {
          stopped = true;
          return false;
        }
        TakeEntry(order_[i], entry);
        return output_.FlushIfFull();
      },
      [this, count](std::size_t done) { progress_.Report(Phase::kReading, done, count); });
  if (stopped || output_.Failed()) return false;
  if (!optional_text_.empty()) output_.text() += "\n## Optional\n\n" + optional_text_;
  return output_.FlushIfFull();
}

LlmsWriter::Entry LlmsWriter::ReadEntry(std::size_t page, std::string* chunk) const {
  Entry entry;
  PageHead head;
  entry.facts = listing_.Read((*pages_)[page], kNeedsTitle, chunk, &head);
  if (entry.facts.left_out == LeftOut::kNone) {
    entry.title = ShownTitle(converter_, head);
    entry.description = ShownDescription(converter_, head);
  }
  return entry;
}

// Named by --title, else by the top index page's title, else by the host.
void LlmsWriter::WriteStart() {
  std::string description;
  if (!order_.empty() && IsTopIndexPage(*pages_, order_[0], inputs_.site_folder.size())) {
    const Entry top = ReadEntry(order_[0], &chunk_);
    name_ = top.title;
    description = top.description;
  }
  if (options_.has_title) name_ = platform_.Utf8FromCodePage(options_.title);
  if (name_.empty()) {
    const std::string base = platform_.Utf8FromCodePage(options_.base_url);
    const std::size_t host = base.find("://") + 3;
    name_ = base.substr(host, base.find('/', host) - host);
  }
  std::string& text = output_.text();
  text += "# ";
  AppendMarkdownText(name_, &text);
  text += '\n';
  if (!description.empty()) {
    text += "\n> ";
    AppendMarkdownBlockText(description, &text);
    text += '\n';
  }
}

void LlmsWriter::TakeEntry(std::size_t page, const Entry& entry) {
  const bool listed = listing_.Take((*pages_)[page], entry.facts) &&
                      !(entry.title.empty() && inputs_.skip_untitled);
  EnterFolder(page, entry, listed);
  if (!listed) return;
  ++listed_;
  if (folder_optional_) {
    AppendItem(page, entry, &optional_text_);
    return;
  }
  std::string& text = output_.text();
  if (!label_written_) {
    text += "\n## ";
    AppendMarkdownText(label_, &text);
    text += "\n\n";
    label_written_ = true;
  }
  AppendItem(page, entry, &text);
}

void LlmsWriter::EnterFolder(std::size_t page, const Entry& entry, bool listed) {
  const std::string& folder = pages_->FolderOf(page);
  if (&folder == folder_) return;
  folder_ = &folder;
  label_written_ = false;
  const std::string relative = folder.substr(inputs_.site_folder.size());
  folder_optional_ = IsOptional(relative);
  if (relative.empty()) {
    label_ = name_;
  } else if (listed && !entry.title.empty() && IsIndexName(pages_->NameOf(page))) {
    label_ = entry.title;
  } else {
    const std::string parent =
        FolderOf(relative.substr(0, relative.size() - 1), platform_.Separator());
    label_ = ValidUtf8(NamesInUtf8(
        std::string_view(relative).substr(parent.size(), relative.size() - 1 - parent.size()),
        platform_));
  }
}

void LlmsWriter::AppendItem(std::size_t page, const Entry& entry, std::string* out) const {
  *out += "- [";
  AppendMarkdownText(
      entry.title.empty() ? ValidUtf8(NamesInUtf8(pages_->NameOf(page), platform_)) : entry.title,
      out);
  *out += "](";
  AppendMarkdownUrl(listing_.Base(), out);
  AppendMarkdownUrl(entry.facts.url_path, out);
  *out += ')';
  if (!entry.description.empty()) {
    *out += ": ";
    AppendMarkdownText(entry.description, out);
  }
  *out += '\n';
}

bool LlmsWriter::IsOptional(const std::string& relative) const {
  if (optional_.Empty()) return false;
  const char separator = platform_.Separator();
  for (std::size_t end = relative.find(separator); end != std::string::npos;
       end = relative.find(separator, end + 1)) {
    if (optional_.ExcludesFolder(relative.substr(0, end))) return true;
  }
  return false;
}

}  // namespace zorvitan
