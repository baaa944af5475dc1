#include "objects/ui/PageSwitching.h"

#include "forms/CurrentObject.h"
#include "forms/ObjectForm.h"

namespace kvt {

void FlipFormPages(ObjectForm& form)
{
    for (FormControl* control : form.controls()) {
        if (control->kind() != ControlKind::PageSwitch)
            control->setVisible(!control->isVisible());
    }
}

void FlipCurrentFormPages(CurrentObject& current)
{
    if (ObjectForm* form = current.form())
        FlipFormPages(*form);
}

} // namespace kvt
