#include "app/ClosableWindows.h"

namespace kvt {

void ClosableWindows::close(ArrivalWindow place)
{
    const auto found = windows_.find(place);
    if (found != windows_.end() && found->second)
        found->second->close();
}

} // namespace kvt
