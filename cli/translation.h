// The command line's words in its user's language. Messages are written in
// English in the code, as the catalogs' message ids, and translated through a
// catalog made from po/<language>.po: natively by glibc's gettext, on Windows
// from a table compiled into the program. Every text comes back in the
// system's code page, ready for WriteText().
#pragma once

#include <initializer_list>
#include <string>

namespace zorvitan::cli {

// Chooses the language once, at the start: natively as gettext does
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), on Windows the user's interface
// language. Until then, and in a language without a catalog, texts stay
// English.
void ChooseLanguage();

std::string Translate(const char* message);
// The form for `count`: `singular` or `plural` in English, in Polish one of
// three ("1 plik", "2 pliki", "5 plików").
std::string TranslatePlural(const char* singular, const char* plural, unsigned long count);

// Marks a message for the catalog where it is chosen; Translate() it where
// it is shown.
constexpr const char* TranslateLater(const char* message) { return message; }

// `format` with each "%s" replaced by the next of `values`, "%N$s" by value N
// (a translation may reorder them) and "%%" by "%".
std::string Fill(const std::string& format, std::initializer_list<std::string> values);

}  // namespace zorvitan::cli
