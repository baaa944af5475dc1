#include "GsmEngineRig.h"
#include "gsm/ModemInterface.h"
#include "gsm/ModemPortWatch.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <cerrno>
#include <cstring>

using namespace kvt;
using namespace kvt::test;
using gsm::ModemPortWatch;

class ModemPortWatchTest : public QObject {
    Q_OBJECT
private slots:
    // A modem that vanishes under a tick, a keep-alive write or a message is reported once; the
    // link shows disconnected, the modem ticks stop, link supervision goes on; the same device is
    // opened again once it is back.
    void vanishedModemIsReportedOnceAndReconnected_data()
    {
        QTest::addColumn<QString>("during");
        QTest::newRow("receive tick") << "tick";
        QTest::newRow("keep-alive tick") << "keep-alive";
        QTest::newRow("message") << "sms";
    }
    void vanishedModemIsReportedOnceAndReconnected()
    {
        QFETCH(QString, during);
        EngineRig rig;
        rig.indicators.setOn(LinkLamp::GsmModem, true);
        rig.indicators.setSignalPercent(48);
        rig.port.failNextIo(EIO);
        if (during == "tick")
            rig.engine->QueryTimerTimer();
        else if (during == "keep-alive")
            rig.engine->ATTimerTimer();
        else
            QVERIFY(!rig.engine->sms().SendDataSms("01", "79123456789"));
        for (int tick = 0; tick < 3; ++tick) {
            rig.engine->QueryTimerTimer();
            rig.engine->ATTimerTimer();
        }
        QCOMPARE(rig.log.titles(), QStringList{ModemPortWatch::kLostTitle});
        QVERIFY(rig.log.lines[0].text.contains("/dev/ttyUSB0"));
        QVERIFY(rig.log.lines[0].text.contains(QString::fromLocal8Bit(strerror(EIO))));
        QCOMPARE(rig.log.lines[0].colour, EventColour::Red);
        QCOMPARE(rig.console.steps.filter("link shown"), QStringList{"link shown disconnected"});
        QVERIFY(!rig.port.Connected());
        QVERIFY(!rig.indicators.isOn(LinkLamp::GsmModem));
        QCOMPARE(rig.indicators.signalPercent(), 0);
        QVERIFY(!rig.timers.isActive(MainTimer::QueryTimer));
        QVERIFY(!rig.timers.isActive(MainTimer::ATTimer));
        QVERIFY(rig.timers.isActive(MainTimer::Timer2));

        gsm::ModemPortWatch& watch = rig.engine->portWatch();
        rig.port.failNextOpen(ENOENT);
        watch.recheck();
        QVERIFY(watch.waitingForDevice());
        QCOMPARE(rig.log.lines.size(), 1);

        rig.port.clearWrites();
        rig.port.respond("AT+CMGF=0", "\r\nOK\r\n", 50);
        rig.port.respond("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n", 50);
        watch.recheck();
        QVERIFY(!watch.waitingForDevice());
        QVERIFY(rig.port.Connected());
        QCOMPARE(rig.port.openedWith().device, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(rig.commands(), QStringList({modem::kCancelMessageInput, modem::kPduMode, modem::kMessageFormatQuery}));
        QCOMPARE(rig.console.steps.filter("link shown").last(), QStringLiteral("link shown connected"));
        QCOMPARE(rig.log.titles().last(), ModemPortWatch::kBackTitle);
        QVERIFY(rig.threeTimersRunning());
    }
};

KVT_TEST(ModemPortWatchTest)
#include "ModemPortWatchTest.moc"
