#include "library/LibraryStore.h"

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

std::string LibraryStore::DataFolder() const { return FProgramFolder + "data"; }

std::string LibraryStore::GroupListPath() const { return FProgramFolder + kDataPiece + "categories.dat"; }

std::string LibraryStore::GroupFolderPath(const std::string& group) const {
    return FProgramFolder + kDataPiece + group;
}

std::string LibraryStore::ItemListPath(const std::string& group) const {
    return FProgramFolder + kDataPiece + group + kSeparator + group + ".dat";
}

std::string LibraryStore::ItemTextPath(const std::string& group, const std::string& item) const {
    return FProgramFolder + kDataPiece + group + kSeparator + item + ".itm";
}

NameList LibraryStore::ListFromFile(const std::string& bytes) const {
    return NameList::FromUnsorted(DecodeNameListFile(bytes, *FCodePage), *FCollator);
}

NameList LibraryStore::ReadNameList(const std::string& path) {
    std::string bytes;
    if (!FFileSystem->ReadWholeFile(path, bytes)) throw EFOpenError(path);
    RememberForm(path, bytes);
    return ListFromFile(bytes);
}

void LibraryStore::WriteNameList(const std::string& path, const NameList& list) { WriteListFile(path, list); }

std::string LibraryStore::WriteListFile(const std::string& path, const NameList& list) {
    TFileForm form = FormFor(path);
    std::string bytes = EncodeNameListFile(list.Names(), *FCodePage, form);
    WriteFile(path, bytes);
    FForms[path] = form;
    return bytes;
}

void LibraryStore::WriteFile(const std::string& path, const std::string& bytes) {
    if (!FFileSystem->ReplaceWholeFile(path, bytes)) throw EFCreateError(path);
}

// --- The form of each file
//
// Other programs read the library too, and an editor that saved a file as
// UTF-8 without the mark expects to find it so. So the store writes each
// file in the form it last read (or wrote) it in. A file it has not seen is
// new: it takes the code page, which older copies of the program read.

void LibraryStore::RememberForm(const std::string& path, const std::string& bytes) { FForms[path] = FormOfFile(bytes); }

// An item saved under a new name is the text the user read from the file
// under the old name: it keeps that file's form.
TFileForm LibraryStore::FormFor(const std::string& path, const std::string& readFrom) const {
    auto known = FForms.find(path);
    if (known == FForms.end() && !readFrom.empty()) known = FForms.find(readFrom);
    return known == FForms.end() ? TFileForm::ffAnsi : known->second;
}

// --- Other programs' writes
//
// Users keep the library in synchronised folders and edit it with other
// tools, so a list file may have changed since the store read or wrote it.
// Writing the caller's list over it would drop whatever the other program
// put there. So before each change of a list file the store checks the file
// against what it last read or wrote of it and, when it is not that any
// more, reads it again into the caller's list. A file that cannot be read
// again is never overwritten by a list not read from it: the change is
// refused with nothing done (at start-up this guards a group list that
// could not be read at all).
//
// "The user's change made on what the file now holds" means: the change is
// one step - insert this name once, take out the first row of that name -
// and it is done once, on the names read from the file. The caller's list
// is never merged in: a name only it held was removed by another program
// and stays removed; a name both hold stays once, as the file holds it. An
// item name the user adds that another program added as well is refused,
// as adding a listed name always is: the text file is the other program's.
//
// The check is cheap: one stamp (size and last-write time) per list file
// the store knows, taken at each change, nothing in between. Only while a
// stamp cannot vouch for the file are its bytes kept and compared.

void LibraryStore::Remember(KnownList& known, const std::string& path, const FileStamp& stamp,
                            const std::string& bytes) {
    known.path = path;
    known.seen = true;
    known.stamp = stamp;
    known.stampVouches = StampVouches(stamp);
    known.bytes = known.stampVouches ? std::string() : bytes;
}

NameList LibraryStore::ReadKnownList(KnownList& known, const std::string& path) {
    // The stamp first: a write between stamp and read then shows as a
    // change next time, never the other way round.
    FileStamp stamp;
    const bool stamped = FFileSystem->Stamp(path, stamp);
    std::string bytes;
    if (!FFileSystem->ReadWholeFile(path, bytes)) {
        known.Unseen(path);
        throw EFOpenError(path);
    }
    RememberForm(path, bytes);
    if (stamped) {
        Remember(known, path, stamp, bytes);
    } else {
        known.Unseen(path);
    }
    return ListFromFile(bytes);
}

