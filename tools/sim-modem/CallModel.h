#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <map>
#include <optional>

namespace kvt::sim {

// What the far end does with a voice call from the console.
enum class CallOutcome { Answer, Busy, NoAnswer, NoDialtone, Reject };
std::optional<CallOutcome> ParseCallOutcome(const QString& word);
QString CallOutcomeName(CallOutcome outcome);

struct CallTimings {
    int dialMs = 1000;        // dialling before the far end rings
    int alertMs = 4000;       // ringing at the far end before it answers / gives up
    int ringIntervalMs = 3000; // between RING notices of an incoming call
    int maxRings = 10;        // an unanswered caller gives up after this many rings
};

// The one voice call the modem can hold (index 1), outgoing or incoming, with the states of
// +CLCC (3GPP TS 27.007 §7.18): 0 active, 2 dialling, 3 alerting, 4 incoming.
class CallModel : public QObject {
    Q_OBJECT
public:
    static constexpr int kActive = 0;
    static constexpr int kDialling = 2;
    static constexpr int kAlerting = 3;
    static constexpr int kIncoming = 4;

    explicit CallModel(CallTimings timings, QObject* parent = nullptr);

    void setOutcome(CallOutcome outcome) { defaultOutcome_ = outcome; }
    void setOutcome(const QString& number, CallOutcome outcome) { outcomes_[number] = outcome; }
    // How long a call to the number rings at the far end before the outcome (instead of alertMs).
    void setRinging(const QString& number, int ms) { ringingMs_[number] = ms; }
    void setRinging(int ms) { timings_.alertMs = ms; }
    CallOutcome outcomeFor(const QString& number) const;
    int ringingFor(const QString& number) const;

    // ATD+number; the final result of the command ("OK" or "ERROR").
    QByteArray dial(const QString& number);
    // Incoming call from the number (digits; a leading 8 is a national number).
    bool ringFrom(const QString& number, int rings);
    // ATA: true when there was an incoming call to answer.
    bool answer();
    // ATH, or the far end hangs up.
    void hangUp();
    bool inCall() const { return state_.has_value(); }
    // The +CLCC line of the call (empty when there is none), without line ends.
    QByteArray listLine() const;

signals:
    // Unsolicited text for the console (RING, BUSY, NO CARRIER, ...), with its line ends.
    void unsolicited(const QByteArray& text);
    // An outgoing call from the console was answered by the far end.
    void answered(const QString& number);

private:
    void step();
    void end(const QByteArray& notice);

    CallTimings timings_;
    CallOutcome defaultOutcome_ = CallOutcome::Answer;
    std::map<QString, CallOutcome> outcomes_;
    std::map<QString, int> ringingMs_;
    std::optional<int> state_;
    bool incoming_ = false;
    QString number_;
    int ringsLeft_ = 0;
    QTimer timer_;
};

} // namespace kvt::sim
