#include "DecodeFixtures.h"

#include "common/Errors.h"
#include "packets/DecodeReport.h"
#include "support/TestRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace kvt;
using namespace kvt::test;

class DecodeReportTest : public QObject {
    Q_OBJECT
private slots:
    void textsSurviveEscaping()
    {
        DecodeBench bench;
        bench.add("TRbPanel", "RbPanel1", {{"С какого байта", "1"}, {"Заголовок для журнала", "Т\"\\"}, {"Количество байт", "6"}});
        // '"', '\', NUL, TAB, LF and a Cyrillic letter.
        bench.apply("225C00090AC0");
        const QString json = DecodeReportJson(bench.decoder, QStringLiteral("x\"y"));
        QJsonParseError error;
        const QJsonObject report = QJsonDocument::fromJson(json.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(report.value("controls").toArray().at(0).toObject().value("caption").toString(),
                 QString::fromUtf16(u"\"\\\u0000\t\nА", 6));
        QCOMPARE(report.value("state_summary").toString(), QString::fromUtf16(u"Т\"\\ - \"\\\u0000\t\nА; ", 14));
        QCOMPARE(report.value("error").toString(), QStringLiteral("x\"y"));
        QVERIFY(!json.contains(QChar(0)));
    }

    void controlShapes()
    {
        DecodeBench bench;
        bench.add("TComLed", "Led", {{"Номер байта", "1"}, {"Номер бита", "0"}, {"Значение включенного", "1"}});
        bench.add("TPanel", "Panel", {{"С какого байта", "1"}, {"Заголовок для журнала", ""}, {"Количество байт", "1"}, {"01", " Код"}});
        bench.add("TEdit", "Edit", {{"С какого байта принимать", "1"}, {"Количество байт", "1"}}, kHexFieldMarker);
        bench.add("TEdit", "Skipped", {{"С какого байта принимать", "1"}, {"Количество байт", "1"}}, 2);
        bench.add("TStaticText", "Static", {{"С какого байта", "1"}, {"Количество байт", "1"}});
        bench.add("TSpinEdit", "Spin", {{"С какого байта принимать", "1"}, {"Количество байт", "1"}}, kLinkCheckMarker);
        bench.apply("01");
        const QJsonObject report = QJsonDocument::fromJson(DecodeReportJson(bench.decoder, std::nullopt).toUtf8()).object();
        const QJsonArray controls = report.value("controls").toArray();
        const QStringList expected{
            R"({"name":"Led","kind":"led","on":true,"blink":false})",
            R"({"name":"Panel","kind":"status_panel","caption":" Код","color":4278190080})",
            R"({"name":"Edit","kind":"data_field","text":"01"})",
            R"({"name":"Static","kind":"value_text","caption":"1"})",
            R"({"name":"Spin","kind":"setting_box","value":1,"text":"1"})",
        };
        QCOMPARE(controls.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(controls.at(i).toObject(), QJsonDocument::fromJson(expected[i].toUtf8()).object());
        QVERIFY(report.value("error").isNull());
        QCOMPARE(report.value("link_check").toString(), QStringLiteral("1"));
        QCOMPARE(report.value("gk").toString(), QString());
    }
};

KVT_TEST(DecodeReportTest)
#include "DecodeReportTest.moc"
