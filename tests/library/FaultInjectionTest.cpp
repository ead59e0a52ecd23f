// Faults under the store: every change an operation makes to the file system
// made to fail in turn, then the same with real causes (a file another
// program holds, a read-only file, a folder removed, a write cut short, a
// writer killed half-way). Whatever fails, every file of the library must read
// back whole, as it was before the operation or as a successful run leaves it,
// and no temporary file may be left behind.

#include "library/FileNames.h"
#include "library/LibraryStore.h"
#include "tests/library/LibraryTestFiles.h"
#include "tests/library/TestAccess.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#endif

namespace pastimo {
namespace {

using Names = std::vector<std::string>;
using test::kSep;
using test::ReadRaw;

// The real file system, whose Nth change (a replace, a folder creation or a
// removal; reads do not count) fails without touching anything. failAt 0
// lets every call through and only counts and records them.
class FailNth final : public FileSystem {
public:
    explicit FailNth(int failAt) : FFailAt(failAt) {}

    struct Call {
        std::string kind;  // "replace", "folder", "remove"
        std::string path;
        size_t size = 0;  // bytes of a replace
    };
    std::vector<Call> calls;
    // The call that was made to fail, if one was.
    const Call* Failed() const {
        return FFailAt >= 1 && FFailAt <= static_cast<int>(calls.size()) ? &calls[FFailAt - 1] : nullptr;
    }

    bool ReadWholeFile(const std::string& path, std::string& bytes) override {
        return PlatformFileSystem().ReadWholeFile(path, bytes);
    }
    bool ReplaceWholeFile(const std::string& path, const std::string& bytes) override {
        return Let("replace", path, bytes.size()) && PlatformFileSystem().ReplaceWholeFile(path, bytes);
    }
    bool CreateFolder(const std::string& path) override {
        return Let("folder", path, 0) && PlatformFileSystem().CreateFolder(path);
    }
    bool RemoveFile(const std::string& path) override {
        return Let("remove", path, 0) && PlatformFileSystem().RemoveFile(path);
    }
    bool Exists(const std::string& path) override { return PlatformFileSystem().Exists(path); }
    bool IsFolder(const std::string& path) override { return PlatformFileSystem().IsFolder(path); }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        return PlatformFileSystem().ListFolder(folder, entries);
    }
    bool Stamp(const std::string& path, FileStamp& stamp) override { return PlatformFileSystem().Stamp(path, stamp); }

private:
    bool Let(const char* kind, const std::string& path, size_t size) {
        calls.push_back({kind, path, size});
        return static_cast<int>(calls.size()) != FFailAt;
    }
    int FFailAt;
};

// Every file and folder under a folder, by path relative to it: a file's
// bytes, or "<folder>".
using Tree = std::map<std::string, std::string>;

Tree Snapshot(const std::string& root) {
    Tree tree;
    std::function<void(const std::string&, const std::string&)> walk = [&](const std::string& folder,
                                                                           const std::string& relative) {
        for (const std::string& name : test::ListFolder(folder)) {
            const std::string path = folder + name;
            std::error_code error;
            if (std::filesystem::is_directory(std::filesystem::path(path), error)) {
                tree[relative + name] = "<folder>";
                walk(path + kSep, relative + name + kSep);
            } else {
                tree[relative + name] = ReadRaw(path);
            }
        }
    };
    walk(root, "");
    return tree;
}

std::string At(const Tree& tree, const std::string& key) {
    const auto found = tree.find(key);
    return found == tree.end() ? "<missing>" : found->second;
}

// Every entry of `now` is as it was before or as a successful run left it;
// an entry in neither (a temporary file, a half-written copy) is a failure.
void ExpectEachFileBeforeOrAfter(const Tree& before, const Tree& after, const Tree& now, const std::string& where) {
    std::set<std::string> keys;
    for (const Tree* tree : {&before, &after, &now})
        for (const auto& entry : *tree) keys.insert(entry.first);
    for (const std::string& key : keys) {
        const std::string value = At(now, key);
        EXPECT_TRUE(value == At(before, key) || value == At(after, key))
            << where << ": " << key << " holds \"" << value.substr(0, 60) << "\", was \""
            << At(before, key).substr(0, 60) << "\", a successful run leaves \"" << At(after, key).substr(0, 60)
            << "\"";
    }
}

// The message of whatever f throws; "" when nothing.
std::string Failure(const std::function<void()>& f) {
    try {
        f();
    } catch (const GroupFolderError& e) {
        return std::string("GroupFolderError: ") + e.what();
    } catch (const EFCreateError& e) {
        return std::string("EFCreateError: ") + e.what();
    } catch (const std::exception& e) {
        return std::string("other: ") + e.what();
    }
    return "";
}

// A library of two groups; "beta" holds three items, one of them with a
// text of a few kilobytes so that a write can be cut short inside it.
void Prepare(LibraryStore& store) {
    store.EnsureDataFolder();
    NameList groups = store.LoadGroups();
    store.AddGroup(groups, "alpha");
    store.AddGroup(groups, "beta");
    NameList items = store.LoadItems("beta");
    store.AddItem("beta", items, "one", "first text");
    store.AddItem("beta", items, "two", "second\r\ntext");
    store.AddItem("beta", items, "long", std::string(4000, 'L'));
}

struct Operation {
    const char* name;
    int changes;  // file-system changes of a successful run
    std::function<void(LibraryStore&, NameList& groups, NameList& items)> run;
};

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> kOperations = {
        {"AddGroup", 3, [](LibraryStore& s, NameList& g, NameList&) { s.AddGroup(g, "gamma"); }},
        {"DeleteGroup", 1, [](LibraryStore& s, NameList& g, NameList&) { s.DeleteGroup(g, 1); }},
        {"AddItem", 2, [](LibraryStore& s, NameList&, NameList& i) { s.AddItem("beta", i, "three", "3rd"); }},
        {"ReplaceItem with a longer text", 2,
         [](LibraryStore& s, NameList&, NameList& i) { s.ReplaceItem("beta", i, 0, "long", std::string(5000, 'N')); }},
        {"ReplaceItem", 2,
         [](LibraryStore& s, NameList&, NameList& i) { s.ReplaceItem("beta", i, 2, "two", "changed"); }},
        {"ReplaceItem renaming", 2,
         [](LibraryStore& s, NameList&, NameList& i) { s.ReplaceItem("beta", i, 0, "Long one", "L2"); }},
        {"DeleteItem", 2, [](LibraryStore& s, NameList&, NameList& i) { s.DeleteItem("beta", i, 0); }},
    };
    return kOperations;
}

