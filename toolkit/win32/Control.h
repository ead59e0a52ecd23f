#pragma once
// What every control wrapper shares: it is made from its row of a form's
// stored layout, registers with its form so that the form can route the
// control's notifications to it, and turns them into callbacks.

#include "toolkit/Layout.h"
#include "toolkit/win32/Window.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

namespace pastimo {

class TForm;

// A row of a stored layout as it is made: the row, where it goes and the
// font it uses, and the resolution it is shown at.
struct ControlPlacement {
    const ControlLayout& row;
    HWND parent;
    LayoutRect bounds;  // relative to `parent`, in pixels at 96 DPI
    HFONT font;         // already of the size for `dpi`
    int dpi = kDesignDpi;
};

class TControl : public Window {
public:
    ~TControl() override;

    virtual void CreateFrom(TForm& form, const ControlPlacement& placement) = 0;
    // Lays the control out again for another resolution: its place and size
    // from its row, the font given (already of the right size).
    virtual void ApplyDpi(int dpi, HFONT font);
    const ControlLayout* Row() const { return FRow; }
    int Dpi() const { return FDpi; }
    // The font the control shows its text in: the layout's, or the wide one
    // its text asked for.
    HFONT CurrentFont() const;

    // UTF-8, whatever the characters.
    std::string Text() const;
    // As the control holds it, for the calls that measure or draw it.
    std::wstring WideText() const;
    void SetText(const std::string& text);
    // The length of the text as the control counts it: UTF-16 code units.
    size_t TextUnits() const;
    bool Visible() const;
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);

    // Notifications routed by the form.
    virtual void Command(WORD /*code*/) {}
    virtual void Notify(const NMHDR& /*header*/) {}
    // Background colour for WM_CTLCOLOR*; CLR_INVALID for the default.
    COLORREF Color() const { return FColor; }
    HBRUSH ColorBrush();

protected:
    // Makes a control of a standard class with the row's place, caption and
    // font; `style` and `exStyle` are the kind's own, added to a child's.
    void CreateStandard(TForm& form, const ControlPlacement& placement, const wchar_t* className, DWORD style,
                        DWORD exStyle = 0, bool subclass = false);
    // Makes a window of one of the toolkit's own classes for the row.
    void CreateOwn(TForm& form, const ControlPlacement& placement, const WindowClass& windowClass, DWORD style,
                   DWORD exStyle = 0);
    // For a control that shows the user's own text: the layout's font while
    // it draws every character of the text, the form's wide font otherwise.
    // `settled`: the text is all the control shows (else only what is added).
    void FitFontTo(std::wstring_view text, bool settled);
    // Whether the text holds a character the layout's font cannot draw.
    bool NeedsWideFont(std::wstring_view text) const;
    bool ShowsWideFont() const { return FWideFont; }
    void UseWideFont(bool wide);

    TForm* FForm = nullptr;  // not owned: the form the control sits on

private:
    void Created(TForm& form, const ControlPlacement& placement);
    static WindowPlacement ChildPlacement(const ControlPlacement& placement, DWORD style, DWORD exStyle);

    COLORREF FColor = CLR_INVALID;
    HBRUSH FBrush = nullptr;
    const ControlLayout* FRow = nullptr;  // not owned: a row of a static layout table
    LayoutRect FDesignBounds{};           // at 96 DPI, relative to the parent window
    int FDpi = kDesignDpi;
    bool FWideFont = false;
};

// 0xRRGGBB as a COLORREF; CLR_INVALID for kNoColor.
COLORREF ColorOf(uint32_t rgb);

}  // namespace pastimo
