// The locale's language as the C library picks the messages' locale: the
// first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
#include <cstdlib>
#include <string>

#include "platform/locale_language.h"
#include "platform/posix/os_platform.h"

namespace zorvitan {

std::string PosixPlatform::SystemLanguage() const {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return PrimaryLanguageSubtag(value);
  }
  return "";
}

}  // namespace zorvitan
