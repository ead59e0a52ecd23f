#include "library/LibraryStore.h"

#include "library/FileEncoding.h"
#include "library/FileNames.h"

#include <utility>

namespace pastimo {
namespace {

#ifdef _WIN32
const char* const kDataPiece = "data\\";
const char* const kSeparator = "\\";
#else
const char* const kDataPiece = "data/";
const char* const kSeparator = "/";
#endif

}  // namespace

LibraryStore::LibraryStore(std::string programFolder, FileSystem& fileSystem, const Collator& collator,
                           const CodePage& codePage)
    : FProgramFolder(std::move(programFolder)), FFileSystem(&fileSystem), FCollator(&collator), FCodePage(&codePage) {}

std::string LibraryStore::DataFolder() const {
    return FProgramFolder + "data";
}

std::string LibraryStore::GroupListPath() const {
    return FProgramFolder + kDataPiece + "categories.dat";
}

std::string LibraryStore::GroupFolderPath(const std::string& group) const {
    return FProgramFolder + kDataPiece + group;
}

std::string LibraryStore::ItemListPath(const std::string& group) const {
    return FProgramFolder + kDataPiece + group + kSeparator + group + ".dat";
}

std::string LibraryStore::ItemTextPath(const std::string& group, const std::string& item) const {
    return FProgramFolder + kDataPiece + group + kSeparator + item + ".itm";
}

NameList LibraryStore::ReadNameList(const std::string& path) {
    std::string bytes;
    if (!FFileSystem->ReadWholeFile(path, bytes)) throw EFOpenError(path);
    return NameList::FromUnsorted(DecodeNameListFile(bytes, *FCodePage), *FCollator);
}

void LibraryStore::WriteNameList(const std::string& path, const NameList& list) {
    WriteFile(path, EncodeNameListFile(list.Names(), *FCodePage));
}

void LibraryStore::WriteFile(const std::string& path, const std::string& bytes) {
    if (!FFileSystem->ReplaceWholeFile(path, bytes)) throw EFCreateError(path);
}

// A group list that exists but could not be read at start-up must never be
// overwritten by a list that was not read from it: that would silently drop
// every group. So the first write of the group list reads it again, into the
// caller's list, and refuses to go on while it still cannot be read.
NameList LibraryStore::LoadGroups() {
    try {
        NameList groups = ReadNameList(GroupListPath());
        FGroupListUnread = false;
        return groups;
    } catch (const Exception&) {
        FGroupListUnread = FFileSystem->Exists(GroupListPath());
        return NameList(*FCollator);
    }
}

void LibraryStore::RereadUnreadGroupList(NameList& groups) {
    if (!FGroupListUnread) return;
    groups = ReadNameList(GroupListPath());  // EFOpenError: nothing changed yet
    FGroupListUnread = false;
}

void LibraryStore::EnsureDataFolder() {
    FFileSystem->CreateFolder(DataFolder());
}

void LibraryStore::AddGroup(NameList& groups, const std::string& name) {
    const std::string folder = GroupFolderPath(name);
    // A refused name is answered like a folder the file system refused.
    if (!IsSafeGroupName(name)) throw GroupFolderError(folder);
    RereadUnreadGroupList(groups);
    if (!FFileSystem->CreateFolder(folder)) throw GroupFolderError(folder);
    groups.Insert(name);
    WriteNameList(GroupListPath(), groups);
    WriteNameList(ItemListPath(name), NameList(*FCollator));
}

void LibraryStore::DeleteGroup(NameList& groups, int position) {
    if (FGroupListUnread) {
        // The caller's positions belong to the list it had; after a re-read
        // remove the same name, if the file lists it.
        const bool hadName = position >= 0 && position < groups.Count();
        const std::string name = hadName ? groups[position] : std::string();
        RereadUnreadGroupList(groups);
        position = hadName ? groups.IndexOf(name) : -1;
    }
    groups.Remove(position);
    WriteNameList(GroupListPath(), groups);
}

NameList LibraryStore::LoadItems(const std::string& group) {
    const std::string path = ItemListPath(group);
    if (!IsSafeGroupName(group)) throw EFOpenError(path);
    return ReadNameList(path);
}

void LibraryStore::AddItem(const std::string& group, NameList& items, const std::string& name,
                           const std::string& text) {
    ReplaceItem(group, items, -1, name, text);
}

void LibraryStore::ReplaceItem(const std::string& group, NameList& items, int position, const std::string& name,
                               const std::string& text) {
    // Refuse before anything is listed, so a refused name never stays
    // listed without its text.
    const std::string listPath = ItemListPath(group);
    if (!IsSafeGroupName(group)) throw EFCreateError(listPath);
    const std::string textPath = ItemTextPath(group, name);
    if (!IsSafeItemName(name)) throw EFCreateError(textPath);
    items.Remove(position);
    items.Insert(name);
    WriteNameList(listPath, items);
    WriteFile(textPath, EncodeItemTextFile(text, *FCodePage));
}

void LibraryStore::DeleteItem(const std::string& group, NameList& items, int position) {
    if (position == -1) return;
    const std::string listPath = ItemListPath(group);
    if (!IsSafeGroupName(group)) throw EFCreateError(listPath);
    if (position >= 0 && position < items.Count()) {
        const std::string& name = items[position];
        // An unsafe name (a hand-edited list) names no file of this group:
        // only its row goes.
        if (IsSafeItemName(name)) FFileSystem->RemoveFile(ItemTextPath(group, name));
    }
    items.Remove(position);
    WriteNameList(listPath, items);
}

std::string LibraryStore::ReadItemText(const std::string& group, const std::string& name) {
    const std::string path = ItemTextPath(group, name);
    if (!IsSafeGroupName(group) || !IsSafeItemName(name)) throw EFOpenError(path);
    std::string bytes;
    if (!FFileSystem->ReadWholeFile(path, bytes)) throw EFOpenError(path);
    return DecodeItemTextFile(bytes, *FCodePage);
}

}  // namespace pastimo
