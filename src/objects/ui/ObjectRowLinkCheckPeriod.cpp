#include "objects/ui/ObjectRowLinkCheckPeriod.h"

#include "store/ObjectTable.h"

namespace kvt::registry {

void ObjectRowLinkCheckPeriod::storeLinkCheckPeriod(const QString& period)
{
    objects_.editCurrent([&](ObjectRecord& row) { row.Proverca_S = period; });
}

} // namespace kvt::registry
