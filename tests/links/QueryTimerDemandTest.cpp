#include "links/QueryTimerDemand.h"
#include "settings/LinkConnections.h"
#include "support/RecordingSinks.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;

// QueryTimer runs while any link is connected: the radio and RS-485 links start it when they
// connect and keep it through the GSM modem's disconnect; the last link to go stops it.
class QueryTimerDemandTest : public QObject {
    Q_OBJECT
private slots:
    void queryTimerFollowsTheLinks_data()
    {
        QTest::addColumn<QStringList>("steps"); // "radio+", "rs485-", "gsm+" ...
        QTest::addColumn<QList<bool>>("running"); // QueryTimer after each step
        QTest::newRow("the radio link alone") << QStringList{"radio+", "radio-"} << QList<bool>{true, false};
        QTest::newRow("the modem's disconnect with the radio link up")
            << QStringList{"gsm+", "radio+", "gsm-", "radio-"} << QList<bool>{true, true, true, false};
        QTest::newRow("the radio link's disconnect with the modem up")
            << QStringList{"gsm+", "radio+", "radio-", "gsm-"} << QList<bool>{true, true, true, false};
        QTest::newRow("the last of two links")
            << QStringList{"radio+", "rs485+", "radio-", "rs485-"} << QList<bool>{true, true, true, false};
        QTest::newRow("the modem lost while RS-485 runs")
            << QStringList{"rs485+", "gsm+", "gsm-"} << QList<bool>{true, true, true};
    }
    void queryTimerFollowsTheLinks()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<bool>, running);
        LinkConnections connections;
        test::FakeMainTimers timers;
        links::QueryTimerDemand demand(connections, timers);
        for (int i = 0; i < steps.size(); ++i) {
            const QString& step = steps[i];
            const bool up = step.endsWith(u'+');
            const Link link = step.startsWith(u"gsm") ? Link::Gsm : step.startsWith(u"radio") ? Link::Radio : Link::Rs485;
            // The modem's connection starts QueryTimer after the port opens and stops it before it closes.
            if (link == Link::Gsm && !up)
                timers.stop(MainTimer::QueryTimer);
            connections.setConnected(link, up);
            if (link == Link::Gsm && up)
                timers.start(MainTimer::QueryTimer);
            QVERIFY2(timers.isActive(MainTimer::QueryTimer) == running[i], qPrintable(step));
        }
    }
};

KVT_TEST(QueryTimerDemandTest)
#include "QueryTimerDemandTest.moc"
