#include "toolkit/win32/Label.h"

namespace pastimo {

void TLabel::CreateFrom(TForm& form, const ControlPlacement& placement) {
    CreateStandard(form, placement, WC_STATICW, SS_LEFT | SS_NOPREFIX);
}

}  // namespace pastimo
