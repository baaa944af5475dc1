#include "serial/ui/ComLed.h"
#include "serial/LinkIndicators.h"
#include "serial/LinkPorts.h"
#include "support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

using namespace kvt;

Q_DECLARE_METATYPE(kvt::LinkLamp)

class LinkPanelTest : public QObject {
    Q_OBJECT
private slots:
    void portObjectsStartClosedOnCom1()
    {
        LinkPorts ports;
        struct Expected {
            SerialPort& port;
            qint32 baud;
        };
        for (const Expected& e : {Expected{ports.Port_Modem(), 115200}, Expected{ports.Port_ZigBee(), 9600},
                                  Expected{ports.Port_RS485(), 9600}}) {
            QVERIFY(!e.port.Connected());
            QCOMPARE(e.port.settings(), (PortSettings{QStringLiteral("COM1"), e.baud, false, false}));
        }
    }

    void lampMarkers_data()
    {
        QTest::addColumn<LinkLamp>("lamp");
        QTest::addColumn<int>("initial");
        QTest::addColumn<int>("lit");
        QTest::addColumn<int>("out");
        QTest::newRow("ComLed5") << LinkLamp::GsmModem << 255 << 0 << 255;
        QTest::newRow("ComLed1") << LinkLamp::Radio << 255 << 0 << 255;
        QTest::newRow("ComLed2") << LinkLamp::Rs485 << 255 << 0 << 255;
        QTest::newRow("ComLed4 has no marker") << LinkLamp::GsmNetwork << 0 << 0 << 0;
    }
    void lampMarkers()
    {
        QFETCH(LinkLamp, lamp);
        QFETCH(int, initial);
        QFETCH(int, lit);
        QFETCH(int, out);
        LinkIndicators indicators;
        ComLed led(indicators, lamp);
        QCOMPARE(led.objectName(), LinkIndicators::ObjectName(lamp));
        QSignalSpy changes(&indicators, &LinkIndicators::lampChanged);
        QCOMPARE(led.helpContext(), initial);
        QVERIFY(!led.isOn());
        led.setOn(true);
        QCOMPARE(indicators.helpContext(lamp), lit);
        QVERIFY(indicators.isOn(lamp));
        indicators.setOn(lamp, true); // no change, no second notice
        QCOMPARE(changes.size(), 1);
        indicators.setOn(lamp, false);
        QCOMPARE(led.helpContext(), out);
        QCOMPARE(changes.size(), 2);
        // The other lamps are untouched.
        for (LinkLamp other : {LinkLamp::GsmModem, LinkLamp::GsmNetwork, LinkLamp::Radio, LinkLamp::Rs485}) {
            if (other != lamp)
                QVERIFY(!indicators.isOn(other));
        }
    }

    void signalBarStaysWithinItsRange()
    {
        LinkIndicators indicators;
        QSignalSpy changes(&indicators, &LinkIndicators::signalPercentChanged);
        indicators.setSignalPercent(48);
        indicators.setSignalPercent(48);
        indicators.setSignalPercent(250);
        indicators.setSignalPercent(-3);
        QCOMPARE(indicators.signalPercent(), 0);
        QCOMPARE(changes.size(), 3);
        QCOMPARE(changes.at(1).at(0).toInt(), 100);
    }

    void lampIsDrawnLitAndOut()
    {
        LinkIndicators indicators;
        ComLed led(indicators, LinkLamp::GsmModem);
        const QImage out = led.grab().toImage();
        led.setOn(true);
        const QImage lit = led.grab().toImage();
        const QPoint centre(led.width() / 2, led.height() / 2);
        QVERIFY(QColor(lit.pixel(centre)).green() > QColor(out.pixel(centre)).green());
    }
};

KVT_TEST(LinkPanelTest)
#include "LinkPanelTest.moc"
