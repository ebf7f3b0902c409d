// Paths the ANSI ("A") functions cannot take: those holding a name the code
// page lacks (carried marked, as engine/text/foreign_names.h describes) and those
// of MAX_PATH characters or more. Such paths go to the wide ("W") functions;
// every other path keeps its ANSI call, byte for byte.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace zorvitan {

// A folder entry's name as the engine carries it: the ANSI bytes when the
// code page holds every character exactly, else the mark and the UTF-8 bytes.
std::string NameFromWide(const wchar_t* name, std::size_t length);

// True when `path` holds a marked name or is too long for an "A" function.
bool NeedsWidePath(const std::string& path);

// `path` in UTF-16, each marked name from its UTF-8, the rest from the ANSI
// code page. A result of MAX_PATH or more is made absolute and normalised and
// given the "\\?\" prefix ("\\?\UNC\" for a share), which lifts the limit.
// False when a name cannot be converted.
bool ToWidePath(const std::string& path, std::wstring* wide);

// Lower case as Windows compares names: the ANSI bytes by the code page's
// rules, marked names by their letters.
std::string LowerCasePath(const std::string& path);

// The layer's calls that take a path: the "A" function when it can take the
// path, the "W" function otherwise. FullPathAt gives the engine's form.
HANDLE CreateFileAt(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags);
DWORD FileAttributesAt(const std::string& path);
BOOL DeleteFileAt(const std::string& path);
BOOL MoveFileAt(const std::string& from, const std::string& to, DWORD flags);
bool FullPathAt(const std::string& path, std::string* full);

}  // namespace zorvitan
