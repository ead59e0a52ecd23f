#pragma once
// Fakes of everything the tray icon talks to: the shell (records every record
// it is sent), the window manager (a posted-message queue the test delivers,
// cursor, keys, windows, icons that remember their image), and the application.
// They record; the tests decide what is right.

#include "tests/tray/FakeTime.h"
#include "toolkit/Errors.h"
#include "toolkit/WindowsNumbers.h"
#include "tray/VXTray95.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace pastimo::test {

struct ShellCall {
    uint32_t message;
    NotifyIconRecord record;
};

class FakeShell : public TrayShell {
public:
    bool NotifyIcon(uint32_t message, const NotifyIconRecord& record) override {
        calls.push_back({message, record});
        return answer;
    }
    // UTF-8 stands for the code page here: cut between characters.
    std::string TipText(const std::string& hint, size_t capacity) override {
        size_t end = std::min(hint.size(), capacity);
        while (end > 0 && end < hint.size() && (static_cast<unsigned char>(hint[end]) & 0xC0) == 0x80) --end;
        return hint.substr(0, end);
    }
    std::vector<ShellCall> calls;
    bool answer = true;
};

struct PostedMessage {
    THandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

class FakeApp;

class FakePlatform : public TrayPlatform {
public:
    static constexpr THandle kHiddenWindow = 0x5000;
    static constexpr THandle kDesktop = 0x10;
    static constexpr uint32_t kTaskbarCreated = 0xC0DE;

    FakePlatform(FakeTime& time, std::vector<std::string>& log) : FTime(time), FLog(log) {}

    // Icons: each handle remembers the image it shows.
    THandle NewIcon(const std::string& image) {
        const THandle h = FNextIcon++;
        live[h] = image;
        return h;
    }
    std::string Image(THandle handle) const {
        auto it = live.find(handle);
        return it == live.end() ? std::string() : it->second;
    }
    THandle CopyIcon(THandle icon) override { return NewIcon(Image(icon)); }
    void DestroyIcon(THandle icon) override {
        if (!live.erase(icon)) ++badDestroys;
    }
    THandle LoadIconFile(const std::string& path) override {
        auto it = files.find(path);
        if (it == files.end()) throw EFOpenError(path);
        if (it->second.empty()) throw Exception("Icon image is not valid");
        return NewIcon(it->second);
    }
    THandle LoadIconResource(const std::string& name) override {
        auto it = resources.find(name);
        return it == resources.end() ? 0 : NewIcon(it->second);
    }

    THandle CreateHiddenWindow(TVXTrayIconMsgWindow& target) override {
        ++windowsCreated;
        this->target = &target;
        return kHiddenWindow;
    }
    void DestroyHiddenWindow(THandle window) override {
        if (window == kHiddenWindow) target = nullptr;
        ++windowsDestroyed;
    }
    uint32_t TaskbarCreatedMessage() override { return kTaskbarCreated; }
    std::unique_ptr<PlatformTimer> CreateTimer(std::function<void(const std::exception&)> report) override {
        ++timersCreated;
        return FTime.MakeTimer(std::move(report));
    }

    void Post(THandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        queue.push_back({window, message, wParam, lParam});
    }
    TPoint GetCursorPos() override { return cursor; }
    int16_t GetKeyState(int key) override { return keysDown.count(key) ? int16_t(-128) : int16_t(0); }
    void ShowWindow(THandle window, int command) override {
        FLog.push_back("ShowWindow " + std::to_string(window) + " " + std::to_string(command));
        if (command == 0) visible.erase(window);
        if (command == 9) {
            visible.insert(window);
            iconic.erase(window);
        }
    }
    bool IsIconic(THandle window) override { return iconic.count(window) > 0; }
    bool IsWindowVisible(THandle window) override { return visible.count(window) > 0; }
    void SetForegroundWindow(THandle window) override {
        FLog.push_back("SetForegroundWindow " + std::to_string(window));
    }
    THandle GetDesktopWindow() override { return kDesktop; }
    void LockWindowUpdate(THandle window) override { FLog.push_back("LockWindowUpdate " + std::to_string(window)); }
    uint32_t TrackPopupMenu(THandle menu, int32_t x, int32_t y, THandle owner) override {
        FLog.push_back("TrackPopupMenu " + std::to_string(menu) + " at " + std::to_string(x) + "," + std::to_string(y) +
                       " owner " + std::to_string(owner));
        return menuChoice;
    }