// One prepared library per run, in a folder of its own.
struct Library {
    test::TempFolder folder;
    Tree before;
    NameList groups, items;
    Library() {
        LibraryStore store(folder.Path());
        Prepare(store);
        before = Snapshot(folder.Path());
        groups = store.LoadGroups();
        items = store.LoadItems("beta");
    }
};

// The state a successful run of the operation leaves, and its calls.
struct Success {
    Tree after;
    Names groups, items;
    std::vector<FailNth::Call> calls;
};

Success RunSuccessfully(const Operation& op) {
    Library run;
    FailNth counting(0);
    LibraryStore store(run.folder.Path(), counting);
    op.run(store, run.groups, run.items);
    Success success{Snapshot(run.folder.Path()), run.groups.Names(), run.items.Names(), counting.calls};
    // Paths are checked relative to the folder of each run.
    for (FailNth::Call& call : success.calls) call.path = call.path.substr(run.folder.Path().size());
    return success;
}

TEST(FaultInjection, EveryChangeOfEveryOperationFailingInTurnLeavesWholeFiles) {
    for (const Operation& op : Operations()) {
        const Success success = RunSuccessfully(op);
        ASSERT_EQ(static_cast<int>(success.calls.size()), op.changes) << op.name;
        for (int n = 1; n <= op.changes; ++n) {
            const std::string where = std::string(op.name) + ", change " + std::to_string(n) + " failing";
            Library run;
            const Names groupsBefore = run.groups.Names(), itemsBefore = run.items.Names();
            FailNth failing(n);
            LibraryStore store(run.folder.Path(), failing);
            const std::string failure = Failure([&] { op.run(store, run.groups, run.items); });

            ASSERT_NE(failing.Failed(), nullptr) << where;
            const std::string path = failing.Failed()->path;
            EXPECT_EQ(path, run.folder.Path() + success.calls[n - 1].path) << where;
            // The failure names the full path of what could not be made; a
            // removal that fails is no failure of the operation.
            if (failing.Failed()->kind == "replace") {
                EXPECT_EQ(failure, "EFCreateError: Cannot create file " + path) << where;
            } else if (failing.Failed()->kind == "folder") {
                EXPECT_EQ(failure, "GroupFolderError: Cannot create folder " + path) << where;
            } else {
                EXPECT_EQ(failure, "") << where;
            }
            // The operation ends at the failing step.
            if (!failure.empty()) {
                EXPECT_EQ(static_cast<int>(failing.calls.size()), n) << where;
            }

            ExpectEachFileBeforeOrAfter(run.before, success.after, Snapshot(run.folder.Path()), where);
            EXPECT_TRUE(run.groups.Names() == groupsBefore || run.groups.Names() == success.groups) << where;
            EXPECT_TRUE(run.items.Names() == itemsBefore || run.items.Names() == success.items) << where;
        }
    }
}

