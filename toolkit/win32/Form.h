#pragma once
// A form: a top-level window of the program with its controls. Binds `this`
// at WM_NCCREATE, routes control notifications to the control wrappers, catches
// every exception at the window procedure and hands it to the application's
// error box, and sends everything unhandled to DefWindowProc.

#include <windows.h>

#include <map>
#include <string>

#include "toolkit/Component.h"

namespace pastimo {

class TControl;

class TForm : public TComponent {
public:
    struct CreateArgs {
        const char* className = "TForm";
        std::string caption;
        int clientWidth = 0;
        int clientHeight = 0;
        DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        DWORD exStyle = WS_EX_CONTROLPARENT;
        HWND owner = nullptr;
        HMENU menu = nullptr;
        HICON icon = nullptr;
        HFONT font = nullptr;       // the form's font, owned by the form
        COLORREF background = CLR_INVALID;  // CLR_INVALID: the button face colour
    };

    explicit TForm(TComponent* owner);
    ~TForm() override;

    bool IsForm() const override { return true; }
    HWND Handle() const { return hwnd_; }
    HFONT Font() const { return font_; }
    static TForm* FromHandle(HWND hwnd);

    void Show();
    void Hide();
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    // Puts the window in the middle of the screen.
    void CenterOnScreen();
    // Closes the form: a modal one ends its loop, the main form ends the program.
    void Close();
    // Destroys the window once the current message has been handled.
    void Release();
    // Shows the form modally: the other windows of the program take no input
    // until the form is closed. Returns the modal result.
    int ShowModal();
    int ModalResult = 0;

    // Controls register themselves so that notifications reach them.
    void RegisterControl(TControl* control);
    void UnregisterControl(TControl* control);
    // Shows `hint` as the tooltip of `control`.
    void AddHint(HWND control, const char* hint);

    // Keyboard navigation for this form; true when the message was used.
    virtual bool PreTranslateMessage(MSG& msg);

protected:
    void CreateHandle(const CreateArgs& args);
    virtual LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Called for WM_CLOSE; the default hides a modal form or ends the program.
    virtual void DoClose();
    virtual void DoDestroy() {}
    // Routes WM_COMMAND, WM_CTLCOLOR* from any window inside the form.
    LRESULT RouteChildMessage(HWND from, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    friend LRESULT CALLBACK ContainerProc(HWND, UINT, WPARAM, LPARAM);

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HBRUSH backgroundBrush_ = nullptr;
    HWND tooltip_ = nullptr;
    bool modal_ = false;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    std::map<HWND, TControl*> controls_;
    static constexpr UINT kReleaseMessage = WM_APP + 1;
};

// The class of the plain child windows that hold controls (tab pages, panels):
// they pass every control notification up to their form.
const char* ContainerClassName();
void RegisterContainerClass(HINSTANCE instance);

}  // namespace pastimo
