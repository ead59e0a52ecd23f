#pragma once
// Which group and item names may become part of a path. The library's files
// are Windows files, so the same rules hold on every platform. Names are
// UTF-8. Portable.

#include <string>

namespace pastimo {

// A group name becomes a folder and the list file inside it. The empty name
// is allowed: its items lie directly in the data folder.
bool IsSafeGroupName(const std::string& name);

// An item name becomes the file name + ".itm" in its group's folder. The
// empty name is allowed (".itm").
bool IsSafeItemName(const std::string& name);

}  // namespace pastimo
