#include "support/VirtualClock.h"
#include "common/Errors.h"
#include "gsm/ModemConnection.h"
#include "gsm/ModemInterface.h"
#include "serial/LinkIndicators.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedSerialPort.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <array>
#include <cerrno>

using namespace kvt;
using kvt::test::ScriptedSerialPort;

Q_DECLARE_METATYPE(kvt::PduModeResult)

namespace {

struct Rig {
    VirtualClock clock;
    ScriptedSerialPort port{clock};
    test::FakeMainTimers timers;
    ModemEngineState state;
    LinkIndicators indicators;
    test::RecordingEventSink log;
    ModemConnection connection{{port, timers, state, indicators, log, clock}};
};

const PortSettings kSettings{QStringLiteral("/dev/ttyUSB0"), 115200, true, false};

} // namespace

class ModemConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void connectOpensSwitchesToPduModeAndStartsTheCycle()
    {
        Rig rig;
        rig.state.keepAliveStep = 4;
        rig.port.respond("AT+CMGF=0", "\r\nOK\r\n", 50);
        rig.port.respond("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n", 50);
        bool portOpenAtSwitch = false;
        bool timersRunningAtSwitch = true;
        const PduModeResult result = rig.connection.Connect(kSettings, [&] {
            portOpenAtSwitch = rig.port.Connected();
            timersRunningAtSwitch = rig.timers.isActive(MainTimer::ATTimer);
        });
        QCOMPARE(result, PduModeResult::Confirmed);
        QCOMPARE(rig.port.openedWith(), kSettings);
        QVERIFY(portOpenAtSwitch);
        QVERIFY(!timersRunningAtSwitch);
        QCOMPARE(rig.port.written(), QByteArray("\x1B\r\nAT+CMGF=0\r\nAT+CMGF?\r\n"));
        QVERIFY(rig.timers.isActive(MainTimer::ATTimer));
        QVERIFY(rig.timers.isActive(MainTimer::QueryTimer));
        QVERIFY(!rig.timers.isActive(MainTimer::Timer2));
        QCOMPARE(rig.state.keepAliveStep, ModemEngineState::kFirstKeepAliveStep);
        QVERIFY(rig.log.lines.isEmpty());
        // The replies of the switch are not left for the receive dispatcher.
        QVERIFY(rig.port.pendingInput().isEmpty());
    }

    void pduModeCheck_data()
    {
        QTest::addColumn<QByteArray>("setReply");
        QTest::addColumn<QByteArray>("queryReply");
        QTest::addColumn<PduModeResult>("result");
        QTest::addColumn<QString>("logged");
        QTest::newRow("taken") << QByteArray("\r\nOK\r\n") << QByteArray("\r\n+CMGF: 0\r\n\r\nOK\r\n")
                               << PduModeResult::Confirmed << QString();
        QTest::newRow("taken, echo on") << QByteArray("AT+CMGF=0\r\r\nOK\r\n")
                                        << QByteArray("AT+CMGF?\r\r\n+CMGF: 0\r\n\r\nOK\r\n")
                                        << PduModeResult::Confirmed << QString();
        QTest::newRow("refused") << QByteArray("\r\nERROR\r\n") << QByteArray()
                                 << PduModeResult::Refused << ModemConnection::kPduModeRefusedTitle;
        QTest::newRow("still text mode") << QByteArray("\r\nOK\r\n") << QByteArray("\r\n+CMGF: 1\r\n\r\nOK\r\n")
                                         << PduModeResult::Refused << ModemConnection::kPduModeRefusedTitle;
        QTest::newRow("silent") << QByteArray() << QByteArray()
                                << PduModeResult::NoAnswer << ModemConnection::kPduModeNoAnswerTitle;
    }
    void pduModeCheck()
    {
        QFETCH(QByteArray, setReply);
        QFETCH(QByteArray, queryReply);
        QFETCH(PduModeResult, result);
        QFETCH(QString, logged);
        Rig rig;
        // Replies come in two pieces, the second after the first read.
        if (!setReply.isEmpty()) {
            rig.port.respond("AT+CMGF=0", setReply.left(3), 20);
            rig.port.feedAfter(150, setReply.mid(3));
        }
        if (!queryReply.isEmpty())
            rig.port.respond("AT+CMGF?", queryReply, 120);
        const qint64 start = rig.clock.ticks();
        QCOMPARE(rig.connection.Connect(kSettings), result);
        // A silent modem holds the connect for two rounds of reads at most.
        QVERIFY(rig.clock.ticks() - start
                <= ModemConnection::kSettleMs + 2 * ModemConnection::kReplyReads * ModemConnection::kReadIntervalMs);
        if (logged.isEmpty()) {
            QVERIFY(rig.log.lines.isEmpty());
        } else {
            QCOMPARE(rig.log.lines.size(), 1);
            QCOMPARE(rig.log.lines[0].title, logged);
            QCOMPARE(rig.log.lines[0].text, kSettings.device);
            QCOMPARE(rig.log.lines[0].colour, EventColour::Red);
        }
        // Whatever the modem said, the link is up and watched by the keep-alive cycle.
        QVERIFY(rig.port.Connected());
        QVERIFY(rig.timers.isActive(MainTimer::ATTimer));
        QVERIFY(rig.timers.isActive(MainTimer::QueryTimer));
    }

    void portThatCannotBeOpenedStartsNothing()
    {
        Rig rig;
        rig.port.failNextOpen(ENOENT);
        bool switched = false;
        try {
            rig.connection.Connect(kSettings, [&] { switched = true; });
            QFAIL("connected to a missing port");
        } catch (const PortError& error) {
            QCOMPARE(error.systemCode(), ENOENT);
            QVERIFY(error.message().contains(kSettings.device));
        }
        QVERIFY(!switched);
        QVERIFY(!rig.port.Connected());
        QVERIFY(rig.port.written().isEmpty());
        QVERIFY(!rig.timers.isActive(MainTimer::ATTimer));
        QVERIFY(!rig.timers.isActive(MainTimer::QueryTimer));
        QVERIFY(rig.log.lines.isEmpty());
    }

    void disconnectStopsClosesPutsOutAndLogs()
    {
        Rig rig;
        rig.port.respond("AT+CMGF=0", "\r\nOK\r\n");
        rig.port.respond("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n");
        rig.connection.Connect(kSettings);
        rig.timers.start(MainTimer::Timer2);
        rig.indicators.setOn(LinkLamp::GsmModem, true);
        rig.indicators.setOn(LinkLamp::GsmNetwork, true);
        rig.indicators.setOn(LinkLamp::Radio, true);
        rig.indicators.setSignalPercent(48);

        bool closedAtSwitch = false;
        qsizetype linesAtSwitch = -1;
        rig.connection.Disconnect([&] {
            closedAtSwitch = !rig.port.Connected();
            linesAtSwitch = rig.log.lines.size();
        });
        QVERIFY(closedAtSwitch);
        QCOMPARE(linesAtSwitch, 0);
        QVERIFY(!rig.timers.isActive(MainTimer::ATTimer));
        QVERIFY(!rig.timers.isActive(MainTimer::QueryTimer));
        QVERIFY(rig.timers.isActive(MainTimer::Timer2)); // link supervision goes on
        QVERIFY(!rig.indicators.isOn(LinkLamp::GsmModem));
        QCOMPARE(rig.indicators.helpContext(LinkLamp::GsmModem), LinkIndicators::kLinkDownMarker);
        QVERIFY(!rig.indicators.isOn(LinkLamp::GsmNetwork));
        QVERIFY(rig.indicators.isOn(LinkLamp::Radio)); // the radio lamp is not the modem's
        QCOMPARE(rig.indicators.signalPercent(), 0);
        QCOMPARE(rig.log.lines.size(), 1);
        QCOMPARE(rig.log.lines[0].title, QStringLiteral("Оператором отключена связь с GSM модемом"));
        QCOMPARE(rig.log.lines[0].text, QString());
        QCOMPARE(rig.log.lines[0].colour, EventColour::White);
    }
};

KVT_TEST(ModemConnectionTest)
#include "ModemConnectionTest.moc"
