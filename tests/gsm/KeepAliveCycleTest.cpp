#include "GsmEngineRig.h"
#include "gsm/KeepAliveCycle.h"
#include "gsm/ModemInterface.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;
using gsm::KeepAliveCycle;

class KeepAliveCycleTest : public QObject {
    Q_OBJECT
private slots:
    // While the modem answers, one command of the rotation per tick; the tick that sends the
    // new-message indications also archives an event list of more than 1200 lines.
    void rotationWithArchiving()
    {
        EngineRig rig;
        rig.console.eventLines = 1201;
        for (int tick = 0; tick < 6; ++tick) {
            rig.state->modemAnswered = 1;
            rig.engine->ATTimerTimer();
        }
        QCOMPARE(rig.commands(), QStringList({modem::kRegistrationQuery, modem::kSignalQualityQuery, modem::kEchoOff,
                                              modem::kNewMessageIndications, modem::PreferredStorageCommand("SM"),
                                              modem::kRegistrationQuery}));
        QCOMPARE(rig.console.steps, QStringList{"archive " + KeepAliveCycle::kAutomaticArchiveTitle});
        QCOMPARE(rig.state->modemAnswered, 0);
        QVERIFY(rig.indicators.isOn(LinkLamp::GsmModem));
        QVERIFY(!rig.state->modemLost);
    }

    // Eleven silent ticks put out the modem lamp at the first and the registration lamp at the
    // eleventh and report the loss once, whatever is logged in between; the first answer logs the
    // recovery once and sets PDU mode again before the rotation goes on.
    void silenceAndRecovery()
    {
        EngineRig rig;
        rig.indicators.setOn(LinkLamp::GsmNetwork, true);
        rig.indicators.setSignalPercent(48);
        for (int tick = 1; tick <= 11; ++tick) {
            rig.engine->ATTimerTimer();
            QVERIFY(!rig.indicators.isOn(LinkLamp::GsmModem));
            QCOMPARE(rig.indicators.isOn(LinkLamp::GsmNetwork), tick < 11);
            QVERIFY(!rig.engine->dialogue().isRunning());
        }
        rig.log.LogEvent("Опрос объекта", "Котельная", EventColour::Green);
        rig.engine->ATTimerTimer();
        QCOMPARE(rig.commands(), QStringList(12, modem::kRegistrationQuery));
        QCOMPARE(rig.log.titles(), QStringList({KeepAliveCycle::kModemSilentTitle, "Опрос объекта"}));
        QCOMPARE(rig.indicators.signalPercent(), 0);
        QVERIFY(rig.state->modemLost);
        QVERIFY(rig.state->modemReportedSilent());

        rig.port.clearWrites();
        rig.port.respond("AT+CMGF=0", "\r\nOK\r\n", 50);
        rig.port.respond("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n", 50);
        for (int tick = 0; tick < 2; ++tick) {
            rig.state->modemAnswered = 1;
            rig.engine->ATTimerTimer();
        }
        QCOMPARE(rig.commands(), QStringList({modem::kCancelMessageInput, modem::kPduMode, modem::kMessageFormatQuery, modem::kRegistrationQuery,
                                              modem::kSignalQualityQuery}));
        QCOMPARE(rig.log.titles().mid(2), QStringList{KeepAliveCycle::kModemBackTitle});
        QVERIFY(rig.indicators.isOn(LinkLamp::GsmModem));
        QVERIFY(!rig.state->modemLost);
        QVERIFY(!rig.state->modemReportedSilent());
        QVERIFY(rig.threeTimersRunning());
    }

    void idleWhileTheAddObjectWindowShows()
    {
        EngineRig rig;
        rig.console.addObjectWindow = true;
        rig.engine->ATTimerTimer();
        QVERIFY(rig.port.writes().isEmpty());
        QCOMPARE(rig.state->noAnswerCount, 0);
    }
};

KVT_TEST(KeepAliveCycleTest)
#include "KeepAliveCycleTest.moc"
