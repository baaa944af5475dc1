#pragma once

#include <QString>

namespace kvt {
class Confirmation;
class CurrentObject;
class EventSink;
class OperatorNotices;
class StatePacketDecoder;
class SupervisionPause;
} // namespace kvt

namespace kvt::registry {

class RegistryHost;

// What the registry's handlers and commands use of the rest of the console; the main window
// hands them in. None may be null.
struct RegistryServices {
    QString programDirectory;
    RegistryHost* host = nullptr;
    // The object shown, and the decoder that draws stored packets on its form.
    CurrentObject* current = nullptr;
    StatePacketDecoder* decoder = nullptr;
    OperatorNotices* notices = nullptr;
    Confirmation* confirmation = nullptr;
    EventSink* events = nullptr;
    SupervisionPause* pause = nullptr;
};

} // namespace kvt::registry