// Which files each operation replaces, from a successful run, as full paths
// of the given run.
std::vector<std::string> ReplacedFiles(const Operation& op, const Library& run) {
    std::vector<std::string> paths;
    for (const FailNth::Call& call : RunSuccessfully(op).calls)
        if (call.kind == "replace") paths.push_back(run.folder.Path() + call.path);
    return paths;
}

// The files an operation replaces that exist beforehand, each held open
// exclusively by "another program" in turn: the operation fails on that
// file, naming it, and the file keeps its bytes.
TEST(FaultInjection, AFileHeldByAnotherProgramFailsTheOperationOnThatFile) {
    int held = 0;
    for (const Operation& op : Operations()) {
        Library probe;
        for (size_t k = 0; k < ReplacedFiles(op, probe).size(); ++k) {
            Library run;
            const std::string path = ReplacedFiles(op, run)[k];
            if (!test::ExistsRaw(path)) continue;  // a new file cannot be held before it exists
            const std::string where = std::string(op.name) + ", holding " + path;
            const Success success = RunSuccessfully(op);
            LibraryStore store(run.folder.Path());
            std::string failure;
            {
                test::ExclusiveHold hold(path);
                failure = Failure([&] { op.run(store, run.groups, run.items); });
            }
            ++held;
            EXPECT_EQ(failure, "EFCreateError: Cannot create file " + path) << where;
            EXPECT_EQ(ReadRaw(path), At(run.before, path.substr(run.folder.Path().size()))) << where;
            ExpectEachFileBeforeOrAfter(run.before, success.after, Snapshot(run.folder.Path()), where);
        }
    }
    EXPECT_EQ(held, 9);
}

#ifdef _WIN32
// The same with the read-only attribute (natively the tests run as root,
// who may write any file).
TEST(FaultInjection, AReadOnlyFileFailsTheOperationOnThatFile) {
    int readOnly = 0;
    for (const Operation& op : Operations()) {
        Library probe;
        for (size_t k = 0; k < ReplacedFiles(op, probe).size(); ++k) {
            Library run;
            const std::string path = ReplacedFiles(op, run)[k];
            if (!test::ExistsRaw(path)) continue;
            const std::string where = std::string(op.name) + ", read-only " + path;
            const Success success = RunSuccessfully(op);
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << where;
            LibraryStore store(run.folder.Path());
            const std::string failure = Failure([&] { op.run(store, run.groups, run.items); });
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ++readOnly;
            EXPECT_EQ(failure, "EFCreateError: Cannot create file " + path) << where;
            ExpectEachFileBeforeOrAfter(run.before, success.after, Snapshot(run.folder.Path()), where);
        }
    }
    EXPECT_EQ(readOnly, 9);
}
#endif

void RemoveTree(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(folder), ignored);
}

