#pragma once

// The GSM modem engine in virtual time over a scripted modem port, with the rest of the console
// played by one recording fake.

#include "gsm/DeliverPduBuilder.h"
#include "gsm/GsmEngine.h"
#include "gsm/GsmEngineHost.h"
#include "gsm/ModemConnection.h"
#include "gsm/ModemEngineState.h"
#include "gsm/TerminalAnswerList.h"
#include "serial/LinkIndicators.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedSerialPort.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <memory>

namespace kvt::test {

// The console stopped dead at a step (killed), as far as the engine can tell.
struct Killed : std::runtime_error {
    Killed() : std::runtime_error("killed") {}
};

// The registry, trees, windows, settings, event list, link steps and packet store as the engine
// sees them; every step it asks for is recorded in `steps`.
class FakeConsole final : public gsm::ObjectDirectory, public gsm::EngineView, public gsm::EngineSettings,
                          public gsm::EventLogArchive, public gsm::LinkReportSteps, public gsm::ModemLinkView,
                          public StatePacketArrivalHost {
public:
    explicit FakeConsole(QString store) : store_(std::move(store)) {}

    QList<gsm::ObjectEntry> objects;
    QStringList steps;
    QString killAt; // a step starting with this kills the console
    bool addObjectWindow = false;
    int selected = -1;
    int icon = -1;
    bool pollButtonEnabled = true;
    int busyNotices = 0;
    QString lastChangeLine;
    QString linkCheckLine;
    std::function<void()> onPoll;
    QString dispatchPhone;
    bool forwarding = false;
    bool answerLinkChecks = false;
    int eventLines = 0;
    bool rs485Continues = true;

    void record(const QString& step)
    {
        steps << step;
        if (!killAt.isEmpty() && step.startsWith(killAt))
            throw Killed();
    }
    std::optional<gsm::ObjectEntry> find(const QString& value, QString gsm::ObjectEntry::*field) const
    {
        for (const gsm::ObjectEntry& object : objects) {
            if ((object.*field).compare(value, Qt::CaseInsensitive) == 0)
                return object;
        }
        return std::nullopt;
    }

    std::optional<gsm::ObjectEntry> findByPhone(const QString& phone) override { return find(phone, &gsm::ObjectEntry::phone); }
    std::optional<gsm::ObjectEntry> findByName(const QString& name) override { return find(name, &gsm::ObjectEntry::name); }
    void setTimeRing(int, const QString& text) override { record("Time_Ring " + text); }

    bool addObjectWindowShowing() const override { return addObjectWindow; }
    void selectObjectNode(int code) override
    {
        selected = code;
        record("select " + selectedNodeText());
    }
    QString selectedNodeText() const override
    {
        for (const gsm::ObjectEntry& object : objects) {
            if (object.code == selected)
                return object.name;
        }
        return {};
    }
    void focusObjectTree() override {}
    int selectedNodeIcon() const override { return icon; }
    void showSelectedNodeIcon(int shown) override { record(QStringLiteral("icon %1").arg(icon = shown)); }
    void setPollButtonEnabled(bool enabled) override { pollButtonEnabled = enabled; }
    void pollSelectedObject() override
    {
        record("poll");
        if (onPoll)
            onPoll();
    }
    void showLastChangeLine(const QString& text) override { lastChangeLine = text; }
    void showLinkCheckLine(const QString& text) override { linkCheckLine = text; }
    void showBusyNotice() override { ++busyNotices; }
    void playDataSentSound() override { record("sound SendData"); }

    QString dispatchPointPhone() const override { return dispatchPhone; }
    bool forwardingOn() const override { return forwarding; }
    bool answerLinkCheckCalls() const override { return answerLinkChecks; }
    QString smsMemory() const override { return "SM"; }
    int eventLineCount() const override { return eventLines; }
    void ArchiveEventLog(const QString& title) override { record("archive " + title); }
    void radioStep() override { record("radio step"); }
    bool rs485Step() override
    {
        record("RS-485 step");
        return rs485Continues;
    }
    void showModemConnected(bool connected) override { record(connected ? "link shown connected" : "link shown disconnected"); }

    void closeWindow(ArrivalWindow window) override { record(QStringLiteral("close %1").arg(int(window))); }
    // Packets go into a table of the journal's database, in one transaction with `alsoCommit`.
    qint64 storePacket(int code, const QString& stamp, const QString& packet,
                       const std::function<void(qint64)>& alsoCommit) override
    {
        QSqlDatabase db = QSqlDatabase::database(store_);
        QSqlQuery query(db);
        query.exec("CREATE TABLE IF NOT EXISTS Packets (Kod_SMS INTEGER PRIMARY KEY, Kod_O INTEGER, Stamp TEXT, Packet TEXT)");
        db.transaction();
        query.prepare("INSERT INTO Packets (Kod_O, Stamp, Packet) VALUES (?, ?, ?)");
        query.addBindValue(code);
        query.addBindValue(stamp);
        query.addBindValue(packet);
        query.exec();
        const qint64 packetCode = query.lastInsertId().toLongLong();
        if (alsoCommit)
            alsoCommit(packetCode);
        try {
            record(QStringLiteral("store %1").arg(packetCode));
        } catch (...) {
            db.rollback();
            throw;
        }
        db.commit();
        return packetCode;
    }
    void playDataReceivedSound() override { record("sound ReciveData"); }
    void showNewDataIcons() override { record("icons 3"); }
    void writeLinkOfLastContact(int, const QString& link) override { record("SVYAZ " + link); }
    void storeLatestState(int, const QString&, const QString& stamp) override { record("latest " + stamp); }
    void rebuildHistory(int) override { record("history"); }
    void applyStatePacket(const QString& packet, const QString& stamp, const QString& name, const QString&) override
    {
        record(QStringLiteral("apply %1 %2 %3").arg(QString(packet).remove(QChar(0)), stamp, name));
    }

    // The stored packets as "object:packet".
    QStringList storedPackets() const
    {
        QSqlQuery query("SELECT Kod_O, Packet FROM Packets ORDER BY Kod_SMS", QSqlDatabase::database(store_));
        QStringList rows;
        while (query.next())
            rows << query.value(0).toString() + ":" + query.value(1).toString().remove(QChar(0));
        return rows;
    }

private:
    QString store_;
};

// The engine with everything around it; `restart()` is a new run on the same store and modem.
struct EngineRig {
    QTemporaryDir folder;
    QString connection = QStringLiteral("gsm-engine-test");
    VirtualClock clock{QDateTime(QDate(2024, 1, 15), QTime(12, 0))};
    ScriptedSerialPort port{clock};
    FakeMainTimers timers;
    LinkIndicators indicators;
    RecordingEventSink log;
    RecordingNotices messages;
    FakeConsole console{connection};
    gsm::TerminalAnswerList terminalAnswers;
    std::unique_ptr<ModemEngineState> state;
    std::unique_ptr<ModemConnection> modem;
    std::unique_ptr<gsm::GsmEngine> engine;

