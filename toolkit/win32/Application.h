#pragma once
// The application object: the invisible application window that carries the
// taskbar entry and owns the main window, the title, the message loop, the
// minimise and restore operations with one hook slot each, and the error box
// that every failure escaping a handler ends in.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace pastimo {

class TForm;

class TApplication {
public:
    TApplication() = default;
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Creates the application window. Call once, before any form.
    void Initialize(HINSTANCE instance);

    HINSTANCE Instance() const { return instance_; }
    HWND Handle() const { return handle_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }

    // Read once when Run starts: whether the loop first shows the main form.
    bool ShowMainForm = true;

    // Runs the message loop until Terminate. Returns the exit code.
    int Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();

    // Minimise: iconify the application window (which hides the windows it
    // owns) and call the on-minimise hook. Restore: the reverse, then the
    // on-restore hook. Each does nothing when already in its target state.
    void Minimize();
    void Restore();
    // One slot each; whoever installs a handler replaces the previous one.
    std::function<void()> OnMinimize;
    std::function<void()> OnRestore;

    // The error box: the message (with a full stop added by the usual rule),
    // the title as caption, the error icon and one OK button.
    void HandleException(const std::exception& error);

    // Remembers the control that had the focus, so Restore can give it back.
    void RememberFocus(HWND control) { lastFocus_ = control; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool PreTranslate(MSG& msg);

    HINSTANCE instance_ = nullptr;
    HWND handle_ = nullptr;
    HWND lastFocus_ = nullptr;
    TForm* mainForm_ = nullptr;
    std::string title_;
    bool terminated_ = false;
};

// The one application object of the process.
extern TApplication* Application;

}  // namespace pastimo