    // Sends a message to the hidden window as the platform would.
    TMessage Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0, bool* handled = nullptr) {
        TMessage m{message, wParam, lParam, 0};
        const bool h = target->WndProc(m);
        if (handled) *handled = h;
        return m;
    }
    void Mouse(int32_t mouseMessage) { Send(WM_TRAYICONCALLBACK, kTrayIconId, mouseMessage); }

    // Runs the queue until it is empty; messages for a destroyed window vanish.
    int DeliverPosted() {
        int delivered = 0;
        while (!queue.empty()) {
            PostedMessage m = queue.front();
            queue.pop_front();
            if (m.window == kHiddenWindow && target) {
                TMessage msg{m.message, m.wParam, m.lParam, 0};
                target->WndProc(msg);
                ++delivered;
            } else if (m.window != kHiddenWindow) {
                otherPosts.push_back(m);
            }
        }
        return delivered;
    }

    // The platform timers alive now.
    const std::vector<FakeTime::Timer*>& Timers() const { return FTime.Timers(); }
    int TimerStarts() const {
        int n = 0;
        for (auto* t : Timers()) n += t->starts;
        return n;
    }
    bool AnyTimerRunning() const {
        for (auto* t : Timers())
            if (t->running) return true;
        return false;
    }

    std::map<THandle, std::string> live;
    int badDestroys = 0;
    std::map<std::string, std::string> files;      // path -> image ("" = not an icon)
    std::map<std::string, std::string> resources;  // name -> image
    TVXTrayIconMsgWindow* target = nullptr;
    int windowsCreated = 0, windowsDestroyed = 0;
    int timersCreated = 0;
    std::deque<PostedMessage> queue;
    std::vector<PostedMessage> otherPosts;
    TPoint cursor{100, 200};
    std::set<int> keysDown;
    std::set<THandle> visible, iconic;
    uint32_t menuChoice = 0;

private:
    FakeTime& FTime;
    std::vector<std::string>& FLog;
    THandle FNextIcon = 0x1000;
};

class FakeApp : public TrayApplication {
public:
    static constexpr THandle kAppWindow = 0x100;
    static constexpr THandle kMainForm = 0x200;

    FakeApp(FakePlatform& platform, std::vector<std::string>& log) : FPlatform(platform), FLog(log) {
        FPlatform.visible.insert(kAppWindow);
    }
    THandle Handle() override { return kAppWindow; }
    void Minimize() override {
        FLog.push_back("Minimize");
        if (FPlatform.iconic.count(kAppWindow)) return;
        FPlatform.iconic.insert(kAppWindow);
        if (minimizeHook) minimizeHook();
    }
    void Restore() override {
        FLog.push_back("Restore");
        if (!FPlatform.iconic.count(kAppWindow)) return;
        FPlatform.iconic.erase(kAppWindow);
        if (restoreHook) restoreHook();
    }
    void SetMinimizeHook(std::function<void()> hook) override { minimizeHook = std::move(hook); }
    void SetRestoreHook(std::function<void()> hook) override { restoreHook = std::move(hook); }
    void ShowMainForm() override {
        FLog.push_back("ShowMainForm");
        FPlatform.visible.insert(kMainForm);
    }
    THandle MainFormHandle() override { return kMainForm; }
    void ProcessMessages() override {
        FLog.push_back("ProcessMessages");
        FPlatform.DeliverPosted();
    }
    void HandleException(const std::exception& failure) override { reported.push_back(failure.what()); }

    std::function<void()> minimizeHook, restoreHook;
    std::vector<std::string> reported;

private:
    FakePlatform& FPlatform;
    std::vector<std::string>& FLog;
};

struct TestForm : TComponent {
    TestForm() : TComponent(nullptr) {}
    bool IsForm() const override { return true; }
};

// The whole fake world of one test.
struct FakeWorld {
    FakeTime time;
    std::vector<std::string> log;
    FakeShell shell;
    FakePlatform platform{time, log};
    FakeApp app{platform, log};
    TrayEnvironment Env() { return TrayEnvironment{app, platform, shell, time}; }
};

}  // namespace pastimo::test