void LibraryStore::WriteKnownList(KnownList& known, const std::string& path, const NameList& list) {
    const std::string bytes = WriteListFile(path, list);
    FileStamp stamp;
    if (FFileSystem->Stamp(path, stamp)) {
        Remember(known, path, stamp, bytes);
    } else {
        known.Unseen(path);
    }
}

// True when the caller's list was replaced by the file's. A list file the
// store does not know (it never read or wrote it, or another one since)
// gives it nothing to compare with: the caller's list is taken as it is. No
// file there (any more) is no change of names either: the write makes the
// file again.
bool LibraryStore::BringUpToDate(KnownList& known, const std::string& path, NameList& list) {
    if (known.path != path) return false;
    FileStamp stamp;
    const bool stamped = FFileSystem->Stamp(path, stamp);
    if (!stamped && !FFileSystem->Exists(path)) return false;
    if (stamped && known.seen && SameSizeAndTime(stamp, known.stamp)) {
        if (known.stampVouches) return false;
        std::string bytes;
        // A file another program holds cannot be read: the stamp's word
        // stands (and the write will fail on it).
        if (!FFileSystem->ReadWholeFile(path, bytes) || bytes == known.bytes) return false;
        Remember(known, path, stamp, bytes);
        RememberForm(path, bytes);
        list = ListFromFile(bytes);
        return true;
    }
    list = ReadKnownList(known, path);  // EFOpenError: nothing changed yet
    return true;
}

NameList LibraryStore::LoadGroups() {
    try {
        return ReadKnownList(FGroupList, GroupListPath());
    } catch (const Exception&) {
        IgnoreFailure("a group list that cannot be read starts empty");
        return NameList(*FCollator);
    }
}

void LibraryStore::EnsureDataFolder() { FFileSystem->CreateFolder(DataFolder()); }

// A temporary file lies beside the file it was to replace: in the data
// folder or in a group's folder, listed or deleted. One copy of the program
// runs per folder, so at start no write of this library is under way.
void LibraryStore::RemoveLeftoverTemporaryFiles() {
    const std::string data = DataFolder() + kSeparator;
    std::vector<FolderEntry> entries;
    if (!FFileSystem->ListFolder(data, entries)) return;
    RemoveTemporaryFiles(data, entries);
    std::vector<FolderEntry> inGroup;
    for (const FolderEntry& entry : entries) {
        const std::string folder = data + entry.name + kSeparator;
        if (entry.folder && FFileSystem->ListFolder(folder, inGroup)) RemoveTemporaryFiles(folder, inGroup);
    }
}

void LibraryStore::RemoveTemporaryFiles(const std::string& folder, const std::vector<FolderEntry>& entries) {
    for (const FolderEntry& entry : entries)
        if (!entry.folder && IsTemporaryFileName(entry.name)) FFileSystem->RemoveFile(folder + entry.name);
}

// The item list's path holds the group name twice; with room for it and
// for the temporary file of a safe write beside it, the group's folder has
// room for items of a name as long as its own.
bool LibraryStore::GroupFilesFit(const std::string& group) const {
    return FitsPathLimit(ItemListPath(group)) && FitsTemporaryFolderLimit(GroupFolderPath(group) + kSeparator);
}

bool LibraryStore::AddGroup(NameList& groups, const std::string& name) {
    const std::string folder = GroupFolderPath(name);
    // A refused name is answered like a folder the file system refused; so
    // is the empty name, whose folder would be the data folder itself.
    if (name.empty() || !IsSafeGroupName(name)) throw GroupFolderError(folder);
    if (!GroupFilesFit(name)) throw GroupNameTooLongError(ItemListPath(name));
    const bool readAgain = BringUpToDate(FGroupList, GroupListPath(), groups);
    // A listed group in another case has the same folder on Windows; the
    // rule holds on every platform, as the files are Windows files.
    if (groups.IndexOfSameName(name) >= 0) throw GroupFolderError(folder);
    // Delete Group leaves the folder with its files: a folder that is there
    // is a deleted group, which comes back with its items.
    const bool madeNow = FFileSystem->CreateFolder(folder);
    if (!madeNow && !FFileSystem->IsFolder(folder)) throw GroupFolderError(folder);
    groups.Insert(name);
    WriteKnownList(FGroupList, GroupListPath(), groups);
    const std::string itemList = ItemListPath(name);
    if (madeNow || !FFileSystem->Exists(itemList)) WriteKnownList(FItemList, itemList, NameList(*FCollator));
    return readAgain;
}

