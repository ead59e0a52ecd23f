#pragma once
// Which group and item names may become part of a path, how long a path may
// be, and which names are a safe write's temporary files. The library's
// files are Windows files, so the same rules hold on every platform. Names
// and paths are UTF-8. Portable.

#include <string>

namespace pastimo {

// A group name becomes a folder and the list file inside it. The empty name
// is allowed: its items lie directly in the data folder.
bool IsSafeGroupName(const std::string& name);

// An item name becomes the file name + ".itm" in its group's folder. The
// empty name is allowed (".itm").
bool IsSafeItemName(const std::string& name);

// Whether the path fits the plain Windows file API: at most MAX_PATH less
// the closing NUL, 259 UTF-16 units.
bool FitsPathLimit(const std::string& path);

// Whether a safe write can make its temporary file in the folder (given
// with its closing separator): GetTempFileNameW takes MAX_PATH - 14 units.
bool FitsTemporaryFolderLimit(const std::string& folder);

// A safe write's temporary file: "~pm", something unique, ".tmp" (in any
// case). No file of the library is named so: lists end in ".dat", texts in
// ".itm".
bool IsTemporaryFileName(const std::string& name);

}  // namespace pastimo
