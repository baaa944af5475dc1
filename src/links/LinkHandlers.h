#pragma once

namespace kvt {

// The main window's handler that belongs to the radio and RS-485 links: link supervision on
// Timer2. The main window forwards it here in one line.
class LinkHandlers {
public:
    virtual ~LinkHandlers() = default;

    // Timer2: link supervision's walk over the objects.
    virtual void Timer2Timer() = 0;
};

} // namespace kvt
