#pragma once
// The About box: product name, version and the maker's contact details in a
// small modal window. A new box is created for every showing and releases
// itself when closed.

#include <windows.h>

#include "toolkit/win32/Controls.h"
#include "toolkit/win32/Form.h"

namespace pastimo {

// A plain panel that holds controls: a single border line, a gap of
// `borderWidth` in the panel's colour, then a lowered inner bevel.
class TBevelPanel : public TControl {
public:
    void Create(TForm& form, const ControlArgs& args, COLORREF color, int borderWidth, int bevelWidth);

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void Paint(HDC dc) const;
    COLORREF color_ = 0;
    int borderWidth_ = 0;
    int bevelWidth_ = 0;
};

class TFormAbout : public TForm {
public:
    explicit TFormAbout(TComponent* owner);
    ~TFormAbout() override;

    TBevelPanel Panel1;
    TButton ButtonAboutOK;
    TEdit Memo1;

    void ButtonAboutOKClick();

protected:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoClose() override;

private:
    void CreateControls();
    // Posts the release once, however many ways the box is closed.
    void ReleaseOnce();
    bool FReleasePosted = false;
    HWND FActiveControl = nullptr;
};

// The latest About box; nullptr once it has been released.
extern TFormAbout* FormAbout;

}  // namespace pastimo
