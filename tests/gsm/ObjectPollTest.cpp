#include "GsmEngineRig.h"
#include "gsm/ModemInterface.h"
#include "gsm/ObjectPoll.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::test;
using gsm::ObjectPoll;

namespace {
const QByteArray kActive = "\r\n+CLCC: 1,0,0,0,0,\"+79123456789\",145\r\n\r\nOK\r\n";

void Prepare(EngineRig& rig, const QString& period)
{
    rig.console.objects = {{1, "Котельная", "79123456789", period, ""}};
    rig.console.selected = 1;
}
} // namespace

class ObjectPollTest : public QObject {
    Q_OBJECT
private slots:
    void refusals_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<bool>("orderedByDispatchPoint");
        QTest::addColumn<QString>("message");
        QTest::newRow("modem reported silent") << "silent" << false << ObjectPoll::kModemSilentText;
        QTest::newRow("port closed") << "closed" << false << ObjectPoll::kNotConnectedText;
        QTest::newRow("no object selected") << "unselected" << false << ObjectPoll::kNoObjectText;
        QTest::newRow("silent for the dispatch point") << "closed" << true << QString();
    }
    void refusals()
    {
        QFETCH(QString, situation);
        QFETCH(bool, orderedByDispatchPoint);
        QFETCH(QString, message);
        EngineRig rig;
        Prepare(rig, "60");
        rig.state->silenceReported = situation == "silent";
        if (situation == "closed")
            rig.port.Close();
        if (situation == "unselected")
            rig.console.selected = -1;
        rig.state->dispatchPollFlag = orderedByDispatchPoint;
        rig.engine->Send_Ring_ButtonClick();
        QCOMPARE(rig.messages.shown, message.isEmpty() ? QStringList{} : QStringList{message});
        QVERIFY(rig.port.writes().isEmpty());
        QVERIFY(rig.log.lines.isEmpty());
        QVERIFY(!rig.state->dispatchPollFlag);
        QVERIFY(rig.threeTimersRunning());
    }

    void poll_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QStringList>("logged");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("answered") << "60" << true
                                  << QStringList{ObjectPoll::kPollTitle, ObjectPoll::kPollDoneTitle}
                                  << QStringList{"sound SendData", "Time_Ring 15.1.2024  12:0"};
        QTest::newRow("answered, no link-check period") << "0" << true
                                                        << QStringList{ObjectPoll::kPollTitle, ObjectPoll::kPollDoneTitle}
                                                        << QStringList{"sound SendData"};
        QTest::newRow("not answered") << "60" << false << QStringList{ObjectPoll::kPollTitle, ObjectPoll::kPollFailedTitle}
                                      << QStringList{};
    }
    void poll()
    {
        QFETCH(QString, period);
        QFETCH(bool, answered);
        QFETCH(QStringList, logged);
        QFETCH(QStringList, steps);
        EngineRig rig;
        Prepare(rig, period);
        rig.port.respond("ATD+79123456789;", answered ? "\r\nOK\r\n" : "\r\nERROR\r\n", 300);
        rig.port.respond("AT+CLCC", kActive, 100);
        rig.engine->Send_Ring_ButtonClick();
        QCOMPARE(rig.log.titles(), logged);
        QCOMPARE(rig.console.steps, steps);
        QCOMPARE(rig.console.linkCheckLine.isEmpty(), steps.size() < 2);
        QVERIFY(rig.console.pollButtonEnabled);
        QVERIFY(rig.messages.shown.isEmpty());
    }

    // An operator's poll in the middle of a dialogue gets the notification window instead.
    void busyWhileADialogueRuns()
    {
        EngineRig rig;
        Prepare(rig, "60");
        rig.engine->exchange().dialogue(gsm::restart::kSenders, [&] { rig.engine->Send_Ring_ButtonClick(); });
        QCOMPARE(rig.console.busyNotices, 1);
        QVERIFY(rig.port.writes().isEmpty());
        QVERIFY(rig.log.lines.isEmpty());
    }
};

KVT_TEST(ObjectPollTest)
#include "ObjectPollTest.moc"
