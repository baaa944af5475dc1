#pragma once

#include "objects/ui/RegistryPorts.h"

namespace kvt::test {

// Counts what the registry's commands ask of the main window's layout.
class RecordingHost : public registry::RegistryHost {
public:
    int historyHeightRules = 0;
    void applyHistoryHeightRule() override { ++historyHeightRules; }
};

} // namespace kvt::test
