#pragma once

#include "settings/Settings.h"

#include <QObject>

namespace kvt {

// Opens and closes the port of one link: what the settings window's " Подключить" and
// "Отключить" buttons of that link do. The serial and link parts of the console implement it.
class LinkConnector {
public:
    virtual ~LinkConnector() = default;

    // Connects the link with its settings (port, speed, DTR, RTS of the settings model).
    // Returns true when the link is connected; a connector reports its own failures (message,
    // event log) and returns false, or throws to the global error handler.
    virtual bool connectLink() = 0;

    // Stops the link and closes its port.
    virtual void disconnectLink() = 0;
};

// Which links are connected: the state the connect and disconnect buttons of the settings
// window show (connect disabled, disconnect enabled, DTR and RTS boxes locked while connected).
// Other parts ask here instead of looking at the buttons, e.g. "is the GSM modem connected".
// Connectors may set the state themselves at the step where the buttons change; the settings
// window sets it in any case when a connector returns.
class LinkConnections : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool isConnected(Link link) const { return connected_[index(link)]; }
    void setConnected(Link link, bool connected);

signals:
    void connectionChanged(kvt::Link link, bool connected);

private:
    static int index(Link link) { return static_cast<int>(link); }
    bool connected_[3] = {false, false, false};
};

} // namespace kvt
