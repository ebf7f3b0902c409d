// The catalogs compiled into the Windows program: made from po/*.po at build
// time (cmake/po_table.cmake), so each translation is written once.
#pragma once

#include <cstddef>

namespace zorvitan::cli {

struct CatalogMessage {
  const char* id;
  const char* plural_id;  // nullptr for a message without plural forms
  const char* forms[4];   // the translation; a plural's forms by plural_form()
};

struct Catalog {
  const char* language;  // ISO 639 code: "pl"
  const CatalogMessage* messages;
  std::size_t size;
  std::size_t (*plural_form)(unsigned long count);
};

extern const Catalog kCatalogs[];
extern const std::size_t kCatalogCount;

}  // namespace zorvitan::cli
