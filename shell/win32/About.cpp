#include "shell/win32/About.h"

#include "resources/AboutBoxLayout.h"
#include "toolkit/win32/Application.h"

namespace pastimo {

TFormAbout* FormAbout = nullptr;

TFormAbout::TFormAbout(TComponent* owner) : TForm(owner) {
    CreateArgs args;
    args.className = L"TFormAbout";
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    args.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    // Owned by the application window, so the box stays with the program
    // (hidden with it, above the main window) although no form owns it.
    args.owner = Application->Handle();
    args.iconName = L"ABOUTICON";
    CreateFromLayout(args, kAboutBoxLayout, {{kPanel1, Panel1}, {kButtonAboutOK, ButtonAboutOK}, {kAboutMemo1, Memo1}});
    ButtonAboutOK.OnClick = [this] { ButtonAboutOKClick(); };
    // Not a dialog, so nothing else puts the focus on a control: "&OK" has it
    // when the box opens.
    SetActiveControl(ButtonAboutOK.Handle());
}

TFormAbout::~TFormAbout() {
    // The window goes first, while the control wrappers (the memo's subclass
    // procedure among them) still exist.
    DestroyHandle();
    if (FormAbout == this) FormAbout = nullptr;
}

void TFormAbout::ButtonAboutOKClick() {
    ReleaseOnce();
    Close();
}

void TFormAbout::ReleaseOnce() {
    if (FReleasePosted) return;
    FReleasePosted = true;
    Release();
}

void TFormAbout::DoClose() {
    // The title-bar close button and Alt+F4 end the showing as "&OK" does, and
    // the box is released the same way rather than left hidden until the end.
    ReleaseOnce();
    TForm::DoClose();
}

}  // namespace pastimo
