#include "app/OnlyOne.h"
#include "common/Win1251.h"
#include "support/TestRegistry.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace kvt;

namespace {

// Starts the console on an instance folder, offscreen, with a runtime folder of its own so the
// guard of a real console on this machine is not touched.
class ConsoleProcess {
public:
    ConsoleProcess(const QString& home, const QString& runtime)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        process.setProcessEnvironment(env);
        process.setProgram(qEnvironmentVariable("KVT_TOOLS_DIR") + QStringLiteral("/kvt"));
        process.setArguments({QStringLiteral("--home"), home});
    }
    ~ConsoleProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    QProcess process;
};

QString readLog(const QString& home)
{
    QFile log(home + QStringLiteral("/report.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return FromWin1251(log.readAll());
}

bool waitFor(const std::function<bool()>& condition, int ms = 20000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(50);
    }
    return true;
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartIsRefusedAndTerminationClosesLikeTheOperator()
    {
        QTemporaryDir home;
        QTemporaryDir temp;
        ConsoleProcess first(home.path(), temp.path());
        first.process.start();
        QVERIFY(first.process.waitForStarted());
        QVERIFY(waitFor([&] { return readLog(home.path()).contains(QStringLiteral("Запуск приложения")); }));
        QVERIFY(QFile::exists(temp.path() + QStringLiteral("/KVT_Mutex.lock")));

        // One instance per user, whatever the instance folder.
        QTemporaryDir otherHome;
        ConsoleProcess second(otherHome.path(), temp.path());
        second.process.start();
        QVERIFY(second.process.waitForStarted());
        QVERIFY(waitFor([&] {
            return QString::fromUtf8(second.process.readAllStandardError()).contains(kSecondInstanceMessage) ||
                   second.process.state() == QProcess::NotRunning;
        }));
        // The second process waits in its message box; it never reached the main window.
        QCOMPARE(first.process.state(), QProcess::Running);
        second.process.kill();
        second.process.waitForFinished(5000);
        QCOMPARE(readLog(home.path()).count(QStringLiteral("Запуск приложения")), 1);
        QVERIFY(!readLog(otherHome.path()).contains(QStringLiteral("Запуск приложения")));

        // A system shutdown: the console closes as the operator's close does.
        ::kill(pid_t(first.process.processId()), SIGTERM);
        QVERIFY(first.process.waitForFinished(20000));
        QCOMPARE(first.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.process.exitCode(), 0);
        QVERIFY(readLog(home.path()).contains(QStringLiteral("Закрытие приложения")));
        for (const char* folder : {"Data", "Reports", "SmsBook", "AvariBook"})
            QVERIFY2(QDir(home.path()).exists(QString::fromLatin1(folder)), folder);
    }

    void guardOfACrashedInstanceDoesNotBlock()
    {
        QTemporaryDir home;
        QTemporaryDir temp;
        {
            ConsoleProcess crashed(home.path(), temp.path());
            crashed.process.start();
            QVERIFY(waitFor([&] { return readLog(home.path()).contains(QStringLiteral("Запуск приложения")); }));
            crashed.process.kill(); // SIGKILL: no clean-up, the lock file stays
            QVERIFY(crashed.process.waitForFinished(5000));
        }
        ConsoleProcess next(home.path(), temp.path());
        next.process.start();
        QVERIFY(waitFor([&] { return readLog(home.path()).count(QStringLiteral("Запуск приложения")) == 2; }));
        QCOMPARE(next.process.state(), QProcess::Running);
        ::kill(pid_t(next.process.processId()), SIGINT);
        QVERIFY(next.process.waitForFinished(20000));
        QCOMPARE(next.process.exitCode(), 0);
    }
};

KVT_TEST(SingleInstanceTest)
#include "SingleInstanceTest.moc"
