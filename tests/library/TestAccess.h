#pragma once
// What the library's tests and benchmarks do past the public API: each class
// names its one friend here in its header. The program never includes this.

#include "library/GroupsPage.h"
#include "library/LibraryStore.h"

#include <string>

namespace pastimo {

struct LibraryStoreTestAccess {
    // A name list file read or written whole, without the look for another
    // program's writes that every change of the store makes first.
    static NameList ReadNameList(LibraryStore& store, const std::string& path) { return store.ReadNameList(path); }
    static void WriteNameList(LibraryStore& store, const std::string& path, const NameList& list) {
        store.WriteNameList(path, list);
    }
};

struct GroupsPageTestAccess {
    static bool HasCurrentGroup(const GroupsPage& page) { return page.FHasCurrentGroup; }
    static const std::string& CurrentGroup(const GroupsPage& page) { return page.FCurrentGroup; }
    static const NameList& Groups(const GroupsPage& page) { return page.FGroups; }
    static const NameList& Items(const GroupsPage& page) { return page.FItems; }
};

}  // namespace pastimo
