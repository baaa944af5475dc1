#include "links/PageSwitching.h"

#include "objects/ObjectForm.h"

namespace kvt {

void FlipFormPages(ObjectForm& form)
{
    for (FormControl* control : form.controls()) {
        if (control->kind() != ControlKind::PageSwitch)
            control->setVisible(!control->isVisible());
    }
}

} // namespace kvt
