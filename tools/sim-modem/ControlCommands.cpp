#include "ControlCommands.h"

#include "SimModem.h"
#include "common/Hex.h"
#include "common/Win1251.h"

#include <QRegularExpression>

namespace kvt::sim {

namespace {

constexpr int kDefaultSubmitError = 500;
constexpr int kMsPerSecond = 1000;

bool IsPhone(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^\\+?[0-9]{3,20}$"));
    return digits.match(text).hasMatch();
}

QString Digits(const QString& phone)
{
    return phone.startsWith(QLatin1Char('+')) ? phone.mid(1) : phone;
}

// "text Hello world" or "data 0102" -> payload; nothing when malformed.
std::optional<std::pair<bool, QByteArray>> Payload(const QStringList& words, int from, const QString& line)
{
    const QString kind = words.value(from);
    if (kind == QLatin1String("data")) {
        const QString hex = words.value(from + 1).toUpper();
        if (hex.size() % 2 != 0 || (!hex.isEmpty() && !IsHexText(hex)))
            return std::nullopt;
        return std::pair{true, HexToBytes(hex)};
    }
    if (kind == QLatin1String("text")) {
        // The text is the rest of the line after the word "text", spaces kept.
        static const QRegularExpression head(QStringLiteral("^\\s*(\\S+\\s+){%1}text\\s?"));
        QRegularExpression pattern(head.pattern().arg(from));
        const QString text = line.mid(pattern.match(line).capturedLength());
        return std::pair{false, ToWin1251(text)};
    }
    return std::nullopt;
}

} // namespace

ControlCommands::ControlCommands(SimModem& modem, QObject* parent) : QObject(parent), modem_(modem)
{
    silence_.setSingleShot(true);
    connect(&silence_, &QTimer::timeout, this, [this] {
        modem_.setSilent(false);
        emit note(QStringLiteral("back after silence"));
    });
}

QString ControlCommands::deliver(const QStringList& words, const QString& line, bool announce)
{
    if (!IsPhone(words.value(1)))
        return QStringLiteral("ERROR bad number");
    const auto payload = Payload(words, 2, line);
    if (!payload)
        return QStringLiteral("ERROR expected text TEXT or data HEX");
    const auto index = modem_.deliver(modem_.makeMessage(Digits(words[1]), payload->first, payload->second), announce);
    return index ? QStringLiteral("OK %1 %2").arg(words[0]).arg(*index) : QStringLiteral("ERROR memory full");
}

QString ControlCommands::run(const QString& rawLine)
{
    const QString line = rawLine.trimmed();
    const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty() || words[0].startsWith(QLatin1Char('#')))
        return {};
    emit note(line);
    const QString& verb = words[0];
    auto ok = [&] { return QStringLiteral("OK ") + verb; };
    if (verb == QLatin1String("sms") || verb == QLatin1String("store"))
        return deliver(words, line, verb == QLatin1String("sms"));
    if (verb == QLatin1String("sms-pdu") || verb == QLatin1String("store-pdu")) {
        const QString pdu = words.value(1).toUpper();
        if (pdu.size() < 2 || pdu.size() % 2 != 0 || !IsHexText(pdu))
            return QStringLiteral("ERROR bad PDU");
        const auto index = modem_.deliver(modem_.makeRawMessage(pdu), verb == QLatin1String("sms-pdu"));
        return index ? QStringLiteral("OK %1 %2").arg(verb).arg(*index) : QStringLiteral("ERROR memory full");
    }
    if (verb == QLatin1String("ring")) {
        if (!IsPhone(words.value(1)))
            return QStringLiteral("ERROR bad number");
        return modem_.ring(Digits(words[1]), words.value(2).toInt()) ? ok() : QStringLiteral("ERROR line busy");
    }
    if (verb == QLatin1String("hangup")) {
        modem_.farEndHangsUp();
        return ok();
    }
    if (verb == QLatin1String("signal")) {
        bool valid = false;
        const int rssi = words.value(1).toInt(&valid);
        if (!valid)
            return QStringLiteral("ERROR expected RSSI");
        modem_.setSignal(rssi, words.value(2, QStringLiteral("0")).toInt());
        return ok();
    }
    if (verb == QLatin1String("registration")) {
        bool valid = false;
        const int state = words.value(1).toInt(&valid);
        if (!valid)
            return QStringLiteral("ERROR expected STATE");
        modem_.setRegistration(state);
        return ok();
    }
    if (verb == QLatin1String("silent")) {
        modem_.setSilent(true);
        const double seconds = words.value(1).toDouble();
        if (seconds > 0)
            silence_.start(int(seconds * kMsPerSecond));
        return ok();
    }
    if (verb == QLatin1String("back")) {
        silence_.stop();
        modem_.setSilent(false);
        return ok();
    }
    if (verb == QLatin1String("fail-cmgs")) {
        modem_.failNextSubmit(words.size() > 1 ? words[1].toInt() : kDefaultSubmitError);
        return ok();
    }
    if (verb == QLatin1String("ussd")) {
        modem_.setUssdAnswer(line.mid(verb.size()).trimmed(), false);
        return ok();
    }
    if (verb == QLatin1String("ussd-error")) {
        modem_.setUssdAnswer({}, true);
        return ok();
    }
    if (verb == QLatin1String("call-outcome")) {
        // call-outcome [NUMBER] OUTCOME [SECONDS]: SECONDS of ringing before the outcome.
        QStringList rest = words.mid(1);
        bool timed = false;
        const double seconds = rest.size() > 1 ? rest.last().toDouble(&timed) : 0;
        if (timed && seconds >= 0)
            rest.removeLast();
        const auto outcome = rest.isEmpty() ? std::nullopt : ParseCallOutcome(rest.last());
        if (!outcome || rest.size() > 2 || (timed && seconds < 0))
            return QStringLiteral("ERROR expected [NUMBER] answer|busy|noanswer|nodialtone|reject [SECONDS]");
        const int ringingMs = int(seconds * kMsPerSecond);
        if (rest.size() == 2) {
            modem_.calls().setOutcome(Digits(rest[0]), *outcome);
            if (timed)
                modem_.calls().setRinging(Digits(rest[0]), ringingMs);
        } else {
            modem_.calls().setOutcome(*outcome);
            if (timed)
                modem_.calls().setRinging(ringingMs);
        }
        return ok();
    }
    if (verb == QLatin1String("answer-sms")) {
        if (!IsPhone(words.value(1)))
            return QStringLiteral("ERROR bad number");
        const auto payload = Payload(words, 2, line);
        if (!payload)
            return QStringLiteral("ERROR expected text TEXT or data HEX");
        modem_.setAnswerMessage(Digits(words[1]), payload->first, payload->second);
        return ok();
    }
    if (verb == QLatin1String("terminal-answer")) {
        if (!IsPhone(words.value(1)))
            return QStringLiteral("ERROR bad number");
        // The answer is the rest of the line after the number; "|" starts a new line.
        static const QRegularExpression head(QStringLiteral("^\\s*\\S+\\s+\\S+\\s?"));
        const QString text = line.mid(head.match(line).capturedLength()).trimmed();
        modem_.setTerminalAnswer(Digits(words[1]), QString(text).replace(QLatin1Char('|'), QStringLiteral("\r\n")));
        return ok();
    }
    if (verb == QLatin1String("status"))
        return modem_.statusText();
    if (verb == QLatin1String("quit")) {
        emit quitRequested();
        return ok();
    }
    return QStringLiteral("ERROR unknown command %1").arg(verb);
}

} // namespace kvt::sim
