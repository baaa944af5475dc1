#pragma once

#include <QString>

namespace kvt {
class Confirmation;
class EventSink;
class OperatorNotices;
class SupervisionPause;
} // namespace kvt

namespace kvt::registry {

class RegistryHost;
class ObjectFormDisplay;

// What the registry's handlers and commands use of the rest of the console; the main window
// hands them in. None may be null.
struct RegistryServices {
    QString programDirectory;
    RegistryHost* host = nullptr;
    ObjectFormDisplay* forms = nullptr;
    OperatorNotices* notices = nullptr;
    Confirmation* confirmation = nullptr;
    EventSink* events = nullptr;
    SupervisionPause* pause = nullptr;
};

} // namespace kvt::registry
