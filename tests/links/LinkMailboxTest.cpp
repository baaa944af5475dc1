#include "common/Clock.h"
#include "links/LinkEvents.h"
#include "links/LinkMailbox.h"
#include "support/RecordingLinkEvents.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <atomic>
#include <thread>

using namespace kvt;
using namespace kvt::links;

class LinkMailboxTest : public QObject {
    Q_OBJECT
private slots:
    // The engine thread keeps adding reports while the console takes them: every report is
    // seen once, in order, with its own code.
    void reportsKeepOrderAndPairAcrossThreads()
    {
        LinkMailbox mailbox;
        constexpr int kReports = 500;
        std::thread engine([&] {
            for (int i = 1; i <= kReports;) {
                // Like the engines: ask for no more than the mailbox can keep.
                if (!mailbox.hasRoomForReport()) {
                    std::this_thread::yield();
                    continue;
                }
                QVERIFY(mailbox.putReport({i, QByteArray(kLinkReportSize, char(i % 256))}));
                ++i;
            }
        });
        int expected = 1;
        while (expected <= kReports) {
            const auto report = mailbox.waitingReport();
            if (!report) {
                std::this_thread::yield();
                continue;
            }
            QCOMPARE(report->object, expected);
            QCOMPARE(report->data, QByteArray(kLinkReportSize, char(expected % 256)));
            mailbox.takeReport();
            ++expected;
        }
        engine.join();
        QCOMPARE(mailbox.droppedReports(), 0u);
        QVERIFY(!mailbox.waitingReport());
    }

    void sixtyFifthReportIsDroppedAndCounted()
    {
        LinkMailbox mailbox;
        for (int i = 1; i <= LinkMailbox::kReportCapacity; ++i)
            QVERIFY(mailbox.putReport({i, "r"}));
        QVERIFY(!mailbox.hasRoomForReport());
        QVERIFY(!mailbox.putReport({65, "late"}));
        QCOMPARE(mailbox.droppedReports(), 1u);
        QCOMPARE(mailbox.ReportObject(), 1);
        mailbox.takeReport();
        QCOMPARE(mailbox.ReportObject(), 2);
        QVERIFY(mailbox.putReport({66, "fits again"}));
        QCOMPARE(mailbox.waitingReportCount(), LinkMailbox::kReportCapacity);
    }

    // A frame delivered after the operator pressed the button again must not empty the newer one.
    void deliveredFrameEmptiesOnlyItself()
    {
        LinkMailbox mailbox;
        mailbox.setCommand(QStringLiteral("5"), QStringLiteral("030102"));
        const auto sent = mailbox.pendingFrame(PendingFrameKind::Command);
        QVERIFY(sent);
        mailbox.setCommand(QStringLiteral("6"), QStringLiteral("0209"));
        mailbox.clearFrame(PendingFrameKind::Command, sent->serial);
        QCOMPARE(mailbox.CommandObject(), QStringLiteral("6"));
        QCOMPARE(mailbox.CommandFrame(), QStringLiteral("0209"));
        QVERIFY(!mailbox.pendingFrame(PendingFrameKind::Settings));

        mailbox.clearFrame(PendingFrameKind::Command, mailbox.pendingFrame(PendingFrameKind::Command)->serial);
        QVERIFY(mailbox.CommandFrame().isEmpty());
        QVERIFY(!mailbox.pendingFrame(PendingFrameKind::Command));
    }

    void stopLinkWaitsForTheEngine_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::newRow("idle engine: returns at once") << false;
        QTest::newRow("busy engine: waits for the acknowledgement") << true;
    }
    void stopLinkWaitsForTheEngine()
    {
        QFETCH(bool, busy);
        LinkMailbox mailbox;
        std::atomic<bool> sawRequest{false};
        std::thread engine;
        if (busy) {
            mailbox.markBusy();
            engine = std::thread([&] {
                while (!mailbox.StopRequested())
                    std::this_thread::yield();
                sawRequest = true;
                mailbox.engineLeft();
            });
        }
        SystemClock clock;
        StopLink(mailbox, clock);
        QCOMPARE(sawRequest.load(), busy);
        QVERIFY(!mailbox.Busy() && !mailbox.StopRequested() && !mailbox.StopAcknowledged());
        if (engine.joinable())
            engine.join();
    }

    void engineLeavingByItselfIsNotBusy()
    {
        LinkMailbox mailbox;
        mailbox.markBusy();
        mailbox.engineLeft();
        QVERIFY(!mailbox.Busy());
        QVERIFY(!mailbox.requestStop());
    }

    void eventsReachTheSinkInOrderOnTheMainThread()
    {
        test::RecordingLinkEvents sink;
        LinkEventQueue queue(sink);
        std::thread engine([&] {
            for (int i = 1; i <= 100; ++i)
                queue.post([i](LinkEventSink& s) { s.errorCountChanged(1, i); });
        });
        engine.join();
        QVERIFY(sink.errorCounts.isEmpty()); // nothing arrives outside the event loop
        QTRY_COMPARE(sink.errorCounts.size(), 100);
        QCOMPARE(sink.errCnt(1), 100);
        QCOMPARE(sink.errCntHistory(1).first(), 1);
    }
};

KVT_TEST(LinkMailboxTest)
#include "LinkMailboxTest.moc"
