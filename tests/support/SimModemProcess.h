#pragma once

#include "support/SimulatorProcess.h"

namespace kvt::test {

// The GSM modem simulator (kvt-sim-modem) run as a child process for end-to-end tests.
class SimModemProcess : public SimulatorProcess {
public:
    // Quick timings unless the arguments say otherwise.
    static QStringList FastTimings();

    explicit SimModemProcess(const QStringList& arguments = FastTimings())
        : SimulatorProcess(QStringLiteral("kvt-sim-modem"), arguments)
    {
    }
};

} // namespace kvt::test
