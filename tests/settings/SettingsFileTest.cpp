#include "common/AtomicFile.h"
#include "common/Errors.h"
#include "common/IniFile.h"
#include "common/Win1251.h"
#include "settings/SerialChoices.h"
#include "settings/SettingsFile.h"
#include "support/FailingWriter.h"
#include "support/Files.h"
#include "support/FixedSerialChoices.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;

namespace {
// Every setting away from its default.
SettingsData fullSettings()
{
    SettingsData d;
    d.gsm = {true, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("115200"), true, false};
    d.smsMemory = QStringLiteral("SM");
    d.transferActive = true;
    d.transferPhone = QStringLiteral("79001234567");
    d.alarmsActive = true;
    d.alarmMethod = AlarmMethodSms;
    d.alarmCount = 3;
    d.subscribers = {QStringLiteral("79000000001"), QStringLiteral("79000000002"), QStringLiteral("79000000003")};
    d.balancePhone = QStringLiteral("*100#");
    d.balanceMask = QStringLiteral("Баланс:");
    d.balanceAnswerLength = 12;
    d.answerLinkCheckCall = true;
    d.radio = {false, QStringLiteral("/dev/ttyS1"), QStringLiteral("9600"), false, true};
    d.radioDH = QStringLiteral("0013A200");
    d.radioDL = QStringLiteral("40B5C1D2");
    d.rs485 = {true, QStringLiteral("/dev/ttyS2"), QStringLiteral("19200"), false, false};
    d.rs485Id = QStringLiteral("01");
    d.soundDataReceived = false;
    d.panelGsmCommands = false;
    d.panelHistory = false;
    d.window = {10, 20, 700, 1024, 200};
    return d;
}
} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString home() const { return dir_.path() + QLatin1Char('/'); }
    QString iniPath() const { return SettingsFilePath(home()); }
    SettingsData load(const QByteArray& content)
    {
        test::WriteFile(iniPath(), content);
        return ReadSettings(IniFile(iniPath()));
    }

