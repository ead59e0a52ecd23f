// The running program under load: a library of 10,000 groups and a group of
// 10,000 items, and a burst of 1,000 clipboard changes. Nothing is timed; the
// waits are only generous deadlines.

#include "tests/e2e/Fixture.h"
#include "tests/e2e/MyGroupsPage.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace e2e {
namespace {

constexpr int kGroups = 10000;
constexpr int kItems = 10000;
constexpr int kBigGroup = 5000;  // its position in the sorted group list

std::string Numbered(const char* prefix, int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%05d", prefix, n);
    return name;
}

// A name list file of the given names in a shuffled order: the program has
// to sort them itself.
std::string ShuffledList(std::vector<std::string> names) {
    std::shuffle(names.begin(), names.end(), std::mt19937(7));
    std::string bytes;
    for (const std::string& name : names) bytes += name + "\r\n";
    return bytes;
}

struct Memory {
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
};

Memory MemoryOf(DWORD processId) {
    Memory memory;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return memory;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        memory.privateBytes = counters.PrivateUsage;
        memory.workingSet = counters.WorkingSetSize;
    }
    CloseHandle(process);
    return memory;
}

class Load : public ProgramTest {
protected:
    bool Answers() {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(FProgram->MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 60000, &result) != 0;
    }
};

TEST_F(Load, TenThousandGroupsAndTenThousandItemsAreListedInOrder) {
    std::vector<std::string> groups, items;
    for (int i = 0; i < kGroups; ++i) groups.push_back(Numbered("Group ", i));
    for (int i = 0; i < kItems; ++i) items.push_back(Numbered("item ", i));
    const std::string big = groups[kBigGroup];
    ASSERT_TRUE(CreateDirectoryA(FFolder.File("data").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(Data(big).c_str(), nullptr));
    WriteFileBytes(Data("categories.dat"), ShuffledList(groups));
    WriteFileBytes(Data(big + "\\" + big + ".dat"), ShuffledList(items));
    WriteFileBytes(Data(big + "\\item 09999.itm"), "the last one");

    StartHidden();
    MyGroupsPage page(*FProgram);
    ASSERT_TRUE(page.AllFound());
    EXPECT_EQ(Program::Rows(page.groups), groups);
    ASSERT_TRUE(Answers());
    const Memory loaded = MemoryOf(FProgram->ProcessId());

    FProgram->Select(page.groups, kBigGroup);
    EXPECT_EQ(Program::Rows(page.items), items);
    ASSERT_TRUE(Answers());
    const Memory both = MemoryOf(FProgram->ProcessId());
    std::printf("[ memory ] working set with 10,000 groups %.2f MiB, with 10,000 items too %.2f MiB\n",
                loaded.workingSet / 1048576.0, both.workingSet / 1048576.0);

    FProgram->Select(page.items, kItems - 1);
    EXPECT_EQ(Program::Text(page.itemName), "item 09999");
    EXPECT_EQ(Program::Text(page.itemText), "the last one");
    EXPECT_TRUE(Answers());
    EXPECT_TRUE(FProgram->Running());
}

// A clipboard viewer of the test's own, joined after the program and so
// first in the chain. The platform hands a notice to a viewer of the thread
// that closes the clipboard at once, and this one passes it on with
// SendMessage: every notice reaches the program before the next change.
class ChainHead {
public:
    ChainHead() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &ChainHead::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PastimoLoadTestViewer";
        RegisterClassA(&wc);
        FHwnd = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        FNext = FHwnd ? SetClipboardViewer(FHwnd) : nullptr;
        PumpMessages();
    }
    ~ChainHead() {
        ChangeClipboardChain(FHwnd, FNext);
        DestroyWindow(FHwnd);
    }
    bool Joined() const { return FHwnd && FNext; }

private:
    static HWND FNext;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DRAWCLIPBOARD) {
            if (FNext) SendMessageA(FNext, message, wParam, lParam);
            return 0;
        }
        if (message == WM_CHANGECBCHAIN) {
            if (reinterpret_cast<HWND>(wParam) == FNext)
                FNext = reinterpret_cast<HWND>(lParam);
            else if (FNext)
                SendMessageA(FNext, message, wParam, lParam);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND FHwnd = nullptr;
};
HWND ChainHead::FNext = nullptr;

