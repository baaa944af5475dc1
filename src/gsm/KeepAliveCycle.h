#pragma once

#include <QString>

namespace kvt {
class EventSink;
class LinkIndicators;
class ModemConnection;
struct ModemEngineState;
} // namespace kvt

namespace kvt::gsm {

class AtExchange;
class EngineSettings;
class EngineView;
class EventLogArchive;

// The modem keep-alive cycle (ATTimerTimer, every second while the modem is connected). While
// the modem answers it sends one command of a five-step rotation per tick; while it is silent it
// asks for the registration and counts the ticks, and after more than ten it reports the modem
// lost once. The cycle only writes: the receive dispatcher reads the answers and tells it through
// the modem-answered counter that something came.
class KeepAliveCycle {
public:
    struct Parts {
        AtExchange& exchange;
        ModemConnection& connection;
        ModemEngineState& state;
        LinkIndicators& indicators;
        EventSink& log;
        EngineView& view;
        EngineSettings& settings;
        EventLogArchive& eventLog;
    };

    static const QString kModemSilentTitle;
    static const QString kModemBackTitle;
    static const QString kAutomaticArchiveTitle;
    // Silent ticks in a row after which the modem counts as lost.
    static constexpr int kSilentTicksAllowed = 10;
    // The event list is archived when it holds more lines than this.
    static constexpr int kLongestEventList = 1200;

    explicit KeepAliveCycle(Parts parts) : parts_(parts) {}

    void ATTimerTimer();

private:
    void answeredTick();
    void silentTick();
    // The command of the current step; the step advances.
    QString nextRotationCommand();

    Parts parts_;
};

} // namespace kvt::gsm
