// glibc's gettext, with the catalogs found beside the program: share/locale
// next to its bin folder, in the build folder as in /usr, so the program finds
// its own catalogs wherever it is unpacked.
#include <libintl.h>
#include <limits.h>
#include <locale.h>
#include <unistd.h>

#include <string>

#include "cli/translation.h"

namespace zorvitan::cli {
namespace {

constexpr const char* kDomain = "zorvitan-cli";

std::string CatalogFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ZORVITAN_LOCALE_DIR;
  std::string program(path, static_cast<std::size_t>(length));
  return program.substr(0, program.rfind('/') + 1) + ZORVITAN_LOCALE_DIR_FROM_PROGRAM;
}

}  // namespace

void ChooseLanguage() {
  // Only the messages' category: the rest of the program keeps the C locale.
  setlocale(LC_MESSAGES, "");
  bindtextdomain(kDomain, CatalogFolder().c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
}

std::string Translate(const char* message) { return dgettext(kDomain, message); }

std::string TranslatePlural(const char* singular, const char* plural, unsigned long count) {
  return dngettext(kDomain, singular, plural, count);
}

}  // namespace zorvitan::cli
