#include "common/ui/WindowFonts.h"

#include <QFontMetrics>
#include <QStringList>

namespace kvt {

namespace {
QFont font(const QStringList& families, int pixelSize, bool bold)
{
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
} // namespace

QFont WindowFont(int pixelSize, bool bold)
{
    return font({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}, pixelSize,
                bold);
}

QFont NarrowWindowFont(int pixelSize, bool bold)
{
    return font({QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("Liberation Sans Narrow"),
                 QStringLiteral("Arial Narrow")},
                pixelSize, bold);
}

int FittingPixelSize(QFont font, int height)
{
    int size = font.pixelSize();
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= height)
            break;
    }
    return size;
}

} // namespace kvt
