#include "CommandsRig.h"
#include "commands/CommandErrors.h"
#include "commands/SettingsPayload.h"
#include "forms/FormText.h"
#include "support/TestRegistry.h"

#include <QTest>

Q_DECLARE_METATYPE(kvt::test::SettingControl)

using namespace kvt;
using namespace kvt::test;

namespace {

std::unique_ptr<ObjectForm> Form(const QList<SettingControl>& controls)
{
    return ObjectForm::FromBytes(WriteComponentStream(FormFromText(CommandFormText(u"01"_qs, u"0A"_qs, controls))));
}

SettingControl Box(const QString& name, const QString& value, const QString& byte, const QString& count = u"1"_qs,
                   const QString& divisor = {})
{
    return {name, u"box"_qs, value, byte, count, divisor};
}

SettingControl Field(const QString& name, const QString& kind, const QString& text, const QString& byte,
                     const QString& count)
{
    return {name, kind, text, byte, count, {}};
}

} // namespace

class SettingsPayloadTest : public QObject {
    Q_OBJECT
private slots:
    void payload_data()
    {
        QTest::addColumn<QList<SettingControl>>("controls");
        QTest::addColumn<QString>("payload");
        QTest::newRow("300 at byte 3") << QList{Box("A", "1", "1"), Box("B", "2", "2"), Box("C", "300", "3")}
                                       << "01022C";
        QTest::newRow("-5 in two bytes") << QList{Box("A", "-5", "1", "2")} << "FFFB";
        QTest::newRow("-5 in four bytes") << QList{Box("A", "-5", "1", "4")} << "FFFFFFFB";
        QTest::newRow("250 / 10") << QList{Box("A", "250", "1", "1", "10")} << "19";
        QTest::newRow("-25 / 10 truncates toward zero") << QList{Box("A", "-25", "1", "1", "10")} << "FE";
        QTest::newRow("three bytes write nothing") << QList{Box("A", "1", "1"), Box("B", "5", "2", "3")} << "01";
        QTest::newRow("5 in two bytes") << QList{Field("E", "hex", "5", "1", "2")} << "5000";
        QTest::newRow("ABCDEF in one byte") << QList{Field("E", "hex", "ABCDEF", "1", "1")} << "ABCDEF";
        QTest::newRow("lower-case hex") << QList{Field("E", "hex", "ab", "1", "1")} << "AB";
        QTest::newRow("AB as characters in three bytes") << QList{Field("E", "chars", "AB", "1", "3")} << "414200";
        QTest::newRow("gap at byte 2") << QList{Box("A", "1", "1"), Box("C", "3", "3")} << "01";
        QTest::newRow("two controls on one byte") << QList{Box("A", "1", "1"), Field("E", "hex", "FF", "1", "1")}
                                                  << "FF";
        QTest::newRow("nothing filled") << QList<SettingControl>{} << "";
        QList<SettingControl> all;
        for (int byte = 1; byte <= commands::kPayloadBytes; ++byte)
            all << Box(QStringLiteral("B%1").arg(byte), QString::number(byte), QString::number(byte));
        all << Box("Beyond", "255", "71");
        QString every;
        for (int byte = 1; byte <= commands::kPayloadBytes; ++byte)
            every += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        QTest::newRow("all 70 bytes and one beyond") << all << every + "FF";
    }
    void payload()
    {
        QFETCH(QList<SettingControl>, controls);
        QFETCH(QString, payload);
        ControlConfig config;
        QCOMPARE(commands::BuildSettingsPayload(*Form(controls), config), payload);
    }

    void configurationErrors_data()
    {
        QTest::addColumn<SettingControl>("control");
        QTest::addColumn<QString>("named");
        QTest::newRow("no byte position") << Box("Box1", "1", QString()) << "«Box1», параметр «Каким байтом отправлять»";
        QTest::newRow("byte position 0") << Box("Box1", "1", "0") << "«Box1», параметр «Каким байтом отправлять»";
        QTest::newRow("byte count no number") << Box("Box1", "1", "1", "два") << "«Box1», параметр «Количество байт»";
        QTest::newRow("divisor no number") << Box("Box1", "1", "1", "1", "x") << "«Box1», параметр «Передавать кратно»";
        QTest::newRow("divisor 0") << Box("Box1", "1", "1", "1", "0") << "«Box1», параметр «Передавать кратно»";
        QTest::newRow("field not hex") << Field("Edit1", "hex", "XYZ", "1", "1") << "«Edit1», параметр «Text»";
        QTest::newRow("field half a byte") << Field("Edit1", "hex", "ABC", "1", "1") << "«Edit1», параметр «Text»";
    }
    // A configuration that cannot make a payload names the control and the setting.
    void configurationErrors()
    {
        QFETCH(SettingControl, control);
        QFETCH(QString, named);
        ControlConfig config;
        try {
            commands::BuildSettingsPayload(*Form({Box("Fine", "1", "1"), control}), config);
            QFAIL("no error");
        } catch (const commands::CommandConfigError& error) {
            QVERIFY2(error.message().contains(named), qPrintable(error.message()));
        }
    }

    void sampleForms_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("payload");
        // The forms as stored, before a packet: period 30, start time 0 in two bytes, set point 0,
        // an empty alarm code of two bytes and an empty version of four characters.
        QTest::newRow("pumping station") << "pumping-station" << "1E" "0000" "00" "0000" "00000000";
        // Set point 0, night setback 0 in two bytes, period 60, an empty identifier of five.
        QTest::newRow("boiler house") << "boiler-house" << "00" "0000" "3C" "0000000000";
        // Latitude and longitude 0 in two bytes each, period 60 / 5, an empty serial number.
        QTest::newRow("water meter") << "water-meter" << "0000" "0000" "0C" "00000000";
        // A set point in one byte (the supply's at its least, 40), then an empty identifier.
        QTest::newRow("sewage pump (radio)") << "sewage-pump" << "00" "0000000000";
        QTest::newRow("heat substation (RS-485)") << "heat-substation" << "28" "0000000000";
    }
    // The settings and command buttons of the sample forms are configured to work.
    void sampleForms()
    {
        QFETCH(QString, form);
        QFETCH(QString, payload);
        const auto sample = ObjectForm::FromFile(SampleForm(form));
        ControlConfig config;
        QCOMPARE(commands::BuildSettingsPayload(*sample, config), payload);
        for (const FormControl* control : sample->controls()) {
            if (control->kind() == ControlKind::CommandButton)
                QVERIFY(!commands::ButtonData(*control, config).isEmpty());
        }
    }

    void buttonData_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("hex") << "0a0B" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("not hex") << "0G" << false;
        QTest::newRow("half a byte") << "0A1" << false;
    }
    void buttonData()
    {
        QFETCH(QString, data);
        QFETCH(bool, accepted);
        const auto form = ObjectForm::FromBytes(WriteComponentStream(FormFromText(CommandFormText(data, {}))));
        ControlConfig config;
        try {
            QCOMPARE(commands::ButtonData(*form->control("Command"), config), data.toUpper());
            QVERIFY(accepted);
        } catch (const commands::CommandConfigError& error) {
            QVERIFY2(!accepted, qPrintable(error.message()));
            QVERIFY(error.message().contains(u"«Command», параметр «Посылаемые данные»"));
        }
    }
};

KVT_TEST(SettingsPayloadTest)
#include "SettingsPayloadTest.moc"