    EngineRig()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(folder.filePath("DRAV.sqlite"));
        db.open();
        clock.setPumpEvents(false);
        timers.clock = &clock;
        port.setSettings({"/dev/ttyUSB0", 115200, false, false});
        port.Open();
        restart();
    }
    ~EngineRig()
    {
        engine.reset();
        QSqlDatabase::database(connection).close();
        QSqlDatabase::removeDatabase(connection);
    }
    void restart()
    {
        engine.reset();
        state = std::make_unique<ModemEngineState>();
        modem = std::make_unique<ModemConnection>(ModemConnection::Parts{port, timers, *state, indicators, log, clock});
        engine = std::make_unique<gsm::GsmEngine>(gsm::GsmEngineContext{port, clock, timers, *state, indicators, log,
                                                                         *modem, console, console, console, console,
                                                                         console, console, console, messages,
                                                                         terminalAnswers, connection});
        for (MainTimer timer : {MainTimer::QueryTimer, MainTimer::ATTimer, MainTimer::Timer2})
            timers.start(timer);
        timers.starts.clear();
    }
    bool threeTimersRunning() const
    {
        return timers.isActive(MainTimer::QueryTimer) && timers.isActive(MainTimer::ATTimer)
            && timers.isActive(MainTimer::Timer2);
    }
    // Every write of the engine, one command each.
    QStringList commands() const
    {
        QStringList written;
        for (const ScriptedSerialPort::Write& write : port.writes())
            written << QString::fromLatin1(write.bytes);
        return written;
    }
};

// A stored message as the modem shows it after "AT+CMGR=".
inline QByteArray ReadReply(const QString& pdu)
{
    return "\r\n+CMGR: 0,," + QByteArray::number(pdu.size() / 2 - 8) + "\r\n" + pdu.toLatin1() + "\r\n\r\nOK\r\n";
}
inline QString DataPdu(const QString& sender, const QByteArray& data, const QDateTime& stamp)
{
    return BuildDeliverDataPdu({sender, stamp}, data);
}
inline QString TextPdu(const QString& sender, const QString& text, const QDateTime& stamp)
{
    return BuildDeliverTextPdu({sender, stamp}, text);
}

} // namespace kvt::test
