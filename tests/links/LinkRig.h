#pragma once

#include "common/Clock.h"
#include "links/LinkEvents.h"
#include "links/LinkMailbox.h"
#include "serial/PosixSerialPort.h"
#include "support/RecordingLinkEvents.h"
#include "support/SimulatorProcess.h"

#include <memory>

// A link engine on a pseudo-terminal of a simulator, with its mailbox and the events it tells
// the console, as the links controller would wire them. The engine runs in real time.
template <typename Engine, typename Timings>
struct LinkRig {
    kvt::test::SimulatorProcess sim;
    kvt::PosixSerialPort port;
    kvt::links::LinkMailbox mailbox;
    kvt::test::RecordingLinkEvents events;
    kvt::links::LinkEventQueue queue{events};
    kvt::SystemClock clock;
    std::unique_ptr<Engine> engine;

    LinkRig(const QString& simulator, const QStringList& arguments, Timings timings)
        : sim(simulator, arguments), port(kvt::PortSettings{sim.devicePath(), 9600})
    {
        if (!sim.started())
            return;
        port.Open();
        engine = std::make_unique<Engine>(port, mailbox, queue, clock, timings);
    }
    ~LinkRig()
    {
        if (engine)
            engine->stop();
        port.Close();
    }
    // The reports waiting in the mailbox, taken out in order.
    QList<kvt::links::LinkReport> takeReports()
    {
        QList<kvt::links::LinkReport> reports;
        while (auto report = mailbox.waitingReport()) {
            reports << *report;
            mailbox.takeReport();
        }
        return reports;
    }
};

// Generous waits for what a loaded machine may delay.
inline constexpr int kEventWaitMs = 8000;
