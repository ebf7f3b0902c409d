#include "engine/formats/html5/html5_words.h"

#include "engine/formats/html5/html5_page.h"

namespace zorvitan {
namespace {

constexpr Html5Words kPolish = {"Mapa serwisu", " \xE2\x80\x93 "};  // " – "
constexpr Html5Words kEnglish = {"Site map", " \xE2\x80\x93 "};

}  // namespace

const Html5Words& Html5WordsFor(std::string_view lang) {
  return SameLanguage(lang, "pl") ? kPolish : kEnglish;
}

}  // namespace zorvitan
