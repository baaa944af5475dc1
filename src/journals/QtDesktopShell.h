#pragma once

#include "common/DesktopShell.h"

namespace kvt {

// The desktop shell of the machine, reached through QDesktopServices.
class QtDesktopShell final : public DesktopShell {
public:
    bool open(const QString& path) override;
};

} // namespace kvt
