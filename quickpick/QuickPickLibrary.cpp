#include "quickpick/QuickPickLibrary.h"

#include "toolkit/Errors.h"

#include <exception>

namespace pastimo {
QuickPickLibrary::QuickPickLibrary(const std::string& programFolder, FileSystem& fileSystem)
    : FStore(programFolder, fileSystem), FFileSystem(fileSystem) {}

const std::vector<std::string>& QuickPickLibrary::Refresh(KnownList& known, const std::string& path, bool groupList,
                                                          const std::string& group, bool& changed) {
    // The stamp first: a write between stamp and read shows as a change next time.
    FileStamp stamp;
    const bool stamped = FFileSystem.Stamp(path, stamp);
    if (stamped && known.known && SameSizeAndTime(stamp, known.stamp) && StampVouches(known.stamp)) return known.names;
    std::vector<std::string> names;
    try {
        names = groupList ? FStore.LoadGroups().Names() : FStore.LoadItems(group).Names();
    } catch (const std::exception&) {
        IgnoreFailure("a list that cannot be read shows no rows");
    }
    if (!known.known || names != known.names) changed = true;
    known.known = stamped;  // a file that could not be stamped is read every time
    known.stamp = stamp;
    known.names = std::move(names);
    return known.names;
}

QuickPickRows QuickPickLibrary::Rows(const RecentEntries& recents) {
    bool changed = !FBuilt;
    const std::vector<std::string> groups = Refresh(FGroups, FStore.GroupListPath(), true, std::string(), changed);
    std::map<std::string, KnownList> items;
    for (const std::string& group : groups) {
        KnownList& known = items[group];
        auto previous = FItems.find(group);
        if (previous != FItems.end()) known = std::move(previous->second);
        Refresh(known, FStore.ItemListPath(group), false, group, changed);
    }
    FItems = std::move(items);  // groups no longer listed are forgotten
    if (changed) {
        FItemRows = QuickPickRows();
        for (const std::string& group : groups) FItemRows.AddGroup(group, FItems[group].names);
        FBuilt = true;
    }
    QuickPickRows rows = FItemRows;
    rows.AddRecents(recents);
    return rows;
}

}  // namespace pastimo
