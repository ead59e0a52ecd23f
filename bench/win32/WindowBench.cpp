// Times pastimo.exe from outside, as an automation tool sees it:
//
//   window_bench startup pastimo|minimal RUNS [GROUPS]
//       CreateProcess until the main window answers the "Pastimo.Sync"
//       message, RUNS times, each in a fresh folder holding a launch counter
//       of 2 (so no first-run box) and, with GROUPS, a group list of that many
//       names. The first run of a fresh Wine session is the cold one.
//   window_bench pick RUNS [nocapture] [shown]
//       In one running pastimo.exe: select a group, then pick its 32 KiB item
//       RUNS times (select + selection notice, then Sync), next to a bare Sync,
//       a pick of a one-byte item and one of a 32 KiB item of CJK and emoji
//       lines; "nocapture" turns the clipboard capture off in OPTION1.INI
//       first; "shown" brings the window up first (as the hotkey does) and
//       also times each pick until the window has painted it.
//   window_bench type RUNS
//       In one running pastimo.exe, its window shown: pick the 32 KiB CJK item,
//       click into its field and type RUNS letters, each followed by a
//       Backspace, as posted key presses (the program's own message loop
//       translates them), each timed to the Sync answer after its character
//       and to painted; then the same in a field holding the 32 KiB ASCII
//       item.
//   window_bench quickpick RUNS
//       In one running pastimo.exe with 100 groups of 100 items: the quick-pick
//       hotkey's message until its window is up with every row listed, RUNS
//       times (the first reads every list, the later ones nothing changed).
//
// Run it through bench/win32/run-window-bench.sh, which gives each program a
// cold start in a fresh Wine session.

#include "bench/win32/BenchClock.h"
#include "bench/win32/BenchItems.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kSyncName[] = "Pastimo.Sync";

struct Target {
    const char* exe;  // as built
    const char* className;
    const char* caption;
};
// PASTIMO_BENCH_EXE, when set, names another pastimo.exe (a Unix path) to
// time, for instance an earlier build beside this one under the same load.
const char* PastimoExe() {
    const char* other = std::getenv("PASTIMO_BENCH_EXE");
    return other && *other ? other : PASTIMO_EXE;
}
const Target kPastimo{PastimoExe(), "TForm1", "Varnel Pastimo"};
const Target kMinimal{MINIMAL_EXE, "PastimoMinimalWindow", "Minimal Window"};

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "window_bench: %s (error %lu)\n", what.c_str(), GetLastError());
    std::exit(1);
}

std::string WindowsPath(const char* unixPath) {
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("CreateFile " + path);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) Fail("WriteFile " + path);
    CloseHandle(file);
}

void DeleteTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// A fresh folder with the program copied in and a launch counter of 2.
class Folder {
public:
    explicit Folder(const Target& target) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        static int counter = 0;
        for (;;) {
            FPath = std::string(temp) + "pastimo-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(++counter) + "\\";
            if (CreateDirectoryA(FPath.c_str(), nullptr)) break;
            if (GetLastError() != ERROR_ALREADY_EXISTS) Fail("CreateDirectory " + FPath);
        }
        FExe = FPath + "program.exe";
        if (!CopyFileA(WindowsPath(target.exe).c_str(), FExe.c_str(), FALSE)) Fail("CopyFile " + FExe);
        WriteBytes(FPath + "LAUNCHES.DAT", "2\r\n");
    }
    ~Folder() { DeleteTree(FPath); }
    const std::string& Path() const { return FPath; }
    const std::string& Exe() const { return FExe; }

    void MakeFolder(const std::string& relative) const {
        if (!CreateDirectoryA((FPath + relative).c_str(), nullptr)) Fail("CreateDirectory " + relative);
    }
    void Write(const std::string& relative, const std::string& bytes) const { WriteBytes(FPath + relative, bytes); }

private:
    std::string FPath, FExe;
};

UINT SyncMessage() {
    static const UINT message = RegisterWindowMessageA(kSyncName);
    return message;
}

// Posts the sync message and waits until the window has handled it: then
// everything posted to it before has been handled too.
void Sync(HWND window, bool spin) {
    static LPARAM mark = 0;
    const LPARAM expected = ++mark;
    if (!PostMessageA(window, SyncMessage(), 0, expected)) Fail("PostMessage sync");
    const double start = Now();
    while (reinterpret_cast<LPARAM>(GetPropA(window, kSyncName)) != expected) {
        if (Now() - start > 30000) Fail("no answer to the sync message");
        if (spin)
            SwitchToThread();
        else
            Sleep(1);
    }
}

