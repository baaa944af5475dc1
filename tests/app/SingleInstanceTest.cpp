#include "app/OnlyOne.h"
#include "support/ConsoleProcess.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;

using test::ConsoleProcess;
using test::ReadEventLog;
using test::WaitFor;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartIsRefusedAndTerminationClosesLikeTheOperator()
    {
        QTemporaryDir home;
        QTemporaryDir runtime;
        ConsoleProcess first(home.path(), runtime.path());
        first.process.start();
        QVERIFY(first.process.waitForStarted());
        QVERIFY(WaitFor([&] { return ReadEventLog(home.path()).contains(QStringLiteral("Запуск приложения")); }));
        QVERIFY(QFile::exists(runtime.path() + QStringLiteral("/KVT_Mutex.lock")));

        // One instance per user, whatever the instance folder.
        QTemporaryDir otherHome;
        ConsoleProcess second(otherHome.path(), runtime.path());
        second.process.start();
        QVERIFY(second.process.waitForStarted());
        QVERIFY(WaitFor([&] {
            return QString::fromUtf8(second.process.readAllStandardError()).contains(kSecondInstanceMessage) ||
                   second.process.state() == QProcess::NotRunning;
        }));
        // The second process waits in its message box; it never reached the main window.
        QCOMPARE(first.process.state(), QProcess::Running);
        second.process.kill();
        second.process.waitForFinished(5000);
        QCOMPARE(ReadEventLog(home.path()).count(QStringLiteral("Запуск приложения")), 1);
        QVERIFY(!ReadEventLog(otherHome.path()).contains(QStringLiteral("Запуск приложения")));

        // A system shutdown: the console closes as the operator's close does.
        first.signal(SIGTERM);
        QVERIFY(first.process.waitForFinished(20000));
        QCOMPARE(first.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.process.exitCode(), 0);
        QVERIFY(ReadEventLog(home.path()).contains(QStringLiteral("Закрытие приложения")));
        for (const char* folder : {"Data", "Reports", "SmsBook", "AvariBook"})
            QVERIFY2(QDir(home.path()).exists(QString::fromLatin1(folder)), folder);
    }

    void guardOfACrashedInstanceDoesNotBlock()
    {
        QTemporaryDir home;
        QTemporaryDir runtime;
        {
            ConsoleProcess crashed(home.path(), runtime.path());
            crashed.process.start();
            QVERIFY(WaitFor([&] { return ReadEventLog(home.path()).contains(QStringLiteral("Запуск приложения")); }));
            crashed.process.kill(); // SIGKILL: no clean-up, the lock file stays
            QVERIFY(crashed.process.waitForFinished(5000));
        }
        ConsoleProcess next(home.path(), runtime.path());
        next.process.start();
        QVERIFY(WaitFor([&] { return ReadEventLog(home.path()).count(QStringLiteral("Запуск приложения")) == 2; }));
        QCOMPARE(next.process.state(), QProcess::Running);
        next.signal(SIGINT);
        QVERIFY(next.process.waitForFinished(20000));
        QCOMPARE(next.process.exitCode(), 0);
    }
};

KVT_TEST(SingleInstanceTest)
#include "SingleInstanceTest.moc"
