#include "app/FormPlacement.h"

#include "forms/FormWiring.h"

#include <algorithm>

namespace kvt {

QPoint PlaceAfterSystemCommand(QSize view, QSize form)
{
    return {CentreOffset(view.width(), form.width()), CentreOffset(view.height(), form.height())};
}

QPoint PlaceAfterSplitterDrag(QSize view, QSize form, QPoint current)
{
    QPoint placed = current;
    if (form.width() < view.width())
        placed.setX(CentreOffset(view.width(), form.width()));
    if (form.height() < view.height())
        placed.setY(CentreOffset(view.height(), form.height()));
    return placed;
}

int HistoryTreeHeight(int windowHeight, int objectRows)
{
    return std::max(kHistoryMinimumHeight,
                    windowHeight - kHistoryRowPixels * objectRows - kHistoryReservedPixels);
}

} // namespace kvt
