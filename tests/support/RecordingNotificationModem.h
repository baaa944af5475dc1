#pragma once

#include "common/Errors.h"
#include "packets/NotificationModem.h"
#include "support/RecordingSinks.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace kvt::test {

// The modem as the closing steps of a packet use it: every operation is recorded in order,
// SMS to chosen numbers are refused a number of times, calls end with chosen outcomes.
class RecordingNotificationModem : public NotificationModem {
public:
    struct Operation {
        QString kind;  // "octet", "text", "reset" or "call"
        QString phone;
        QString text;
        qsizetype logLinesBefore = -1;  // lines in `log` when the operation began, when set
    };
    QList<Operation> operations;

    QHash<QString, int> refusals;  // SMS to this number refused this many times, then accepted
    QHash<QString, SubscriberCallOutcome> callOutcomes;  // Answered when not listed
    bool portClosed = false;       // every operation fails like a write to a closed port

    const RecordingEventSink* log = nullptr;  // tags each operation with the log's length

    bool SendOctetTextSms(const QString& text, const QString& phone) override { return sms("octet", text, phone); }
    bool SendTextSms(const QString& text, const QString& phone) override { return sms("text", text, phone); }
    void ResetAfterFailedSms() override { record("reset", QString(), QString()); }
    SubscriberCallOutcome CallSubscriber(const QString& phone) override
    {
        record("call", QString(), phone);
        return callOutcomes.value(phone, SubscriberCallOutcome::Answered);
    }

    QStringList kinds() const
    {
        QStringList out;
        for (const Operation& op : operations)
            out << op.kind + (op.phone.isEmpty() ? QString() : QLatin1Char(' ') + op.phone);
        return out;
    }

private:
    void record(const char* kind, const QString& text, const QString& phone)
    {
        if (portClosed)
            throw PortError(QStringLiteral("Cannot write to the modem port: Bad file descriptor"));
        Operation op{QString::fromLatin1(kind), phone, text};
        if (log)
            op.logLinesBefore = log->lines.size();
        operations.append(op);
    }
    bool sms(const char* kind, const QString& text, const QString& phone)
    {
        record(kind, text, phone);
        int& left = refusals[phone];
        if (left <= 0)
            return true;
        --left;
        return false;
    }
};

} // namespace kvt::test
