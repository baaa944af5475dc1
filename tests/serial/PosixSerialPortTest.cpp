#include "PtyPair.h"

#include "common/Errors.h"
#include "serial/BaudRates.h"
#include "serial/PortErrorReason.h"
#include "serial/PosixSerialPort.h"
#include "support/TestRegistry.h"

#include <QElapsedTimer>
#include <QTest>

#include <cerrno>
#include <termios.h>
#include <unistd.h>

using namespace kvt;

namespace {

// Records the DTR/RTS requests of the port and answers each with a fixed result.
class RecordingLines final : public ModemLineControl {
public:
    explicit RecordingLines(int result = 0) : result_(result) {}
    int setLine(int, ModemLine line, bool high) override
    {
        requests << qMakePair(line, high);
        return result_;
    }
    QList<QPair<ModemLine, bool>> requests;

private:
    int result_;
};

PortSettings On(const PtyPair& pty, qint32 baud = 115200, bool dtr = false, bool rts = false)
{
    return PortSettings{pty.slavePath(), baud, dtr, rts};
}

// Queues bytes from the device and waits until the port's driver holds them.
void Arrive(PtyPair& pty, PosixSerialPort& port, const QByteArray& bytes)
{
    pty.send(bytes);
    QVERIFY(PtyPair::WaitForQueued(port.nativeHandle(), int(bytes.size())));
}

int ErrorCodeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const PortError& error) {
        return error.systemCode();
    }
    return 0;
}

} // namespace

class PosixSerialPortTest : public QObject {
    Q_OBJECT
private slots:
    void readTakesWhatIsWaitingAndReturnsAtOnce_data()
    {
        QTest::addColumn<int>("waiting");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("20 waiting, read of 60") << 20 << 60 << 20;
        QTest::newRow("nothing waiting") << 0 << 60 << 0;
        QTest::newRow("more waiting than asked") << 80 << 60 << 60;
    }
    void readTakesWhatIsWaitingAndReturnsAtOnce()
    {
        QFETCH(int, waiting);
        QFETCH(int, count);
        QFETCH(int, expected);
        PtyPair pty;
        QVERIFY(pty.ok());
        PosixSerialPort port(On(pty));
        port.Open();
        QByteArray sent;
        for (int i = 0; i < waiting; ++i)
            sent += char('A' + i % 26);
        if (waiting)
            Arrive(pty, port, sent);
        QElapsedTimer timer;
        timer.start();
        const QString text = port.ReadStr(count);
        QVERIFY2(timer.elapsed() < 100, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(text.size(), expected);
        QCOMPARE(text, QString::fromLatin1(sent.left(expected)));
        // The rest stays queued for the next read.
        QCOMPARE(port.ReadStr(count), QString::fromLatin1(sent.mid(expected)));
    }

    void zeroFilledBufferKeepsItsZeroTail()
    {
        PtyPair pty;
        PosixSerialPort port(On(pty));
        port.Open();
        Arrive(pty, port, "\r\nRING\r\n\r\n");
        char buffer[256];
        std::fill(std::begin(buffer), std::end(buffer), '\0');
        QCOMPARE(port.Read(buffer, 256), 10);
        QCOMPARE(QByteArray(buffer, 10), QByteArray("\r\nRING\r\n\r\n"));
        QCOMPARE(QByteArray(buffer + 10, 246), QByteArray(246, '\0'));

        Arrive(pty, port, "+CSQ: 15,0\r\n");
        const QByteArray whole = port.ReadZeroFilled(512);
        QCOMPARE(whole.size(), 512);
        QVERIFY(whole.startsWith("+CSQ: 15,0\r\n"));
        QCOMPARE(whole.count('\0'), 512 - 12);
    }

    void purgeDropsWhatHadArrived()
    {
        PtyPair pty;
        PosixSerialPort port(On(pty));
        port.Open();
        Arrive(pty, port, "\r\nOK\r\n");
        port.Purge();
        QCOMPARE(port.ReadStr(60), QString());
        Arrive(pty, port, "\r\n+CREG: 0,1\r\n");
        QCOMPARE(port.ReadStr(60), QStringLiteral("\r\n+CREG: 0,1\r\n"));
        // A command written just before the purge still reaches the device.
        port.WriteStr(QStringLiteral("ATH\r\n"));
        port.Purge();
        QCOMPARE(pty.received(5), QByteArray("ATH\r\n"));
    }

    void textCrossesThePortAsWindows1251()
    {
        PtyPair pty;
        PosixSerialPort port(On(pty));
        port.Open();
        QCOMPARE(port.WriteStr(QStringLiteral("ATD*100#;\r\n")), 11);
        QCOMPARE(port.WriteStr(QString()), 0);
        QCOMPARE(pty.received(11), QByteArray("ATD*100#;\r\n"));
        Arrive(pty, port, QByteArray("\xC1\xE0\xEB\xE0\xED\xF1 5\r\n"));
        QCOMPARE(port.ReadStr(60), QStringLiteral("Баланс 5\r\n"));
        // Control characters pass unchanged (the PDU ends with Ctrl-Z).
        port.WriteStr(QStringLiteral("0011") + QChar(26));
        QCOMPARE(pty.received(5), QByteArray("0011\x1A"));
    }

    void secondOpenerIsRefused()
    {
        PtyPair pty;
        PosixSerialPort first(On(pty));
        PosixSerialPort second(On(pty));
        first.Open();
        QCOMPARE(ErrorCodeOf([&] { second.Open(); }), EBUSY);
        QVERIFY(!second.Connected());
        first.Close();
        second.Open();
        QVERIFY(second.Connected());
    }

    void vanishedDeviceRaisesInsteadOfReadingNothing()
    {
        PtyPair pty;
        PosixSerialPort port(On(pty));
        port.Open();
        pty.vanish();
        QElapsedTimer timer;
        timer.start();
        QVERIFY(ErrorCodeOf([&] { port.ReadStr(60); }) != 0);
        QVERIFY(ErrorCodeOf([&] { port.ReadZeroFilled(256); }) != 0);
        QVERIFY(ErrorCodeOf([&] { port.WriteStr(QStringLiteral("AT\r\n")); }) != 0);
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        // Still open for the program until it closes it.
        QVERIFY(port.Connected());
        port.Close();
    }

    // What the operator reads when a port fails: Russian first, then the system's own words and
    // the code (the whole notice of a real failed open is checked with the GSM link's notices).
    void failureReasonsReadInRussianFirst_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("russian");
        QTest::newRow("no such device") << ENOENT << "устройство не найдено";
        QTest::newRow("unplugged") << ENXIO << "устройство не найдено";
        QTest::newRow("permission denied") << EACCES << "нет прав доступа к порту";
        QTest::newRow("device busy") << EBUSY << "порт занят другой программой";
        QTest::newRow("invalid speed") << EINVAL << "недопустимая скорость или параметр линии";
        QTest::newRow("not a serial port") << ENOTTY << "устройство не является последовательным портом";
        QTest::newRow("other") << ENOMEM << "системная ошибка";
    }
    void failureReasonsReadInRussianFirst()
    {
        QFETCH(int, code);
        QFETCH(QString, russian);
        QCOMPARE(PortErrorReason(code), QStringLiteral("%1 (%2, код %3)").arg(russian, QString::fromLocal8Bit(strerror(code))).arg(code));
    }

