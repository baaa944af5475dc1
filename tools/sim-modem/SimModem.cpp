#include "SimModem.h"

#include "SubmitPdu.h"
#include "common/Hex.h"
#include "common/Win1251.h"
#include "gsm/DeliverPduBuilder.h"
#include "gsm/ModemInterface.h"

#include <QDateTime>
#include <QTimer>

namespace kvt::sim {

namespace {

const QByteArray kCrLf("\r\n");
// The start of a terminal request and of its answer: "TERMINAL:" and CR.
const QByteArray kTerminalMarker("TERMINAL:\r");
constexpr char kCtrlZ = 26;
constexpr char kEscape = 27;
constexpr char kBackspace = 8;
constexpr int kMaxLine = 600;
constexpr int kMaxSubmitBody = 2 * 200;
constexpr int kMessageReferenceModulo = 256;
// +CMS ERROR codes of 3GPP TS 27.005 §3.2.5.
constexpr int kCmsOperationNotAllowed = 302;
constexpr int kCmsInvalidPduMode = 304;
constexpr int kCmsInvalidIndex = 321;
constexpr int kCmsNoNetwork = 331;
constexpr int kCmsUnknown = 500;
constexpr int kUssdDcs = 15;

QByteArray CmsError(int code)
{
    return "+CMS ERROR: " + QByteArray::number(code);
}

// Parameter list of a command: "a,b,c" with quotes removed.
QByteArrayList Parameters(const QByteArray& text)
{
    QByteArrayList list = text.split(',');
    for (QByteArray& item : list)
        item = item.trimmed().replace('"', "");
    return list;
}

std::optional<int> Number(const QByteArray& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString Printable(const QByteArray& bytes)
{
    return FromWin1251(bytes);
}

} // namespace

SimModem::SimModem(SimSettings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), store_(settings_.storeCapacity), calls_(settings_.calls)
{
    connect(&calls_, &CallModel::unsolicited, this, &SimModem::send);
    connect(&calls_, &CallModel::answered, this, [this](const QString& number) {
        emit event(QStringLiteral("CALL %1 answered").arg(number));
        if (answerMessage_ && number == answerNumber_) {
            const StoredMessage reply = *answerMessage_;
            // The object picks up, hangs up and sends its state; stamped when it arrives.
            QTimer::singleShot(settings_.answerSmsDelayMs, this, [this, reply] {
                deliver(makeMessage(reply.sender, reply.data, reply.payload), true);
            });
        }
    });
}

void SimModem::send(const QByteArray& bytes)
{
    if (!silent_ && !bytes.isEmpty())
        emit output(bytes);
}

void SimModem::answer(const QByteArrayList& info, const QByteArray& final)
{
    QByteArray text;
    if (!info.isEmpty())
        text += kCrLf + info.join(kCrLf) + kCrLf;
    text += kCrLf + final + kCrLf;
    send(text);
}

void SimModem::receive(const QByteArray& bytes)
{
    if (silent_)
        return; // a modem that is off hears nothing
    if (settings_.echo)
        send(bytes);
    for (char byte : bytes) {
        if (input_ == Input::SubmitBody) {
            if (byte == kCtrlZ) {
                finishSubmit();
            } else if (byte == kEscape) {
                input_ = Input::Command;
                answer({});
            } else if (submitBody_.size() < kMaxSubmitBody && byte != '\r' && byte != '\n') {
                submitBody_ += byte;
            }
            continue;
        }
        if (byte == '\r') {
            const QByteArray line = line_;
            line_.clear();
            handleLine(line);
        } else if (byte == '\n') {
            continue;
        } else if (byte == kBackspace) {
            line_.chop(1);
        } else if (line_.size() < kMaxLine) {
            line_ += byte;
        }
    }
}

void SimModem::handleLine(const QByteArray& rawLine)
{
    const QByteArray line = rawLine.trimmed();
    if (line.size() < 2 || line.left(2).toUpper() != "AT")
        return; // not a command: a modem ignores it
    const QByteArray command = line.mid(2);
    handleCommand(command, command.toUpper());
}

void SimModem::handleCommand(const QByteArray& command, const QByteArray& upper)
{
    auto after = [&](const char* prefix) { return command.mid(qsizetype(qstrlen(prefix))); };
    if (upper.isEmpty() || upper == "Z" || upper == "&F") {
        answer({});
    } else if (upper == "E0" || upper == "E1" || upper == "E") {
        settings_.echo = upper == "E1";
        answer({});
    } else if (upper == "I") {
        answer({"KVT-SIM GSM modem"});
    } else if (upper == "+CREG?") {
        answer({QStringLiteral("+CREG: %1,%2").arg(registrationMode_).arg(settings_.registration).toLatin1()});
    } else if (upper.startsWith("+CREG=")) {
        const auto mode = Number(after("+CREG="));
        if (mode && *mode >= 0 && *mode <= 2) {
            registrationMode_ = *mode;
            answer({});
        } else {
            answer({}, "ERROR");
        }
    } else if (upper == "+CSQ") {
        answer({QStringLiteral("+CSQ: %1,%2").arg(settings_.rssi).arg(settings_.ber).toLatin1()});
    } else if (upper.startsWith("+CNMI=")) {
        const QByteArrayList p = Parameters(after("+CNMI="));
        indicationsOn_ = p.size() >= 2 && Number(p[1]) == 1;
        answer({});
    } else if (upper.startsWith("+CPMS")) {
        storageCommand(command.mid(5));
    } else if (upper == "+CMGF?") {
        answer({"+CMGF: " + QByteArray::number(settings_.messageFormat)});
    } else if (upper.startsWith("+CMGF=")) {
        const auto mode = Number(after("+CMGF="));
        if (mode == 0 || mode == 1) {
            settings_.messageFormat = *mode;
            emit event(QStringLiteral("MODE cmgf=%1").arg(*mode));
            answer({});
        } else {
            answer({}, "ERROR");
        }
    } else if (upper.startsWith("+CMGR=")) {
        readMessage(after("+CMGR="));
    } else if (upper.startsWith("+CMGD=")) {
        deleteMessage(after("+CMGD="));
    } else if (upper.startsWith("+CMGS=")) {
        startSubmit(after("+CMGS="));
    } else if (upper.startsWith("D")) {
        dial(command.mid(1));
    } else if (upper == "A") {
        if (calls_.answer())
            answer({});
        else
            send(kCrLf + "NO CARRIER" + kCrLf);
    } else if (upper == "H" || upper == "H0") {
        calls_.hangUp();
        answer({});
    } else if (upper == "+CLCC") {
        const QByteArray line = calls_.listLine();
        answer(line.isEmpty() ? QByteArrayList{} : QByteArrayList{line});
    } else if (upper.startsWith("+CMEC=") || upper.startsWith("+CUSD=")) {
        answer({});
    } else if (upper.startsWith("+CKPD=")) {
        if (upper.contains('E'))
            emit event(QStringLiteral("USSD session ended"));
        answer({});
    } else {
        answer({}, "ERROR");
    }
}

void SimModem::storageCommand(const QByteArray& rest)
{
    static const QByteArrayList kMemories{"SM", "ME", "MT"};
    const QByteArray counts = QStringLiteral("%1,%2").arg(store_.used()).arg(store_.capacity()).toLatin1();
    if (rest == "?") {
        const QByteArray one = "\"SM\"," + counts;
        answer({"+CPMS: " + one + "," + one + "," + one});
        return;
    }
    if (!rest.startsWith('=')) {
        answer({}, "ERROR");
        return;
    }
    const QByteArrayList memories = Parameters(rest.mid(1));
    for (const QByteArray& memory : memories) {
        if (!kMemories.contains(memory.toUpper())) {
            answer({}, CmsError(kCmsOperationNotAllowed));
            return;
        }
    }
    answer({"+CPMS: " + counts + "," + counts + "," + counts});
}

QByteArray SimModem::readResponse(int index, const StoredMessage& message) const
{
    Q_UNUSED(index);
    if (settings_.messageFormat == 0) {
        const int tpduOctets = int(message.pdu.size() / 2) - 1 - message.pdu.left(2).toInt(nullptr, 16);
        return QStringLiteral("+CMGR: %1,,%2").arg(message.read ? 1 : 0).arg(tpduOctets).toLatin1() + kCrLf
            + message.pdu.toLatin1();
    }
    const QByteArray status = message.read ? "REC READ" : "REC UNREAD";
    const QByteArray stamp = message.stamp.toString(QStringLiteral("yy/MM/dd,HH:mm:ss")).toLatin1() + "+00";
    const QByteArray body = message.data ? BytesToHex(message.payload).toLatin1() : message.payload;
    return "+CMGR: \"" + status + "\",\"+" + message.sender.toLatin1() + "\",,\"" + stamp + "\"" + kCrLf + body;
}

void SimModem::readMessage(const QByteArray& parameters)
{
    const auto index = Number(parameters);
    StoredMessage* message = index ? store_.at(*index) : nullptr;
    if (!message) {
        answer({}, CmsError(kCmsInvalidIndex));
        return;
    }
    const QByteArray response = readResponse(*index, *message);
    message->read = true;
    answer({response});
}

void SimModem::deleteMessage(const QByteArray& parameters)
{
    constexpr int kDeleteAll = 4;
    const QByteArrayList p = Parameters(parameters);
    const auto index = Number(p.value(0));
    if (!index || !store_.validIndex(*index)) {
        answer({}, CmsError(kCmsInvalidIndex));
        return;
    }
    if (p.size() > 1 && Number(p[1]) == kDeleteAll) {
        for (int i = 1; i <= store_.capacity(); ++i)
            store_.remove(i);
    } else {
        store_.remove(*index);
    }
    emit event(QStringLiteral("DELETED %1").arg(*index));
    answer({});
}

void SimModem::startSubmit(const QByteArray& parameters)
{
    if (settings_.messageFormat == 0) {
        const auto length = Number(parameters);
        if (!length || *length <= 0) {
            answer({}, CmsError(kCmsInvalidPduMode));
            return;
        }
        submitLength_ = *length;
    } else {
        submitDestination_ = QString::fromLatin1(Parameters(parameters).value(0));
    }
    submitBody_.clear();
    input_ = Input::SubmitBody;
    send(kCrLf + QByteArray(modem::kSendPrompt.data(), modem::kSendPrompt.size()));
}

void SimModem::finishSubmit()
{
    input_ = Input::Command;
    QString destination = submitDestination_;
    if (settings_.messageFormat == 0) {
        const SubmittedPdu pdu = ReadSubmitPdu(QString::fromLatin1(submitBody_));
        if (!pdu.valid || pdu.tpduLength != submitLength_) {
            emit event(QStringLiteral("REFUSED %1").arg(QString::fromLatin1(submitBody_)));
            answer({}, CmsError(kCmsInvalidPduMode));
            return;
        }
        destination = pdu.destination;
    }
    if (failNextSubmit_) {
        const int code = *failNextSubmit_;
        failNextSubmit_.reset();
        emit event(QStringLiteral("FAILED %1 %2").arg(destination, Printable(submitBody_)));
        answer({}, CmsError(code));
        return;
    }
    if (!registered()) {
        answer({}, CmsError(kCmsNoNetwork));
        return;
    }
    const int reference = messageReference_;
    messageReference_ = (messageReference_ + 1) % kMessageReferenceModulo;
    emit event(QStringLiteral("SENT %1 %2").arg(destination, Printable(submitBody_)));
    if (settings_.messageFormat == 0) {
        const SubmittedPdu pdu = ReadSubmitPdu(QString::fromLatin1(submitBody_));
        if (pdu.eightBit)
            dataSubmitted(destination, pdu.userData);
    }
    QTimer::singleShot(settings_.submitDelayMs, this, [this, reference] {
        answer({"+CMGS: " + QByteArray::number(reference)});
    });
}

void SimModem::dataSubmitted(const QString& destination, const QString& userData)
{
    emit event(QStringLiteral("DATA %1 %2").arg(destination, userData));
    static const QString marker = BytesToHex(kTerminalMarker);
    if (!userData.startsWith(marker))
        return;
    const QByteArray request = HexToBytes(QStringView(userData).mid(marker.size()));
    emit event(QStringLiteral("TERMINAL %1 %2").arg(destination, FromWin1251(request).trimmed()));
    const QString answer = terminalAnswers_.value(destination);
    if (answer.isEmpty())
        return;
    // The object runs the command and answers; stamped when the answer arrives.
    const QByteArray payload = kTerminalMarker + ToWin1251(answer) + kCrLf;
    QTimer::singleShot(settings_.answerSmsDelayMs, this, [this, destination, payload] {
        deliver(makeMessage(destination, true, payload), true);
    });
}

void SimModem::dial(const QByteArray& rawTarget)
{
    QByteArray target = rawTarget.trimmed();
    const bool voice = target.endsWith(';');
    if (voice)
        target.chop(1);
    if (target.contains('*') || target.contains('#')) {
        ussd(target);
        return;
    }
    if (!voice) {
        send(kCrLf + "NO CARRIER" + kCrLf); // no data calls
        return;
    }
    if (!registered()) {
        answer({}, "NO CARRIER");
        return;
    }
    const QString number = QString::fromLatin1(target.startsWith('+') ? target.mid(1) : target);
    const QByteArray result = calls_.dial(number);
    emit event(QStringLiteral("CALL %1 %2 (%3)").arg(number, QString::fromLatin1(result),
                                                     CallOutcomeName(calls_.outcomeFor(number))));
    answer({}, result);
}

void SimModem::ussd(const QByteArray& code)
{
    emit event(QStringLiteral("USSD %1").arg(QString::fromLatin1(code)));
    if (ussdError_ || !registered()) {
        answer({}, "ERROR");
        return;
    }
    answer({});
    const QByteArray text = ToWin1251(settings_.ussdAnswer);
    QTimer::singleShot(settings_.ussdDelayMs, this, [this, text] {
        send(kCrLf + "+CUSD: 0,\"" + text + "\"," + QByteArray::number(kUssdDcs) + kCrLf);
    });
}

std::optional<int> SimModem::deliver(StoredMessage message, bool announce)
{
    const std::optional<int> index = store_.add(std::move(message));
    if (!index) {
        emit event(QStringLiteral("MEMORY FULL: message dropped"));
        return index;
    }
    emit event(QStringLiteral("STORED %1").arg(*index));
    if (announce && indicationsOn_ && !silent_)
        send(kCrLf + "+CMTI: \"SM\"," + QByteArray::number(*index) + kCrLf);
    return index;
}

StoredMessage SimModem::makeMessage(const QString& sender, bool data, const QByteArray& payload) const
{
    StoredMessage message;
    message.sender = sender;
    message.data = data;
    message.payload = payload;
    message.stamp = clock_.now();
    DeliverMessage deliver;
    deliver.sender = sender;
    deliver.stamp = message.stamp;
    deliver.serviceCentre = settings_.serviceCentre;
    message.pdu = data ? BuildDeliverDataPdu(deliver, payload) : BuildDeliverTextPdu(deliver, FromWin1251(payload));
    return message;
}

StoredMessage SimModem::makeRawMessage(const QString& pdu) const
{
    StoredMessage message;
    message.data = true;
    message.pdu = pdu.toUpper();
    message.stamp = clock_.now();
    return message;
}

void SimModem::farEndHangsUp()
{
    if (!calls_.inCall())
        return;
    calls_.hangUp();
    send(kCrLf + "NO CARRIER" + kCrLf);
}

void SimModem::setSignal(int rssi, int ber)
{
    settings_.rssi = rssi;
    settings_.ber = ber;
}

void SimModem::setSilent(bool silent)
{
    silent_ = silent;
    line_.clear();
    input_ = Input::Command;
}

void SimModem::setUssdAnswer(const QString& text, bool error)
{
    settings_.ussdAnswer = text;
    ussdError_ = error;
}

void SimModem::setTerminalAnswer(const QString& number, const QString& text)
{
    if (text.isEmpty())
        terminalAnswers_.remove(number);
    else
        terminalAnswers_.insert(number, text);
}

void SimModem::setAnswerMessage(const QString& number, bool data, const QByteArray& payload)
{
    answerNumber_ = number;
    answerMessage_ = makeMessage(number, data, payload);
}

QString SimModem::statusText() const
{
    return QStringLiteral("STATUS echo=%1 cmgf=%2 cnmi=%3 creg=%4 csq=%5,%6 silent=%7 stored=%8/%9 call=%10")
        .arg(settings_.echo ? 1 : 0)
        .arg(settings_.messageFormat)
        .arg(indicationsOn_ ? 1 : 0)
        .arg(settings_.registration)
        .arg(settings_.rssi)
        .arg(settings_.ber)
        .arg(silent_ ? 1 : 0)
        .arg(store_.used())
        .arg(store_.capacity())
        .arg(QString::fromLatin1(calls_.listLine().isEmpty() ? QByteArray("none") : calls_.listLine()));
}

} // namespace kvt::sim
