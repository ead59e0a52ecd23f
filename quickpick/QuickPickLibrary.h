#pragma once
// The library as the quick-pick window shows it: the items of every group
// as the files on disk hold them when the window opens, whoever wrote them.
// A list file whose size and last-write time are those it had when it was
// last read (and old enough for the file system's clock to tell a later
// write apart) is not read again: opening the window on a large library that
// nothing changed reads no list. Portable: no Windows headers.

#include "capture/RecentEntries.h"
#include "library/FileSystem.h"
#include "library/LibraryStore.h"
#include "quickpick/QuickPickRows.h"

#include <map>
#include <string>
#include <vector>

namespace pastimo {

class QuickPickLibrary {
public:
    // programFolder ends in the path separator. A store of its own: reading
    // every list must not change what the main window's store knows.
    explicit QuickPickLibrary(const std::string& programFolder, FileSystem& fileSystem = PlatformFileSystem());

    // Every item of every group, in the library's order, then the recent
    // entries. A group whose list cannot be read has no rows.
    QuickPickRows Rows(const RecentEntries& recents);

    // An item's text, read now; fails with "Cannot open file ..." as a pick
    // on "My Groups" does.
    std::string ItemText(const std::string& group, const std::string& name) { return FStore.ReadItemText(group, name); }

private:
    struct KnownList {
        bool known = false;
        FileStamp stamp;
        std::vector<std::string> names;  // empty for a list that could not be read
    };
    // The list's names, read again unless its stamp vouches that nothing changed.
    const std::vector<std::string>& Refresh(KnownList& known, const std::string& path, bool groupList,
                                            const std::string& group, bool& changed);

    LibraryStore FStore;
    FileSystem& FFileSystem;
    KnownList FGroups;
    std::map<std::string, KnownList> FItems;
    QuickPickRows FItemRows;  // as last built, without the recent entries
    bool FBuilt = false;
};

}  // namespace pastimo