class Running {
public:
    Running(const Target& target, const Folder& folder) : FTarget(target) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string commandLine = "\"" + folder.Exe() + "\"";
        FStart = Now();
        if (!CreateProcessA(folder.Exe().c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            folder.Path().c_str(), &startup, &FInfo))
            Fail("CreateProcess " + folder.Exe());
    }
    ~Running() {
        if (FWindow) PostMessageA(FWindow, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(FInfo.hProcess, 10000) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "window_bench: the program did not end; terminated\n");
            TerminateProcess(FInfo.hProcess, 1);
            WaitForSingleObject(FInfo.hProcess, 5000);
        }
        CloseHandle(FInfo.hThread);
        CloseHandle(FInfo.hProcess);
    }

    // Milliseconds from CreateProcess until the message loop is idle.
    double WaitUntilIdle() {
        for (;;) {
            HWND candidate = nullptr;
            while ((candidate = FindWindowExA(nullptr, candidate, FTarget.className, FTarget.caption))) {
                DWORD pid = 0;
                GetWindowThreadProcessId(candidate, &pid);
                if (pid == FInfo.dwProcessId) FWindow = candidate;
            }
            if (FWindow) break;
            if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_OBJECT_0) Fail("the program ended at start-up");
            if (Now() - FStart > 30000) Fail("no main window");
            Sleep(1);
        }
        Sync(FWindow, false);
        return Now() - FStart;
    }
    HWND Window() const { return FWindow; }

private:
    const Target& FTarget;
    PROCESS_INFORMATION FInfo{};
    double FStart = 0;
    HWND FWindow = nullptr;
};

struct Stats {
    double median, min, max;
};

Stats Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {median, samples.front(), samples.back()};
}

void Print(const char* label, const std::vector<double>& samples) {
    const Stats s = Summarise(samples);
    std::printf("%-40s median %9.3f ms  min %9.3f  max %9.3f  (%zu runs)\n", label, s.median, s.min, s.max,
                samples.size());
}

// Names like a user's: 6 to 24 letters and spaces, fixed seed.
std::string GroupList(int count) {
    std::string text;
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int i = 0; i < count; ++i) {
        const unsigned length = 6 + next() % 19;
        std::string name;
        for (unsigned j = 0; j < length; ++j) {
            const unsigned r = next() % 60;
            name += r < 26 ? static_cast<char>('a' + r) : r < 52 ? static_cast<char>('A' + r - 26) : ' ';
        }
        name[0] = 'G';
        name.back() = 'x';  // no trailing space
        text += name + "\r\n";
    }
    return text;
}

struct ChildSearch {
    const char* className;
    int width, height;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    RECT rect;
    GetWindowRect(window, &rect);
    if (_stricmp(name, search->className) == 0 && rect.right - rect.left == search->width &&
        rect.bottom - rect.top == search->height) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND Control(HWND main, const char* className, int width, int height) {
    ChildSearch search{className, width, height, nullptr};
    EnumChildWindows(main, FindChild, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Fail(std::string("no control ") + className);
    return search.found;
}

int Startup(const Target& target, int runs, int groups) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        Folder folder(target);
        if (groups > 0) {
            folder.MakeFolder("data");
            folder.Write("data\\categories.dat", GroupList(groups));
        }
        Running program(target, folder);
        samples.push_back(program.WaitUntilIdle());
        if (&target == &kPastimo &&
            SendMessageA(Control(program.Window(), "ListBox", 159, 145), LB_GETCOUNT, 0, 0) != groups)
            Fail("the group list is not filled");
    }
    std::printf("%s, %d groups\n", target.exe, groups);
    std::printf("%-40s %9.3f ms\n", "cold (first run)", samples.front());
    if (samples.size() > 1) Print("warm (the other runs)", std::vector<double>(samples.begin() + 1, samples.end()));
    return 0;
}

