#include "toolkit/win32/Label.h"

namespace pastimo {

void TLabel::CreateFrom(TForm& form, const ControlPlacement& placement) {
    // With an access key, Alt and the letter reach the control that follows
    // the label (and accessibility tools name that control after it).
    const DWORD prefix = (placement.row.style & csAccessKey) ? 0 : SS_NOPREFIX;
    CreateStandard(form, placement, WC_STATICW, SS_LEFT | prefix);
}

}  // namespace pastimo
