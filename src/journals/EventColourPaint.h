#pragma once

#include "common/EventColour.h"

#include <QColor>

namespace kvt {

// The screen colour of an event colour, which is stored blue-green-red (0x00BBGGRR).
inline QColor ToQColor(EventColour colour)
{
    const quint32 bgr = quint32(colour);
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace kvt
