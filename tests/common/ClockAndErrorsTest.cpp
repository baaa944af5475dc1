#include "support/VirtualClock.h"
#include "common/ErrorHandler.h"
#include "common/Errors.h"
#include "common/ProgramDirectory.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace kvt;

class ClockAndErrorsTest : public QObject {
    Q_OBJECT
private slots:
    void virtualWaitsTakeNoRealTime()
    {
        VirtualClock clock;
        const QDateTime start = clock.now();
        QElapsedTimer real;
        real.start();
        clock.sleep(40000);
        WaitPumping(clock, 60000);
        QCOMPARE(clock.ticks(), 100000);
        QCOMPARE(clock.now(), start.addSecs(100));
        QVERIFY2(real.elapsed() < 2000, qPrintable(QString::number(real.elapsed())));
    }

    void scheduledActionsRunAtTheirVirtualTime()
    {
        VirtualClock clock;
        QList<qint64> seen;
        clock.schedule(2500, [&] { seen << clock.ticks(); });
        clock.schedule(1000, [&] {
            seen << clock.ticks();
            clock.schedule(100, [&] { seen << clock.ticks(); });
        });
        clock.waitPumping(3000);
        QCOMPARE(seen, (QList<qint64>{1000, 1100, 2500}));
        QCOMPARE(clock.ticks(), 3000);
    }

    void waitPumpingProcessesEvents()
    {
        VirtualClock clock;
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        clock.waitPumping(20);
        QVERIFY(ran);
    }

    void systemClockSleeps()
    {
        SystemClock clock;
        const qint64 before = clock.ticks();
        clock.waitPumping(30);
        QVERIFY(clock.ticks() - before >= 30);
    }

    void guardedHandsErrorsToTheSink()
    {
        QStringList seen;
        auto previous = GlobalErrorHandler::install([&](const QString& text) { seen << text; });
        int steps = 0;
        const bool finished = Guarded([&] {
            ++steps;
            throw ConversionError(QStringLiteral("'x' is not a valid integer value"));
            ++steps;
        });
        QVERIFY(!finished);
        QCOMPARE(steps, 1);
        QVERIFY(Guarded([] {}));
        Guarded([] { throw std::runtime_error("plain"); });
        // A sink that fails is contained.
        GlobalErrorHandler::install([](const QString&) { throw std::runtime_error("sink"); });
        Guarded([] { throw IoError(QStringLiteral("disk")); });
        GlobalErrorHandler::install(previous);
        QCOMPARE(seen, (QStringList{QStringLiteral("'x' is not a valid integer value"), QStringLiteral("plain")}));
    }

    void programDirectory_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("expected");
        QTest::newRow("--home") << QStringList{"kvt", "--home", "/tmp/a"} << "/tmp/e" << "/tmp/a/";
        QTest::newRow("--home=") << QStringList{"kvt", "--home=/tmp/b/"} << "" << "/tmp/b/";
        QTest::newRow("environment") << QStringList{"kvt", "form.kof"} << "/tmp/e" << "/tmp/e/";
        QTest::newRow("executable folder") << QStringList{"kvt"} << "" << "/opt/kvt/";
    }
    void programDirectory()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, env);
        const QByteArray saved = qgetenv("KVT_HOME");
        qputenv("KVT_HOME", env.toLocal8Bit());
        const QString resolved = ResolveProgramDirectory(args, QStringLiteral("/opt/kvt"));
        qputenv("KVT_HOME", saved);
        QTEST(resolved, "expected");
        QCOMPARE(InProgramDirectory(QStringLiteral("/x/"), QStringLiteral("Reports\\a.log")), QStringLiteral("/x/Reports/a.log"));
    }
};

KVT_TEST(ClockAndErrorsTest)
#include "ClockAndErrorsTest.moc"
