#include "gsm/ModemInterface.h"
#include "gsm/ModemReplies.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTest>

#include <optional>

using namespace kvt;

namespace {

// A recorded dialogue: the command as the console writes it and the modem's reply, exactly as
// sent, CR LF included.
struct Dialogue {
    QString command;
    QString reply;
};

Dialogue LoadDialogue(const QString& name)
{
    QFile file(QStringLiteral(KVT_TEST_DATA_DIR "/modem/%1.dump").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing dialogue %s", qPrintable(file.fileName()));
    const QString all = QString::fromLatin1(file.readAll());
    const qsizetype end = all.indexOf(modem::kCrLf);
    return {all.left(end + 2), all.mid(end + 2)};
}

// What each reader makes of a text, as text; nullopt while it has no answer.
std::optional<QString> Read(const QString& reader, const QString& text)
{
    if (reader == "creg") {
        const auto registered = modem::RegisteredInNetwork(text);
        return registered ? std::optional<QString>(*registered ? "registered" : "not registered") : std::nullopt;
    }
    if (reader == "csq") {
        const auto percent = modem::SignalPercent(text);
        return percent ? std::optional<QString>(QString::number(*percent)) : std::nullopt;
    }
    if (reader == "cmti") {
        const QStringList indexes = modem::NewMessageIndexes(text);
        return indexes.isEmpty() ? std::nullopt : std::optional<QString>(indexes.join(','));
    }
    if (reader == "cpms") {
        const auto count = modem::StoredMessageCount(text);
        return count ? std::optional<QString>(QString::number(*count)) : std::nullopt;
    }
    if (reader == "caller")
        return modem::IncomingCallerNumber(text);
    if (reader == "call") {
        const modem::OutgoingCallReading seen = modem::ReadOutgoingCall(text);
        if (seen.alerting)
            return "alerting";
        if (seen.active)
            return "active";
        return seen.noCall ? std::optional<QString>("no call") : std::nullopt;
    }
    if (reader == "cmgs")
        return modem::MessageAccepted(text) ? std::optional<QString>("accepted") : std::nullopt;
    switch (modem::LastFinalResult(text)) {
    case modem::FinalResult::None: return std::nullopt;
    case modem::FinalResult::Ok: return "OK";
    case modem::FinalResult::Error: return "ERROR";
    case modem::FinalResult::Busy: return "BUSY";
    default: return "other";
    }
}

// Unsolicited lines a modem sends at any line boundary.
const QStringList kUnsolicited{"\r\nRING\r\n", "\r\n+CMTI: \"SM\",7\r\n", "\r\n+CREG: 2\r\n"};

} // namespace

class ModemRepliesTest : public QObject {
    Q_OBJECT
private slots:
    void recordedReplies_data()
    {
        QTest::addColumn<QString>("dialogue");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("decidingLine");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& command, const char* reader, const char* line, const char* value) {
            QTest::newRow(name) << name << command << reader << line << value;
        };
        row("csq-15", modem::kSignalQualityQuery, "csq", "+CSQ:", "48");
        row("csq-31", modem::kSignalQualityQuery, "csq", "+CSQ:", "100");
        row("csq-unknown", modem::kSignalQualityQuery, "csq", "+CSQ:", "0");
        row("csq-0", modem::kSignalQualityQuery, "csq", "+CSQ:", "0");
        row("csq-5-echo", modem::kSignalQualityQuery, "csq", "+CSQ:", "16");
        row("creg-home", modem::kRegistrationQuery, "creg", "+CREG: 0", "registered");
        row("creg-roaming", modem::kRegistrationQuery, "creg", "+CREG: 0", "registered");
        row("creg-searching", modem::kRegistrationQuery, "creg", "+CREG: 0", "not registered");
        row("cmti-123", modem::kCrLf, "cmti", "+CMTI:", "123");
        row("cpms-empty", modem::PreferredStorageCommand("SM"), "cpms", "+CPMS:", "0");
        row("cpms-three", modem::PreferredStorageCommand("SM"), "cpms", "+CPMS:", "3");
        row("cpms-query", "AT+CPMS?\r\n", "cpms", "+CPMS:", "12");
        row("clcc-incoming-international", modem::kListCalls, "caller", "+CLCC:", "79123456789");
        row("clcc-incoming-national", modem::kListCalls, "caller", "+CLCC:", "79123456789");
        row("clcc-incoming-hidden", modem::kListCalls, "caller", "+CLCC:", "");
        row("clcc-alerting", modem::kListCalls, "call", "+CLCC:", "alerting");
        row("clcc-active", modem::kListCalls, "call", "+CLCC:", "active");
        row("clcc-none", modem::kListCalls, "call", "OK", "no call");
        row("cmgs-accepted", modem::SendMessageCommand(24), "cmgs", "+CMGS:", "accepted");
        row("cmgs-refused", modem::SendMessageCommand(24), "final", "+CMS ERROR", "ERROR");
        row("atd-busy", modem::VoiceDialCommand("79123456789"), "final", "BUSY", "BUSY");
    }

