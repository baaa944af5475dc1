#include "app/FormPlacement.h"

#include <algorithm>

namespace kvt {

int CentredOffset(int area, int size)
{
    const int difference = area - size;
    if (difference < 0)
        return 0;
    return (difference + 1) / 2;
}

QPoint PlaceAfterSystemCommand(QSize view, QSize form)
{
    return {CentredOffset(view.width(), form.width()), CentredOffset(view.height(), form.height())};
}

QPoint PlaceAfterSplitterDrag(QSize view, QSize form, QPoint current)
{
    QPoint placed = current;
    if (form.width() < view.width())
        placed.setX(CentredOffset(view.width(), form.width()));
    if (form.height() < view.height())
        placed.setY(CentredOffset(view.height(), form.height()));
    return placed;
}

int HistoryTreeHeight(int windowHeight, int objectRows)
{
    return std::max(kHistoryMinimumHeight,
                    windowHeight - kHistoryRowPixels * objectRows - kHistoryReservedPixels);
}

} // namespace kvt
