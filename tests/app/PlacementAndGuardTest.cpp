#include "app/ErrorRecovery.h"
#include "app/FormPlacement.h"
#include "app/MainWindowTimers.h"
#include "app/OnlyOne.h"
#include "app/TerminalBlink.h"
#include "support/RecordingSinks.h"
#include "support/TestRegistry.h"

#include <QDateTime>
#include <QFile>
#include <QLockFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;

class PlacementAndGuardTest : public QObject {
    Q_OBJECT
private slots:
    void afterSystemCommand_data()
    {
        QTest::addColumn<QSize>("view");
        QTest::addColumn<QSize>("form");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("500 in 841 wide") << QSize(841, 400) << QSize(500, 400) << QPoint(171, 0);
        QTest::newRow("odd difference rounds up") << QSize(505, 305) << QSize(500, 300) << QPoint(3, 3);
        QTest::newRow("even difference") << QSize(600, 500) << QSize(500, 300) << QPoint(50, 100);
        QTest::newRow("wider and taller than the view") << QSize(400, 300) << QSize(700, 500) << QPoint(0, 0);
        QTest::newRow("same size") << QSize(400, 300) << QSize(400, 300) << QPoint(0, 0);
    }
    void afterSystemCommand()
    {
        QFETCH(QSize, view);
        QFETCH(QSize, form);
        QTEST(PlaceAfterSystemCommand(view, form), "placed");
    }

    void afterSplitterDrag_data()
    {
        QTest::addColumn<QSize>("view");
        QTest::addColumn<QSize>("form");
        QTest::addColumn<QPoint>("current");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("smaller: centred") << QSize(841, 600) << QSize(500, 400) << QPoint(5, 7) << QPoint(171, 100);
        QTest::newRow("wider: left kept") << QSize(400, 600) << QSize(700, 400) << QPoint(-20, 7) << QPoint(-20, 100);
        QTest::newRow("taller: top kept") << QSize(841, 300) << QSize(500, 400) << QPoint(5, 12) << QPoint(171, 12);
        QTest::newRow("equal width keeps position") << QSize(500, 600) << QSize(500, 400) << QPoint(9, 0) << QPoint(9, 100);
    }
    void afterSplitterDrag()
    {
        QFETCH(QSize, view);
        QFETCH(QSize, form);
        QFETCH(QPoint, current);
        QTEST(PlaceAfterSplitterDrag(view, form, current), "placed");
    }

    void historyHeightRule_data()
    {
        QTest::addColumn<int>("windowHeight");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("height");
        QTest::newRow("10 objects, 600 high: raised to 80") << 600 << 10 << 80;
        QTest::newRow("no objects") << 600 << 0 << 224;
        QTest::newRow("3 objects, 900 high") << 900 << 3 << 473;
        QTest::newRow("exactly 80") << 507 << 3 << 80;
    }
    void historyHeightRule()
    {
        QFETCH(int, windowHeight);
        QFETCH(int, rows);
        QTEST(HistoryTreeHeight(windowHeight, rows), "height");
    }

    void timersHaveTheirNamesAndIntervals_data()
    {
        QTest::addColumn<int>("timer");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("interval");
        QTest::newRow("QueryTimer") << int(MainTimer::QueryTimer) << "QueryTimer" << 1000;
        QTest::newRow("ATTimer") << int(MainTimer::ATTimer) << "ATTimer" << 1000;
        QTest::newRow("Timer2") << int(MainTimer::Timer2) << "Timer2" << 5000;
        QTest::newRow("Timer1") << int(MainTimer::Timer1) << "Timer1" << 500;
        QTest::newRow("Timer_Avari_Snd") << int(MainTimer::Timer_Avari_Snd) << "Timer_Avari_Snd" << 550;
        QTest::newRow("Timer_mig") << int(MainTimer::Timer_mig) << "Timer_mig" << 400;
    }
    void timersHaveTheirNamesAndIntervals()
    {
        QFETCH(int, timer);
        QFETCH(QString, name);
        MainWindowTimers timers;
        QTimer* t = timers.findChild<QTimer*>(name);
        QVERIFY(t);
        QTEST(t->interval(), "interval");
        QVERIFY(!t->isActive());
        timers.start(MainTimer(timer));
        QVERIFY(t->isActive());
        QVERIFY(timers.isActive(MainTimer(timer)));
        timers.stop(MainTimer(timer));
        QVERIFY(!t->isActive());
    }

