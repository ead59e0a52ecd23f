#pragma once
// The About box: product name, version and the maker's contact details in a
// small modal window. A new box is created for every showing and releases
// itself when closed.

#include "toolkit/win32/BevelPanel.h"
#include "toolkit/win32/Buttons.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/Form.h"

#include <windows.h>

namespace pastimo {

class TFormAbout : public TForm {
public:
    explicit TFormAbout(TComponent* owner);
    ~TFormAbout() override;

    TBevelPanel Panel1;
    TButton ButtonAboutOK;
    TEdit Memo1;

    void ButtonAboutOKClick();

protected:
    void DoClose() override;

private:
    // Posts the release once, however many ways the box is closed.
    void ReleaseOnce();
    bool FReleasePosted = false;
};

// The latest About box; nullptr once it has been released.
extern TFormAbout* FormAbout;

}  // namespace pastimo