// As the user's click does: the selection, then the list's notice to its parent.
void Select(HWND list, int index) {
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// Waits until the window has painted everything invalid in it: its paint
// messages are sent to it now, and each is answered once handled.
void UntilPainted(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// A library of one group, "g", holding "big" (32 KiB of ASCII), "cjk" (32 KiB
// of CJK and emoji lines) and "small" (one byte): listed in that order.
void WriteItems(const Folder& folder) {
    folder.MakeFolder("data");
    folder.MakeFolder("data\\g");
    folder.Write("data\\categories.dat", "g\r\n");
    folder.Write("data\\g\\g.dat", "big\r\ncjk\r\nsmall\r\n");
    folder.Write("data\\g\\big.itm", AsciiItemText());
    // UTF-8 after the byte-order mark, as the program writes such a text.
    folder.Write("data\\g\\cjk.itm", "\xEF\xBB\xBF" + CjkItemText());
    folder.Write("data\\g\\small.itm", "s");
}
enum ItemRow { kBig, kCjk, kSmall };

// The running program with its window brought up as its hotkey (the first
// registered, number 1) brings it, when `shown`.
struct Page {
    HWND main, groups, items, text;
};
Page OpenPage(Running& program, bool shown) {
    std::printf("start-up to idle: %.3f ms\n", program.WaitUntilIdle());
    const HWND main = program.Window();
    Page page{main, Control(main, "ListBox", 159, 145), Control(main, "ListBox", 165, 145),
              Control(main, "Edit", 463, 65)};
    if (shown) {
        PostMessageA(main, WM_HOTKEY, 1, 0);
        Sync(main, false);
        UntilPainted(main);
        if (!IsWindowVisible(main)) Fail("the window did not come up");
    }
    Select(page.groups, 0);
    Sync(main, true);
    if (SendMessageA(page.items, LB_GETCOUNT, 0, 0) != 3) Fail("the group's items are not listed");
    return page;
}

void CheckLength(HWND field, int units, const char* what) {
    if (SendMessageW(field, WM_GETTEXTLENGTH, 0, 0) != units) Fail(std::string("the field does not hold ") + what);
}

int Pick(int runs, bool capture, bool shown) {
    Folder folder(kPastimo);
    WriteItems(folder);
    // Capture off: the pick alone, without recording its own copy.
    if (!capture) folder.Write("OPTION1.INI", "[CLIP]\r\nAUTO=0\r\n");
    std::printf("%s, clipboard capture %s, window %s\n", kPastimo.exe, capture ? "on" : "off",
                shown ? "shown" : "hidden");

    Running program(kPastimo, folder);
    const Page page = OpenPage(program, shown);

    std::vector<double> bare, pick[3], painted[3];
    auto timePick = [&](int row, int units, const char* what, bool check) {
        const double start = Now();
        Select(page.items, row);
        Sync(page.main, true);
        pick[row].push_back(Now() - start);
        if (shown) {
            UntilPainted(page.main);
            painted[row].push_back(Now() - start);
        }
        if (check) CheckLength(page.text, units, what);
    };
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        Sync(page.main, true);
        bare.push_back(Now() - start);
        timePick(kBig, kAsciiItemUnits, "the 32 KiB item's text", i == 0);
        timePick(kSmall, 1, "the small item's text", i == 0);
        timePick(kCjk, kCjkItemUnits, "the CJK item's text", i == 0);
        timePick(kSmall, 1, "the small item's text", false);
    }
    Print("bare sync round trip", bare);
    Print("pick the 32 KiB item, to sync", pick[kBig]);
    Print("pick a 1-byte item, to sync", pick[kSmall]);
    Print("pick the 32 KiB CJK item, to sync", pick[kCjk]);
    std::printf("%-40s median %9.3f ms\n", "pick 32 KiB, less the 1-byte pick",
                Summarise(pick[kBig]).median - Summarise(pick[kSmall]).median);
    if (shown) {
        Print("pick the 32 KiB item, to painted", painted[kBig]);
        Print("pick a 1-byte item, to painted", painted[kSmall]);
        Print("pick the 32 KiB CJK item, to painted", painted[kCjk]);
    }
    return 0;
}

// A key pressed and let go, posted as the system posts it to the window with
// the focus.
void PostKey(HWND target, WORD key) {
    const UINT scan = MapVirtualKeyA(key, 0 /* MAPVK_VK_TO_VSC */);
    PostMessageA(target, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (1u << 30) | (1u << 31)));
}

