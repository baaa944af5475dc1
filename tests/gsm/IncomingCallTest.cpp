#include "GsmEngineRig.h"
#include "gsm/IncomingCall.h"
#include "gsm/ModemInterface.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;
using gsm::CallKind;
using gsm::IncomingCall;

Q_DECLARE_METATYPE(kvt::gsm::CallKind)

namespace {
const QDate kToday(2024, 1, 15);
QByteArray IncomingLine(const QString& number)
{
    return "\r\n+CLCC: 1,1,4,0,0,\"" + number.toLatin1() + "\",145\r\n\r\nOK\r\n";
}
} // namespace

class IncomingCallTest : public QObject {
    Q_OBJECT
private slots:
    void judge_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<QString>("timeRing");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<CallKind>("kind");
        QTest::newRow("60 min, 30 after") << 60 << "15.1.2024  10:0" << QDateTime(kToday, QTime(10, 30)) << CallKind::Alarm;
        QTest::newRow("60 min, 60 after") << 60 << "15.1.2024  10:0" << QDateTime(kToday, QTime(11, 0)) << CallKind::LinkCheck;
        QTest::newRow("60 min, 58 after") << 60 << "15.1.2024  10:0" << QDateTime(kToday, QTime(10, 58)) << CallKind::LinkCheck;
        QTest::newRow("60 min, 10 before") << 60 << "15.1.2024  10:0" << QDateTime(kToday, QTime(9, 50)) << CallKind::LinkCheck;
        QTest::newRow("across midnight") << 60 << "14.1.2024  23:50" << QDateTime(kToday, QTime(0, 20)) << CallKind::Alarm;
        QTest::newRow("a day later") << 60 << "14.1.2024  10:0" << QDateTime(kToday, QTime(10, 30)) << CallKind::LinkCheck;
        QTest::newRow("no date: time of day") << 60 << "?  23:50" << QDateTime(kToday, QTime(0, 20)) << CallKind::LinkCheck;
        QTest::newRow("no date, 30 after") << 60 << "?  10:0" << QDateTime(kToday, QTime(10, 30)) << CallKind::Alarm;
        QTest::newRow("period 0") << 0 << "" << QDateTime(kToday, QTime(11, 0)) << CallKind::Alarm;
        QTest::newRow("no time yet") << 60 << "" << QDateTime(kToday, QTime(11, 0)) << CallKind::Unjudged;
    }
    void judge()
    {
        QFETCH(int, period);
        QFETCH(QString, timeRing);
        QFETCH(QDateTime, now);
        QFETCH(CallKind, kind);
        QCOMPARE(gsm::JudgeIncomingCall(period, timeRing, now), kind);
    }

    void calls_data()
    {
        QTest::addColumn<QString>("caller");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("timeRing");
        QTest::addColumn<QTime>("now");
        QTest::addColumn<bool>("answerLinkChecks");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("logged");
        QTest::addColumn<QStringList>("steps");
        const QString ring = "15.1.2024  10:0";
        const QStringList alarmCommands{modem::kListCalls, modem::kAnswer, modem::kHangUp,
                                        modem::VoiceDialCommand("79123456789"), modem::kListCalls, modem::kHangUp};
        const QStringList alarmLog{IncomingCall::kAlarmCallTitle, IncomingCall::kAlarmPollTitle,
                                   IncomingCall::kAlarmPollDoneTitle};
        QTest::newRow("alarm call") << "+79123456789" << "60" << ring << QTime(10, 30) << false << alarmCommands << alarmLog
                                    << QStringList{"select Котельная", "icon 7", "Time_Ring 15.1.2024  10:30"};
        QTest::newRow("period 0: alarm call, Time_Ring kept")
            << "+79123456789" << "0" << "" << QTime(10, 30) << false << alarmCommands << alarmLog
            << QStringList{"select Котельная", "icon 7"};
        QTest::newRow("link check, answered")
            << "+79123456789" << "60" << ring << QTime(11, 0) << true
            << QStringList{modem::kListCalls, modem::kAnswer, modem::kHangUp} << QStringList{IncomingCall::kLinkCheckTitle}
            << QStringList{"select Котельная", "Time_Ring 15.1.2024  11:0"};
        QTest::newRow("link check from a national number")
            << "89123456789" << "60" << ring << QTime(9, 50) << false << QStringList{modem::kListCalls, modem::kHangUp}
            << QStringList{IncomingCall::kLinkCheckTitle} << QStringList{"select Котельная", "Time_Ring 15.1.2024  9:50"};
        QTest::newRow("no link-check time yet") << "+79123456789" << "60" << "" << QTime(11, 0) << false
                                                << QStringList{modem::kListCalls} << QStringList{}
                                                << QStringList{"select Котельная", "Time_Ring 15.1.2024  11:0"};
        QTest::newRow("unknown caller: rejected") << "+79005554433" << "60" << ring << QTime(11, 0) << false
                                                  << QStringList{modem::kListCalls, modem::kHangUp} << QStringList{}
                                                  << QStringList{};
    }
    void calls()
    {
        QFETCH(QString, caller);
        QFETCH(QString, period);
        QFETCH(QString, timeRing);
        QFETCH(QTime, now);
        QFETCH(bool, answerLinkChecks);
        QFETCH(QStringList, commands);
        QFETCH(QStringList, logged);
        QFETCH(QStringList, steps);
        EngineRig rig;
        rig.clock.setNow(QDateTime(kToday, now));
        rig.console.objects = {{1, "Котельная", "79123456789", period, timeRing}};
        rig.console.answerLinkChecks = answerLinkChecks;
        rig.port.respond("AT+CLCC", IncomingLine(caller), 100, 1);
        rig.port.respond("ATD+", "\r\nOK\r\n", 300);
        rig.port.respond("AT+CLCC", "\r\n+CLCC: 1,0,0,0,0,\"+79123456789\",145\r\n\r\nOK\r\n", 100);
        rig.port.feed("\r\nRING\r\n");

        rig.engine->QueryTimerTimer();
        QCOMPARE(rig.commands(), commands);
        QCOMPARE(rig.log.titles(), logged);
        QCOMPARE(rig.console.steps.mid(2), steps);
        QCOMPARE(rig.console.linkCheckLine.isEmpty(), !steps.join(' ').contains("Time_Ring"));
        QVERIFY(rig.console.pollButtonEnabled);
        QList<MainTimer> restarted;
        for (const FakeMainTimers::Start& start : rig.timers.starts)
            restarted << start.timer;
        QCOMPARE(restarted, (QList<MainTimer>{MainTimer::Timer2, MainTimer::QueryTimer, MainTimer::ATTimer}));
    }
};

KVT_TEST(IncomingCallTest)
#include "IncomingCallTest.moc"
