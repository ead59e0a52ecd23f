#pragma once
// The few file operations the library needs, behind an interface so the
// store's logic is the same on every platform. Portable: no Windows headers.

#include <cstdint>
#include <string>
#include <vector>

namespace pastimo {

// What a file looks like from outside, taken without reading it: enough to
// see that another program has written it since.
struct FileStamp {
    uint64_t size = 0;
    int64_t lastWrite = 0;  // nanoseconds since 1970 UTC, as fine as the file system keeps them
    int64_t takenAt = 0;    // the system clock when the stamp was taken, in the same unit
};

// Whether two stamps show the same size and last-write time (when they were
// taken does not count).
inline bool SameSizeAndTime(const FileStamp& a, const FileStamp& b) {
    return a.size == b.size && a.lastWrite == b.lastWrite;
}

// A stamp vouches for the file only once the file system's clock has moved
// past its last-write time: until then another write within the same tick
// of a coarse clock can leave size and time as they were. The coarsest
// clock a library folder may have is FAT's (2 s); as much again covers a
// file server whose clock lags ours, and a second to spare.
constexpr int64_t kCoarsestClockNs = 5'000'000'000;

inline bool StampVouches(const FileStamp& stamp) { return stamp.takenAt - stamp.lastWrite >= kCoarsestClockNs; }

// One name in a folder.
struct FolderEntry {
    std::string name;
    bool folder = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the whole file, opened exclusively: fails while another program
    // has it open (Win32: any open handle; POSIX: another flock holder).
    virtual bool ReadWholeFile(const std::string& path, std::string& bytes) = 0;

    // Reads the whole file while other programs may have it open for reading
    // and writing (an editor, a sync client); fails only while one holds it
    // exclusively (Win32: share mode 0 or no FILE_SHARE_READ; POSIX: another
    // flock LOCK_EX holder). For files that users edit beside the program.
    // A file system that offers no such sharing reads as ReadWholeFile does.
    virtual bool ReadSharedFile(const std::string& path, std::string& bytes) { return ReadWholeFile(path, bytes); }

    // Replaces the whole file atomically: the bytes go to a temporary sibling
    // in the same folder (named as IsTemporaryFileName in FileNames.h knows
    // it), are flushed to disk and moved over the original. On failure the
    // original stays whole and no temporary file is left.
    // Fails while another program holds the target open exclusively.
    virtual bool ReplaceWholeFile(const std::string& path, const std::string& bytes) = 0;

    // Creates one folder; its parent must exist. Fails if anything of that
    // name exists already.
    virtual bool CreateFolder(const std::string& path) = 0;

    virtual bool RemoveFile(const std::string& path) = 0;

    virtual bool Exists(const std::string& path) = 0;

    // Whether there is a folder (not a file) at the path.
    virtual bool IsFolder(const std::string& path) = 0;

    // The names in the folder, "." and ".." left out, in no particular
    // order. Fails when the folder cannot be read.
    virtual bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) = 0;

    // The file's size and last-write time, also while another program holds
    // it open exclusively. Fails when there is no such file or it cannot be
    // looked at.
    virtual bool Stamp(const std::string& path, FileStamp& stamp) = 0;
};

// The running platform's file system.
FileSystem& PlatformFileSystem();

}  // namespace pastimo
