#include "shell/options/WholeFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pastimo {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : FFd(fd) {}
    ~Descriptor() { Close(); }
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

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

WholeFileRead ReadWholeFileBytes(const std::string& path, std::string& bytes) {
    // O_NONBLOCK: a FIFO in the file's place must not hang the program.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) return errno == ENOENT ? WholeFileRead::rfMissing : WholeFileRead::rfFailed;
    struct stat info;
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(fd.Get(), &info) != 0 ||
        !S_ISREG(info.st_mode))
        return WholeFileRead::rfFailed;
    std::string result;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return WholeFileRead::rfFailed;
        if (n == 0) break;
        result.append(buffer, static_cast<size_t>(n));
    }
    bytes.swap(result);
    return WholeFileRead::rfRead;
}

bool ReplaceWholeFileBytes(const std::string& path, const std::string& bytes) {
    const std::string temp = path + "." + std::to_string(::getpid()) + ".tmp";
    Descriptor out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (out.Get() < 0) return false;
    const bool written = WriteAll(out.Get(), bytes) && ::fsync(out.Get()) == 0;
    if (!out.Close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace pastimo
