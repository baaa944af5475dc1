#pragma once

#include "links/LinkHandlers.h"

namespace kvt {

class Clock;
class CurrentObject;
class EventSink;
class LinkIndicators;
class MainTimers;
class OperatorNotices;
class SerialPort;
class SupervisionPause;
namespace registry {
class ChannelAddresses;
class Registry;
} // namespace registry

// What the radio and RS-485 links' work reaches of the console, handed in once at start-up.
struct LinksContext {
    SerialPort& radioPort; // Port_ZigBee
    SerialPort& rs485Port; // Port_RS485
    Clock& clock;
    MainTimers& timers;
    EventSink& log;
    LinkIndicators& indicators; // the radio and RS-485 lamps
    SupervisionPause& supervisionPause;
    // The store and channel files supervision walks, and the object whose form the command
    // buttons belong to.
    registry::Registry& registry;
    registry::ChannelAddresses& addresses;
    CurrentObject& currentObject;
    OperatorNotices& notices;
};

// The radio and RS-485 links as the main window meets them: link supervision and the command
// buttons of object forms.
class LinksController final : public LinkHandlers {
public:
    explicit LinksController(LinksContext context) : context_(context) {}

    // The receive dispatcher's first two steps on every QueryTimer tick: a waiting radio report,
    // then a waiting RS-485 report. rs485Step() returns false when the tick must end there.
    void radioStep();
    bool rs485Step();

    void Timer2Timer() override;
    void Send_Pusk_ButtonClick(FormControl& sender) override;
    void SpeedButton3Click(FormControl& sender) override;

private:
    LinksContext context_;
};

} // namespace kvt