    void errorRecovery_data()
    {
        QTest::addColumn<bool>("timer2Before");
        QTest::addColumn<bool>("modemConnected");
        QTest::addColumn<bool>("dialogueRunning");
        QTest::addColumn<bool>("timer2After");
        QTest::addColumn<bool>("modemTimersAfter");
        QTest::newRow("supervision ran, modem off") << true << false << false << true << false;
        QTest::newRow("supervision was stopped, modem off") << false << false << false << false << false;
        QTest::newRow("modem connected restarts all three") << true << true << false << true << true;
        QTest::newRow("modem connected, supervision was stopped") << false << true << false << true << true;
        QTest::newRow("inside a modem dialogue nothing restarts") << true << true << true << false << false;
    }
    void errorRecovery()
    {
        QFETCH(bool, timer2Before);
        QFETCH(bool, modemConnected);
        QFETCH(bool, dialogueRunning);
        test::FakeMainTimers timers;
        test::RecordingEventSink log;
        ErrorRecovery recovery(timers, log, [&] { return modemConnected; });
        recovery.setDialogueRunning([&] { return dialogueRunning; });
        if (timer2Before)
            timers.start(MainTimer::Timer2);
        recovery.beginDispatch();
        // The failing handler stopped the three timers as modem dialogues do.
        timers.stop(MainTimer::ATTimer);
        timers.stop(MainTimer::QueryTimer);
        timers.stop(MainTimer::Timer2);
        recovery.handle(QStringLiteral("Не удалось открыть файл"));
        recovery.endDispatch();

        QTEST(timers.isActive(MainTimer::Timer2), "timer2After");
        QTEST(timers.isActive(MainTimer::ATTimer), "modemTimersAfter");
        QTEST(timers.isActive(MainTimer::QueryTimer), "modemTimersAfter");
        QCOMPARE(log.lines.size(), 1);
        QCOMPARE(log.lines[0].title, ErrorRecovery::kErrorTitle);
        QCOMPARE(log.lines[0].text, QStringLiteral("Не удалось открыть файл"));
        QCOMPARE(log.lines[0].colour, EventColour::Red);
    }

    void errorRecoveryUsesTheInnermostDispatch()
    {
        test::FakeMainTimers timers;
        test::RecordingEventSink log;
        ErrorRecovery recovery(timers, log, [] { return false; });
        timers.start(MainTimer::Timer2);
        recovery.beginDispatch();         // an operation that stops supervision ...
        timers.stop(MainTimer::Timer2);
        recovery.beginDispatch();         // ... and pumps messages: a button fails meanwhile
        recovery.handle(QStringLiteral("x"));
        recovery.endDispatch();
        QVERIFY(!timers.isActive(MainTimer::Timer2)); // not running before the failed handler
        recovery.handle(QStringLiteral("y"));        // now the outer operation fails
        recovery.endDispatch();
        QVERIFY(timers.isActive(MainTimer::Timer2));
    }

    void errorWhileLoggingIsNotLoggedAgain()
    {
        test::FakeMainTimers timers;
        test::RecordingEventSink log;
        log.failWrites = true;
        ErrorRecovery recovery(timers, log, [] { return false; });
        recovery.beginDispatch();
        recovery.handle(QStringLiteral("first"));
        recovery.endDispatch();
        QCOMPARE(log.lines.size(), 1); // one attempt, the failure of the attempt is swallowed
    }

