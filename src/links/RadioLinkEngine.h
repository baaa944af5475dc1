#pragma once

#include "links/LinkEngine.h"
#include "links/LinkPeers.h"
#include "links/RadioApiFrame.h"
#include "links/RadioPayload.h"

#include <QList>

#include <optional>

namespace kvt::links {

// The times the radio engine keeps; tests shorten them.
struct RadioTimings {
    int pollPeriodMs = 30000;           // every object is asked for its report at least this often
    int transmitStatusTimeoutMs = 5000; // a transmit without Transmit Status by then has failed
    int modemCheckPeriodMs = 5000;      // the local modem is asked "AI" this often
    int modemAnswerTimeoutMs = 1000;    // an answer later than this counts as missed
    int reportWindowMs = 10000;         // all parts of a report arrive within this
    int stepMs = 10;                    // the engine's sleep when there is nothing to read
};

// The radio link engine on Port_ZigBee. It speaks the API frames of the radio modem: it asks
// the local modem "AI" now and then (ComLed1 lights while it answers in time and goes out after
// kMissedAnswersForLampOut missed answers), sends the pending command and settings frames and
// the poll requests as Transmit Requests, one in flight at a time, and joins the report parts
// of Receive Packets into reports for the mailbox. While the local modem does not answer,
// nothing is transmitted.
class RadioLinkEngine final : public LinkEngine {
public:
    static constexpr int kMissedAnswersForLampOut = 2;
    static inline const QByteArray kModemCheckCommand = QByteArrayLiteral("AI");

    RadioLinkEngine(SerialPort& port, LinkMailbox& mailbox, LinkEventQueue& events, Clock& clock,
                    RadioTimings timings = {});
    ~RadioLinkEngine() override;

    // Any thread: the radio objects; taken over at the engine's next step.
    void setPeers(QList<RadioPeer> peers) { peers_.put(std::move(peers)); }

private:
    struct Target {
        int object = 0;
        quint64 address = 0;
        std::optional<qint64> lastPollAt;
    };
    struct InFlight {
        quint8 frameId = 0;
        int object = 0;
        qint64 deadline = 0;
        std::optional<PendingFrame> frame; // none for a poll
    };
    struct ModemQuery {
        quint8 frameId = 0;
        qint64 deadline = 0;
    };

    void run() override;
    void step();
    void takeOverPeers(const QList<RadioPeer>& peers);
    void readFrames(qint64 now);
    void handleFrame(const QByteArray& frameData, qint64 now);
    void handleReceivePacket(const radio::ReceivePacket& packet, qint64 now);
    void checkModem(qint64 now);
    void startTransmit(qint64 now);
    bool sendPendingFrame(const PendingFrame& frame, qint64 now);
    bool sendPoll(qint64 now);
    void transmit(const Target& target, const QByteArray& payload, qint64 now, std::optional<PendingFrame> frame);
    void finishTransmit(bool delivered);
    const Target* targetWithAddress(quint64 address) const;
    const Target* targetForObject(int object) const;
    quint8 nextFrameId();

    RadioTimings timings_;
    Handoff<QList<RadioPeer>> peers_;

    // Engine thread only.
    QList<Target> targets_;
    radio::ApiFrameReader reader_;
    radio::ReportAssembler assembler_;
    std::optional<InFlight> inFlight_;
    std::optional<ModemQuery> modemQuery_;
    qint64 nextModemCheckAt_ = 0;
    int missedAnswers_ = 0;
    quint8 lastFrameId_ = 0;
};

} // namespace kvt::links
