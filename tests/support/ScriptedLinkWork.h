#pragma once

#include "serial/SerialPort.h"
#include "settings/LinkWork.h"

#include <QList>
#include <QStringList>

namespace kvt::test {

// A link's work over a port: starting opens the port with the settings, reports it open and
// starts its work by writing "START" (so a port told to fail its next write fails the start);
// stopping closes the port and reports it closed. The steps are recorded in order.
class ScriptedLinkWork : public LinkWork {
public:
    explicit ScriptedLinkWork(SerialPort& port) : port_(port) {}

    QStringList steps;
    QList<PortSettings> startedWith;

    void start(const PortSettings& settings, const std::function<void()>& opened) override
    {
        startedWith << settings;
        port_.setSettings(settings);
        port_.Open();
        steps << QStringLiteral("open");
        opened();
        port_.WriteStr(QStringLiteral("START"));
        steps << QStringLiteral("working");
    }
    void stop(const std::function<void()>& closed) override
    {
        port_.Close();
        steps << QStringLiteral("closed");
        closed();
    }

private:
    SerialPort& port_;
};

} // namespace kvt::test