int Type(int runs) {
    Folder folder(kPastimo);
    WriteItems(folder);
    std::printf("%s, window shown\n", kPastimo.exe);
    Running program(kPastimo, folder);
    const Page page = OpenPage(program, true);
    for (const int row : {kCjk, kBig}) {
        const int units = row == kCjk ? kCjkItemUnits : kAsciiItemUnits;
        Select(page.items, row);
        Sync(page.main, false);
        CheckLength(page.text, units, "the item's text");
        // A click near the field's top left: the focus, and the caret before
        // the first character.
        PostMessageA(page.text, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageA(page.text, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        Sync(page.main, false);
        UntilPainted(page.main);
        std::vector<double> letter, back, letterPainted, backPainted;
        auto timeKey = [&](WORD key, std::vector<double>& toSync, std::vector<double>& toPainted) {
            const double start = Now();
            PostKey(page.text, key);
            // The program posts the key's character when it translates the
            // key, after the first sync message: a second one follows it.
            Sync(page.main, true);
            Sync(page.main, true);
            toSync.push_back(Now() - start);
            UntilPainted(page.main);
            toPainted.push_back(Now() - start);
        };
        for (int i = 0; i < runs; ++i) {
            timeKey('A', letter, letterPainted);
            if (i == 0) CheckLength(page.text, units + 1, "the typed letter");
            timeKey(VK_BACK, back, backPainted);
        }
        CheckLength(page.text, units, "the item's text after as many Backspaces as letters");
        std::printf("typing into the field holding the 32 KiB %s item\n", row == kCjk ? "CJK" : "ASCII");
        Print("  a letter, to sync", letter);
        Print("  a letter, to painted", letterPainted);
        Print("  Backspace, to sync", back);
        Print("  Backspace, to painted", backPainted);
    }
    return 0;
}

// The quick-pick window over a library of 100 groups of 100 items: from the
// hotkey until the window is up with every row in its list. The program's
// hotkeys are numbered as they are registered: the window's (1), then the
// quick pick's (2); the hotkey's message is posted as Windows would.
int QuickPick(int runs) {
    constexpr int kGroups = 100, kItemsPerGroup = 100;
    Folder folder(kPastimo);
    folder.MakeFolder("data");
    std::string groups;
    for (int g = 0; g < kGroups; ++g) {
        const std::string group = "group " + std::to_string(1000 + g);
        groups += group + "\r\n";
        folder.MakeFolder("data\\" + group);
        std::string items;
        for (int i = 0; i < kItemsPerGroup; ++i)
            items += "item " + std::to_string(10000 + g * kItemsPerGroup + i) + "\r\n";
        folder.Write("data\\" + group + "\\" + group + ".dat", items);
    }
    folder.Write("data\\categories.dat", groups);

    Running program(kPastimo, folder);
    std::printf("start-up to idle: %.3f ms\n", program.WaitUntilIdle());
    const HWND main = program.Window();
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        PostMessageA(main, WM_HOTKEY, 2, 0);
        HWND window = nullptr, list = nullptr;
        for (;;) {
            if (!window) window = FindWindowA("TFormQuickPick", nullptr);
            if (window && !list) list = FindWindowExA(window, nullptr, "SysListView32", nullptr);
            if (list && IsWindowVisible(window) &&
                SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) >= kGroups * kItemsPerGroup)
                break;
            if (Now() - start > 30000) Fail("no quick-pick window with every item");
            SwitchToThread();
        }
        samples.push_back(Now() - start);
        PostMessageA(window, WM_CLOSE, 0, 0);
        while (IsWindow(window)) {
            if (Now() - start > 60000) Fail("the quick-pick window did not close");
            Sleep(1);
        }
        Sync(main, false);
    }
    std::printf("quick pick, %d items in %d groups\n", kGroups * kItemsPerGroup, kGroups);
    std::printf("%-40s %9.3f ms\n", "hotkey to filled, first (reads the lists)", samples.front());
    if (samples.size() > 1)
        Print("hotkey to filled, later (nothing changed)", std::vector<double>(samples.begin() + 1, samples.end()));
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: window_bench startup pastimo|minimal RUNS [GROUPS]\n"
                         "       window_bench pick RUNS [nocapture] [shown]\n"
                         "       window_bench type RUNS\n"
                         "       window_bench quickpick RUNS\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "startup") == 0) {
        const Target& target = std::strcmp(argv[2], "minimal") == 0 ? kMinimal : kPastimo;
        return Startup(target, std::max(1, std::atoi(argv[3])), argc >= 5 ? std::atoi(argv[4]) : 0);
    }
    if (argc >= 3 && std::strcmp(argv[1], "quickpick") == 0) return QuickPick(std::max(1, std::atoi(argv[2])));
    if (argc >= 3 && std::strcmp(argv[1], "pick") == 0) {
        bool capture = true, shown = false;
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], "nocapture") == 0)
                capture = false;
            else if (std::strcmp(argv[i], "shown") == 0)
                shown = true;
            else
                return Usage();
        }
        return Pick(std::max(1, std::atoi(argv[2])), capture, shown);
    }
    if (argc >= 3 && std::strcmp(argv[1], "type") == 0) return Type(std::max(1, std::atoi(argv[2])));
    return Usage();
}
