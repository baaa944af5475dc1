#include "gsm/ModemPortWatch.h"

#include "common/Errors.h"
#include "common/EventSink.h"
#include "common/MainTimers.h"
#include "gsm/GsmEngineHost.h"
#include "gsm/ModemConnection.h"
#include "serial/LinkIndicators.h"
#include "serial/SerialPort.h"

namespace kvt::gsm {

const QString ModemPortWatch::kLostTitle = QStringLiteral("Потеряна связь с портом GSM модема");
const QString ModemPortWatch::kBackTitle = QStringLiteral("Восстановлена связь с портом GSM модема");

ModemPortWatch::ModemPortWatch(Parts parts, QObject* parent) : QObject(parent), parts_(parts)
{
    recheckTimer_.setInterval(kRecheckIntervalMs);
    connect(&recheckTimer_, &QTimer::timeout, this, &ModemPortWatch::recheck);
}

void ModemPortWatch::modemPortLost(const PortError& error)
{
    if (waiting_)
        return;
    waiting_ = true;
    parts_.timers.stop(MainTimer::QueryTimer);
    parts_.timers.stop(MainTimer::ATTimer);
    parts_.port.Close();
    parts_.view.showModemConnected(false);
    parts_.indicators.setOn(LinkLamp::GsmModem, false);
    parts_.indicators.setOn(LinkLamp::GsmNetwork, false);
    parts_.indicators.setSignalPercent(LinkIndicators::kSignalMin);
    parts_.log.LogEvent(kLostTitle, error.message(), EventColour::Red);
    recheckTimer_.start();
}

void ModemPortWatch::recheck()
{
    if (!waiting_)
        return;
    const PortSettings settings = parts_.port.settings();
    try {
        parts_.connection.Connect(settings, [this] { parts_.view.showModemConnected(true); });
    } catch (const PortError&) {
        // Still gone, or gone again at once: the next check tries again.
        if (parts_.port.Connected()) {
            parts_.port.Close();
            parts_.view.showModemConnected(false);
        }
        return;
    }
    stopWaiting();
    parts_.log.LogEvent(kBackTitle, settings.device, EventColour::Yellow);
}

void ModemPortWatch::stopWaiting()
{
    waiting_ = false;
    recheckTimer_.stop();
}

} // namespace kvt::gsm
