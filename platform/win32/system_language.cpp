// The language of the user's locale (the regional format), by its locale
// name: "pl-PL" gives "pl".
#include <string>

#include "platform/locale_language.h"
#include "platform/win32/os_platform.h"

namespace zorvitan {

std::string Win32Platform::SystemLanguage() const {
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) == 0) return "";
  // Locale names are ASCII; anything else stops the subtag.
  std::string ascii;
  for (const wchar_t* c = name; *c != L'\0'; ++c) ascii += *c < 0x80 ? static_cast<char>(*c) : '?';
  return PrimaryLanguageSubtag(ascii);
}

}  // namespace zorvitan
