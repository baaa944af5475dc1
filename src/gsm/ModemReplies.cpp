#include "gsm/ModemReplies.h"

#include "gsm/ModemInterface.h"

namespace kvt::modem {

namespace {

constexpr int kNationalNumberLength = 11;
constexpr int kDirectionIncoming = 1;

// Every complete line, without its CR LF. A text without CR LF holds none.
QList<QStringView> CompleteLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype from = 0;
    for (qsizetype end = text.indexOf(kCrLf); end >= 0; end = text.indexOf(kCrLf, from)) {
        lines.append(text.mid(from, end - from));
        from = end + kCrLf.size();
    }
    return lines;
}

// The complete lines holding `key`, each from the key on.
QList<QStringView> KeyLines(QStringView text, QLatin1String key)
{
    QList<QStringView> found;
    for (QStringView line : CompleteLines(text)) {
        const qsizetype at = line.indexOf(key);
        if (at >= 0)
            found.append(line.mid(at));
    }
    return found;
}

QChar CharAt(QStringView line, qsizetype at)
{
    return at < line.size() ? line[at] : QChar();
}

std::optional<int> Digits(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (QChar ch : text) {
        if (!ch.isDigit())
            return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The parameters after "+XXXX:" of a key line, split at commas.
QList<QStringView> Parameters(QStringView keyLine)
{
    const qsizetype colon = keyLine.indexOf(QLatin1Char(':'));
    QList<QStringView> fields;
    for (QStringView field : keyLine.mid(colon + 1).split(QLatin1Char(',')))
        fields.append(field.trimmed());
    return fields;
}

} // namespace

FinalResult LastFinalResult(QStringView text)
{
    FinalResult last = FinalResult::None;
    for (QStringView raw : CompleteLines(text)) {
        const QStringView line = raw.trimmed();
        if (line == kOk)
            last = FinalResult::Ok;
        else if (line == kError || line.startsWith(kEquipmentError) || line.startsWith(kMessageServiceError))
            last = FinalResult::Error;
        else if (line == kBusy)
            last = FinalResult::Busy;
        else if (line == kNoDialtone)
            last = FinalResult::NoDialtone;
        else if (line == kNoCarrier)
            last = FinalResult::NoCarrier;
        else if (line == kNoAnswer)
            last = FinalResult::NoAnswer;
    }
    return last;
}

std::optional<bool> RegisteredInNetwork(QStringView text)
{
    const QList<QStringView> lines = KeyLines(text, kRegistration);
    if (lines.isEmpty())
        return std::nullopt;
    const QStringView line = lines.last();
    // The unsolicited form carries the state alone, where the solicited one has "n,".
    constexpr qsizetype kUnsolicitedStateOffset = kRegistrationStateOffset - 2;
    const bool unsolicited = line.trimmed().size() == kUnsolicitedStateOffset + 1;
    const QChar state = CharAt(line, unsolicited ? kUnsolicitedStateOffset : kRegistrationStateOffset);
    return state == kRegisteredHome || state == kRegisteredRoaming;
}

std::optional<int> SignalPercent(QStringView text)
{
    const QList<QStringView> lines = KeyLines(text, kSignalQuality);
    if (lines.isEmpty())
        return std::nullopt;
    const QStringView line = lines.last();
    const bool twoDigits = CharAt(line, kSignalTwoDigitCommaOffset) == QLatin1Char(',');
    const std::optional<int> rssi = Digits(line.mid(kSignalDigitsOffset, twoDigits ? 2 : 1));
    if (!rssi)
        return std::nullopt;
    if (*rssi > kStrongestSignal)
        return 0;
    constexpr int kFullBar = 100;
    return *rssi * kFullBar / kStrongestSignal;
}

QStringList NewMessageIndexes(QStringView text)
{
    QStringList indexes;
    for (QStringView line : KeyLines(text, kNewMessage)) {
        const QStringView index = Parameters(line).last();
        if (Digits(index))
            indexes.append(index.toString());
    }
    return indexes;
}

std::optional<int> StoredMessageCount(QStringView text)
{
    const QList<QStringView> lines = KeyLines(text, kStorage);
    if (lines.isEmpty())
        return std::nullopt;
    const QList<QStringView> fields = Parameters(lines.last());
    const bool named = fields.value(0).startsWith(QLatin1Char('"'));
    return Digits(fields.value(named ? 1 : 0));
}

std::optional<QString> IncomingCallerNumber(QStringView text)
{
    std::optional<QString> number;
    for (QStringView line : KeyLines(text, kCallList)) {
        const qsizetype open = line.indexOf(QLatin1Char('"'));
        const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char('"'), open + 1);
        QString digits = close < 0 ? QString() : line.mid(open + 1, close - open - 1).toString();
        if (digits.startsWith(QLatin1Char('+')))
            digits.remove(0, 1);
        if (digits.size() == kNationalNumberLength && digits.startsWith(kNationalPrefix))
            digits[0] = kInternationalPrefix;
        const bool incoming = Digits(Parameters(line).value(1)) == kDirectionIncoming;
        if (incoming)
            return digits;
        if (!number)
            number = digits;
    }
    return number;
}

OutgoingCallReading ReadOutgoingCall(QStringView reading)
{
    OutgoingCallReading seen;
    bool anyCall = false;
    for (QStringView raw : CompleteLines(reading)) {
        const QStringView line = raw.trimmed();
        anyCall = anyCall || line.contains(kCallListLine);
        seen.alerting = seen.alerting || line.startsWith(kCallAlerting);
        seen.active = seen.active || line.startsWith(kCallActive);
        seen.busy = seen.busy || line == kBusy;
        seen.noDialtone = seen.noDialtone || line == kNoDialtone;
        seen.noCarrier = seen.noCarrier || line == kNoCarrier;
        seen.noAnswer = seen.noAnswer || line == kNoAnswer;
        seen.noCall = seen.noCall || line == kOk;
    }
    seen.noCall = seen.noCall && !anyCall;
    return seen;
}

bool MessageAccepted(QStringView text)
{
    return !KeyLines(text, kMessageSent).isEmpty();
}

} // namespace kvt::modem
