#include "gsm/MessageIntake.h"

#include "common/Clock.h"
#include "common/EventSink.h"
#include "common/Hex.h"
#include "common/MainTimers.h"
#include "common/TextPos.h"
#include "common/Win1251.h"
#include "gsm/AtExchange.h"
#include "gsm/GsmEngineHost.h"
#include "gsm/ModemEngineState.h"
#include "gsm/ModemInterface.h"
#include "gsm/ModemReplies.h"
#include "gsm/PduConv.h"
#include "gsm/TerminalAnswerList.h"
#include "packets/StatePacketArrival.h"

namespace kvt::gsm {

namespace {
constexpr int kSettleMs = 200;
constexpr int kReadWaitMs = 1500;
constexpr int kReplyCount = 512;
constexpr int kDeleteAttempts = 3;
constexpr int kBeforeDeleteMs = 100;
constexpr int kDeleteWaitMs = 2000;
constexpr int kDeleteReadCount = 60;
// In the order of the dispatch point the object's phone stands at these places (1-based).
constexpr int kOrderedPhoneAt = 10;
constexpr int kOrderedPhoneLength = 11;
// Codings of the data coding scheme's low digit that make a data message.
const QString kEightBitCoding = QStringLiteral("4");
const QString kSevenBitCoding = QStringLiteral("0");
// A 7-bit message is a data message when its user-data length reads this.
const QString kSevenBitPacketLength = QStringLiteral("12");
const QString kGsmLink = QStringLiteral("GSM");
const QString kReadHeader = QStringLiteral("+CMGR:");
} // namespace

const QString MessageIntake::kNewStateTitle = QStringLiteral("Получено новое состояние объекта по GSM каналу");
const QString MessageIntake::kStoredStateTitle = QStringLiteral("Найдено в памяти GSM модема новое состояние объекта");
const QString MessageIntake::kDispatchPointPollTitle = QStringLiteral("По команде ЦДП производится опрос объекта");
const QString MessageIntake::kTerminalAnswerTitle = QStringLiteral("Получен по GSM каналу ответ на команду от объекта");
const QString MessageIntake::kLastChangeCaption = QStringLiteral("      Последние изменения: ");
const QString MessageIntake::kTerminalMarker = QStringLiteral("5445524D494E414C3A0D");

QString TextOfHexPairs(QStringView hex, int limit)
{
    QByteArray bytes;
    for (qsizetype at = 0; at + 1 < hex.size() && (limit < 0 || bytes.size() < limit); at += 2) {
        const int high = HexDigitValue(hex[at]);
        const int low = HexDigitValue(hex[at + 1]);
        if (high < 0 || low < 0)
            break;
        bytes.append(static_cast<char>(high * 16 + low));
    }
    return FromWin1251(bytes);
}

QString MessageIntake::fetch(const QString& index)
{
    AtExchange& exchange = parts_.exchange;
    exchange.purge();
    exchange.wait(kSettleMs);
    exchange.write(modem::ReadMessageCommand(index));
    exchange.wait(kReadWaitMs);
    return exchange.readLines(kReplyCount);
}

void MessageIntake::take(const QString& index, MessageVariant variant)
{
    const QString reply = fetch(index);
    const DeliverPdu pdu = DecodeDeliverPdu(reply);
    // A message without PDU is kept (and deleted) only when the modem has answered in full;
    // an empty slot, an error or an answer still on its way leave the slot alone.
    const bool readInFull = reply.contains(kReadHeader) && modem::LastFinalResult(reply) == modem::FinalResult::Ok;
    if (!pdu.found && !readInFull)
        return;

    const FetchedMessage message{pdu.found ? pdu.text : reply.trimmed(), index, pdu.sender, pdu.stamp,
                                 parts_.clock.now()};
    const std::optional<ReceiveJournalEntry> known = parts_.journal.find(message.pdu);
    if (known && known->outcome != ReceiveOutcome::Pending) {
        // Handled before (the console stopped before the deletion): only the deletion is left.
        remove(index, known->id);
        return;
    }
    const qint64 entry = known ? known->id : parts_.journal.recordFetched(message);
    const ReceiveOutcome outcome = pdu.found ? handle(pdu, variant, entry) : ReceiveOutcome::NoPdu;
    if (outcome != ReceiveOutcome::Stored)
        parts_.journal.recordOutcome(entry, outcome);
    remove(index, entry);
}

ReceiveOutcome MessageIntake::handle(const DeliverPdu& pdu, MessageVariant variant, qint64 entry)
{
    if (variant == MessageVariant::New)
        parts_.view.showLastChangeLine(parts_.view.selectedNodeText() + kLastChangeCaption + pdu.stamp);
    if (variant == MessageVariant::Stored && pdu.sender.size() > kLongestStoredSender)
        return ReceiveOutcome::NotAPacket;
    if (pdu.sender == parts_.settings.dispatchPointPhone() && parts_.settings.forwardingOn())
        return dispatchPointOrder(pdu);

    const std::optional<ObjectEntry> object = parts_.objects.findByPhone(pdu.sender);
    if (!object)
        return ReceiveOutcome::UnknownSender;
    const bool data = pdu.coding == kEightBitCoding
        || (pdu.coding == kSevenBitCoding && pdu.udLengthText == kSevenBitPacketLength);

    const qsizetype marker = pdu.userData.indexOf(kTerminalMarker);
    if (marker >= 0) {
        const QString answer = TextOfHexPairs(QStringView(pdu.userData).mid(marker), kLongestTerminalAnswer);
        parts_.terminalAnswers.append(QStringLiteral("(") + object->name + QStringLiteral("  ") + pdu.stamp
                                      + QStringLiteral(")") + answer);
        parts_.timers.start(MainTimer::Timer1);
        parts_.log.LogEvent(kTerminalAnswerTitle, object->name, EventColour::Yellow);
        return ReceiveOutcome::TerminalAnswer;
    }
    if (!data)
        return ReceiveOutcome::NotAPacket;

    ArrivedStatePacket arrived;
    arrived.objectCode = object->code;
    arrived.name = object->name;
    arrived.phone = object->phone;
    arrived.stamp = pdu.stamp;
    arrived.packet = pdu.userData.leftJustified(kStatePacketLength, QChar(0));
    arrived.logTitle = variant == MessageVariant::New ? kNewStateTitle : kStoredStateTitle;
    arrived.linkOfLastContact = kGsmLink;
    arrived.alsoCommit = [this, entry](qint64 packetCode) { parts_.journal.recordStored(entry, packetCode); };
    parts_.arrival.run(arrived);
    return ReceiveOutcome::Stored;
}

ReceiveOutcome MessageIntake::dispatchPointOrder(const DeliverPdu& pdu)
{
    const QString order = TextOfHexPairs(pdu.userData);
    const std::optional<ObjectEntry> object =
        parts_.objects.findByPhone(Copy(order, kOrderedPhoneAt, kOrderedPhoneLength));
    if (!object)
        return ReceiveOutcome::DispatchPointOrder;
    parts_.view.selectObjectNode(object->code);
    parts_.log.LogEvent(kDispatchPointPollTitle, object->name, EventColour::Green);
    parts_.state.dispatchPollFlag = true;
    parts_.view.pollSelectedObject();
    return ReceiveOutcome::DispatchPointOrder;
}

void MessageIntake::remove(const QString& index, qint64 entry)
{
    AtExchange& exchange = parts_.exchange;
    // What the handling left unread must not pass for the deletion's OK.
    exchange.purge();
    for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
        exchange.wait(kBeforeDeleteMs);
        exchange.write(modem::DeleteMessageCommand(index));
        exchange.wait(kDeleteWaitMs);
        if (modem::LastFinalResult(exchange.readLines(kDeleteReadCount)) == modem::FinalResult::Ok) {
            parts_.journal.recordDeleted(entry);
            return;
        }
    }
}

} // namespace kvt::gsm
