// The catalogs compiled into the program, chosen by the user's interface
// language (Wine takes it from LC_ALL, LC_MESSAGES or LANG). Texts are UTF-8
// in the catalogs and go out in the ANSI code page, as WriteText() wants.
#include <windows.h>

#include <cstring>
#include <string>

#include "cli/translation.h"
#include "cli/translation_table.h"
#include "platform/win32/code_page.h"

namespace zorvitan::cli {
namespace {

const Catalog* chosen = nullptr;

const CatalogMessage* Find(const char* id) {
  if (chosen == nullptr) return nullptr;
  for (std::size_t i = 0; i < chosen->size; ++i) {
    if (std::strcmp(chosen->messages[i].id, id) == 0) return &chosen->messages[i];
  }
  return nullptr;
}

}  // namespace

void ChooseLanguage() {
  wchar_t code[LOCALE_NAME_MAX_LENGTH] = {};
  const LCID user = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
  if (GetLocaleInfoW(user, LOCALE_SISO639LANGNAME, code, LOCALE_NAME_MAX_LENGTH) == 0) return;
  const std::string language = FromWide(code, CP_UTF8);
  for (std::size_t i = 0; i < kCatalogCount; ++i) {
    if (language == kCatalogs[i].language) chosen = &kCatalogs[i];
  }
}

std::string Translate(const char* message) {
  const CatalogMessage* found = Find(message);
  return Utf8ToAnsi(found != nullptr ? found->forms[0] : message);
}

std::string TranslatePlural(const char* singular, const char* plural, unsigned long count) {
  const CatalogMessage* found = Find(singular);
  if (found == nullptr) return Utf8ToAnsi(count == 1 ? singular : plural);
  const std::size_t form = chosen->plural_form(count);
  return Utf8ToAnsi(form < 4 && found->forms[form] != nullptr ? found->forms[form]
                                                              : found->forms[0]);
}

}  // namespace zorvitan::cli
