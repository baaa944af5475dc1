#pragma once

#include "gsm/ModemConnection.h"

#include <QString>

#include <functional>

namespace kvt {

class OperatorNotices;
class PortError;

// What the GSM tab's connect and disconnect buttons do, with the operator's view of it: a
// failure to connect is shown as a notice naming the device and the system error, and the
// connected state (which switches the buttons and locks the DTR/RTS boxes) is set at the step
// where the buttons change.
class ModemLinkControl {
public:
    using SetConnected = std::function<void(bool connected)>;

    ModemLinkControl(ModemConnection& connection, SerialPort& port, OperatorNotices& notices, SetConnected setConnected);

    // Port name and speed text as the settings window's lists hold them, DTR and RTS as its boxes.
    bool connectLink(const QString& port, const QString& baudRate, bool dtr, bool rts);
    void disconnectLink();

    static const QString kNoPortText;
    static QString FailureText(const PortError& error);

private:
    ModemConnection& connection_;
    SerialPort& port_;
    OperatorNotices& notices_;
    SetConnected setConnected_;
};

} // namespace kvt