class Burst : public Load {
protected:
    void Start() {
        StartHidden();
        FRecent = FProgram->Control("ListBox", 431, 80);
        ASSERT_NE(FRecent, nullptr);
    }
    // Copies count texts as fast as this process can, handling its own
    // messages between them but never waiting for the program.
    void Copy(const char* prefix, int count) {
        for (int i = 0; i < count; ++i) {
            SetClipboardText(Numbered(prefix, i));
            PumpMessages();
        }
        FProgram->Sync();
    }
    static std::vector<std::string> LastFive(const char* prefix, int count) {
        std::vector<std::string> rows;
        for (int i = count - 1; i >= count - 5; --i) rows.push_back(Numbered(prefix, i));
        return rows;
    }
    std::vector<std::string> Rows() const { return Program::Rows(FRecent); }

    HWND FRecent = nullptr;
};

// The program reads the clipboard when it handles a notice; a notice that
// comes late finds a later text already there. So without waiting for the
// program some texts of a burst are never seen, but what is recorded is in
// the order of copying, each change once, and the last text is the newest.
TEST_F(Burst, AFreeRunningBurstEndsWithTheLastTextAndKeepsTheOrder) {
    Start();
    Copy("burst ", 1000);
    EXPECT_TRUE(WaitUntil([&] { return !Rows().empty() && Rows().front() == "burst 00999"; }, 60000))
        << ::testing::PrintToString(Rows());
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 5u);
    for (size_t i = 1; i < rows.size(); ++i) {
        EXPECT_GT(rows[i - 1], rows[i]) << "newest first, each change once: " << ::testing::PrintToString(rows);
        EXPECT_EQ(rows[i].rfind("burst ", 0), 0u) << rows[i];
    }
    std::printf("[ free-running burst ] recent list: %s\n", ::testing::PrintToString(rows).c_str());
    EXPECT_TRUE(Answers());
    EXPECT_TRUE(FProgram->Running());
}

// With every notice delivered before the next change, nothing is lost or
// reordered, and 1,000 captures leave the program's memory where it was.
TEST_F(Burst, ABurstWhoseNoticesArriveInTimeKeepsTheLastFiveAndNoMemory) {
    Start();
    ChainHead head;
    ASSERT_TRUE(head.Joined());
    // A first burst lets every lazy allocation happen before measuring.
    Copy("warm-up ", 100);
    ASSERT_EQ(Rows(), LastFive("warm-up ", 100));
    const Memory before = MemoryOf(FProgram->ProcessId());
    ASSERT_NE(before.workingSet, 0u);

    Copy("burst ", 1000);
    EXPECT_EQ(Rows(), LastFive("burst ", 1000));
    ASSERT_TRUE(Answers());
    EXPECT_TRUE(FProgram->Running());

    const Memory after = MemoryOf(FProgram->ProcessId());
    const double privateGrowth = (static_cast<double>(after.privateBytes) - before.privateBytes) / 1048576.0;
    const double workingSetGrowth = (static_cast<double>(after.workingSet) - before.workingSet) / 1048576.0;
    std::printf("[ memory ] private %.2f -> %.2f MiB (%+.2f), working set %.2f -> %.2f MiB (%+.2f)\n",
                before.privateBytes / 1048576.0, after.privateBytes / 1048576.0, privateGrowth,
                before.workingSet / 1048576.0, after.workingSet / 1048576.0, workingSetGrowth);
    // Wine fills PrivateUsage with the process's swap use (0 here); the
    // working set is its resident size.
    if (before.privateBytes != 0) {
        EXPECT_LT(privateGrowth, 5.0);
    }
    EXPECT_LT(workingSetGrowth, 5.0);
}

}  // namespace
}  // namespace e2e
