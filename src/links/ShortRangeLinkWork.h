#pragma once

#include "links/LinkKind.h"
#include "settings/LinkWork.h"

#include <QString>

#include <functional>

namespace kvt {
class Clock;
class EventSink;
class LinkIndicators;
} // namespace kvt

namespace kvt::links {

class LinkEngine;

// The work of the radio link or the RS-485 link around its port: connecting hands the engine
// its objects, opens the port with the link's settings and starts the engine (the lamp lights
// once the modem or adapter answers); disconnecting runs the operator's Disconnect: its two
// lines, the engine's stop handshake, the port closed, a short pause and the lamp out.
class ShortRangeLinkWork final : public LinkWork {
public:
    struct Parts {
        LinkKind link;
        SerialPort& port;
        LinkEngine& engine;
        // Hands the engine the current objects of its link.
        std::function<void()> handOverPeers;
        LinkIndicators& lamps;
        EventSink& log;
        Clock& clock;
    };

    // The pause between the operator's disconnect line and the lamp going out.
    static constexpr int kLampOutPauseMs = 100;

    // The event titles of connecting and disconnecting.
    static QString OpenedTitle(LinkKind link);
    static QString ClosingTitle(LinkKind link);
    static QString ClosedTitle(LinkKind link);

    explicit ShortRangeLinkWork(Parts parts) : parts_(std::move(parts)) {}

    void start(const PortSettings& settings, const std::function<void()>& opened) override;
    void stop(const std::function<void()>& closed) override;

    // Stops the engine (stop handshake) and closes the port without the operator's lines: when
    // the console closes, or after the engine has failed by itself. Nothing while the link is
    // not connected.
    void shutDown();

private:
    Parts parts_;
};

} // namespace kvt::links
