#include "common/StatusIcon.h"
#include "links/LinkCheckTime.h"
#include "links/LinkSupervision.h"
#include "links/SupervisionRig.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::links;
using kvt::test::SupervisionRig;

Q_DECLARE_METATYPE(LinkCheckVerdict::Kind)

namespace {

QDateTime At(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

constexpr int Icon(StatusIcon icon)
{
    return static_cast<int>(icon);
}

const QString kRecent = QStringLiteral("15.1.2024  11:30"); // the rig's clock stands at 12:00 that day

} // namespace

// Link supervision on Timer2: the icons of radio, RS-485 and GSM objects, the log lines of lost
// and found GSM objects, and the timing of link-check calls.
class LinkSupervisionTest : public QObject {
    Q_OBJECT
private slots:
    void linkCheckTiming_data()
    {
        using Kind = LinkCheckVerdict::Kind;
        QTest::addColumn<QString>("timeRing");
        QTest::addColumn<int>("period");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<Kind>("verdict");
        QTest::newRow("P 60: 125 minutes are within the limit")
            << "5.3.2024  10:00" << 60 << At(2024, 3, 5, 12, 5) << Kind::InTime;
        QTest::newRow("P 60: 126 minutes are over it")
            << "5.3.2024  10:00" << 60 << At(2024, 3, 5, 12, 6) << Kind::Overdue;
        QTest::newRow("P 30: limit 60") << "5.3.2024  10:00" << 30 << At(2024, 3, 5, 11, 1) << Kind::Overdue;
        QTest::newRow("P 1440: limit 3000") << "5.3.2024  10:00" << 1440 << At(2024, 3, 7, 12, 0) << Kind::InTime;
        QTest::newRow("over a month end, 26 hours with P 60")
            << "31.1.2024  10:00" << 60 << At(2024, 2, 1, 12, 0) << Kind::Overdue;
        QTest::newRow("leap February: 28th to 1st March is 47 hours")
            << "28.2.2024  10:00" << 1440 << At(2024, 3, 1, 9, 0) << Kind::InTime;
        QTest::newRow("common February: 28th to 1st March is 23 hours")
            << "28.2.2023  10:00" << 1440 << At(2023, 3, 1, 9, 0) << Kind::InTime;
        QTest::newRow("leap February: 27th to 1st March is 71 hours")
            << "27.2.2024  10:00" << 1440 << At(2024, 3, 1, 9, 0) << Kind::Overdue;
        QTest::newRow("the same day a month ago, earlier hour")
            << "15.12.2023  10:00" << 1440 << At(2024, 1, 15, 12, 0) << Kind::Overdue;
        QTest::newRow("two-digit year") << "15.01.24  11:00" << 60 << At(2024, 1, 15, 12, 0) << Kind::InTime;
        QTest::newRow("never called: day 0 of the month")
            << "00.00.00  00:00" << 60 << At(2024, 1, 1, 0, 0) << Kind::Overdue;
        QTest::newRow("never called, a limit beyond the month's minutes")
            << "00.00.00  00:00" << 30000 << At(2024, 1, 15, 12, 0) << Kind::InTime;
        QTest::newRow("no date: a day ahead is last month's, leap February has 29 days")
            << "29.  10:00" << 60 << At(2024, 2, 1, 12, 0) << Kind::Overdue;
        QTest::newRow("no date: common February has 28")
            << "29.  10:00" << 60 << At(2023, 2, 1, 12, 0) << Kind::InTime;
        QTest::newRow("no hours") << "5.3.2024" << 60 << At(2024, 3, 5, 12, 0) << Kind::Incomplete;
        QTest::newRow("empty") << "" << 60 << At(2024, 3, 5, 12, 0) << Kind::Incomplete;
        QTest::newRow("hours not a number") << "5.3.2024  1O:00" << 60 << At(2024, 3, 5, 12, 0) << Kind::NotANumber;
        QTest::newRow("day not a number") << "x.3.2024  10:00" << 60 << At(2024, 3, 5, 12, 0) << Kind::NotANumber;
    }
    void linkCheckTiming()
    {
        QFETCH(QString, timeRing);
        QFETCH(int, period);
        QFETCH(QDateTime, now);
        QFETCH(LinkCheckVerdict::Kind, verdict);
        QCOMPARE(JudgeLinkCheck(timeRing, period, now).kind, verdict);
    }

