#pragma once
// The application object: the invisible application window that carries the
// taskbar entry and owns the main window, the title, the message loop, the
// minimise and restore operations with one hook slot each, and the error box
// that every failure escaping a handler ends in.

#include "toolkit/Component.h"
#include "toolkit/win32/Window.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace pastimo {

class TForm;

// It owns the forms created with it as owner (the main form among them) and
// destroys them on the way out, while its own window still exists.
class TApplication : public TComponent, public Window {
public:
    TApplication() : TComponent(nullptr) {}
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Creates the application window and makes the error box the place
    // where every window's failures go. Call once, before any form.
    void Initialize(HINSTANCE instance);

    HINSTANCE Instance() const noexcept { return FInstance; }

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title);

    TForm* MainForm() const noexcept { return FMainForm; }
    void SetMainForm(TForm* form) noexcept { FMainForm = form; }

    // Read once when Run starts: whether the loop first shows the main form.
    bool ShowMainForm = true;

    // Runs the message loop until Terminate, and then until the messages
    // already queued have been handled. Returns the exit code.
    int Run();
    void Terminate() noexcept;
    bool Terminated() const noexcept { return FTerminated; }
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

    // The error box (see toolkit/Errors.h): the message (with a full stop
    // added by the usual rule), the title as caption, the error icon and one
    // OK button. Every window's failures end here unless it says otherwise.
    void HandleException(const std::exception& error) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A main form that goes (File, Exit releases it) is no longer the main form.
    void ComponentNotification(TComponent* component, TOperation operation) override;

private:
    bool PreTranslate(MSG& msg);
    void DisableAnimation();
    void Dispatch(MSG& msg);

    HINSTANCE FInstance = nullptr;
    TForm* FMainForm = nullptr;  // not owned: a component of the application, cleared when it goes
    std::string FTitle;
    bool FTerminated = false;
    bool FAnimationDisabled = false;
};

// The one application object of the process.
extern TApplication* Application;

}  // namespace pastimo