    void errorsCarryTheSystemCodeAndDevice()
    {
        PosixSerialPort missing(PortSettings{QStringLiteral("/dev/kvt-no-such-port"), 9600});
        try {
            missing.Open();
            QFAIL("opened a missing device");
        } catch (const PortError& error) {
            QCOMPARE(error.systemCode(), ENOENT);
            QVERIFY(error.message().contains(QStringLiteral("/dev/kvt-no-such-port")));
            QVERIFY(error.message().contains(QString::fromLocal8Bit(strerror(ENOENT))));
        }
        QVERIFY(!missing.Connected());

        // A plain file is no serial device.
        PosixSerialPort notTty(PortSettings{QStringLiteral("/dev/null"), 9600});
        QCOMPARE(ErrorCodeOf([&] { notTty.Open(); }), ENOTTY);
        QVERIFY(!notTty.Connected());

        // The closed port: writes and reads fail, purge and close do nothing.
        QCOMPARE(ErrorCodeOf([&] { missing.WriteStr(QStringLiteral("AT\r\n")); }), EBADF);
        QCOMPARE(ErrorCodeOf([&] { missing.ReadStr(10); }), EBADF);
        missing.Purge();
        missing.Close();
    }

    void lineSettings_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("speed");
        QTest::newRow("9600") << 9600 << int(B9600);
        QTest::newRow("115200") << 115200 << int(B115200);
        QTest::newRow("460800") << 460800 << int(B460800);
    }
    void lineSettings()
    {
        QFETCH(int, baud);
        QFETCH(int, speed);
        PtyPair pty;
        PosixSerialPort port(On(pty, baud));
        port.Open();
        termios tio{};
        QCOMPARE(tcgetattr(port.nativeHandle(), &tio), 0);
        QCOMPARE(int(tio.c_cflag & CSIZE), int(CS8));
        QVERIFY(!(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS)));
        QVERIFY(!(tio.c_iflag & (IXON | IXOFF | IXANY)));
        QVERIFY(!(tio.c_lflag & (ICANON | ECHO)));
        QCOMPARE(int(tio.c_cc[VMIN]), 0);
        QCOMPARE(int(tio.c_cc[VTIME]), 0);
        QCOMPARE(int(cfgetospeed(&tio)), speed);
        QCOMPARE(int(cfgetispeed(&tio)), speed);
        // Reopening an open port keeps the descriptor.
        const int fd = port.nativeHandle();
        port.Open();
        QCOMPARE(port.nativeHandle(), fd);
    }

    void unsupportedRateIsRefused()
    {
        PtyPair pty;
        PosixSerialPort port(On(pty, 12345));
        QCOMPARE(ErrorCodeOf([&] { port.Open(); }), EINVAL);
        QVERIFY(!port.Connected());
        // The refused open released the device.
        PosixSerialPort other(On(pty));
        other.Open();
        QVERIFY(other.Connected());
    }

    void modemLinesFollowTheSettings_data()
    {
        QTest::addColumn<bool>("dtr");
        QTest::addColumn<bool>("rts");
        QTest::newRow("both low") << false << false;
        QTest::newRow("DTR high") << true << false;
        QTest::newRow("RTS high") << false << true;
        QTest::newRow("both high") << true << true;
    }
    void modemLinesFollowTheSettings()
    {
        QFETCH(bool, dtr);
        QFETCH(bool, rts);
        PtyPair pty;
        auto lines = std::make_shared<RecordingLines>();
        PosixSerialPort port(On(pty, 9600, dtr, rts), lines);
        port.Open();
        const QList<QPair<ModemLine, bool>> expected{{ModemLine::DTR, dtr}, {ModemLine::RTS, rts}};
        QCOMPARE(lines->requests, expected);
        QVERIFY(port.modemLinesDriven());
    }

    void deviceWithoutModemLinesStillOpens()
    {
        PtyPair pty;
        auto lines = std::make_shared<RecordingLines>(ENOTTY);
        PosixSerialPort port(On(pty, 9600, true, true), lines);
        port.Open();
        QVERIFY(port.Connected());
        QVERIFY(!port.modemLinesDriven());
        QCOMPARE(lines->requests.size(), 1);

        // The real ioctl on a pseudo-terminal gives the same outcome.
        PtyPair other;
        PosixSerialPort real(On(other, 9600, true, false));
        real.Open();
        QVERIFY(real.Connected());
        QVERIFY(!real.modemLinesDriven());
    }

    void failingModemLineFailsTheOpen()
    {
        PtyPair pty;
        auto lines = std::make_shared<RecordingLines>(EIO);
        PosixSerialPort port(On(pty, 9600, true, false), lines);
        QCOMPARE(ErrorCodeOf([&] { port.Open(); }), EIO);
        QVERIFY(!port.Connected());
    }

    void writeGivesUpAfterItsTimeOut()
    {
        PtyPair pty;
        PosixSerialPort port(On(pty));
        port.Open();
        // Nobody reads the device side: fill the driver until it takes nothing more.
        // The pseudo-terminal moves bytes on to the master's queue in the background, so keep
        // filling until even a single byte stays refused after a pause.
        const QByteArray block(4096, 'x');
        for (;;) {
            while (::write(port.nativeHandle(), block.constData(), size_t(block.size())) > 0) {
            }
            QTest::qSleep(50);
            if (::write(port.nativeHandle(), "x", 1) <= 0)
                break;
        }
        QElapsedTimer timer;
        timer.start();
        const qint64 written = port.WriteStr(QStringLiteral("AT"));
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(written, 0);
        const qint64 limit = 2 * SerialPort::kWriteTimeoutPerByteMs + SerialPort::kWriteTimeoutConstantMs;
        QVERIFY2(elapsed >= limit - 20 && elapsed < limit + 500, qPrintable(QString::number(elapsed)));
    }

    void deviceNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("device");
        QTest::newRow("COM1") << "COM1" << "/dev/ttyS0";
        QTest::newRow("com12") << "com12" << "/dev/ttyS11";
        QTest::newRow("COM0 is no COM port") << "COM0" << "/dev/COM0";
        QTest::newRow("bare name") << "ttyUSB0" << "/dev/ttyUSB0";
        QTest::newRow("path") << "/dev/pts/7" << "/dev/pts/7";
        QTest::newRow("link") << "/tmp/kvt-modem" << "/tmp/kvt-modem";
    }
    void deviceNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, device);
        QCOMPARE(ResolveDeviceName(name), device);
    }

    void everyOfferedRateCanBeSet()
    {
        QVERIFY(SupportedBaudRates().contains(9600));
        QVERIFY(SupportedBaudRates().contains(115200));
        for (qint32 rate : SupportedBaudRates())
            QVERIFY2(BaudRateConstant(rate).has_value(), qPrintable(QString::number(rate)));
        QVERIFY(!BaudRateConstant(0));
        // The settings window offers a part of the list, in the same order.
        qsizetype from = 0;
        for (qint32 rate : StandardBaudRates()) {
            from = SupportedBaudRates().indexOf(rate, from);
            QVERIFY2(from >= 0, qPrintable(QString::number(rate)));
        }
        QVERIFY(StandardBaudRates().contains(9600) && StandardBaudRates().contains(115200));
    }
};

KVT_TEST(PosixSerialPortTest)
#include "PosixSerialPortTest.moc"
