#pragma once

#include "gsm/AtExchange.h"
#include "gsm/ModemEngineState.h"
#include "serial/SerialPort.h"

#include <QString>

#include <functional>

namespace kvt {

class Clock;
class EventSink;
class LinkIndicators;
class MainTimers;

// How the modem took the switch to SMS PDU mode when it was connected.
enum class PduModeResult {
    Confirmed, // AT+CMGF=0 answered OK and AT+CMGF? reports +CMGF: 0
    Refused,   // the modem answered, but not with PDU mode
    NoAnswer,  // nothing came back
};

// Connecting and disconnecting the GSM modem on Port_Modem: the work behind the GSM tab's
// " Подключить" and "Отключить" buttons, apart from the buttons themselves.
class ModemConnection {
public:
    struct Parts {
        SerialPort& port;
        MainTimers& timers;
        ModemEngineState& state;
        LinkIndicators& indicators;
        EventSink& log;
        Clock& clock;
    };

    static const QString kDisconnectedTitle;
    static const QString kPduModeRefusedTitle;
    static const QString kPduModeNoAnswerTitle;

    // Pause after cancelling a message prompt, before the purge and the first command.
    static constexpr int kSettleMs = 100;
    // Reads of a reply, kReadIntervalMs apart, until the final result code comes.
    static constexpr int kReplyReads = 10;
    static constexpr int kReadIntervalMs = 100;
    static constexpr int kReadCount = 256;

    explicit ModemConnection(Parts parts);

    // Opens the port with the link's settings and calls `afterOpen` (the buttons switch there);
    // puts the modem into SMS PDU mode and checks that it took it (a modem that does not is
    // logged in red); then starts QueryTimer and ATTimer with the keep-alive cycle at step 1.
    // A port that cannot be opened raises PortError and nothing else happens.
    PduModeResult Connect(const PortSettings& settings, const std::function<void()>& afterOpen = {});

    // Stops ATTimer and QueryTimer, closes the port, calls `afterClose` (the buttons and the
    // DTR/RTS boxes switch there), puts out the modem lamps and the signal bar and logs the
    // operator's disconnect.
    void Disconnect(const std::function<void()>& afterClose = {});

    // A message prompt left open cancelled, AT+CMGF=0, then AT+CMGF? to see that the modem
    // reports PDU mode, as one dialogue: the
    // timers that run stop meanwhile and start again afterwards. The port must be open.
    PduModeResult EnsurePduMode();

private:
    Parts parts_;
    gsm::AtExchange exchange_;
};

} // namespace kvt
