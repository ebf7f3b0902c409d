// Conversions between UTF-8 (the program's own texts in the source), the
// system's 8-bit ANSI code page (everything exchanged with files and the "A"
// functions of Windows) and UTF-16 (the console and the "W" functions).
#pragma once

#include <windows.h>

#include <string>

namespace zorvitan {

// Text in `code_page` to UTF-16, and back; "" for what cannot be converted.
// Characters the target code page lacks become its default character ("?").
std::wstring ToWide(const std::string& text, UINT code_page);
// With `flags` and `lacking`, as WideCharToMultiByte takes them: `*lacking`
// tells whether a character had no form in the code page.
std::string FromWide(const std::wstring& wide, UINT code_page, DWORD flags = 0,
                     BOOL* lacking = nullptr);

// UTF-8 to the ANSI code page.
std::string Utf8ToAnsi(const std::string& utf8);

// The ANSI code page to UTF-8, for front ends that show or print system text.
std::string AnsiToUtf8(const std::string& ansi);

}  // namespace zorvitan
