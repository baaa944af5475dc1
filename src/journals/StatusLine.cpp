#include "journals/StatusLine.h"

namespace kvt {

void StatusLine::show(const QString& text, EventColour colour)
{
    text_ = text;
    colour_ = colour;
    emit changed();
}

void StatusLine::setText(const QString& text)
{
    text_ = text;
    emit changed();
}

} // namespace kvt
