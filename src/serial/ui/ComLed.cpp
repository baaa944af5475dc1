#include "serial/ui/ComLed.h"

#include <QPainter>
#include <QRadialGradient>

namespace kvt {

namespace {

constexpr int kLampDiameter = 13;
const QColor kLitColour(0x20, 0xD0, 0x20);
const QColor kOutColour(0x30, 0x50, 0x30);

} // namespace

ComLed::ComLed(LinkIndicators& indicators, LinkLamp lamp, QWidget* parent)
    : QWidget(parent), indicators_(indicators), lamp_(lamp)
{
    setObjectName(LinkIndicators::ObjectName(lamp));
    setFixedSize(sizeHint());
    connect(&indicators_, &LinkIndicators::lampChanged, this, [this](LinkLamp changed, bool) {
        if (changed == lamp_)
            update();
    });
}

QSize ComLed::sizeHint() const
{
    return {kLampDiameter + 2, kLampDiameter + 2};
}

void ComLed::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor base = isOn() ? kLitColour : kOutColour;
    const QRectF lampRect(1, 1, kLampDiameter, kLampDiameter);
    QRadialGradient shine(lampRect.center() - QPointF(2, 2), kLampDiameter / 1.5);
    shine.setColorAt(0, base.lighter(isOn() ? 170 : 130));
    shine.setColorAt(1, base);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(shine);
    painter.drawEllipse(lampRect);
}

} // namespace kvt
