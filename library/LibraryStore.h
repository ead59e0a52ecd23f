#pragma once
// The clip library on disk: the data folder beside the program, the group
// list, one folder per group with its item list and one text file per item.
// Every operation reads or replaces whole files and keeps nothing open.
// Names, paths and texts are UTF-8; each file holds the ANSI code page's
// bytes or UTF-8 as FileEncoding.h decides, and the store writes a file back
// in the form it last read or wrote it in.
// Portable: no Windows headers; the files are the same on every platform.

#include "library/CodePage.h"
#include "library/FileEncoding.h"
#include "library/FileSystem.h"
#include "library/NameList.h"
#include "library/TextFormats.h"
#include "toolkit/Errors.h"

#include <map>
#include <string>

namespace pastimo {

// The group's folder could not be created (the name is refused, a folder or
// file of that name exists, or the data folder is missing).
struct GroupFolderError : Exception {
    explicit GroupFolderError(const std::string& folder) : Exception("Cannot create folder " + folder) {}
};

// A path of the group's files would be longer than Windows takes.
struct GroupNameTooLongError : Exception {
    explicit GroupNameTooLongError(const std::string& path) : Exception("The path is too long: " + path) {}
};

// The group lists an item of that name already (in any case): the text file
// is that item's. AddedElsewhere: only the list read again holds it, so the
// user has not seen it.
class ItemNameTakenError : public Exception {
public:
    ItemNameTakenError(const std::string& name, bool addedElsewhere)
        : Exception("The group already has an item named \"" + name + "\""), FName(name),
          FAddedElsewhere(addedElsewhere) {}
    const std::string& Name() const { return FName; }
    bool AddedElsewhere() const { return FAddedElsewhere; }

private:
    std::string FName;
    bool FAddedElsewhere;
};

class LibraryStore {
public:
    // programFolder ends in the path separator.
    explicit LibraryStore(std::string programFolder, FileSystem& fileSystem = PlatformFileSystem(),
                          const Collator& collator = PlatformCollator(), const CodePage& codePage = PlatformCodePage());

    // The group list; empty, without a message, when it cannot be read.
    NameList LoadGroups();
    // Creates the data folder if it can; every failure is ignored.
    void EnsureDataFolder();
    // Removes the temporary files that killed writes left in the data folder
    // and the folders in it; every failure is ignored.
    void RemoveLeftoverTemporaryFiles();

    // The changes below first look whether another program has written the
    // list file since the store last read or wrote it (the group list, and
    // the item list of the group last loaded or changed). If so, they read
    // it again into the caller's list and make the change on that; the
    // result is true then. A list that cannot be read again is refused with
    // EFOpenError, nothing changed. A change of a row acts on the first row
    // of that row's name in the list read again, and on nothing when the
    // name is gone there.

    // A group whose folder is there already (a deleted group's) is listed
    // again with the item list it holds. Throws GroupFolderError for a name
    // listed already in any case, or whose folder can be neither made nor
    // found, and GroupNameTooLongError for one whose files Windows could not
    // store, changing nothing but the caller's list (when it was read again).
    bool AddGroup(NameList& groups, const std::string& name);
    // Removes the name at position (nothing for -1) and rewrites the group
    // list; the group's files stay on disk.
    bool DeleteGroup(NameList& groups, int position);

    NameList LoadItems(const std::string& group);
    // Throw ItemNameTakenError, changing nothing but the caller's list (when
    // it was read again), when another row names the item's text file.
    bool AddItem(const std::string& group, NameList& items, const std::string& name, const std::string& text);
    bool ReplaceItem(const std::string& group, NameList& items, int position, const std::string& name,
                     const std::string& text);
    // Deletes the text file too, unless another row names it.
    bool DeleteItem(const std::string& group, NameList& items, int position);
    std::string ReadItemText(const std::string& group, const std::string& name);

    std::string DataFolder() const;
    std::string GroupListPath() const;
    std::string GroupFolderPath(const std::string& group) const;
    std::string ItemListPath(const std::string& group) const;
    std::string ItemTextPath(const std::string& group, const std::string& item) const;

private:
    // What tests need past the public API goes through this friend alone (tests/library/TestAccess.h).
    friend struct LibraryStoreTestAccess;
    // A name list file read or written whole, without the look for another
    // program's writes that every change above makes first.
    NameList ReadNameList(const std::string& path);
    void WriteNameList(const std::string& path, const NameList& list);

    // What the store last read or wrote of one name list file.
    struct KnownList {
        std::string path;   // empty: no file known
        bool seen = false;  // false: not read (missing or unreadable) when last looked at
        FileStamp stamp;    // when seen: the file's stamp then
        bool stampVouches = false;
        std::string bytes;  // when seen and the stamp alone cannot vouch for them

        // Knows of the file only that it was not read, so any file there is
        // read before a change.
        void Unseen(const std::string& file) {
            *this = KnownList();
            path = file;
        }
    };

    // A name list file's bytes as the sorted list they hold.
    NameList ListFromFile(const std::string& bytes) const;
    void WriteFile(const std::string& path, const std::string& bytes);
    std::string WriteListFile(const std::string& path, const NameList& list);
    NameList ReadKnownList(KnownList& known, const std::string& path);
    void WriteKnownList(KnownList& known, const std::string& path, const NameList& list);
    void Remember(KnownList& known, const std::string& path, const FileStamp& stamp, const std::string& bytes);
    bool BringUpToDate(KnownList& known, const std::string& path, NameList& list);
    bool GroupFilesFit(const std::string& group) const;
    void RemoveTemporaryFiles(const std::string& folder, const std::vector<FolderEntry>& entries);
    void RememberForm(const std::string& path, const std::string& bytes);
    TFileForm FormFor(const std::string& path, const std::string& readFrom = std::string()) const;

    std::string FProgramFolder;
    FileSystem* FFileSystem;    // not owned: the caller's, outlives the store
    const Collator* FCollator;  // not owned: the caller's, outlives the store
    const CodePage* FCodePage;  // not owned: the caller's, outlives the store
    KnownList FGroupList;
    KnownList FItemList;
    // The form of each file the store has read or written.
    std::map<std::string, TFileForm> FForms;
};

}  // namespace pastimo
