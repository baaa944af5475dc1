#pragma once

#include "packets/StatePacketArrival.h"

#include <QPointer>
#include <QWidget>

#include <map>

namespace kvt {

// The windows that the arrival of a state packet closes, each under its place in the closing
// order. A window joins when it is made; a window that does not exist (yet) is passed over.
class ClosableWindows {
public:
    void add(ArrivalWindow place, QWidget* window) { windows_[place] = window; }

    // Closes the window with its own close handling, which runs also when the window is hidden
    // (the settings window saves, the add/edit window cancels its pending row).
    void close(ArrivalWindow place);

private:
    std::map<ArrivalWindow, QPointer<QWidget>> windows_;
};

} // namespace kvt
