// POSIX file system. "Exclusive" is modelled with flock(LOCK_EX | LOCK_NB):
// a file that another holder has flocked cannot be read or replaced, which is
// the nearest POSIX match to a Windows share mode of 0. The shared read takes
// LOCK_SH, which only an exclusive holder refuses.

#include "library/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace pastimo {
namespace {

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : FFd(fd) {}
    ~Descriptor() {
        if (FFd >= 0) ::close(FFd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return FFd; }
    bool Close() {
        const int fd = FFd;
        FFd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int FFd;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do fd = ::open(path, flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

int64_t Nanoseconds(const struct timespec& time) {
    return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

class PosixFileSystem final : public FileSystem {
public:
    bool ReadWholeFile(const std::string& path, std::string& bytes) override { return Read(path, LOCK_EX, bytes); }

    // A shared lock: other shared holders are no hindrance, an exclusive one is.
    bool ReadSharedFile(const std::string& path, std::string& bytes) override { return Read(path, LOCK_SH, bytes); }

    // The whole file, read under a flock of `lockMode` (LOCK_EX or LOCK_SH)
    // that is not waited for: a conflicting lock of another holder fails it.
    static bool Read(const std::string& path, int lockMode, std::string& bytes) {
        // O_NONBLOCK: a FIFO in place of the file must not hang the program.
        Descriptor fd(OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK));
        if (fd.Get() < 0) return false;
        if (::flock(fd.Get(), lockMode | LOCK_NB) != 0) return false;
        struct stat info;
        if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
        // One spare byte, so the read that finds the end needs no growth
        // (a copy of the whole file).
        std::string result;
        result.resize(static_cast<size_t>(info.st_size) + 1);
        size_t filled = 0;
        for (;;) {
            if (filled == result.size()) result.resize(result.size() + 4096);
            const ssize_t n = ::read(fd.Get(), &result[filled], result.size() - filled);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (n == 0) break;
            filled += static_cast<size_t>(n);
        }
        result.resize(filled);
        bytes.swap(result);
        return true;
    }

    bool ReplaceWholeFile(const std::string& path, const std::string& bytes) override {
        // Hold the original's lock while it is replaced, so that a program
        // that has it flocked keeps the file as it was.
        Descriptor original(OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK));
        if (original.Get() >= 0) {
            if (::flock(original.Get(), LOCK_EX | LOCK_NB) != 0) return false;
        } else if (errno != ENOENT && errno != EACCES) {
            return false;
        }

        std::string temp;
        int fd = -1;
        for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            // Named as IsTemporaryFileName knows it, so that one a killed
            // write leaves is removed at the next start.
            temp = FolderOf(path) + "/~pm" + std::to_string(::getpid()) + "-" + std::to_string(FCounter++) + ".tmp";
            fd = OpenRetrying(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
            if (fd < 0 && errno != EEXIST) return false;
        }
        if (fd < 0) return false;
        Descriptor out(fd);
        const bool written = WriteAll(out.Get(), bytes) && ::fsync(out.Get()) == 0;
        if (!out.Close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
            ::unlink(temp.c_str());
            return false;
        }
        // Make the rename itself durable.
        Descriptor folder(OpenRetrying(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY));
        if (folder.Get() >= 0) ::fsync(folder.Get());
        return true;
    }

    bool CreateFolder(const std::string& path) override { return ::mkdir(path.c_str(), 0777) == 0; }

    bool RemoveFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

    bool Exists(const std::string& path) override {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0;
    }

    bool IsFolder(const std::string& path) override {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        DIR* const listing = ::opendir(folder.c_str());
        if (!listing) return false;
        const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
        std::vector<FolderEntry> listed;
        errno = 0;
        while (const dirent* entry = ::readdir(listing)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            listed.push_back({name, IsFolder(prefix + name)});
            errno = 0;
        }
        const bool complete = errno == 0;
        ::closedir(listing);
        if (!complete) return false;
        entries.swap(listed);
        return true;
    }

    // stat needs no lock, so a file that another holder has flocked still
    // shows its stamp.
    bool Stamp(const std::string& path, FileStamp& stamp) override {
        struct stat info;
        if (::stat(path.c_str(), &info) != 0) return false;
        struct timespec now;
        ::clock_gettime(CLOCK_REALTIME, &now);
        stamp.size = static_cast<uint64_t>(info.st_size);
        stamp.lastWrite = Nanoseconds(info.st_mtim);
        stamp.takenAt = Nanoseconds(now);
        return true;
    }

private:
    unsigned long FCounter = 0;
};

}  // namespace

FileSystem& PlatformFileSystem() {
    static PosixFileSystem instance;
    return instance;
}

}  // namespace pastimo
