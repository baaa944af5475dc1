#pragma once

#include <QByteArray>
#include <QString>

namespace kvt {

class Clock;
class Confirmation;
class EventLog;

// The modem side of "Отмена": the GSM modem port and the main window's timers. The modem engine
// and the main window fill it.
class ModemCancelSteps {
public:
    virtual ~ModemCancelSteps() = default;

    virtual bool isModemPortOpen() const = 0;
    virtual void writeToModem(const QByteArray& bytes) = 0;
    virtual void enableATTimer() = 0;
    virtual void enableQueryTimer() = 0;
    virtual void enableTimer2() = 0;
};

// The operator's commands on the event log, shared by the main window's buttons and menu items
// and by the event journal window.
struct EventLogCommands {
    static const QString kClearQuestion;  // "Вы дейсвительно желаете отчистить журнал событий"
    static const QString kCancelTitle;    // "Действие отменено"
    static const QByteArray kHangUp;      // "ATH\r\n"

    static constexpr int kBeforeHangUpMs = 400;
    static constexpr int kAfterATTimerMs = 400;
    static constexpr int kAfterQueryTimerMs = 300;

    // "Отчистить": asks first; only OK archives the log. Returns true when it archived.
    // An archive that cannot be written throws IoError.
    static bool Clear(EventLog& log, Confirmation& confirmation);

    // "Отмена": with the modem port open, hangs up, restarts the modem and supervision timers
    // one after another and logs the cancel, which ends a pending action. With the port
    // closed nothing happens.
    static void Cancel(EventLog& log, ModemCancelSteps& modem, Clock& clock);
};

} // namespace kvt
