#include "support/TestRegistry.h"

#include "common/Errors.h"
#include "forms/DelphiColor.h"
#include "forms/ObjectForm.h"

#include <QSignalSpy>
#include <QtTest>

using namespace kvt;

namespace {

std::unique_ptr<StreamRecord> makeRecord(const char* className, const char* name,
                                         std::vector<StreamProperty> properties = {})
{
    auto record = std::make_unique<StreamRecord>();
    record->className = className;
    record->name = name;
    record->properties = std::move(properties);
    return record;
}

StreamProperty prop(const char* name, StreamValue value)
{
    return StreamProperty{name, std::move(value)};
}

} // namespace

class ObjectFormTest : public QObject {
    Q_OBJECT
private slots:
    void kindsByClass_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("windowed");
        QTest::newRow("TComLed") << u"TComLed"_qs << int(ControlKind::Led) << false;
        QTest::newRow("TRbPanel") << u"TRbPanel"_qs << int(ControlKind::TextPanel) << true;
        QTest::newRow("TPanel") << u"TPanel"_qs << int(ControlKind::StatusPanel) << true;
        QTest::newRow("TEdit") << u"TEdit"_qs << int(ControlKind::DataField) << true;
        QTest::newRow("TStaticText") << u"TStaticText"_qs << int(ControlKind::ValueText) << true;
        QTest::newRow("TSpinEdit") << u"TSpinEdit"_qs << int(ControlKind::SettingBox) << true;
        QTest::newRow("TSpeedButton") << u"TSpeedButton"_qs << int(ControlKind::CommandButton) << false;
        QTest::newRow("TTabSet") << u"TTabSet"_qs << int(ControlKind::PageSwitch) << true;
        QTest::newRow("TLabel") << u"TLabel"_qs << int(ControlKind::Decoration) << false;
        QTest::newRow("TImage") << u"TImage"_qs << int(ControlKind::Decoration) << false;
        QTest::newRow("TSplitter") << u"TSplitter"_qs << int(ControlKind::Decoration) << false;
        QTest::newRow("TMaskEdit") << u"TMaskEdit"_qs << int(ControlKind::Decoration) << true;
        QTest::newRow("TMemo") << u"TMemo"_qs << int(ControlKind::Decoration) << true;
    }

    void kindsByClass()
    {
        QFETCH(QString, className);
        QFETCH(int, kind);
        QFETCH(bool, windowed);
        FormControl control(className, u"X"_qs);
        QCOMPARE(int(control.kind()), kind);
        QCOMPARE(control.isWindowed(), windowed);
    }

    // Controls without a window first, then windowed ones, each in file order; nested controls
    // and components without a place on screen are not direct controls.
    void visitingOrder()
    {
        ComponentStream stream;
        stream.root = makeRecord("TForm1", "Form1");
        auto& children = stream.root->children;
        children.push_back(makeRecord("TPanel", "Panel1"));
        children.back()->children.push_back(makeRecord("TSpeedButton", "NestedButton"));
        children.push_back(makeRecord("TComLed", "ComLed1"));
        children.push_back(makeRecord("TTimer", "Timer1"));
        children.push_back(makeRecord("TEdit", "Edit1"));
        children.push_back(makeRecord("TLabel", "Label1"));
        children.push_back(makeRecord("TSpeedButton", "SpeedButton1"));
        children.push_back(makeRecord("TSpinEdit", "SpinEdit1"));
        children.push_back(makeRecord("TImage", "Image1"));
        ObjectForm form(std::move(stream));
        QStringList names;
        for (const FormControl* control : form.controls())
            names << control->name();
        QCOMPARE(names, (QStringList{u"ComLed1"_qs, u"Label1"_qs, u"SpeedButton1"_qs, u"Image1"_qs,
                                     u"Panel1"_qs, u"Edit1"_qs, u"SpinEdit1"_qs}));
        QVERIFY(form.control(u"NestedButton"_qs) == nullptr);
        QCOMPARE(form.name(), u"Form1"_qs);
    }

    void propertiesFromRecord()
    {
        ComponentStream stream;
        stream.root = makeRecord("TForm1", "Station",
                                 {prop("Caption", StreamValue::Text(u"Насосная"_qs)),
                                  prop("ClientWidth", StreamValue::Integer(640)),
                                  prop("ClientHeight", StreamValue::Integer(480)),
                                  prop("Color", StreamValue::Identifier("clWhite"))});
        stream.root->children.push_back(makeRecord(
            "TComLed", "ComLed1",
            {prop("Left", StreamValue::Integer(10)), prop("Top", StreamValue::Integer(20)),
             prop("Width", StreamValue::Integer(16)), prop("Height", StreamValue::Integer(17)),
             prop("Kind", StreamValue::Identifier("lkGreenLight")), prop("State", StreamValue::Identifier("lsOn")),
             prop("HelpContext", StreamValue::Integer(7)), prop("Visible", StreamValue::Boolean(false)),
             prop("Hint", StreamValue::Text(QString(300, u'x')))}));
        stream.root->children.push_back(makeRecord(
            "TSpinEdit", "SpinEdit1",
            {prop("MaxValue", StreamValue::Integer(100)), prop("MinValue", StreamValue::Integer(5)),
             prop("Value", StreamValue::Integer(200)), prop("Color", StreamValue::Identifier("clScrollBar"))}));
        stream.root->children.push_back(makeRecord(
            "TTabSet", "TabSet1",
            {prop("TabIndex", StreamValue::Integer(1)), prop("Tabs.Strings", [] {
                 StreamValue list;
                 list.kind = ValueKind::List;
                 list.items = {StreamValue::Text(u"Схема"_qs), StreamValue::Text(u"Настройки"_qs)};
                 return list;
             }())}));
        ObjectForm form(std::move(stream));
        QCOMPARE(form.caption(), u"Насосная"_qs);
        QCOMPARE(form.clientSize(), QSize(640, 480));
        QCOMPARE(form.color(), kColorWhite);

        const FormControl* led = form.control(u"ComLed1"_qs);
        QCOMPARE(led->geometry(), QRect(10, 20, 16, 17));
        QCOMPARE(led->ledKind(), LedKind::GreenLight);
        QVERIFY(led->isOn());
        QCOMPARE(led->helpContext(), 7);
        QVERIFY(!led->isVisible());
        QCOMPARE(led->hint(), QString(300, u'x'));

        const FormControl* box = form.control(u"SpinEdit1"_qs);
        QCOMPARE(box->value(), 100);  // held within MinValue..MaxValue
        QCOMPARE(box->text(), u"100"_qs);
        QCOMPARE(box->color(), 0xFF000000u);

        const FormControl* tabs = form.control(u"TabSet1"_qs);
        QCOMPARE(tabs->tabs(), (QStringList{u"Схема"_qs, u"Настройки"_qs}));
        QCOMPARE(tabs->tabIndex(), 1);
    }

    void wrongValueKindIsAFormatError_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<int>("kind");
        QTest::newRow("HelpContext as text") << QByteArray("HelpContext") << int(ValueKind::String);
        QTest::newRow("Visible as integer") << QByteArray("Visible") << int(ValueKind::Int8);
        QTest::newRow("Color unknown identifier") << QByteArray("Color") << int(ValueKind::Ident);
        QTest::newRow("State unknown identifier") << QByteArray("State") << int(ValueKind::Ident);
        QTest::newRow("Hint as integer") << QByteArray("Hint") << int(ValueKind::Int8);
    }

    void wrongValueKindIsAFormatError()
    {
        QFETCH(QByteArray, property);
        QFETCH(int, kind);
        StreamValue value;
        value.kind = ValueKind(kind);
        value.bytes = "nonsense";
        ComponentStream stream;
        stream.root = makeRecord("TForm", "F");
        stream.root->children.push_back(makeRecord("TComLed", "ComLed1", {prop(property.constData(), value)}));
        QVERIFY_THROWS_EXCEPTION(FormatError, ObjectForm form(std::move(stream)));
    }

    void formsBeyondTheControlLimitAreRefused_data()
    {
        QTest::addColumn<int>("direct");        // lamps placed directly on the form
        QTest::addColumn<int>("nested");        // lamps on one panel (the panel counts too)
        QTest::addColumn<int>("components");    // timers: no controls
        QTest::addColumn<bool>("refused");
        QTest::newRow("at the limit") << kMaxFormControls << 0 << 5 << false;
        QTest::newRow("one direct control more") << kMaxFormControls + 1 << 0 << 0 << true;
        QTest::newRow("nested controls count") << 0 << kMaxFormControls << 0 << true;
    }

    void formsBeyondTheControlLimitAreRefused()
    {
        QFETCH(int, direct);
        QFETCH(int, nested);
        QFETCH(int, components);
        QFETCH(bool, refused);
        ComponentStream stream;
        stream.root = makeRecord("TForm", "F");
        for (int i = 0; i < direct; ++i)
            stream.root->children.push_back(makeRecord("TComLed", "ComLed"));
        for (int i = 0; i < components; ++i)
            stream.root->children.push_back(makeRecord("TTimer", "Timer"));
        if (nested > 0) {
            auto panel = makeRecord("TPanel", "Panel1");
            for (int i = 0; i < nested; ++i)
                panel->children.push_back(makeRecord("TComLed", "ComLed"));
            stream.root->children.push_back(std::move(panel));
        }
        try {
            ObjectForm form(std::move(stream));
            QVERIFY(!refused);
            QCOMPARE(form.controls().size(), size_t(direct));
        } catch (const FormatError& e) {
            QVERIFY2(refused, qPrintable(e.message()));
            QVERIFY(e.message().contains(QString::number(kMaxFormControls)));
        }
    }

    void settingBoxHoldsItsRange_data()
    {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("held");
        QTest::newRow("below") << 10 << 20 << 0 << 10;
        QTest::newRow("above") << 10 << 20 << 21 << 20;
        QTest::newRow("inside") << 10 << 20 << 15 << 15;
        QTest::newRow("equal bounds hold nothing") << 0 << 0 << -5 << -5;
    }

    void settingBoxHoldsItsRange()
    {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, value);
        QFETCH(int, held);
        FormControl box(u"TSpinEdit"_qs, u"SpinEdit1"_qs);
        box.setRange(minValue, maxValue);
        box.setValue(value);
        QCOMPARE(box.value(), held);
        QCOMPARE(box.text(), QString::number(held));
    }

    void changeIsSignalledOnce()
    {
        FormControl panel(u"TPanel"_qs, u"Panel1"_qs);
        QSignalSpy spy(&panel, &FormControl::changed);
        panel.setCaption(u"Норма"_qs);
        panel.setCaption(u"Норма"_qs);
        panel.setColor(kColorGreen);
        QCOMPARE(spy.count(), 2);
    }
};

KVT_TEST(ObjectFormTest)
#include "ObjectFormTest.moc"
