// The console as a process on a display with a window manager: where its main window stands
// across restarts, and a system shutdown while a start-up dialog waits for the operator.
#include "common/IniFile.h"
#include "support/ConsoleProcess.h"
#include "support/Files.h"
#include "support/TestRegistry.h"
#include "window/XServer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;
using test::ConsoleProcess;
using test::WaitFor;
namespace x = kvt::test::x;

namespace {

const QString kWindow = QStringLiteral("Window");
constexpr int kStartMs = 20000;

QRect storedGeometry(const QString& home)
{
    IniFile ini(home + QStringLiteral("/Settings.ini"));
    return QRect(ini.readInteger(kWindow, QStringLiteral("Left"), -1), ini.readInteger(kWindow, QStringLiteral("Top"), -1),
                 ini.readInteger(kWindow, QStringLiteral("Width"), -1),
                 ini.readInteger(kWindow, QStringLiteral("Height"), -1));
}

// The console on the display of the test, drawn by the platform the test runs on.
struct Console {
    Console(const QString& home, const QString& runtime, const QStringList& arguments = {})
        : console(home, runtime, arguments, qEnvironmentVariable("QT_QPA_PLATFORM"))
    {
        console.process.start();
    }

    // The console's first managed window that satisfies `wanted`; 0 while there is none.
    x::Window window(const std::function<bool(x::Window)>& wanted) const
    {
        for (x::Window w : x::managedWindowsOf(console.pid())) {
            if (wanted(w))
                return w;
        }
        return 0;
    }

    // Closes it as a system shutdown does; true when it ended by itself with status 0.
    bool shutDown()
    {
        console.signal(SIGTERM);
        return console.process.waitForFinished(kStartMs) && console.process.exitStatus() == QProcess::NormalExit &&
               console.process.exitCode() == 0;
    }

    ConsoleProcess console;
};

} // namespace

class ConsoleUnderWindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    // Each start shows the main window where the last one was closed, frame included, and saves
    // it back unchanged; without Settings.ini it opens at 0,0 and 800 x 600.
    void mainWindowKeepsItsGeometryAcrossRestarts_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("no Settings.ini") << QByteArray() << QRect(0, 0, 800, 600);
        QTest::newRow("stored geometry") << QByteArray("[Window]\r\nLeft=140\r\nTop=70\r\nHeight=650\r\nWidth=900\r\n")
                                         << QRect(140, 70, 900, 650);
    }
    void mainWindowKeepsItsGeometryAcrossRestarts()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QRect, expected);
        QTemporaryDir home;
        QTemporaryDir runtime;
        if (!settings.isEmpty())
            test::WriteFile(home.filePath(QStringLiteral("Settings.ini")), settings);

        for (int run = 1; run <= 2; ++run) {
            Console console(home.path(), runtime.path());
            QRect shown;
            const bool placed = WaitFor(
                [&] {
                    const x::Window main = console.window([](x::Window w) { return !x::isDialog(w); });
                    shown = main ? x::outerGeometry(main) : QRect();
                    return shown == expected;
                },
                kStartMs);
            QVERIFY2(placed, qPrintable(QStringLiteral("run %1: the window stands at %2,%3 %4 x %5")
                                            .arg(run)
                                            .arg(shown.x())
                                            .arg(shown.y())
                                            .arg(shown.width())
                                            .arg(shown.height())));
            QVERIFY(console.shutDown());
            QCOMPARE(storedGeometry(home.path()), expected);
        }
    }

    // A system shutdown while a start-up dialog waits closes the dialog and then the console as
    // the operator's close does: the end logged, the settings (as loaded) saved.
    void shutdownDuringAStartUpDialogClosesTheConsole_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::newRow("damaged store") << QStringLiteral("damaged store");
        QTest::newRow("missing form file") << QStringLiteral("missing form");
        QTest::newRow("no modem port") << QStringLiteral("no port");
    }
    void shutdownDuringAStartUpDialogClosesTheConsole()
    {
        QFETCH(QString, setUp);
        QTemporaryDir home;
        QTemporaryDir runtime;
        QByteArray settings = "[Sounds]\r\nAvary=0\r\n";
        QStringList arguments;
        if (setUp == QLatin1String("damaged store")) {
            QDir(home.path()).mkdir(QStringLiteral("Data"));
            test::WriteFile(home.filePath(QStringLiteral("Data/DRAV.sqlite")), QByteArray(4096, 'x'));
        } else if (setUp == QLatin1String("missing form")) {
            arguments << home.filePath(QStringLiteral("absent/Pump.kof"));
        } else {
            settings += "[GSM_Svyaz]\r\nAutoStart=1\r\nPort=\r\n";
        }
        test::WriteFile(home.filePath(QStringLiteral("Settings.ini")), settings);

        Console console(home.path(), runtime.path(), arguments);
        QVERIFY2(WaitFor([&] { return console.window(x::isDialog) != 0; }, kStartMs), "no dialog on screen");
        QVERIFY(console.shutDown());
        QVERIFY(test::ReadEventLog(home.path()).contains(QStringLiteral("Закрытие приложения")));
        IniFile saved(home.filePath(QStringLiteral("Settings.ini")));
        QVERIFY(saved.sectionExists(kWindow));
        QCOMPARE(saved.readBool(QStringLiteral("Sounds"), QStringLiteral("Avary"), true), false);
    }
};

KVT_TEST(ConsoleUnderWindowManagerTest)
#include "ConsoleUnderWindowManagerTest.moc"
