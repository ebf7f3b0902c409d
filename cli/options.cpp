#include "cli/options.h"

#include <cstddef>
#include <string>
#include <vector>

#include "engine/sitemap/sitemap_url.h"

namespace zorvitan::cli {
namespace {

CommandLine UsageError(std::string error) {
  CommandLine result;
  result.error = std::move(error);
  return result;
}

// The options that only sitemaps take, checked once all are read.
CommandLine CheckFormat(CommandLine result, const std::string& format, bool has_base_url,
                        const std::string& base_url) {
  Options& options = result.options;
  if (format == "html") {
    if (has_base_url) return UsageError("option '--base-url' is for --format xml or txt");
    if (options.sitemap_options.strip_index) {
      return UsageError("option '--strip-index' is for --format xml or txt");
    }
    return result;
  }
  if (format != "xml" && format != "txt") {
    return UsageError("unknown format '" + format + "' (known: html, xml, txt)");
  }
  if (!has_base_url) return UsageError("--format " + format + " needs --base-url URL");
  if (!IsBaseUrl(base_url)) {
    return UsageError(
        "--base-url needs an absolute http:// or https:// URL without query or "
        "fragment, not '" +
        base_url + "'");
  }
  options.sitemap = true;
  options.sitemap_options.format =
      format == "xml" ? SitemapOptions::Format::kXml : SitemapOptions::Format::kText;
  options.sitemap_options.base_url = base_url;
  return result;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  std::vector<std::string> positional;
  bool options_ended = false;
  std::string format = "html";
  std::string base_url;
  bool has_base_url = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg.compare(0, 2, "--") == 0) {
      const std::size_t equals = arg.find('=');
      const std::string name = arg.substr(0, equals);
      const bool has_value = equals != std::string::npos;
      std::string* value = name == "--patterns"   ? &result.options.patterns
                           : name == "--format"   ? &format
                           : name == "--base-url" ? &base_url
                                                  : nullptr;
      std::string exclude;
      if (name == "--exclude") value = &exclude;
      if (value != nullptr) {
        if (has_value) {
          *value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
          *value = args[++i];
        } else {
          return UsageError("option '" + name + "' needs a value");
        }
        if (name == "--base-url") has_base_url = true;
        if (name == "--exclude") {
          if (exclude.empty()) return UsageError("option '--exclude' needs a pattern");
          result.options.excludes.push_back(exclude);
        }
        continue;
      }
      if (has_value) return UsageError("option '" + name + "' takes no value");
      if (name == "--skip-untitled") {
        result.options.skip_untitled = true;
      } else if (name == "--quiet") {
        result.options.quiet = true;
      } else if (name == "--strip-index") {
        result.options.sitemap_options.strip_index = true;
      } else if (name == "--help") {
        result.action = Action::kHelp;
        return result;
      } else if (name == "--version") {
        result.action = Action::kVersion;
        return result;
      } else {
        return UsageError("unknown option '" + name + "'");
      }
    } else {
      // A group of short options: "-sq", "-p*.htm", "-sp" "*.htm"; a letter
      // that takes a value takes the rest of the group or the next argument.
      for (std::size_t k = 1; k < arg.size(); ++k) {
        const char letter = arg[k];
        if (letter == 's') {
          result.options.skip_untitled = true;
        } else if (letter == 'q') {
          result.options.quiet = true;
        } else if (letter == 'h') {
          result.action = Action::kHelp;
          return result;
        } else if (letter == 'V') {
          result.action = Action::kVersion;
          return result;
        } else if (letter == 'p' || letter == 'x' || letter == 'f' || letter == 'b') {
          std::string value;
          if (k + 1 < arg.size()) {
            value = arg.substr(k + 1);
          } else if (i + 1 < args.size()) {
            value = args[++i];
          } else {
            return UsageError(std::string("option '-") + letter + "' needs a value");
          }
          if (letter == 'p') {
            result.options.patterns = value;
          } else if (letter == 'f') {
            format = value;
          } else if (letter == 'b') {
            base_url = value;
            has_base_url = true;
          } else if (value.empty()) {
            return UsageError("option '-x' needs a pattern");
          } else {
            result.options.excludes.push_back(value);
          }
          break;
        } else {
          return UsageError(std::string("unknown option '-") + letter + "'");
        }
      }
    }
  }

  if (positional.size() != 2) {
    return UsageError(positional.size() < 2 ? "missing SITE_FOLDER or MAP_FILE"
                                            : "too many arguments");
  }
  result.options.site_folder = positional[0];
  result.options.map_file = positional[1];
  result.action = Action::kRun;
  return CheckFormat(std::move(result), format, has_base_url, base_url);
}

}  // namespace zorvitan::cli