    void shortRangeIcons_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("errCnt");
        QTest::addColumn<bool>("lampLit");
        QTest::addColumn<int>("shownBefore");
        QTest::addColumn<int>("icon");
        const int none = Icon(StatusIcon::None);
        QTest::newRow("radio, ErrCnt 2") << "ZigBee" << 2 << true << none << Icon(StatusIcon::RadioUp);
        QTest::newRow("radio, ErrCnt 3") << "ZigBee" << 3 << true << none << Icon(StatusIcon::RadioDown);
        QTest::newRow("radio, lamp out") << "ZigBee" << 0 << false << none << Icon(StatusIcon::RadioDown);
        QTest::newRow("radio, new data replaced") << "ZigBee" << 0 << true << Icon(StatusIcon::NewData)
                                                  << Icon(StatusIcon::RadioUp);
        QTest::newRow("radio, alarm kept") << "ZigBee" << 5 << false << Icon(StatusIcon::Alarm) << Icon(StatusIcon::Alarm);
        QTest::newRow("RS-485, ErrCnt 2") << "RS485" << 2 << true << none << Icon(StatusIcon::Rs485Up);
        QTest::newRow("RS-485, ErrCnt 3") << "RS485" << 3 << true << none << Icon(StatusIcon::Rs485Down);
        QTest::newRow("RS-485, lamp out") << "RS485" << 0 << false << none << Icon(StatusIcon::Rs485Down);
        QTest::newRow("RS-485, alarm kept") << "RS485" << 0 << true << Icon(StatusIcon::Alarm) << Icon(StatusIcon::Alarm);
    }
    void shortRangeIcons()
    {
        QFETCH(QString, link);
        QFETCH(int, errCnt);
        QFETCH(bool, lampLit);
        QFETCH(int, shownBefore);
        QFETCH(int, icon);
        SupervisionRig rig;
        rig.tree.addObject(1, QStringLiteral("Насосная"), QStringLiteral("60"), kRecent, shownBefore);
        rig.shortRange(1, link, errCnt);
        // The radio engine's count is read from ZigBee.ini, the RS-485 one from RS485.ini.
        rig.zigBee.writeInteger(QStringLiteral("1"), QStringLiteral("ErrCnt"), link == "RS485" ? 9 : errCnt);
        rig.lamps.setOn(link == "RS485" ? LinkLamp::Rs485 : LinkLamp::Radio, lampLit);
        rig.tree.selected = 1;
        rig.Timer2Timer();
        QCOMPARE(rig.tree.nodes[1].icon, icon);
        // The selected node shows it, so the history root does too.
        QCOMPARE(rig.tree.rootIcon, icon);
        QVERIFY(rig.log.lines.isEmpty());
        QCOMPARE(rig.tree.treeRepaints, 1);
    }

    void gsmObjectsAreLostAndFoundOnce()
    {
        SupervisionRig rig;
        rig.tree.addObject(1, QStringLiteral("Котельная"), QStringLiteral("60"), kRecent);
        rig.tree.addObject(2, QStringLiteral("Водомер"), QStringLiteral("0"), kRecent);
        rig.tree.rootText = QStringLiteral("Котельная");
        rig.Timer2Timer();
        QCOMPARE(rig.tree.icons(), (QList<int>{Icon(StatusIcon::GsmUp), Icon(StatusIcon::CheckOff)}));
        QCOMPARE(rig.tree.rootIcon, Icon(StatusIcon::GsmUp));
        QCOMPARE(rig.log.entries(), QStringList{QStringLiteral("Связь с объектом установлена|Котельная|65535")});

        rig.Timer2Timer();
        QCOMPARE(rig.log.lines.size(), 1);

        rig.clock.setNow(At(2024, 1, 15, 13, 36)); // 126 minutes after the call
        rig.Timer2Timer();
        rig.Timer2Timer();
        QCOMPARE(rig.tree.nodes[1].icon, Icon(StatusIcon::GsmDown));
        QCOMPARE(rig.tree.rootIcon, Icon(StatusIcon::GsmDown));
        QCOMPARE(rig.log.entries().mid(1), QStringList{QStringLiteral("Нет связи (GSM) с объектом|Котельная|255")});
        QCOMPARE(rig.tree.nodes[2].icon, Icon(StatusIcon::CheckOff));
    }

    void anOverdueObjectWithoutAnIconIsNotLogged()
    {
        SupervisionRig rig;
        rig.tree.addObject(1, QStringLiteral("Котельная"), QStringLiteral("60"), QStringLiteral("00.00.00  00:00"));
        rig.Timer2Timer();
        QCOMPARE(rig.tree.nodes[1].icon, Icon(StatusIcon::GsmDown));
        QVERIFY(rig.log.lines.isEmpty());
    }

    void newDataAlarmAndAlarmCallStayUnlessTheModemIsLost_data()
    {
        QTest::addColumn<int>("shown");
        QTest::newRow("new data") << Icon(StatusIcon::NewData);
        QTest::newRow("alarm") << Icon(StatusIcon::Alarm);
        QTest::newRow("alarm call") << Icon(StatusIcon::SmsProblem);
    }
    void newDataAlarmAndAlarmCallStayUnlessTheModemIsLost()
    {
        QFETCH(int, shown);
        SupervisionRig rig;
        rig.tree.addObject(1, QStringLiteral("Котельная"), QStringLiteral("60"), QStringLiteral("00.00.00  00:00"), shown);
        rig.Timer2Timer();
        QCOMPARE(rig.tree.nodes[1].icon, shown);
        QVERIFY(rig.log.lines.isEmpty());

        rig.modemLost = true;
        rig.Timer2Timer();
        QCOMPARE(rig.tree.nodes[1].icon, Icon(StatusIcon::GsmDown));
        QCOMPARE(rig.log.entries(), QStringList{QStringLiteral("Нет связи (GSM) с объектом|Котельная|255")});
    }

