#include "common/Hex.h"
#include "links/ReportSignature.h"
#include "links/ReportStepRig.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace kvt;
using namespace kvt::links;
using kvt::test::ReportStepRig;

namespace {

const QByteArray kFirst = "OBJ01 T23.5 P1,2 OK";
const QByteArray kSameState = "OBJ01 T24.0 P1,3 OK";
const QByteArray kOtherState = "OBJ01 T24.0 P1,3 AV";

const QStringList kArrivalSteps = {
    "close 0", "close 1", "close 2", "close 3", "close 4", "store 7 15.01.24  12:00", "select 7", "sound", "icons",
    "latest 7", "history 7", "apply Насосная 79161234501"};

} // namespace

// The radio and RS-485 steps of the receive tick: state signatures, the link keys of both
// channel files, a changed state as an arrival, an unchanged one as the selected object's state
// line and redraw, and what is dropped or kept for the next tick.
class LinkReportStepTest : public QObject {
    Q_OBJECT
private slots:
    void changedThenUnchanged_data()
    {
        QTest::addColumn<bool>("rs485");
        QTest::newRow("radio") << false;
        QTest::newRow("RS-485") << true;
    }
    void changedThenUnchanged()
    {
        QFETCH(bool, rs485);
        ReportStepRig rig;
        LinkMailbox& mailbox = rs485 ? rig.rs485Link : rig.radioLink;
        LinkReportStep& step = rs485 ? rig.rs485Step : rig.radio;
        IniFile& own = rs485 ? rig.rs485 : rig.zigBee;
        const QString contact = rs485 ? QStringLiteral("RS485") : QStringLiteral("ZigBee");

        rig.arrive(mailbox, ReportStepRig::Report(kFirst));
        QVERIFY(step.run());
        QCOMPARE(rig.console.steps, kArrivalSteps);
        QCOMPARE(rig.console.storedPackets, QStringList{BytesToHex(ReportStepRig::Report(kFirst))});
        QCOMPARE(rig.log.entries(),
                 QStringList{QStringLiteral("В работе системы произошли изменения для объекта |Насосная|65535")});
        QCOMPARE(rig.state(own), QStringLiteral("OBJ01 OK"));
        QCOMPARE(rig.contact(rig.zigBee), contact);
        QCOMPARE(rig.contact(rig.rs485), contact);
        QCOMPARE(mailbox.waitingReportCount(), 0);

        // Other values, the same state: not the selected object, so nothing but the link keys.
        rig.console.steps.clear();
        rig.arrive(mailbox, ReportStepRig::Report(kSameState));
        QVERIFY(step.run());
        QVERIFY(rig.console.steps.isEmpty());
        QVERIFY(rig.console.stateLine.isEmpty());
        QVERIFY(rig.console.redraws.isEmpty());
        QCOMPARE(rig.log.lines.size(), 1);

        // The selected object: its state line with seconds, and one redraw per page switch on
        // its first page.
        rig.console.selected = QStringLiteral("Насосная");
        rig.console.firstPageSwitches = 2;
        rig.arrive(mailbox, ReportStepRig::Report(kSameState));
        QVERIFY(step.run());
        QCOMPARE(rig.console.stateLine, QStringLiteral("Насосная      Текущее состояние (%1): 15.01.24  12:00:07")
                                            .arg(rs485 ? QStringLiteral("RS485") : QStringLiteral("радиоканал")));
        QCOMPARE(rig.console.redraws, QStringList(2, BytesToHex(ReportStepRig::Report(kSameState))));
        QVERIFY(rig.console.steps.isEmpty());

        // A form whose page switch shows its second page is left as it is.
        rig.console.firstPageSwitches = 0;
        rig.console.redraws.clear();
        rig.arrive(mailbox, ReportStepRig::Report(kSameState));
        QVERIFY(step.run());
        QVERIFY(rig.console.redraws.isEmpty());

        rig.arrive(mailbox, ReportStepRig::Report(kOtherState));
        QVERIFY(step.run());
        QCOMPARE(rig.console.steps, kArrivalSteps);
        QCOMPARE(rig.state(own), QStringLiteral("OBJ01 AV"));
    }