// A folder removed under the store (by the user, by a clean-up tool): the
// first write into it fails with its full path and nothing is made again.
TEST(FaultInjection, AFolderRemovedUnderTheStoreFailsTheNextWrite) {
    struct Case {
        std::string removed;  // relative to the program folder
        std::string op;
        std::string failure;  // the message up to the program folder
        std::string path;     // and the rest of it
    };
    const std::string d = "data" + kSep;
    const std::string g = d + "beta" + kSep;
    const std::string folderError = "GroupFolderError: Cannot create folder ";
    const std::string fileError = "EFCreateError: Cannot create file ";
    const Case cases[] = {
        {"data", "AddGroup", folderError, d + "gamma"},
        {"data", "DeleteGroup", fileError, d + "categories.dat"},
        {"data", "AddItem", fileError, g + "beta.dat"},
        {g, "AddItem", fileError, g + "beta.dat"},
        {g, "ReplaceItem with a longer text", fileError, g + "beta.dat"},
        {g, "ReplaceItem", fileError, g + "beta.dat"},
        {g, "ReplaceItem renaming", fileError, g + "beta.dat"},
        {g, "DeleteItem", fileError, g + "beta.dat"},
    };
    for (const Case& c : cases) {
        const std::string where = c.op + " without " + c.removed;
        const Operation* op = nullptr;
        for (const Operation& o : Operations())
            if (o.name == c.op) op = &o;
        ASSERT_NE(op, nullptr) << c.op;
        Library run;
        RemoveTree(run.folder.Path() + c.removed);
        ASSERT_FALSE(test::ExistsRaw(run.folder.Path() + c.removed)) << where;
        const Tree gone = Snapshot(run.folder.Path());
        LibraryStore store(run.folder.Path());
        EXPECT_EQ(Failure([&] { op->run(store, run.groups, run.items); }), c.failure + run.folder.Path() + c.path)
            << where;
        EXPECT_EQ(Snapshot(run.folder.Path()), gone) << where << ": nothing may be made again";
    }
}

#ifndef _WIN32
// A write cut short half-way (a full disk, a quota): the file size limit
// makes write() fail after a few bytes of the temporary copy, even for root.
TEST(FaultInjection, AWriteCutShortLeavesTheOriginalWhole) {
    constexpr rlim_t kLimit = 4;                            // shorter than the first non-empty write of each operation
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // write() fails with EFBIG instead
    int cut = 0;
    for (const Operation& op : Operations()) {
        const Success success = RunSuccessfully(op);
        Library run;
        std::string expected;
        for (const FailNth::Call& call : success.calls) {
            if (call.kind == "replace" && call.size > kLimit) {
                expected = "EFCreateError: Cannot create file " + run.folder.Path() + call.path;
                break;
            }
        }
        ASSERT_FALSE(expected.empty()) << op.name;
        LibraryStore store(run.folder.Path());
        rlimit old{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit limited = old;
        limited.rlim_cur = kLimit;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        const std::string failure = Failure([&] { op.run(store, run.groups, run.items); });
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &old), 0);
        ++cut;
        EXPECT_EQ(failure, expected) << op.name;
        ExpectEachFileBeforeOrAfter(run.before, success.after, Snapshot(run.folder.Path()), op.name);
    }
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(cut, static_cast<int>(Operations().size()));
}
#endif

// --- A writer killed in the middle of replacing a file.

// Version k of round r: a name list of a few hundred kilobytes whose first
// line says which version it is, so that any file can be checked whole.
std::string Version(int round, int k) {
    std::string bytes = "round " + std::to_string(round) + " version " + std::to_string(k) + "\r\n";
    for (int i = 0; i < 20000; ++i)
        bytes += "name " + std::to_string(round) + "." + std::to_string(k) + "." + std::to_string(i) + "\r\n";
    return bytes;
}

// True when bytes is exactly one complete version.
bool IsWholeVersion(const std::string& bytes) {
    int round = -1, k = -1;
    if (std::sscanf(bytes.c_str(), "round %d version %d", &round, &k) != 2) return false;
    return bytes == Version(round, k);
}

constexpr const char* kWriterVariable = "PASTIMO_KILLED_WRITER";
#ifdef _WIN32
constexpr const char* kWriterEventVariable = "PASTIMO_KILLED_WRITER_EVENT";
#endif

// Replaces the file with two versions in turn, forever, so that nearly all
// of its time goes into the replace. argument: "<round>|<path>". A replace
// refused for a moment is tried again.
[[noreturn]] void WriteForever(const std::string& argument, const std::function<void()>& afterEach) {
    const size_t bar = argument.find('|');
    const int round = std::atoi(argument.substr(0, bar).c_str());
    const std::string path = argument.substr(bar + 1);
    const std::string versions[] = {Version(round, 0), Version(round, 1)};
    for (int k = 0;; ++k) {
        while (!PlatformFileSystem().ReplaceWholeFile(path, versions[k % 2])) {
        }
        afterEach();
    }
}

// In the child process started by the test below: the writer to kill.
TEST(FaultKill, Writer) {
    const char* argument = std::getenv(kWriterVariable);
    if (!argument) GTEST_SKIP() << "only run as the killed writer";
#ifdef _WIN32
    HANDLE written = OpenEventA(EVENT_MODIFY_STATE, FALSE, std::getenv(kWriterEventVariable));
    if (!written) std::abort();
    WriteForever(argument, [&] { SetEvent(written); });
#else
    WriteForever(argument, [] {});
#endif
}