bool LibraryStore::DeleteGroup(NameList& groups, int position) {
    const bool hadName = position >= 0 && position < groups.Count();
    const std::string name = hadName ? groups[position] : std::string();
    if (!hadName) position = -1;  // must not name a row of a list read again
    const bool readAgain = BringUpToDate(FGroupList, GroupListPath(), groups);
    if (readAgain && hadName) {
        position = groups.IndexOf(name);
        if (position < 0) return true;  // gone already: nothing to write
    }
    groups.Remove(position);
    WriteKnownList(FGroupList, GroupListPath(), groups);
    return readAgain;
}

NameList LibraryStore::LoadItems(const std::string& group) {
    const std::string path = ItemListPath(group);
    if (!IsSafeGroupName(group)) throw EFOpenError(path);
    return ReadKnownList(FItemList, path);
}

namespace {

// Whether a row other than the one at position names the text file of
// `name`. Two items of one name would share that file, and writing it would
// take the other item's text: the user's one they see listed, or one that
// another program has just added and the user has not seen yet.
bool NamesAnotherItem(const NameList& items, int position, const std::string& name) {
    if (position >= 0 && items.IsSameName(items[position], name)) return false;
    return items.IndexOfSameName(name) >= 0;
}

}  // namespace

bool LibraryStore::AddItem(const std::string& group, NameList& items, const std::string& name,
                           const std::string& text) {
    return ReplaceItem(group, items, -1, name, text);
}

bool LibraryStore::ReplaceItem(const std::string& group, NameList& items, int position, const std::string& name,
                               const std::string& text) {
    // Refuse before anything is listed, so a refused name never stays
    // listed without its text.
    const std::string listPath = ItemListPath(group);
    if (!IsSafeGroupName(group)) throw EFCreateError(listPath);
    const std::string textPath = ItemTextPath(group, name);
    if (!IsSafeItemName(name) || !FitsPathLimit(textPath)) throw EFCreateError(textPath);
    const bool hadRow = position >= 0 && position < items.Count();
    const std::string previous = hadRow ? items[position] : std::string();
    if (!hadRow) position = -1;
    const bool shownBefore = NamesAnotherItem(items, position, name);
    const bool readAgain = BringUpToDate(FItemList, listPath, items);
    // A row another program removed: nothing is replaced, and the user's
    // edit is kept as an item of its own, as with no row selected.
    if (readAgain && hadRow) position = items.IndexOf(previous);
    if (NamesAnotherItem(items, position, name)) throw ItemNameTakenError(name, !shownBefore);
    items.Remove(position);
    items.Insert(name);
    WriteKnownList(FItemList, listPath, items);
    TFileForm form = FormFor(textPath, hadRow ? ItemTextPath(group, previous) : std::string());
    WriteFile(textPath, EncodeItemTextFile(text, *FCodePage, form));
    FForms[textPath] = form;
    return readAgain;
}

bool LibraryStore::DeleteItem(const std::string& group, NameList& items, int position) {
    if (position == -1) return false;
    const std::string listPath = ItemListPath(group);
    if (!IsSafeGroupName(group)) throw EFCreateError(listPath);
    const bool hadRow = position >= 0 && position < items.Count();
    const std::string name = hadRow ? items[position] : std::string();
    if (!hadRow) position = -1;
    const bool readAgain = BringUpToDate(FItemList, listPath, items);
    if (readAgain && hadRow) {
        position = items.IndexOf(name);
        if (position < 0) return true;  // gone already: no file of it is deleted
    }
    // An unsafe name (a hand-edited list) names no file of this group: only
    // its row goes. So does a row whose text another row of that name (an
    // older copy listed names twice) still shows.
    if (hadRow && IsSafeItemName(name) && items.CountOfSameName(name) == 1) {
        const std::string textPath = ItemTextPath(group, name);
        FFileSystem->RemoveFile(textPath);
        FForms.erase(textPath);
    }
    items.Remove(position);
    WriteKnownList(FItemList, listPath, items);
    return readAgain;
}

std::string LibraryStore::ReadItemText(const std::string& group, const std::string& name) {
    const std::string path = ItemTextPath(group, name);
    if (!IsSafeGroupName(group) || !IsSafeItemName(name)) throw EFOpenError(path);
    std::string bytes;
    if (!FFileSystem->ReadWholeFile(path, bytes)) throw EFOpenError(path);
    RememberForm(path, bytes);
    return DecodeItemTextFile(bytes, *FCodePage);
}

}  // namespace pastimo
