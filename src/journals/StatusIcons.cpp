#include "journals/StatusIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace kvt {

namespace {

const QColor kGreen(0x1E, 0xA0, 0x32);
const QColor kGrey(0x8C, 0x8C, 0x8C);
const QColor kBlue(0x1E, 0x5A, 0xDC);
const QColor kRed(0xDC, 0x1E, 0x1E);
const QColor kPaleBlueGrey(0x9A, 0xB0, 0xC8);

// A bold capital letter centred in the icon.
void drawLetter(QPainter& p, const QString& letter, const QColor& colour)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kStatusIconSize, kStatusIconSize), Qt::AlignCenter, letter);
}

void drawTriangle(QPainter& p, const QColor& colour)
{
    QPainterPath path;
    path.moveTo(8, 1.5);
    path.lineTo(15, 14.5);
    path.lineTo(1, 14.5);
    path.closeSubpath();
    p.setPen(QPen(colour.darker(140), 1));
    p.setBrush(colour);
    p.drawPath(path);
    p.setPen(QPen(Qt::white, 1.6));
    p.drawLine(QPointF(8, 5.5), QPointF(8, 10));
    p.drawPoint(QPointF(8, 12.5));
}

void drawRootSymbol(QPainter& p)
{
    p.setPen(QPen(kPaleBlueGrey.darker(130), 1));
    p.setBrush(kPaleBlueGrey);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    p.setPen(QPen(Qt::white, 1.4));
    for (int y : {5, 8, 11})
        p.drawLine(QPointF(4, y), QPointF(12, y));
}

void drawSheetWithArrow(QPainter& p)
{
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
    for (int y : {4, 6})
        p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    QPainterPath arrow;
    arrow.moveTo(4, 11);
    arrow.lineTo(9, 11);
    arrow.lineTo(9, 8.5);
    arrow.lineTo(12.5, 11.5);
    arrow.lineTo(9, 14.5);
    arrow.lineTo(9, 12.5);
    arrow.lineTo(4, 12.5);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPath(arrow);
}

void drawTick(QPainter& p)
{
    p.setPen(QPen(kGreen, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QList<QPointF>{{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}});
}

void drawBarsWithCross(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGrey);
    for (int i = 0; i < 4; ++i) {
        const int height = 3 + 3 * i;
        p.drawRect(QRect(1 + 4 * i, 15 - height, 3, height));
    }
    p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 3), QPointF(12, 12));
    p.drawLine(QPointF(12, 3), QPointF(3, 12));
}

void drawLShape(QPainter& p, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRect(3, 2, 4, 12));
    p.drawRect(QRect(3, 10, 10, 4));
}

} // namespace

QPixmap StatusIconPixmap(int index)
{
    if (index < 0 || index >= kStatusIconCount)
        return {};
    QPixmap pixmap(kStatusIconSize, kStatusIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (static_cast<StatusIcon>(index)) {
    case StatusIcon::Root: drawRootSymbol(p); break;
    case StatusIcon::GsmUp: drawLetter(p, QStringLiteral("G"), kGreen); break;
    case StatusIcon::HistoryEntry: drawSheetWithArrow(p); break;
    case StatusIcon::NewData: drawTriangle(p, kBlue); break;
    case StatusIcon::Alarm: drawTriangle(p, kRed); break;
    case StatusIcon::Unused: drawTick(p); break;
    case StatusIcon::GsmDown: drawLetter(p, QStringLiteral("G"), kGrey); break;
    case StatusIcon::SmsProblem: drawBarsWithCross(p); break;
    case StatusIcon::CheckOff: drawLetter(p, QStringLiteral("G"), kBlue); break;
    case StatusIcon::RadioUp: drawLetter(p, QStringLiteral("Р"), kGreen); break;
    case StatusIcon::RadioDown: drawLetter(p, QStringLiteral("Р"), kGrey); break;
    case StatusIcon::Rs485Up: drawLShape(p, kGreen); break;
    case StatusIcon::Rs485Down: drawLShape(p, kGrey); break;
    case StatusIcon::None: break;
    }
    return pixmap;
}

const QList<QIcon>& StatusImageList()
{
    static const QList<QIcon> list = [] {
        QList<QIcon> icons;
        for (int i = 0; i < kStatusIconCount; ++i)
            icons << QIcon(StatusIconPixmap(i));
        return icons;
    }();
    return list;
}

QIcon StatusIconFor(int index)
{
    if (index < 0 || index >= kStatusIconCount)
        return {};
    return StatusImageList().at(index);
}

} // namespace kvt
