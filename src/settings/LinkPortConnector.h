#pragma once

#include "settings/LinkConnections.h"

#include <QString>

namespace kvt {

class LinkWork;
class OperatorNotices;
class PortError;
class SerialPort;

// What the settings window's " Подключить" and "Отключить" buttons of one link do, the same for
// the GSM modem, the radio link and the RS-485 link: connecting opens the link's port with the
// port, speed, DTR and RTS of the settings model (no speed chosen: the port's starting rate) and
// starts the link's work (its engine); the connected state, which switches the buttons and locks
// the DTR and RTS boxes, is set at the step where the port has opened. A failure is told to the
// operator naming the device and the system error, and leaves nothing half connected.
// Disconnecting stops the work and closes the port.
class LinkPortConnector final : public LinkConnector {
public:
    LinkPortConnector(Link link, SerialPort& port, LinkWork& work, const Settings& settings,
                      LinkConnections& connections, OperatorNotices& notices);

    bool connectLink() override;
    void disconnectLink() override;

    // The notice when no port is chosen, and the one when connecting failed.
    static QString NoPortText(Link link);
    static QString FailureText(Link link, const PortError& error);
    // The rate a link's port starts with: 115200 for the modem, 9600 for the radio and RS-485.
    static qint32 StartingBaudRate(Link link);

private:
    Link link_;
    SerialPort& port_;
    LinkWork& work_;
    const Settings& settings_;
    LinkConnections& connections_;
    OperatorNotices& notices_;
};

} // namespace kvt
