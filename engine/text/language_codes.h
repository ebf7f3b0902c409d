// The language codes pages give their alternate versions in (hreflang), as search
// engines accept them.
#pragma once

#include <string_view>

namespace zorvitan {

// Whether `code` is "x-default" or a language code of the form language[-script][-region]
// whose parts are codes of the IANA language subtag registry: an ISO 639 language (the
// two-letter code where there is one: "de", not "deu" or "ger"), an ISO 15924 script, an
// ISO 3166-1 or UN M.49 region ("en-GB", "zh-Hant-TW", "es-419"). Letter case does not
// matter. Not one: "en-UK", "jp", "pl_PL"; codes withdrawn from the standards ("iw" for
// "he", "YU"); codes for private use ("qaa", "de-ZZ"); and tags with more parts, as
// variants or extensions ("de-CH-1901"), which search engines do not read.
bool IsHreflangCode(std::string_view code);

}  // namespace zorvitan
