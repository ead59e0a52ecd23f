#pragma once
// The clip library on disk: the data folder beside the program, the group
// list, one folder per group with its item list and one text file per item.
// Every operation reads or replaces whole files and keeps nothing open.
// Names, paths and texts are UTF-8; each file holds the ANSI code page's
// bytes or UTF-8 as FileEncoding.h decides.
// Portable: no Windows headers; the files are the same on every platform.

#include "library/CodePage.h"
#include "library/FileSystem.h"
#include "library/NameList.h"
#include "library/TextFormats.h"
#include "toolkit/Errors.h"

#include <string>

namespace pastimo {

// The group's folder could not be created (the name is refused, a folder or
// file of that name exists, or the data folder is missing).
struct GroupFolderError : Exception {
    explicit GroupFolderError(const std::string& folder) : Exception("Cannot create folder " + folder) {}
};

class LibraryStore {
public:
    // programFolder ends in the path separator.
    explicit LibraryStore(std::string programFolder, FileSystem& fileSystem = PlatformFileSystem(),
                          const Collator& collator = PlatformCollator(),
                          const CodePage& codePage = PlatformCodePage());

    // The group list; empty, without a message, when it cannot be read.
    NameList LoadGroups();
    // Creates the data folder if it can; every failure is ignored.
    void EnsureDataFolder();
    // Throws GroupFolderError when the folder cannot be made, changing nothing.
    // May refill groups from the group list file first (see LoadGroups).
    void AddGroup(NameList& groups, const std::string& name);
    // Removes the name at position (nothing for -1) and rewrites the group
    // list; the group's files stay on disk.
    void DeleteGroup(NameList& groups, int position);

    NameList LoadItems(const std::string& group);
    void AddItem(const std::string& group, NameList& items, const std::string& name, const std::string& text);
    void ReplaceItem(const std::string& group, NameList& items, int position, const std::string& name,
                     const std::string& text);
    void DeleteItem(const std::string& group, NameList& items, int position);
    std::string ReadItemText(const std::string& group, const std::string& name);

    NameList ReadNameList(const std::string& path);
    void WriteNameList(const std::string& path, const NameList& list);

    std::string DataFolder() const;
    std::string GroupListPath() const;
    std::string GroupFolderPath(const std::string& group) const;
    std::string ItemListPath(const std::string& group) const;
    std::string ItemTextPath(const std::string& group, const std::string& item) const;

private:
    void WriteFile(const std::string& path, const std::string& bytes);
    void RereadUnreadGroupList(NameList& groups);

    std::string FProgramFolder;
    FileSystem* FFileSystem;
    const Collator* FCollator;
    const CodePage* FCodePage;
    bool FGroupListUnread = false;
};

}  // namespace pastimo
