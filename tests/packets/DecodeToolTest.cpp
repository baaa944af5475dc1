#include "common/Win1251.h"
#include "forms/ObjectForm.h"
#include "packets/ApplyStatePacket.h"
#include "packets/closing/BookRecord.h"
#include "support/RecordingSinks.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kvt;

// kvt-tool decode on the sample object forms: what each sample packet shows, the JSON shape and
// the exit statuses; kvt-tool book-records writing a sample packet's records into the books.
namespace {

struct ToolRun {
    int exitCode = -1;
    QJsonObject json;
    QByteArray stdOut;
    QByteArray stdErr;
};

ToolRun RunTool(const QStringList& args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.start(qEnvironmentVariable("KVT_TOOLS_DIR") + QStringLiteral("/kvt-tool"), args);
    process.waitForFinished(60000);
    ToolRun run;
    run.exitCode = process.exitCode();
    run.stdOut = process.readAllStandardOutput();
    run.stdErr = process.readAllStandardError();
    run.json = QJsonDocument::fromJson(run.stdOut).object();
    return run;
}

ToolRun RunDecode(const QStringList& args)
{
    return RunTool(QStringList{"decode"} + args);
}

// The control named `name` of the report.
QJsonObject Control(const QJsonObject& report, const QString& name)
{
    for (const QJsonValue& value : report.value("controls").toArray()) {
        if (value.toObject().value("name").toString() == name)
            return value.toObject();
    }
    return {};
}

} // namespace

class DecodeToolTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("KVT_TOOLS_DIR") || !QFile::exists(kvt::test::SampleForm("pumping-station")))
            QFAIL("kvt-tool and the sample forms must be built (KVT_TOOLS_DIR, KVT_BINARY_DIR)");
    }

    void samplePackets_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("expected"); // the control's JSON object
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QString>("gk");

        const QString pumpNormal = "110500CDD12D330190C8000076322E311E01E028";
        const QString pumpAlarm = "0D0301CDD12D33006428000C76322E311E01E028";
        QTest::newRow("pump lamp") << "pumping-station" << pumpNormal << "LedPump1"
                                   << R"({"name":"LedPump1","kind":"led","on":true,"blink":false})" << false << "GK-otkr";
        QTest::newRow("state green") << "pumping-station" << pumpNormal << "PanelState"
                                     << R"({"name":"PanelState","kind":"status_panel","caption":"   Норма","color":32768})" << false << "GK-otkr";
        QTest::newRow("object name") << "pumping-station" << pumpNormal << "RbPanelObj"
                                     << R"({"name":"RbPanelObj","kind":"text_panel","caption":"НС-3"})" << false << "GK-otkr";
        QTest::newRow("start time") << "pumping-station" << pumpNormal << "SpinStartTime"
                                    << R"({"name":"SpinStartTime","kind":"setting_box","value":480,"text":"480"})" << false << "GK-otkr";
        QTest::newRow("valve blinks") << "pumping-station" << pumpAlarm << "LedValve"
                                      << R"({"name":"LedValve","kind":"led","on":true,"blink":true})" << true << "GK-zakr";
        QTest::newRow("state red") << "pumping-station" << pumpAlarm << "PanelState"
                                   << R"({"name":"PanelState","kind":"status_panel","caption":"    Авария","color":255})" << true << "GK-zakr";
        QTest::newRow("fault code hex") << "pumping-station" << pumpAlarm << "EditCode"
                                        << R"({"name":"EditCode","kind":"data_field","text":"000C"})" << true << "GK-zakr";
        QTest::newRow("manual mode") << "pumping-station" << "110500CDD12D330190C800004E735F231E01E028" << "PanelState"
                                     << R"({"name":"PanelState","kind":"status_panel","caption":"Ручной режим","color":16777215})" << false << "GK-otkr";
        QTest::newRow("128 as dashes") << "pumping-station" << "110580CDD12D330190C8000076322E311EFE2005" << "PanelState"
                                       << R"({"name":"PanelState","kind":"status_panel","caption":"---","color":16777215})" << false << "GK-otkr";
        QTest::newRow("signed minutes") << "pumping-station" << "110580CDD12D330190C8000076322E311EFE2005" << "SpinStartTime"
                                        << R"({"name":"SpinStartTime","kind":"setting_box","value":-480,"text":"-480"})" << false << "GK-otkr";
        QTest::newRow("cut packet clamps period") << "pumping-station" << "1105" << "SpinPeriod"
                                                  << R"({"name":"SpinPeriod","kind":"setting_box","value":1,"text":"1"})" << false << "GK-otkr";
        QTest::newRow("boiler text marker") << "boiler-house" << "034B4F5430312054313D3037322054323D30353520503D333220557330204605283C"
                                            << "RbPanelT1" << R"({"name":"RbPanelT1","kind":"text_panel","caption":"072"})" << false << "";
        QTest::newRow("boiler Us marker") << "boiler-house" << "024B4F5430312054313D3034312054323D30333820503D32312055733120FB05283C"
                                          << "PanelMode" << R"({"name":"PanelMode","kind":"status_panel","caption":"  Розжиг","color":65535})" << false << "";
        QTest::newRow("boiler frost set point") << "boiler-house" << "024B4F5430312054313D3034312054323D30333820503D32312055733120FB05283C"
                                                << "SpinSetT" << R"({"name":"SpinSetT","kind":"setting_box","value":-5,"text":"-5"})" << false << "";
        QTest::newRow("water flow tenths") << "water-meter" << "0030D4449A50000C01000012D6870D1108D10C" << "StaticFlow"
                                           << R"({"name":"StaticFlow","kind":"value_text","caption":"1250"})" << false << "";
        QTest::newRow("energy float") << "water-meter" << "0001F4449A52000B010A0012D6870D1108D10C" << "StaticEnergy"
                                      << R"({"name":"StaticEnergy","kind":"value_text","caption":"1234.56"})" << false << "";
        QTest::newRow("lookup ignores case") << "water-meter" << "0001F4449A52000B010A0012D6870D1108D10C" << "PanelSensor"
                                             << R"({"name":"PanelSensor","kind":"status_panel","caption":" Калибровка","color":4278190080})" << false << "";
    }
    void samplePackets()
    {
        QFETCH(QString, form);
        QFETCH(QString, packet);
        QFETCH(QString, control);
        QFETCH(QString, expected);
        QFETCH(bool, alarm);
        QFETCH(QString, gk);
        const ToolRun run = RunDecode({kvt::test::SampleForm(form), packet, "--full"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Control(run.json, control), QJsonDocument::fromJson(expected.toUtf8()).object());
        QCOMPARE(run.json.value("alarm").toBool(), alarm);
        QCOMPARE(run.json.value("gk").toString(), gk);
        QVERIFY(run.json.value("error").isNull());

        // Display only: the same picture, never an alarm nor a link-check value.
        const ToolRun display = RunDecode({kvt::test::SampleForm(form), packet});
        QCOMPARE(display.exitCode, 0);
        QCOMPARE(Control(display.json, control), QJsonDocument::fromJson(expected.toUtf8()).object());
        QCOMPARE(display.json.value("alarm").toBool(), false);
        QVERIFY(display.json.value("link_check").isNull());
        QCOMPARE(display.json.value("state_summary").toString(), QString());
    }

    void fullReportOfAnAlarm()
    {
        const ToolRun run = RunDecode({kvt::test::SampleForm("pumping-station"), "0D0301CDD12D33006428000C76322E311E01E028", "--full"});
        QCOMPARE(run.exitCode, 0);
        const QStringList keys{"controls", "alarm", "state_summary", "alarm_summary", "settings_summary",
                               "forward_summary", "forward_alarms", "gk", "link_check", "error"};
        // Keys in this order, nothing else.
        QString order;
        for (const QString& key : keys)
            order += QString::number(run.stdOut.indexOf('"' + key.toUtf8() + "\":")) + ' ';
        QStringList positions = order.split(' ', Qt::SkipEmptyParts);
        for (int i = 1; i < positions.size(); ++i)
            QVERIFY2(positions[i].toInt() > positions[i - 1].toInt(), qPrintable(order));
        QCOMPARE(run.json.keys().size(), keys.size());
        QCOMPARE(run.json.value("alarm_summary").toString(),
                 QStringLiteral("Дверь открыта; Сухой ход; Сеть 380 В; Давление на выходе, кПа; Уровень в резервуаре, см; "));
        QCOMPARE(run.json.value("forward_alarms").toString(), QStringLiteral("Дверь открыта;Сухой ход;Сеть 380 В;"));
        QCOMPARE(run.json.value("settings_summary").toString(),
                 QStringLiteral("Период связи, мин - 30; Время пуска насоса (H:M) (Signed) - 480; Уставка давления, кПа - 400; "));
        QCOMPARE(run.json.value("link_check").toString(), QStringLiteral("30"));
        // Every decoded control of the form, lamps first, in file order within each group.
        QStringList names;
        for (const QJsonValue& c : run.json.value("controls").toArray())
            names << c.toObject().value("name").toString();
        QCOMPARE(names, QStringList({"LedPump1", "LedPump2", "LedDoor", "LedDry", "LedPower", "LedValve", "LedGK",
                                     "PanelState", "RbPanelObj", "StaticPress", "StaticLevel", "EditCode", "EditVersion",
                                     "SpinPeriod", "SpinStartTime", "SpinSetpoint"}));
    }

    void failureStillReports()
    {
        // 16 bytes with 'A' at byte 7 and 'E' at byte 12: the reading "12x4" is no number.
        const ToolRun run = RunDecode({kvt::test::SampleForm("water-meter"), "000000000000413132783445313233340C"});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.json.value("error").toString(), QStringLiteral("'12x4' is not a valid integer value"));
        QVERIFY(run.json.value("controls").toArray().isEmpty());

        // A conversion failure in the middle: the controls before it are listed.
        const ToolRun energy = RunDecode({kvt::test::SampleForm("water-meter"), "0030D4449AZZ00"});
        QCOMPARE(energy.exitCode, 1);
        QCOMPARE(energy.json.value("error").toString(), QStringLiteral("HexToFloat conversion error"));
        const QJsonArray controls = energy.json.value("controls").toArray();
        QVERIFY(!controls.isEmpty());
        QCOMPARE(controls.last().toObject().value("name").toString(), QStringLiteral("StaticFlow"));
    }

    void bookRecordsOfSamplePackets_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<bool>("alarm");
        QTest::newRow("normal") << "110500CDD12D330190C8000076322E311E01E028" << false;
        QTest::newRow("alarm") << "0D0301CDD12D33006428000C76322E311E01E028" << true;
    }
    void bookRecordsOfSamplePackets()
    {
        QFETCH(QString, packet);
        QFETCH(bool, alarm);
        QTemporaryDir home;
        const QStringList args{"book-records", home.path(), kvt::test::SampleForm("pumping-station"), packet,
                               "--name", "НС-3 <\"A&B\">", "--phone", "79161234501", "--stamp", "01.03.24  10:05",
                               "--month", "2024-03"};
        QCOMPARE(RunTool(args).exitCode, 0);
        const ToolRun second = RunTool(args);
        QCOMPARE(second.exitCode, 0);
        QStringList written{home.filePath("SmsBook/2024_3.html")};
        if (alarm)
            written << home.filePath("AvariBook/2024_3.html");
        QCOMPARE(QString::fromUtf8(second.stdOut).split('\n', Qt::SkipEmptyParts), written);

        // The same packet decoded here: each book holds its head and the record twice.
        test::FakeMainTimers timers;
        StatePacketDecoder decoder(timers);
        const auto form = ObjectForm::FromFile(kvt::test::SampleForm("pumping-station"));
        const auto result = decoder.ApplyStatePacket(form.get(), packet, true, "01.03.24  10:05", "НС-3 <\"A&B\">", "79161234501", nullptr);
        QVERIFY(result.has_value());
        for (const MonthlyBook book : {MonthlyBook::States, MonthlyBook::Alarms}) {
            QFile file(MonthlyBookPath(home.path() + '/', book, QDate(2024, 3, 1)));
            if (book == MonthlyBook::Alarms && !alarm) {
                QVERIFY(!file.exists());
                continue;
            }
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString line = BookRecordLine(book, *result);
            QCOMPARE(file.readAll(), ToWin1251(BookHead(book) + line + line));
        }
    }

    void unreadableFormExits2()
    {
        QTemporaryDir dir;
        QFile bad(dir.filePath("bad.kof"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("TPF1 not a form");
        bad.close();
        for (const QString& path : {bad.fileName(), dir.filePath("missing.kof")}) {
            const ToolRun run = RunDecode({path, "00"});
            QCOMPARE(run.exitCode, 2);
            QVERIFY(run.stdOut.isEmpty());
            QVERIFY(!run.stdErr.isEmpty());
        }
    }
};

KVT_TEST(DecodeToolTest)
#include "DecodeToolTest.moc"
