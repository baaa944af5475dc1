#include "settings/LinkConnections.h"
#include "settings/LinkPortConnector.h"
#include "settings/Settings.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedLinkWork.h"
#include "support/ScriptedSerialPort.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <cerrno>

using namespace kvt;

Q_DECLARE_METATYPE(kvt::Link)

namespace {

// One link's connect and disconnect buttons over a scripted port and link work.
struct Buttons {
    explicit Buttons(Link which) : link(which)
    {
        QObject::connect(&connections, &LinkConnections::connectionChanged,
                         [this](Link, bool connected) { shownStates << connected; });
    }
    Link link;
    VirtualClock clock;
    test::ScriptedSerialPort port{clock};
    test::ScriptedLinkWork work{port};
    Settings settings;
    LinkConnections connections;
    test::RecordingNotices notices;
    LinkPortConnector connector{link, port, work, settings, connections, notices};
    QList<bool> shownStates;

    void choose(const QString& device, const QString& speed)
    {
        settings.update([&](SettingsData& data) {
            data.link(link).port = device;
            data.link(link).baudRate = speed;
            data.link(link).dtr = true;
        });
    }
};

void links()
{
    QTest::addColumn<Link>("link");
    QTest::addColumn<int>("startingRate");
    QTest::newRow("GSM modem") << Link::Gsm << 115200;
    QTest::newRow("radio") << Link::Radio << 9600;
    QTest::newRow("RS-485") << Link::Rs485 << 9600;
}

} // namespace

class LinkPortConnectorTest : public QObject {
    Q_OBJECT
private slots:
    // The port, speed, DTR and RTS of the settings reach the link work; no speed chosen means the
    // port's starting rate. The buttons switch as soon as the port is open, before the work.
    void connectsWithTheSettingsOfItsLink_data() { links(); }
    void connectsWithTheSettingsOfItsLink()
    {
        QFETCH(Link, link);
        QFETCH(int, startingRate);
        Buttons b(link);
        b.choose(QStringLiteral(" /dev/ttyUSB1 "), QString());
        QObject::connect(&b.connections, &LinkConnections::connectionChanged,
                         [&b](Link, bool) { b.work.steps << QStringLiteral("buttons"); });
        QVERIFY(b.connector.connectLink());
        QCOMPARE(b.work.startedWith, (QList<PortSettings>{{QStringLiteral("/dev/ttyUSB1"), startingRate, true, false}}));
        QCOMPARE(b.work.steps, (QStringList{"open", "buttons", "working"}));
        QVERIFY(b.connections.isConnected(link));
        QVERIFY(b.notices.shown.isEmpty());

        b.connector.disconnectLink();
        QVERIFY(!b.connections.isConnected(link) && !b.port.Connected());
        QCOMPARE(b.work.steps.last(), QStringLiteral("buttons"));

        b.choose(QStringLiteral("/dev/ttyUSB1"), QStringLiteral("57600"));
        QVERIFY(b.connector.connectLink());
        QCOMPARE(b.work.startedWith.last().baudRate, 57600);
    }

    // Each failure is told in the link's own words with the device and the system error, and
    // leaves the port closed and the buttons as for a link that is not connected.
    void failuresAreToldAndLeaveNothingConnected_data()
    {
        QTest::addColumn<Link>("link");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("failure"); // "open", "start" or none
        QTest::addColumn<QString>("notice");
        QTest::newRow("GSM: no port") << Link::Gsm << "  " << "" << "Не выбран COM порт GSM модема.";
        QTest::newRow("radio: no port") << Link::Radio << "" << "" << "Не выбран COM порт радиомодема.";
        QTest::newRow("RS-485: no port") << Link::Rs485 << "" << "" << "Не выбран COM порт адаптера RS-485.";
        QTest::newRow("GSM: open") << Link::Gsm << "/dev/ttyUSB0" << "open"
                                   << "Не удалось установить связь с GSM модемом.\nПорт /dev/ttyUSB0: не удалось "
                                      "открыть: устройство не найдено (No such file or directory, код 2)";
        QTest::newRow("radio: open") << Link::Radio << "/dev/ttyS1" << "open"
                                     << "Не удалось установить связь с радиомодемом.\nПорт /dev/ttyS1: не удалось "
                                        "открыть: устройство не найдено (No such file or directory, код 2)";
        QTest::newRow("RS-485: device lost while starting")
            << Link::Rs485 << "/dev/ttyS2" << "start"
            << "Не удалось установить связь с адаптером RS-485.\nПорт /dev/ttyS2: ошибка записи: ошибка ввода-вывода, "
               "устройство отключено (Input/output error, код 5)";
    }
    void failuresAreToldAndLeaveNothingConnected()
    {
        QFETCH(Link, link);
        QFETCH(QString, device);
        QFETCH(QString, failure);
        QFETCH(QString, notice);
        Buttons b(link);
        b.choose(device, QStringLiteral("9600"));
        if (failure == QLatin1String("open"))
            b.port.failNextOpen(ENOENT);
        if (failure == QLatin1String("start"))
            b.port.failNextIo(EIO);
        QVERIFY(!b.connector.connectLink());
        QCOMPARE(b.notices.shown, QStringList{notice});
        QVERIFY(!b.port.Connected());
        QVERIFY(!b.connections.isConnected(link));
        QCOMPARE(b.shownStates, failure == QLatin1String("start") ? (QList<bool>{true, false}) : QList<bool>());
    }
};

KVT_TEST(LinkPortConnectorTest)
#include "LinkPortConnectorTest.moc"
