#include "cli/options.h"

#include <getopt.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "cli/translation.h"
#include "engine/formats/html5/html5_page.h"
#include "engine/formats/sitemap/sitemap_url.h"
#include "engine/text/encoding_labels.h"
#include "engine/walk/pattern.h"

namespace zorvitan::cli {
namespace {

// What getopt_long returns for the options that have no short form.
constexpr int kStripIndex = 256;
constexpr int kPageEncoding = 257;
constexpr int kLang = 258;
constexpr int kTitle = 259;
constexpr int kTemplate = 260;
constexpr int kStripCommonSuffix = 261;
constexpr int kCleanUrls = 262;
constexpr int kLastmod = 263;
constexpr int kReport = 264;
constexpr int kRobotsTxt = 265;
// What getopt_long returns for an argument that is no option, in order.
constexpr int kArgument = 1;

// Every option, once: its long name, whether it takes a value, and its letter.
const option kOptions[] = {
    {"patterns", required_argument, nullptr, 'p'},
    {"skip-untitled", no_argument, nullptr, 's'},
    {"exclude", required_argument, nullptr, 'x'},
    {"format", required_argument, nullptr, 'f'},
    {"base-url", required_argument, nullptr, 'b'},
    {"strip-index", no_argument, nullptr, kStripIndex},
    {"clean-urls", no_argument, nullptr, kCleanUrls},
    {"lastmod", required_argument, nullptr, kLastmod},
    {"report", required_argument, nullptr, kReport},
    {"robots-txt", no_argument, nullptr, kRobotsTxt},
    {"page-encoding", required_argument, nullptr, kPageEncoding},
    {"lang", required_argument, nullptr, kLang},
    {"title", required_argument, nullptr, kTitle},
    {"template", required_argument, nullptr, kTemplate},
    {"strip-common-suffix", no_argument, nullptr, kStripCommonSuffix},
    {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

// The short options from the table. "-" first: arguments come back in order,
// whatever POSIXLY_CORRECT says, as kArgument; ":" then: a missing value is
// not reported by getopt itself.
std::string ShortOptions() {
  std::string letters = "-:";
  for (const option* o = kOptions; o->name != nullptr; ++o) {
    if (o->val >= kStripIndex) continue;
    letters += static_cast<char>(o->val);
    if (o->has_arg == required_argument) letters += ':';
  }
  return letters;
}

// "option '--report' is for --format xml or txt".
std::string ForSitemaps(const char* option) {
  return Fill(Translate("option '%s' is for --format xml or txt"), {option});
}

CommandLine UsageError(std::string error) {
  CommandLine result;
  result.error = std::move(error);
  return result;
}

// What was wrong with `arg`, the argument getopt_long stopped at: a long
// option, or a group of short ones in which `letter` failed.
std::string OptionError(const std::string& arg, int letter) {
  const bool is_long = arg.compare(0, 2, "--") == 0;
  // mingw-w64's getopt names no letter for a "-" inside a group ("-s-").
  const std::string name = is_long ? arg.substr(0, arg.find('='))
                                   : std::string("-") + (letter != 0 ? char(letter) : '-');
  const option* known = nullptr;
  for (const option* o = kOptions; o->name != nullptr; ++o) {
    if (is_long ? name.substr(2) == o->name : o->val == letter) known = o;
  }
  if (known == nullptr) return Fill(Translate("unknown option '%s'"), {name});
  if (known->has_arg == no_argument) return Fill(Translate("option '%s' takes no value"), {name});
  return Fill(Translate("option '%s' needs a value"), {name});
}

// The options that only some formats take, checked once all are read.
CommandLine CheckFormat(CommandLine result, const std::string& format, bool has_base_url,
                        SitemapOptions sitemap, Html5Options html5, const std::string& lastmod) {
  const char* html5_only = html5.strip_common_suffix               ? "--strip-common-suffix"
                           : !result.options.template_file.empty() ? "--template"
                           : html5.has_title                       ? "--title"
                           : !html5.lang.empty()                   ? "--lang"
                                                                   : nullptr;
  if (format != "html5" && html5_only != nullptr) {
    return UsageError(Fill(Translate("option '%s' is for --format html5"), {html5_only}));
  }
  const std::string& base_url = sitemap.base_url;
  if (format == "html" || format == "html5") {
    if (has_base_url) return UsageError(ForSitemaps("--base-url"));
    const char* sitemap_only = sitemap.strip_index            ? "--strip-index"
                               : sitemap.clean_urls           ? "--clean-urls"
                               : sitemap.robots_txt           ? "--robots-txt"
                               : !lastmod.empty()             ? "--lastmod"
                               : !sitemap.report_file.empty() ? "--report"
                                                              : nullptr;
    if (sitemap_only != nullptr) {
      return UsageError(ForSitemaps(sitemap_only));
    }
    if (!html5.lang.empty() && !IsLanguageTag(html5.lang)) {
      return UsageError(Fill(Translate("--lang needs a language tag such as pl or en-GB, not '%s'"),
                             {html5.lang}));
    }
    if (format == "html5") result.options.run.format = std::move(html5);
    return result;
  }
  static const char* const kLastmods[] = {"auto", "git", "mtime", "none"};
  const auto known = std::find(std::begin(kLastmods), std::end(kLastmods), lastmod);
  if (!lastmod.empty() && known == std::end(kLastmods)) {
    return UsageError(
        Fill(Translate("unknown --lastmod '%s' (known: auto, git, mtime, none)"), {lastmod}));
  }
  if (!lastmod.empty() && format == "txt") {
    return UsageError(Fill(Translate("option '%s' is for --format xml"), {"--lastmod"}));
  }
  // Listed in the order of SitemapOptions::Lastmod; text has no dates.
  sitemap.lastmod = format == "txt" ? SitemapOptions::Lastmod::kNone
                                    : static_cast<SitemapOptions::Lastmod>(
                                          lastmod.empty() ? 0 : known - std::begin(kLastmods));
  if (format != "xml" && format != "txt") {
    return UsageError(
        Fill(Translate("unknown format '%s' (known: html, html5, xml, txt)"), {format}));
  }
  if (!has_base_url)
    return UsageError(Fill(Translate("--format %s needs --base-url URL"), {format}));
  if (!IsBaseUrl(base_url)) {
    return UsageError(Fill(Translate("--base-url needs an absolute http:// or https:// URL "
                                     "without query or fragment, not '%s'"),
                           {base_url}));
  }
  sitemap.format = format == "xml" ? SitemapOptions::Format::kXml : SitemapOptions::Format::kText;
  result.options.run.format = sitemap;
  return result;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  // getopt_long wants writable C strings behind a program name.
  std::vector<std::string> texts = args;
  std::vector<char*> argv{const_cast<char*>("zorvitan-cli")};
  for (std::string& text : texts) argv.push_back(&text[0]);
  argv.push_back(nullptr);
  const int argc = static_cast<int>(argv.size() - 1);
  const std::string short_options = ShortOptions();

  CommandLine result;
  RunInputs& run = result.options.run;
  run.patterns = kDefaultPatterns;
  std::vector<std::string> positional;
  std::string format = "html";
  SitemapOptions sitemap;
  bool has_base_url = false;
  Html5Options html5;
  std::string lastmod;
  optind = 0;  // a fresh scan, in every runtime
  opterr = 0;
  for (;;) {
    const int at = optind == 0 ? 1 : optind;  // the argument the next option comes from
    int long_index = -1;
    const int letter = getopt_long(argc, argv.data(), short_options.c_str(), kOptions, &long_index);
    if (letter == -1) break;
    if (letter == '?' || letter == ':') return UsageError(OptionError(argv[at], optopt));
    // getopt_long takes an abbreviated long option; the program never did.
    const std::string arg = argv[at];
    const std::string name = arg.substr(0, arg.find('='));
    if (long_index >= 0 && name.substr(2) != kOptions[long_index].name) {
      return UsageError(Fill(Translate("unknown option '%s'"), {name}));
    }
    const std::string value = optarg != nullptr ? optarg : "";
    switch (letter) {
      case kArgument:
        positional.push_back(value);
        break;
      case 'p':
        run.patterns = value;
        break;
      case 's':
        run.skip_untitled = true;
        break;
      case 'x':
        if (value.empty()) {
          return UsageError(Fill(Translate("option '%s' needs a pattern"),
                                 {long_index >= 0 ? "--exclude" : "-x"}));
        }
        run.excludes.push_back(value);
        break;
      case 'f':
        format = value;
        break;
      case 'b':
        sitemap.base_url = value;
        has_base_url = true;
        break;
      case kStripIndex:
        sitemap.strip_index = true;
        break;
      case kCleanUrls:
        sitemap.clean_urls = true;
        break;
      case kLastmod:
        lastmod = value;
        break;
      case kReport:
        if (value.empty()) {
          return UsageError(Fill(Translate("option '%s' needs a file name"), {"--report"}));
        }
        sitemap.report_file = value;
        break;
      case kRobotsTxt:
        sitemap.robots_txt = true;
        break;
      case kPageEncoding:
        run.page_encoding = std::string(EncodingForLabel(value));
        if (run.page_encoding.empty()) {
          return UsageError(Fill(Translate("unknown encoding '%s' (for example windows-1250, "
                                           "iso-8859-2, koi8-r, shift_jis)"),
                                 {value}));
        }
        break;
      case kLang:
        html5.lang = value;
        break;
      case kTitle:
        html5.has_title = true;
        html5.title = value;
        break;
      case kTemplate:
        if (value.empty()) {
          return UsageError(Fill(Translate("option '%s' needs a file name"), {"--template"}));
        }
        result.options.template_file = value;
        break;
      case kStripCommonSuffix:
        html5.strip_common_suffix = true;
        break;
      case 'q':
        result.options.quiet = true;
        break;
      case 'h':
        result.action = Action::kHelp;
        return result;
      case 'V':
        result.action = Action::kVersion;
        return result;
    }
  }
  // What follows "--".
  for (int i = optind; i < argc; ++i) positional.push_back(argv[i]);

  if (positional.size() != 2) {
    return UsageError(positional.size() < 2 ? Translate("missing SITE_FOLDER or MAP_FILE")
                                            : Translate("too many arguments"));
  }
  run.site_folder = positional[0];
  run.map_file = positional[1];
  result.action = Action::kRun;
  return CheckFormat(std::move(result), format, has_base_url, sitemap, html5, lastmod);
}

}  // namespace zorvitan::cli
