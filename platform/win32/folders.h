// Folder operations of the Win32 layer: enumeration, identity, current folder.
#pragma once

#include <string>
#include <vector>

#include "engine/platform.h"

namespace zorvitan {

// Lists `folder` (which ends in a backslash) with FindFirstFileW/FindNextFileW;
// names come as NameFromWide gives them (wide_path.h).
// "." and ".." come back as the system returns them. False when the search
// cannot be opened or ends with an error other than "no more files".
bool ListFolderEntries(const std::string& folder, std::vector<DirEntry>* entries);

// "volume:indexHigh:indexLow" of the folder that `folder` leads to, after any
// junction or directory link. False when the file system gives no usable
// index (some file systems, and emulators, report zeros or reuse numbers).
bool QueryFolderIdentity(const std::string& folder, std::string* identity);

// Makes the drive of `folder` current, then the folder itself. The text must
// start with a drive letter and a colon: a UNC path fails.
bool MakeFolderCurrent(const std::string& folder);

}  // namespace zorvitan
