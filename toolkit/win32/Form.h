#pragma once
// A form: a top-level window of the program, made with its controls from a
// stored layout. It routes its controls' notifications to their wrappers,
// shows their hints, runs dialog navigation for its controls, and can be
// shown modally.

#include "toolkit/Component.h"
#include "toolkit/Layout.h"
#include "toolkit/win32/ToolTip.h"
#include "toolkit/win32/Window.h"

#include <windows.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pastimo {

class TControl;

// Which wrapper a row of the layout is made into; rows without one get a
// wrapper of their kind that the form keeps.
struct ControlBinding {
    int id;
    TControl& control;
};

class TForm : public TComponent, public Window {
public:
    // What a form's window is, beyond what its layout says.
    struct CreateArgs {
        const wchar_t* className = L"TForm";  // not owned: static text
        DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        DWORD exStyle = WS_EX_CONTROLPARENT;
        HWND owner = nullptr;
        HMENU menu = nullptr;
        const wchar_t* iconName = nullptr;  // not owned: static text; an icon resource of the program
    };

    explicit TForm(TComponent* owner);
    ~TForm() override;

    bool IsForm() const override { return true; }
    static TForm* FromHandle(HWND hwnd);
    // The form's own font, the layout's first.
    HFONT Font() const { return FFonts.empty() ? nullptr : FFonts.front(); }
    // The resolution the form is laid out for.
    int Dpi() const { return FDpi; }
    // The program icon of `name` in the size the system shows at the form's
    // DPI: large (SM_CXICON) or small (SM_CXSMICON). The caller destroys it.
    HICON LoadIconForDpi(const wchar_t* name, int sizeMetric = SM_CXICON) const;

    void Show();
    void Hide();
    bool Visible() const { return Handle() && IsWindowVisible(Handle()); }
    // Closes the form: a modal one ends its loop, the main form ends the program.
    void Close();
    // Destroys the window and the form once the current message has been handled.
    void Release();
    // Shows the form modally: the other windows of the program take no input
    // until the form is closed. Returns the modal result.
    int ShowModal();
    int ModalResult = 0;

    // Controls register themselves so that notifications reach them.
    void RegisterControl(TControl* control);
    void UnregisterControl(TControl* control);
    // Keeps a control no member of the form stands for (a label, a frame).
    void Adopt(std::unique_ptr<TControl> control);
    // Made from the layout: laid out again when the resolution changes.
    void LaidOut(TControl* control) { FLaidOut.push_back(control); }
    HFONT LayoutFont(size_t index) const { return index < FFonts.size() ? FFonts[index] : Font(); }
    // The layout's font `index` in a face of wide coverage (made when first asked for).
    HFONT WideFont(size_t index);
    void AddHint(HWND control, const std::string& hint) { FHints.Add(control, hint); }

    // The control that gets the focus when the form is activated: the one
    // that last had it, at first the given one (or the first tab stop).
    void SetActiveControl(HWND control);
    HWND ActiveControl() const { return FActiveControl; }
    void RememberActiveControl();
    void FocusActiveControl();

    // As in a dialog: a push button with the focus looks like the default
    // button and Enter presses it; when the focus leaves push buttons, the
    // form's default (DM_GETDEFID) does again. `button` nullptr: none looks so.
    void ShowDefaultButton(HWND button);
    HWND DefaultButton();

    // Keyboard navigation for this form; true when the message was used.
    virtual bool PreTranslateMessage(MSG& msg);
    // WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* from any window inside the form,
    // to the control they concern; `handled` false when none.
    LRESULT RouteChildMessage(HWND from, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

protected:
    // Makes the window with the layout's caption, client size, colour and
    // fonts, then every control of its table.
    void CreateFromLayout(const CreateArgs& args, const FormLayout& layout,
                          std::initializer_list<ControlBinding> bindings);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Called for WM_CLOSE; the default hides a modal form or ends the program.
    virtual void DoClose();
    virtual void DoDestroy() {}
    // After the fonts, icons and controls have followed a change of DPI.
    virtual void DpiChanged() {}

private:
    static constexpr UINT kReleaseMessage = WM_APP + 1;
    void NextControl(WPARAM wParam, LPARAM lParam);
    // Makes the first control of the table's tab order the one focused first.
    void FocusFirstInTabOrder(const FormLayout& layout);
    // The layout's fonts for the form's DPI.
    std::vector<HFONT> MakeFonts() const;
    void SetIcons();
    // WM_DPICHANGED: fonts, icons and every control for the new DPI, and the
    // window where the system suggests.
    void ChangeDpi(int dpi, const RECT& suggested);

    const FormLayout* FLayout = nullptr;  // not owned: a static layout table
    const wchar_t* FIconName = nullptr;   // not owned: static text
    int FDpi = kDesignDpi;
    std::vector<HFONT> FFonts;
    std::vector<HFONT> FWideFonts;    // null until asked for
    HICON FIcon = nullptr;            // the title bar's, at the form's DPI
    std::vector<TControl*> FLaidOut;  // not owned: the form's members or FAdopted
    HBRUSH FBackgroundBrush = nullptr;
    TToolTip FHints;
    bool FModal = false;
    // Set by Release: the release message is honoured only then, not from
    // whoever else posts that number.
    bool FReleaseRequested = false;
    HWND FActiveControl = nullptr;
    std::map<HWND, TControl*> FControls;  // not owned: the form's members or FAdopted
    std::vector<std::unique_ptr<TControl>> FAdopted;
};

}  // namespace pastimo
