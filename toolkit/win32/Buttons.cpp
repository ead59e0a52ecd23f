#include "toolkit/win32/Buttons.h"

namespace pastimo {

void TButton::CreateFrom(TForm& form, const ControlPlacement& placement) {
    const DWORD kind = (placement.row.style & csDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    CreateStandard(form, placement, WC_BUTTONW, WS_TABSTOP | kind);
}

void TButton::Click() {
    if (OnClick) OnClick();
}

void TButton::Command(WORD code) {
    if (code == BN_CLICKED) Click();
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