    void singleInstanceGuard()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        const QString name = QStringLiteral("KVT_Test\\Guard");
        QCOMPARE(OnlyOneInstance::lockFileFor(name), runtime.filePath(QStringLiteral("KVT_Test_Guard.lock")));
        {
            OnlyOneInstance first;
            QVERIFY(first.acquire(name));
            OnlyOneInstance second;
            QVERIFY(!second.acquire(name));
            // The lock of a running instance never expires by its age.
            QFile held(OnlyOneInstance::lockFileFor(name));
            QVERIFY(held.open(QIODevice::ReadWrite));
            QVERIFY(held.setFileTime(QDateTime::currentDateTime().addYears(-1), QFileDevice::FileModificationTime));
            held.close();
            QVERIFY(!second.acquire(name));
        }
        OnlyOneInstance again;
        QVERIFY(again.acquire(name));
        qunsetenv("XDG_RUNTIME_DIR");
    }

    // Each user has a guard of their own: a lock, live or stale, or any file in the shared
    // temporary folder blocks nobody, and another user's guard does not block this one.
    void guardsOfOtherUsersDoNotBlock()
    {
        QTemporaryDir shared;
        QTemporaryDir ownRuntime;
        QTemporaryDir otherRuntime;
        qputenv("TMPDIR", shared.path().toLocal8Bit());
        QLockFile liveElsewhere(shared.filePath(QStringLiteral("KVT_Mutex.lock")));
        QVERIFY(liveElsewhere.tryLock(0));

        qputenv("XDG_RUNTIME_DIR", otherRuntime.path().toLocal8Bit());
        OnlyOneInstance otherUser;
        QVERIFY(otherUser.acquire(kInstanceGuardName));
        qputenv("XDG_RUNTIME_DIR", ownRuntime.path().toLocal8Bit());
        OnlyOneInstance guard;
        QVERIFY(guard.acquire(kInstanceGuardName));

        // A runtime folder that others may write into is not the user's own: not used.
        QVERIFY(QFile::setPermissions(otherRuntime.path(), QFileDevice::Permissions(0x7777)));
        qputenv("XDG_RUNTIME_DIR", otherRuntime.path().toLocal8Bit());
        QVERIFY(!OnlyOneInstance::lockFileFor(kInstanceGuardName).startsWith(otherRuntime.path()));
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("TMPDIR");
    }

    void staleGuardOfADeadInstanceDoesNotBlock()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QFile stale(OnlyOneInstance::lockFileFor(kInstanceGuardName));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        // The lock file of a process that no longer exists (pid far above pid_max).
        stale.write("99999999\nkvt\n" + QSysInfo::machineHostName().toLocal8Bit() + "\n");
        stale.close();
        OnlyOneInstance guard;
        QVERIFY(guard.acquire(kInstanceGuardName));
        qunsetenv("XDG_RUNTIME_DIR");
    }

    void terminalCaptionBlinksUntilTheWindowIsSeen()
    {
        QPushButton button(QStringLiteral("Терминал (GSM)"));
        test::FakeMainTimers timers;
        bool shown = false;
        TerminalBlink blink(button, timers, [&] { return shown; });
        timers.start(MainTimer::Timer1);
        blink.tick();
        QCOMPARE(blink.captionColour(), TerminalBlink::kRed);
        blink.tick();
        QCOMPARE(blink.captionColour(), TerminalBlink::kBlack);
        blink.tick();
        QCOMPARE(blink.captionColour(), TerminalBlink::kRed);
        QVERIFY(timers.isActive(MainTimer::Timer1));
        shown = true;
        blink.tick();
        QCOMPARE(blink.captionColour(), TerminalBlink::kBlack);
        QVERIFY(!timers.isActive(MainTimer::Timer1));
    }
};

KVT_TEST(PlacementAndGuardTest)
#include "PlacementAndGuardTest.moc"
