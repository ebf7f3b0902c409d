// File operations of the Win32 layer: page reading and map writing.
#pragma once

#include <memory>
#include <string>

#include "engine/platform.h"

namespace zorvitan {

// Opens a page for sequential reading; nullptr when it cannot be opened.
std::unique_ptr<PageReader> OpenPageFile(const std::string& path);

// Opens `path` for writing, creating it when missing and never cutting it,
// then closes it. False for a folder, a read-only file or a missing folder.
bool ProbeWritableFile(const std::string& path);

// Starts a new map in a temporary file beside `path`; see MapOutput.
std::unique_ptr<MapOutput> BeginMapFile(const std::string& path);

// Marks the temporary file of the map being written for deletion, so a
// console program stopped by Ctrl-C leaves nothing behind. Safe to call from
// a console control handler's thread: no allocation, no locks.
void RemovePendingMapFile();

}  // namespace zorvitan
