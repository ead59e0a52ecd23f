#pragma once
// A fixed text; it wraps within its box, and "&" is shown as it is unless
// the row marks an access key (csAccessKey).

#include "toolkit/win32/Control.h"

namespace pastimo {

class TLabel : public TControl {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
};

}  // namespace pastimo