    void aLostModemSetsTheHistoryRootUnlessAShortRangeOrAlarmNodeIsSelected()
    {
        SupervisionRig rig;
        rig.modemLost = true;
        rig.tree.addObject(1, QStringLiteral("Котельная"), QStringLiteral("0"), kRecent);
        rig.tree.addObject(2, QStringLiteral("Насосная"), QStringLiteral("0"), kRecent);
        rig.shortRange(2, QStringLiteral("ZigBee"), 0);
        rig.lamps.setOn(LinkLamp::Radio, true);
        rig.tree.rootText = QStringLiteral("Насосная");
        rig.tree.selected = 2;
        rig.Timer2Timer();
        QCOMPARE(rig.tree.icons(), (QList<int>{Icon(StatusIcon::GsmDown), Icon(StatusIcon::RadioUp)}));
        QCOMPARE(rig.tree.rootIcon, Icon(StatusIcon::RadioUp));
        QVERIFY(rig.log.lines.isEmpty()); // the GSM node had no icon yet

        rig.tree.selected = 1;
        rig.tree.rootIcon = -1;
        rig.Timer2Timer();
        QCOMPARE(rig.tree.rootIcon, Icon(StatusIcon::GsmDown));
    }

    void badValuesSkipOnlyTheirObject()
    {
        SupervisionRig rig;
        rig.tree.addObject(1, QStringLiteral("Котельная"), QStringLiteral("шестьдесят"), kRecent, 5);
        rig.tree.addObject(2, QStringLiteral("Насосная"), QStringLiteral("60"), QStringLiteral("15.1.2024  1x:30"), 5);
        rig.tree.addObject(3, QStringLiteral("Водомер"), QStringLiteral("60"), kRecent);
        rig.tree.nodes.insert(2, {QStringLiteral("Без записи"), 5}); // a node without a record
        rig.Timer2Timer();
        rig.Timer2Timer();
        QCOMPARE(rig.tree.icons(), (QList<int>{5, 5, 5, Icon(StatusIcon::GsmUp)}));
        QStringList titles = rig.log.titles();
        QCOMPARE(titles.size(), 3); // each bad object once, then the found one
        QVERIFY(titles[0].contains(QStringLiteral("Proverca_S")) && titles[1].contains(QStringLiteral("Time_Ring")));
        QCOMPARE(rig.log.lines[0].text, QStringLiteral("Котельная"));
        QCOMPARE(rig.log.lines[0].colour, EventColour::Red);
        // The table stands on the last record the walk found.
        QCOMPARE(rig.tree.standing, std::optional<int>(3));

        rig.tree.records[0].linkCheckPeriod = QStringLiteral("60"); // mended
        rig.Timer2Timer();
        QCOMPARE(rig.tree.nodes[1].icon, Icon(StatusIcon::GsmUp));
    }

    void nodesAreMatchedToRecordsIgnoringLetterCase()
    {
        SupervisionRig rig;
        rig.tree.addObject(1, QStringLiteral("КОТЕЛЬНАЯ"), QStringLiteral("0"), kRecent);
        rig.tree.nodes[1].text = QStringLiteral("Котельная");
        rig.Timer2Timer();
        QCOMPARE(rig.tree.nodes[1].icon, Icon(StatusIcon::CheckOff));
    }

    void nothingIsWalked_data()
    {
        QTest::addColumn<bool>("addObjectWindow");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<QString>("currentTimeRing");
        QTest::addColumn<int>("repaints");
        QTest::newRow("add/edit window open: not even a repaint") << true << false << kRecent << 0;
        QTest::newRow("supervision paused") << false << true << kRecent << 1;
        QTest::newRow("the current record has no Time_Ring") << false << false << QString() << 1;
    }
    void nothingIsWalked()
    {
        QFETCH(bool, addObjectWindow);
        QFETCH(bool, paused);
        QFETCH(QString, currentTimeRing);
        QFETCH(int, repaints);
        SupervisionRig rig;
        rig.tree.addObject(1, QStringLiteral("Насосная"), QStringLiteral("0"), kRecent);
        rig.tree.addObject(2, QStringLiteral("Котельная"), QStringLiteral("0"), currentTimeRing);
        rig.addObjectWindow = addObjectWindow;
        rig.pause.set(paused);
        rig.Timer2Timer();
        QCOMPARE(rig.tree.icons(), (QList<int>{-1, -1}));
        QCOMPARE(rig.tree.treeRepaints, repaints);
    }
};

KVT_TEST(LinkSupervisionTest)
#include "LinkSupervisionTest.moc"