private slots:
    void cleanup() { QFile::remove(iniPath()); }

    void missingOrEmptyFileGivesDefaults_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("missing") << false;
        QTest::newRow("empty") << true;
    }
    void missingOrEmptyFileGivesDefaults()
    {
        QFETCH(bool, present);
        if (present)
            test::WriteFile(iniPath(), {});
        const SettingsData d = ReadSettings(IniFile(iniPath()));
        for (Link link : {Link::Gsm, Link::Radio, Link::Rs485})
            QVERIFY(!d.link(link).autoStart);
        QVERIFY(!d.gsm.rts);
        QCOMPARE(d.alarmMethod, int(AlarmMethodCall));
        QCOMPARE(d.alarmCount, 2);
        QCOMPARE(d.balanceAnswerLength, 10);
        QCOMPARE(d.balancePhone, QString());
        QCOMPARE(d.radioDH, QStringLiteral("00000000"));
        QCOMPARE(d.radioDL, QStringLiteral("00000000"));
        QCOMPARE(d.rs485Id, QStringLiteral("00"));
        QVERIFY(d.soundAlarm && d.soundDataReceived && d.soundDataSent);
        QVERIFY(d.panelGsmCommands && d.panelGenPanel && d.panelSvyazInfo && d.panelHistory);
        QCOMPARE(d.window, (WindowGeometry{0, 0, 600, 800, 175}));
        QVERIFY(d.subscribers.isEmpty());
        QCOMPARE(d, SettingsData());
    }

    void smsMemoryFromHex_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("SM") << "534D" << "SM";
        QTest::newRow("ME") << "4D45" << "ME";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("odd length drops last") << "4D4" << "M";
        QTest::newRow("not hex gives space") << "ZZ" << " ";
        QTest::newRow("bad pair between good ones") << "4DZ145" << "M E";
        QTest::newRow("half a pair bad") << "5G" << " ";
        QTest::newRow("lower case digits") << "736d" << "sm";
        QTest::newRow("windows-1251 letters") << "CFC0CC" << "ПАМ";
        QTest::newRow("single char") << "5" << "";
    }
    void smsMemoryFromHex()
    {
        QFETCH(QString, stored);
        QTEST(DecodeSmsMemory(stored), "shown");
        QTEST(load(ToWin1251(QStringLiteral("[GSM_Svyaz]\r\nSMSMem=") + stored + QStringLiteral("\r\n"))).smsMemory,
              "shown");
    }

    void smsMemoryToHex()
    {
        QCOMPARE(EncodeSmsMemory(QStringLiteral("SM")), QStringLiteral("534D"));
        QCOMPARE(EncodeSmsMemory(QStringLiteral("ME")), QStringLiteral("4D45"));
        QCOMPARE(EncodeSmsMemory(QString()), QString());
        QCOMPARE(EncodeSmsMemory(QStringLiteral("Я")), QStringLiteral("DF"));
    }

    void subscribersStopAtFirstGap_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QStringList>("subscribers");
        QTest::newRow("gap after first") << QByteArray("Phone0=79000000001\r\nPhone2=79000000003\r\n")
                                         << QStringList{QStringLiteral("79000000001")};
        QTest::newRow("no Phone0") << QByteArray("Phone1=79000000002\r\n") << QStringList{};
        QTest::newRow("empty value ends list") << QByteArray("Phone0=79000000001\r\nPhone1=\r\nPhone2=79000000003\r\n")
                                               << QStringList{QStringLiteral("79000000001")};
        QTest::newRow("any order in file")
            << QByteArray("Phone1=79000000002\r\nPhone0=79000000001\r\n")
            << QStringList{QStringLiteral("79000000001"), QStringLiteral("79000000002")};
    }
    void subscribersStopAtFirstGap()
    {
        QFETCH(QByteArray, section);
        QTEST(load("[GSM_Alarms]\r\n" + section).subscribers, "subscribers");
    }

    void numbersAndBooleans_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("sound");
        QTest::newRow("zero") << QByteArray("0") << 0 << false;
        QTest::newRow("number") << QByteArray("5") << 5 << true;
        QTest::newRow("not a number") << QByteArray("abc") << 2 << true;
        QTest::newRow("empty") << QByteArray("") << 2 << true;
        QTest::newRow("negative is true") << QByteArray("-1") << -1 << true;
    }
    void numbersAndBooleans()
    {
        QFETCH(QByteArray, value);
        const SettingsData d = load("[GSM_Alarms]\r\nCount=" + value + "\r\n[Sounds]\r\nAvary=" + value + "\r\n");
        QTEST(d.alarmCount, "count");
        QTEST(d.soundAlarm, "sound");
    }

    void savedFileIsExactlyAsExpected()
    {
        SaveSettings(fullSettings(), home());
        const QString expected = QFINDTESTDATA("data/Settings.expected.ini");
        QVERIFY(!expected.isEmpty());
        QCOMPARE(test::ReadFile(iniPath()), test::ReadFile(expected));
        QCOMPARE(ReadSettings(IniFile(iniPath())), fullSettings());
    }

    void removedSubscriberDisappearsAndForeignKeysSurvive()
    {
        test::WriteFile(iniPath(), "; site notes\r\n[Site]\r\nName=North\r\n[GSM_Svyaz]\r\nExtra=keep\r\n"
                             "[GSM_Alarms]\r\nActive=1\r\nPhone0=79000000001\r\nPhone1=79000000002\r\n"
                             "Phone2=79000000003\r\nNote=dropped with the section\r\n");
        SettingsData d = ReadSettings(IniFile(iniPath()));
        QCOMPARE(d.subscribers.size(), 3);
        d.subscribers.removeAt(1);
        SaveSettings(d, home());

        const IniFile after(iniPath());
        QCOMPARE(after.keys(QStringLiteral("GSM_Alarms")),
                 (QStringList{QStringLiteral("Active"), QStringLiteral("Type"), QStringLiteral("Count"),
                              QStringLiteral("Phone0"), QStringLiteral("Phone1")}));
        QCOMPARE(after.readString(QStringLiteral("GSM_Alarms"), QStringLiteral("Phone1")), QStringLiteral("79000000003"));
        QCOMPARE(after.readString(QStringLiteral("Site"), QStringLiteral("Name")), QStringLiteral("North"));
        QCOMPARE(after.readString(QStringLiteral("GSM_Svyaz"), QStringLiteral("Extra")), QStringLiteral("keep"));
        QVERIFY(test::ReadFile(iniPath()).startsWith("; site notes\r\n[Site]\r\nName=North\r\n"));
        // On the next save the rewritten alarm section ends up behind the others, as any
        // section written anew does.
        SaveSettings(d, home());
        QCOMPARE(IniFile(iniPath()).sections().last(), QStringLiteral("GSM_Alarms"));
        QCOMPARE(ReadSettings(IniFile(iniPath())), d);
    }

    void badInputLoadsFirstOccurrence()
    {
        QByteArray junk = "[GSM_Transfer]\r\nPhone=79001112233\r\nPhone=79009998877\r\n"
                          "line without equals\r\n=\r\n[gsm_transfer]\r\nActive=1\r\n"
                          "[GSM_Balans]\r\nMask=";
        junk += QByteArray(1 << 20, 'x');
        junk += "\r\n";
        junk += QByteArray("\x00\x01\xff\x98\r\r\n[Sounds]\r\nAvary=0\r\nAvary=1\r\n", 36);
        const SettingsData d = load(junk);
        QCOMPARE(d.transferPhone, QStringLiteral("79001112233"));
        QVERIFY(!d.transferActive); // only the first section of a name counts
        QCOMPARE(d.balanceMask.size(), 1 << 20);
        QVERIFY(!d.soundAlarm);

        // Saving keeps what it does not own, byte for byte.
        SaveSettings(d, home());
        const QByteArray saved = test::ReadFile(iniPath());
        QVERIFY(saved.contains("line without equals\r\n=\r\nActive=0\r\n[gsm_transfer]\r\nActive=1\r\n"));
        QVERIFY(saved.contains(QByteArray("\x00\x01\xff\x98\r\r\n", 7)));
        QCOMPARE(ReadSettings(IniFile(iniPath())), d);
    }

    void unwritableFileRaisesAndLeavesEverything()
    {
        const QByteArray before = "[GSM_Transfer]\r\nPhone=79001112233\r\n";
        test::WriteFile(iniPath(), before);
        Settings settings(fullSettings());
        QSignalSpy spy(&settings, &Settings::changed);
        QVERIFY_THROWS_EXCEPTION(IoError, SaveSettings(settings.data(), home(), std::make_shared<test::FailingWriter>()));
        QCOMPARE(test::ReadFile(iniPath()), before);
        QCOMPARE(settings.data(), fullSettings());
        QCOMPARE(spy.count(), 0);

        // A folder in the way of the file.
        QFile::remove(iniPath());
        QVERIFY(QDir(home()).mkdir(kSettingsFileName));
        QVERIFY_THROWS_EXCEPTION(KvtError, SaveSettings(settings.data(), home()));
        QVERIFY(QDir(home()).rmdir(kSettingsFileName));
    }

    void loadTakesOverWhatTheListsOffer_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("baud");
        QTest::addColumn<QString>("shownPort");
        QTest::addColumn<QString>("shownBaud");
        QTest::newRow("both offered") << "/dev/ttyUSB0" << "115200" << "/dev/ttyUSB0" << "115200";
        QTest::newRow("absent port is kept") << "COM3" << "9600" << "COM3" << "9600";
        QTest::newRow("odd speed keeps previous") << "/dev/ttyS0" << "12345" << "/dev/ttyS0" << "57600";
        QTest::newRow("existing device path") << "/dev/null" << "" << "/dev/null" << "57600";
        QTest::newRow("vanished device path is kept") << "/dev/kvt-no-such-port" << "x" << "/dev/kvt-no-such-port" << "57600";
        QTest::newRow("path outside /dev is kept") << "/tmp/kvt-modem" << "9600" << "/tmp/kvt-modem" << "9600";
        QTest::newRow("no port keeps previous") << "" << "9600" << "/dev/ttyS0" << "9600";
    }
    void loadTakesOverWhatTheListsOffer()
    {
        QFETCH(QString, port);
        QFETCH(QString, baud);
        test::WriteFile(iniPath(), ToWin1251(QStringLiteral("[Radio_Svyaz]\r\nPort=%1\r\nBaudRate=%2\r\n").arg(port, baud)));
        SettingsData previous;
        previous.radio.port = QStringLiteral("/dev/ttyS0");
        previous.radio.baudRate = QStringLiteral("57600");
        Settings settings(previous);
        LoadSettings(settings, home(), test::FixedSerialChoices());
        QTEST(settings->radio.port, "shownPort");
        QTEST(settings->radio.baudRate, "shownBaud");
    }

    // A port is present when the machine lists it or when it leads, through any links, to a
    // character device; the stable names of /dev/serial/by-id are offered with the ports.
    void portPresence_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("present");
        QTest::newRow("listed port") << "/dev/ttyUSB0" << true;
        QTest::newRow("character device") << "/dev/null" << true;
        QTest::newRow("bare device name") << "null" << true;
        QTest::newRow("link to a device") << "@by-id/usb-Modem-if00" << true;
        QTest::newRow("link to a plain file") << "@by-id/plain" << false;
        QTest::newRow("dangling link") << "@by-id/unplugged" << false;
    }
    void portPresence()
    {
        QFETCH(QString, port);
        QTemporaryDir dir;
        const QString byId = dir.filePath(QStringLiteral("by-id"));
        QVERIFY(QDir().mkpath(byId));
        test::WriteFile(dir.filePath(QStringLiteral("plain")), "x");
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), byId + QStringLiteral("/usb-Modem-if00")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("plain")), byId + QStringLiteral("/plain")));
        QVERIFY(QFile::link(QStringLiteral("/dev/kvt-gone"), byId + QStringLiteral("/unplugged")));
        if (port.startsWith(u'@'))
            port = dir.filePath(port.mid(1));

        QTEST(test::FixedSerialChoices().isPresent(port), "present");
        const QStringList offered = SerialChoices(byId).ports();
        QCOMPARE(offered.filter(byId), QStringList{byId + QStringLiteral("/usb-Modem-if00")});
    }

    void loadHoldsValuesWithinTheirFields_data()
    {
        QTest::addColumn<QByteArray>("alarms");
        QTest::addColumn<QByteArray>("length");
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("answerLength");
        QTest::newRow("in range") << QByteArray("Type=1\r\nCount=4") << QByteArray("100") << 1 << 4 << 100;
        QTest::newRow("method beyond list") << QByteArray("Type=2") << QByteArray("1") << -1 << 2 << 2;
        QTest::newRow("negative") << QByteArray("Type=-1\r\nCount=-5") << QByteArray("500") << -1 << 0 << 100;
    }
    void loadHoldsValuesWithinTheirFields()
    {
        QFETCH(QByteArray, alarms);
        QFETCH(QByteArray, length);
        test::WriteFile(iniPath(), "[GSM_Alarms]\r\n" + alarms + "\r\n[GSM_Balans]\r\nAnswerLength=" + length + "\r\n");
        Settings settings;
        LoadSettings(settings, home(), test::FixedSerialChoices());
        QTEST(settings->alarmMethod, "method");
        QTEST(settings->alarmCount, "count");
        QTEST(settings->balanceAnswerLength, "answerLength");
    }

    void modelSignalsOnlyRealChanges()
    {
        Settings settings;
        QSignalSpy spy(&settings, &Settings::changed);
        settings.update([](SettingsData& d) { d.alarmCount = 2; });
        QCOMPARE(spy.count(), 0);
        settings.update([](SettingsData& d) { d.link(Link::Rs485).dtr = true; });
        QCOMPARE(spy.count(), 1);
        QVERIFY(settings->rs485.dtr);
    }
};

KVT_TEST(SettingsFileTest)
#include "SettingsFileTest.moc"
