#include "serial/LinkIndicators.h"

#include <algorithm>

namespace kvt {

LinkIndicators::LinkIndicators(QObject* parent) : QObject(parent)
{
    for (LinkLamp lamp : {LinkLamp::GsmModem, LinkLamp::Radio, LinkLamp::Rs485})
        state(lamp).helpContext = kLinkDownMarker;
}

bool LinkIndicators::HasChangeMarker(LinkLamp lamp)
{
    return lamp != LinkLamp::GsmNetwork;
}

QString LinkIndicators::ObjectName(LinkLamp lamp)
{
    switch (lamp) {
    case LinkLamp::GsmModem: return QStringLiteral("ComLed5");
    case LinkLamp::GsmNetwork: return QStringLiteral("ComLed4");
    case LinkLamp::Radio: return QStringLiteral("ComLed1");
    case LinkLamp::Rs485: return QStringLiteral("ComLed2");
    }
    return {};
}

void LinkIndicators::setOn(LinkLamp lamp, bool on)
{
    if (state(lamp).on == on)
        return;
    state(lamp).on = on;
    mirrorIntoMarker(lamp);
    emit lampChanged(lamp, on);
}

void LinkIndicators::mirrorIntoMarker(LinkLamp lamp)
{
    if (HasChangeMarker(lamp))
        state(lamp).helpContext = state(lamp).on ? kLinkUpMarker : kLinkDownMarker;
}

void LinkIndicators::setSignalPercent(int percent)
{
    percent = std::clamp(percent, kSignalMin, kSignalMax);
    if (percent == signalPercent_)
        return;
    signalPercent_ = percent;
    emit signalPercentChanged(percent);
}

} // namespace kvt
