#pragma once

#include "gsm/AtExchange.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace kvt {
class EventSink;
class LinkIndicators;
class MainTimers;
class ModemConnection;
class SerialPort;
} // namespace kvt

namespace kvt::gsm {

class ModemLinkView;

// Watches for the modem port going away while connected (a USB modem unplugged: a read or write
// fails). The loss is reported once, in red, with the device and the system error; the link is
// shown disconnected and the modem ticks stop, so nothing fails every second. Every 5 s the same
// device is opened again; once it is back the modem is connected as by the operator (PDU mode
// set, the ticks started) and the reconnection is logged.
class ModemPortWatch final : public QObject, public PortLossHandler {
    Q_OBJECT
public:
    struct Parts {
        ModemConnection& connection;
        SerialPort& port;
        MainTimers& timers;
        LinkIndicators& indicators;
        EventSink& log;
        ModemLinkView& view;
    };

    static const QString kLostTitle;
    static const QString kBackTitle;
    static constexpr int kRecheckIntervalMs = 5000;

    explicit ModemPortWatch(Parts parts, QObject* parent = nullptr);

    void modemPortLost(const PortError& error) override;
    // Tries the device again; called every kRecheckIntervalMs while it is gone.
    void recheck();
    // The operator has disconnected the modem: the device is no longer waited for.
    void stopWaiting();
    bool waitingForDevice() const { return waiting_; }

private:
    Parts parts_;
    QTimer recheckTimer_;
    bool waiting_ = false;
};

} // namespace kvt::gsm
