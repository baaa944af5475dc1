#pragma once

namespace kvt::registry {

// What the registry's commands need of the main window's layout. The main window implements
// it; tests record the calls.
class RegistryHost {
public:
    virtual ~RegistryHost() = default;

    // Resizes the history tree after the number of objects changed.
    virtual void applyHistoryHeightRule() = 0;
};

} // namespace kvt::registry