    // The report lists of the radio and RS-485 sample objects (the demo plays them) are whole
    // reports whose states change where their comments say.
    void sampleReportsChangeWhereTheySay_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("changed");
        QTest::newRow("radio: other values") << "sewage-pump" << "normal" << "normal-later" << false;
        QTest::newRow("radio: standby pump") << "sewage-pump" << "normal-later" << "reserve" << true;
        QTest::newRow("RS-485: other values") << "heat-substation" << "work-2" << "work-3" << false;
        QTest::newRow("RS-485: make-up") << "heat-substation" << "work-6" << "make-up" << true;
        QTest::newRow("RS-485: make-up values") << "heat-substation" << "make-up" << "make-up-6" << false;
    }
    void sampleReportsChangeWhereTheySay()
    {
        QFETCH(QString, form);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, changed);
        const QByteArray first = HexToBytes(test::SamplePacket(form, before));
        const QByteArray second = HexToBytes(test::SamplePacket(form, after));
        QCOMPARE(first.size(), kLinkReportSize);
        QCOMPARE(second.size(), kLinkReportSize);
        const auto link = form == "sewage-pump" ? LinkKind::Radio : LinkKind::Rs485;
        QVERIFY(StateSignature(first, link).has_value());
        QCOMPARE(StateSignature(first, link) != StateSignature(second, link), changed);
    }

    void aSignatureEndingInASpaceIsNoChangeTheSecondTime()
    {
        ReportStepRig rig;
        rig.arrive(rig.radioLink, ReportStepRig::Report("ABCDEF OK T12.5"));
        rig.arrive(rig.radioLink, ReportStepRig::Report("ABCDEF OK T13.0"));
        QVERIFY(rig.radio.run());
        QVERIFY(rig.radio.run());
        QCOMPARE(rig.console.storedPackets.size(), 1);
    }

    void reportsThatAreDroppedSilently_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("object");
        QTest::newRow("139 bytes") << 139 << 7;
        QTest::newRow("141 bytes") << 141 << 7;
        QTest::newRow("unknown object") << 140 << 8;
    }
    void reportsThatAreDroppedSilently()
    {
        QFETCH(int, size);
        QFETCH(int, object);
        ReportStepRig rig;
        rig.arrive(rig.radioLink, ReportStepRig::Report(kFirst, size), object);
        QVERIFY(rig.radio.run());
        QCOMPARE(rig.radioLink.waitingReportCount(), 0);
        QVERIFY(rig.console.steps.isEmpty());
        QVERIFY(rig.log.lines.isEmpty());
        QVERIFY(rig.zigBee.sections().isEmpty() && rig.rs485.sections().isEmpty());
    }

    void reportsWithoutAFirstLineAreTakenOut_data()
    {
        QTest::addColumn<bool>("rs485");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<bool>("tickGoesOn");
        QTest::newRow("radio, blank first line") << false << ReportStepRig::Report("     ") << true;
        QTest::newRow("radio, no CR") << false << QByteArray(140, 'A') << true;
        QTest::newRow("RS-485, neither CR nor LF") << true << QByteArray(140, 'A') << false;
        QTest::newRow("RS-485, CR LF first") << true << ReportStepRig::Report("") << false;
    }
    void reportsWithoutAFirstLineAreTakenOut()
    {
        QFETCH(bool, rs485);
        QFETCH(QByteArray, report);
        QFETCH(bool, tickGoesOn);
        ReportStepRig rig;
        LinkMailbox& mailbox = rs485 ? rig.rs485Link : rig.radioLink;
        LinkReportStep& step = rs485 ? rig.rs485Step : rig.radio;
        rig.arrive(mailbox, report);
        rig.arrive(mailbox, ReportStepRig::Report(kFirst));
        QCOMPARE(step.run(), tickGoesOn);
        QCOMPARE(rig.log.lines.size(), 1);
        QCOMPARE(rig.log.lines[0].colour, EventColour::Red);
        QCOMPARE(rig.log.lines[0].text, QStringLiteral("Насосная"));
        // The next tick handles the report behind it.
        QVERIFY(step.run());
        QCOMPARE(rig.console.storedPackets.size(), 1);
    }

    void radioAndRs485InOneTick()
    {
        ReportStepRig rig;
        rig.arrive(rig.radioLink, ReportStepRig::Report(kFirst));
        rig.arrive(rig.rs485Link, ReportStepRig::Report("RS 01 OK"));
        QVERIFY(rig.radio.run());
        QVERIFY(rig.rs485Step.run());
        QCOMPARE(rig.contact(rig.zigBee), QStringLiteral("RS485"));
        QCOMPARE(rig.contact(rig.rs485), QStringLiteral("RS485"));
        QCOMPARE(rig.state(rig.zigBee), QStringLiteral("OBJ01 OK"));
        QCOMPARE(rig.state(rig.rs485), QStringLiteral("RS 01 OK"));
        QCOMPARE(rig.console.storedPackets.size(), 2);
    }

    void aFailureBeforeStoringKeepsTheReportForTheNextTick()
    {
        ReportStepRig rig;
        rig.console.failAt = QStringLiteral("store");
        rig.console.failuresLeft = 1;
        rig.arrive(rig.radioLink, ReportStepRig::Report(kFirst));
        QVERIFY_THROWS_EXCEPTION(StoreError, rig.radio.run());
        QCOMPARE(rig.radioLink.waitingReportCount(), 1);
        // STATE was written before the failure; the report still counts as a change.
        QCOMPARE(rig.state(rig.zigBee), QStringLiteral("OBJ01 OK"));
        QVERIFY(rig.radio.run());
        QCOMPARE(rig.console.storedPackets.size(), 1);
        QCOMPARE(rig.radioLink.waitingReportCount(), 0);
    }

    void aFailureAfterStoringNeverStoresTwice()
    {
        ReportStepRig rig;
        rig.console.failAt = QStringLiteral("apply");
        rig.console.failuresLeft = -1;
        rig.arrive(rig.radioLink, ReportStepRig::Report(kFirst));
        QVERIFY_THROWS_EXCEPTION(StoreError, rig.radio.run());
        QCOMPARE(rig.radioLink.waitingReportCount(), 0);
        QCOMPARE(rig.console.storedPackets.size(), 1);
    }

    void aReportThatAlwaysFailsIsGivenUpAndTheNextOneGoesOn()
    {
        ReportStepRig rig;
        rig.console.failAt = QStringLiteral("close");
        rig.console.failuresLeft = LinkReportStep::kReportAttempts;
        rig.arrive(rig.rs485Link, ReportStepRig::Report(kFirst));
        rig.arrive(rig.rs485Link, ReportStepRig::Report(kOtherState));
        for (int tick = 1; tick <= LinkReportStep::kReportAttempts; ++tick) {
            QVERIFY_THROWS_EXCEPTION(StoreError, rig.rs485Step.run());
            QCOMPARE(rig.rs485Link.waitingReportCount(), tick < LinkReportStep::kReportAttempts ? 2 : 1);
        }
        QCOMPARE(rig.log.lines.size(), 1);
        QVERIFY(rig.log.lines[0].title.contains(QStringLiteral("Таблица занята")));
        QCOMPARE(rig.log.lines[0].colour, EventColour::Red);
        QVERIFY(rig.rs485Step.run());
        QCOMPARE(rig.console.storedPackets, QStringList{BytesToHex(ReportStepRig::Report(kOtherState))});
    }
};

KVT_TEST(LinkReportStepTest)
#include "LinkReportStepTest.moc"
