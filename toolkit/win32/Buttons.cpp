#include "toolkit/win32/Buttons.h"

#include "toolkit/win32/Form.h"

namespace pastimo {

void TButton::CreateFrom(TForm& form, const ControlPlacement& placement) {
    const DWORD kind = (placement.row.style & csDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    // BS_NOTIFY: the form hears when the button gets and loses the focus.
    CreateStandard(form, placement, WC_BUTTONW, WS_TABSTOP | BS_NOTIFY | kind);
}

void TButton::Click() {
    if (OnClick) OnClick();
}

void TButton::Command(WORD code) {
    switch (code) {
        // A quick second click is a click too (BS_NOTIFY reports it apart).
        case BN_CLICKED:
        case BN_DOUBLECLICKED:
            Click();
            break;
        case BN_SETFOCUS:
            if (FForm) FForm->ShowDefaultButton(Handle());
            break;
        case BN_KILLFOCUS:
            if (FForm) FForm->ShowDefaultButton(FForm->DefaultButton());
            break;
    }
}

void TCheckBox::CreateFrom(TForm& form, const ControlPlacement& placement) {
    CreateStandard(form, placement, WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX);
}

bool TCheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) != BST_UNCHECKED; }

void TCheckBox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

void TCheckBox::Command(WORD code) {
    if (code == BN_CLICKED && OnClick) OnClick();
}

void TGroupBox::CreateFrom(TForm& form, const ControlPlacement& placement) {
    CreateStandard(form, placement, WC_BUTTONW, BS_GROUPBOX);
}

}  // namespace pastimo
