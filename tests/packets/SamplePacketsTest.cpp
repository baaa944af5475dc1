#include "support/RecordingSinks.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"

#include "common/MainTimers.h"
#include "forms/ObjectForm.h"
#include "packets/ApplyStatePacket.h"

#include <QtTest>

using namespace kvt;

// The sample forms and their packets mean what their comments say: decoded in full processing,
// each packet shows the expected values and raises the alarm exactly when it should.
class SamplePacketsTest : public QObject {
    Q_OBJECT
private slots:
    void samplePackets_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QStringList>("shown");  // "Control=caption or text" pairs
        QTest::addColumn<QString>("gk");
        QTest::addColumn<QString>("linkCheck");

        QTest::newRow("pumping station normal")
            << u"pumping-station"_qs << u"normal"_qs << false
            << QStringList{u"PanelState=   Норма"_qs, u"RbPanelObj=НС-3"_qs, u"StaticPress=400"_qs, u"StaticLevel=200"_qs,
                           u"EditCode=0000"_qs, u"EditVersion=v2.1"_qs, u"SpinStartTime=480"_qs, u"SpinSetpoint=400"_qs}
            << u"GK-otkr"_qs << u"30"_qs;
        QTest::newRow("pumping station alarm")
            << u"pumping-station"_qs << u"alarm"_qs << true
            << QStringList{u"PanelState=    Авария"_qs, u"StaticPress=100"_qs, u"StaticLevel=40"_qs, u"EditCode=000C"_qs}
            << u"GK-zakr"_qs << u"30"_qs;
        QTest::newRow("pumping station manual") << u"pumping-station"_qs << u"manual"_qs << false
                                                << QStringList{u"PanelState=Ручной режим"_qs} << u"GK-otkr"_qs << u"30"_qs;
        QTest::newRow("pumping station unknown state")
            << u"pumping-station"_qs << u"unknown"_qs << false
            << QStringList{u"PanelState=---"_qs, u"SpinStartTime=-480"_qs, u"SpinSetpoint=50"_qs} << u"GK-otkr"_qs
            << u"30"_qs;
        QTest::newRow("boiler house normal")
            << u"boiler-house"_qs << u"normal"_qs << false
            << QStringList{u"RbPanelT1=072"_qs, u"RbPanelT2=055"_qs, u"StaticP=32"_qs, u"PanelMode=   Работа"_qs,
                           u"EditId=KOT01"_qs, u"SpinSetT=70"_qs, u"SpinNight=1320"_qs}
            << QString() << u"60"_qs;
        QTest::newRow("boiler house alarm")
            << u"boiler-house"_qs << u"alarm"_qs << true
            << QStringList{u"StaticP=45"_qs, u"PanelMode=    Авария горелки"_qs} << QString() << u"60"_qs;
        QTest::newRow("boiler house ignition") << u"boiler-house"_qs << u"ignition"_qs << false
                                               << QStringList{u"PanelMode=  Розжиг"_qs, u"SpinSetT=-5"_qs} << QString()
                                               << u"60"_qs;
        QTest::newRow("water meter normal")
            << u"water-meter"_qs << u"normal"_qs << false
            << QStringList{u"StaticFlow=1250"_qs, u"StaticEnergy=1234.50"_qs, u"StaticTemp=12"_qs,
                           u"PanelSensor=   Исправен"_qs, u"EditSerial=0012D687"_qs, u"SpinLat=3345"_qs, u"SpinLon=2257"_qs,
                           u"EditNote=Счётчик ВСХН-50"_qs}
            << QString() << u"60"_qs;
        QTest::newRow("water meter alarm") << u"water-meter"_qs << u"alarm"_qs << true
                                           << QStringList{u"StaticTemp=0"_qs, u"PanelSensor=    Обрыв линии"_qs} << QString()
                                           << u"60"_qs;
        QTest::newRow("sewage pump (radio) normal")
            << u"sewage-pump"_qs << u"normal"_qs << false
            << QStringList{u"EditId=KNS05"_qs, u"RbPanelLevel=2.35"_qs, u"RbPanelPress=3.1"_qs, u"RbPanelFlow=18.5"_qs,
                           u"PanelMode=   Основной насос"_qs, u"SpinSetLevel=150"_qs}
            << QString() << QString();
        QTest::newRow("sewage pump (radio) on its standby pump")
            << u"sewage-pump"_qs << u"reserve"_qs << false
            << QStringList{u"RbPanelLevel=2.60"_qs, u"PanelMode=  Резервный насос"_qs} << QString() << QString();
        QTest::newRow("heat substation (RS-485) working")
            << u"heat-substation"_qs << u"work"_qs << false
            << QStringList{u"EditId=ЦТП02"_qs, u"RbPanelSupply=71.5"_qs, u"RbPanelReturn=48.2"_qs, u"RbPanelPress=5.6"_qs,
                           u"PanelMode=   Работа"_qs, u"SpinSetSupply=72"_qs}
            << QString() << QString();
        QTest::newRow("heat substation (RS-485) making up")
            << u"heat-substation"_qs << u"make-up"_qs << false
            << QStringList{u"RbPanelSupply=70.9"_qs, u"PanelMode=  Подпитка"_qs} << QString() << QString();
        QTest::newRow("water meter calibration") << u"water-meter"_qs << u"calibration"_qs << false
                                                 << QStringList{u"PanelSensor= Калибровка"_qs} << QString() << u"60"_qs;
    }

    void samplePackets()
    {
        QFETCH(QString, form);
        QFETCH(QString, packet);
        QFETCH(bool, alarm);
        QFETCH(QStringList, shown);
        QFETCH(QString, gk);
        QFETCH(QString, linkCheck);
        const QString hex = test::SamplePacket(form, packet);
        QVERIFY(!hex.isEmpty());
        auto objectForm = ObjectForm::FromFile(test::SampleForm(form));
        test::FakeMainTimers timers;
        StatePacketDecoder decoder(timers, QLatin1Char('.'));
        const auto result = decoder.ApplyStatePacket(objectForm.get(), hex, true, u"01.02.26  10:00"_qs, form, QString(), nullptr);
        QVERIFY(result.has_value());
        QCOMPARE(result->summaries.alarm(), alarm);
        QCOMPARE(result->summaries.gkText(), gk);
        QCOMPARE(result->summaries.linkCheck().value_or(QString()), linkCheck);
        for (const QString& pair : shown) {
            const QString name = pair.section(u'=', 0, 0);
            const QString expected = pair.section(u'=', 1);
            const FormControl* control = objectForm->control(name);
            QVERIFY2(control, qPrintable(name));
            const QString actual = control->kind() == ControlKind::DataField || control->kind() == ControlKind::SettingBox
                ? control->text()
                : control->caption();
            QCOMPARE(actual, expected);
        }
    }

    // The demo instance: every object bears the name its form's title shows.
    void demoObjectsAreNamedAsTheirForms()
    {
        QFile manifest(qEnvironmentVariable("KVT_SOURCE_DIR") + u"/examples/demo/objects.manifest"_qs);
        QVERIFY(manifest.open(QIODevice::ReadOnly));
        int objects = 0;
        for (const QString& line : QString::fromUtf8(manifest.readAll()).split(u'\n')) {
            if (!line.startsWith(u"object "_qs))
                continue;
            const QStringList fields = line.mid(7).trimmed().split(u'|');
            QCOMPARE(fields.size(), 3);
            const auto form = ObjectForm::FromFile(test::SampleForm(QFileInfo(fields[1]).completeBaseName()));
            const FormControl* title = form->control(u"LabelTitle"_qs);
            QVERIFY2(title, qPrintable(fields[1]));
            QCOMPARE(title->caption(), fields[0]);
            ++objects;
        }
        QCOMPARE(objects, 5);
    }

    // Screenshots of every sample form with its packets applied (display only, as when an
    // object is selected), saved under the build folder to be looked at.
};

KVT_TEST(SamplePacketsTest)
#include "SamplePacketsTest.moc"