TEST(FaultKill, AWriterKilledAtAnyMomentLeavesOneWholeVersion) {
    test::TempFolder folder;
    const std::string name = "categories.dat";
    const std::string path = folder.Path() + name;
    std::mt19937 random(20240601u);
    constexpr int kRounds = 12;
    int leftoverRounds = 0;
    std::set<std::string> leftovers;
    for (int round = 1; round <= kRounds; ++round) {
        const std::string argument = std::to_string(round) + "|" + path;
        // Let the writer finish one to four whole versions, then kill it at
        // a random moment of the versions after them.
        const int versions = std::uniform_int_distribution<int>(1, 4)(random);
#ifdef _WIN32
        const std::string eventName =
            "pastimo-killed-writer-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(round);
        HANDLE written = CreateEventA(nullptr, FALSE, FALSE, eventName.c_str());
        ASSERT_NE(written, nullptr);
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string commandLine = std::string("\"") + exe + "\" --gtest_filter=FaultKill.Writer";
        SetEnvironmentVariableA(kWriterVariable, argument.c_str());
        SetEnvironmentVariableA(kWriterEventVariable, eventName.c_str());
        // The writer's own test report is of no interest: it goes to NUL.
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE nul =
            CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nul;
        startup.hStdOutput = nul;
        startup.hStdError = nul;
        PROCESS_INFORMATION child{};
        const BOOL started =
            CreateProcessA(exe, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child);
        CloseHandle(nul);
        SetEnvironmentVariableA(kWriterVariable, nullptr);
        SetEnvironmentVariableA(kWriterEventVariable, nullptr);
        ASSERT_TRUE(started) << GetLastError();
        for (int i = 0; i < versions; ++i) {
            const HANDLE waitFor[] = {written, child.hProcess};
            ASSERT_EQ(WaitForMultipleObjects(2, waitFor, FALSE, 60000), WAIT_OBJECT_0) << "the writer died";
        }
        Sleep(std::uniform_int_distribution<DWORD>(0, 40)(random));
        ASSERT_TRUE(TerminateProcess(child.hProcess, 9));
        WaitForSingleObject(child.hProcess, INFINITE);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        CloseHandle(written);
#else
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(ready[0]);
            WriteForever(argument, [&] {
                const char done = 'v';
                if (::write(ready[1], &done, 1) != 1) ::_exit(3);
            });
        }
        ::close(ready[1]);
        for (int i = 0; i < versions; ++i) {
            char done;
            ASSERT_EQ(::read(ready[0], &done, 1), 1) << "the writer died";
        }
        const timespec pause{0, std::uniform_int_distribution<long>(0, 6000000)(random)};
        ::nanosleep(&pause, nullptr);
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(ready[0]);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer ended by itself";
#endif
        const std::string bytes = ReadRaw(path);
        EXPECT_TRUE(IsWholeVersion(bytes))
            << "round " << round << ": " << bytes.size() << " bytes, beginning \"" << bytes.substr(0, 30) << "\"";
        EXPECT_EQ(bytes.find("round " + std::to_string(round) + " "), 0u) << "a version of this round";
        // The store reads it as that version's names and nothing else.
        LibraryStore store(folder.Path());
        EXPECT_EQ(LibraryStoreTestAccess::ReadNameList(store, path).Count(), 20001) << "round " << round;

        // A kill between making the temporary copy and moving it leaves the
        // copy. It never has the file's name, so nothing reads it as the
        // file, and the next writer makes a new one beside it.
        bool left = false;
        for (const std::string& entry : test::ListFolder(folder.Path())) {
            if (entry == name || !leftovers.insert(entry).second) continue;
            left = true;
            // Named so that the next start finds it and removes it.
            EXPECT_TRUE(IsTemporaryFileName(entry)) << "round " << round << ": " << entry;
        }
        if (left) ++leftoverRounds;
    }
    // After all that, one more ordinary replace works and reads back whole.
    ASSERT_TRUE(PlatformFileSystem().ReplaceWholeFile(path, Version(0, 0)));
    EXPECT_EQ(ReadRaw(path), Version(0, 0));
    std::printf("[ killed writer ] %d of %d kills left a temporary copy\n", leftoverRounds, kRounds);
}

}  // namespace
}  // namespace pastimo
