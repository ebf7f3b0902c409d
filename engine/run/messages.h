// The program's own texts, in UTF-8. They reach the user through
// SystemText::ProgramText(), which converts them to the system's code page.
#pragma once

namespace zorvitan::messages {

inline constexpr const char* kErrorTitle = "Błąd";
inline constexpr const char* kProgramTitle = "Zorvitan";

inline constexpr const char* kNoSiteFolder = "Podaj folder w którym trzymasz stronę WWW";
inline constexpr const char* kNoMapFile = "Podaj nazwę pliku z wygenerowaną mapą strony";
inline constexpr const char* kNoPatterns =
    "Wpisz rozszerzenia plików jaki program ma brać pod uwagę, oddziel je średnikiem np. "
    "wpisz:\r\n*.htm; *.html; *.php; *.shtm";
inline constexpr const char* kCannotCreateFile = "Nie mogę utworzyć pliku: ";
inline constexpr const char* kCannotOpenFolder = "Nie otworzyć katalogu: ";

inline constexpr const char* kDoneLine = "Skończyłem generowanie mapy serwisu";
inline constexpr const char* kFoundPrefix = "Znalazłem: ";
inline constexpr const char* kFoundSuffix = " plików";

inline constexpr const char* kCannotReadFile = "Nie mogę odczytać pliku: ";
inline constexpr const char* kUnreadableCount = "Nie odczytanych plików: ";

inline constexpr const char* kNoindexLeftOut = "Pominąłem strony z noindex: ";
inline constexpr const char* kNothingListed =
    "Nie zapisałem mapy witryny: żadna strona się do niej nie nadaje, stary plik zostaje bez "
    "zmian: ";
inline constexpr const char* kSuffixStripped = "Usunąłem z tytułów wspólną końcówkę: ";

inline constexpr const char* kUntitled = "#bez tytułu#";

}  // namespace zorvitan::messages