    // Fed a byte at a time, with unsolicited lines between the reply's lines, a reader answers
    // nothing until the line that decides arrives in full, and from then on its value.
    void recordedReplies()
    {
        QFETCH(QString, dialogue);
        QFETCH(QString, command);
        QFETCH(QString, reader);
        QFETCH(QString, decidingLine);
        QFETCH(QString, expected);
        const Dialogue recorded = LoadDialogue(dialogue);
        QCOMPARE(recorded.command, command);

        QString stream;
        for (const QString& line : recorded.reply.split(modem::kCrLf)) {
            stream += line + modem::kCrLf;
            for (const QString& notice : kUnsolicited) {
                if (!notice.contains(decidingLine.left(5)))
                    stream += notice;
            }
        }
        stream.chop(modem::kCrLf.size());
        const qsizetype decided = stream.indexOf(modem::kCrLf, stream.indexOf(decidingLine)) + modem::kCrLf.size();
        for (qsizetype length = 0; length <= stream.size(); ++length) {
            const std::optional<QString> value = Read(reader, stream.left(length));
            if (length < decided)
                QVERIFY2(!value, qPrintable(QStringLiteral("answered %1 after %2 bytes")
                                                .arg(value.value_or(QString()))
                                                .arg(length)));
            else
                QCOMPARE(value.value_or("(none)"), expected);
        }
    }

    // Where the registration and signal answers are read depends on character positions; a
    // reading that is no number answers nothing.
    void positionsAndMalformedAnswers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unsolicited registration") << "\r\n+CREG: 5\r\n" << "creg" << "registered";
        QTest::newRow("registration mode 2") << "\r\n+CREG: 2,1,\"00C3\",\"1A2B\"\r\n" << "creg" << "registered";
        QTest::newRow("latest registration counts") << "+CREG: 0,1\r\n+CREG: 0,3\r\n" << "creg" << "not registered";
        QTest::newRow("one-digit strength") << "+CSQ: 3,99\r\n" << "csq" << "9";
        QTest::newRow("strength 32") << "+CSQ: 32,0\r\n" << "csq" << "0";
        QTest::newRow("no strength") << "+CSQ: ,0\r\n" << "csq" << "(none)";
        QTest::newRow("two notices") << "+CMTI: \"SM\",4\r\n+CMTI: \"ME\",15\r\n" << "cmti" << "4,15";
        QTest::newRow("index not a number") << "+CMTI: \"SM\",x\r\n" << "cmti" << "(none)";
        QTest::newRow("outgoing and incoming") << "+CLCC: 1,0,0,0,0,\"+79000000000\",145\r\n"
                                                  "+CLCC: 2,1,4,0,0,\"89123456780\",129\r\n"
                                               << "caller" << "79123456780";
        QTest::newRow("ten-digit national") << "+CLCC: 1,1,4,0,0,\"8912345678\",129\r\n" << "caller" << "8912345678";
    }
    void positionsAndMalformedAnswers()
    {
        QFETCH(QString, text);
        QFETCH(QString, reader);
        QFETCH(QString, expected);
        QCOMPARE(Read(reader, text).value_or("(none)"), expected);
    }
};

KVT_TEST(ModemRepliesTest)
#include "ModemRepliesTest.moc"
