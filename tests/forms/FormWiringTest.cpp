#include "support/TestRegistry.h"

#include "common/Errors.h"
#include "forms/ControlConfig.h"
#include "forms/FormText.h"
#include "forms/FormWiring.h"
#include "forms/ObjectForm.h"
#include "forms/ObjectFormHandlers.h"
#include "support/RecordingFormHandlers.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace kvt;

namespace {

std::unique_ptr<ObjectForm> formOf(const QString& children)
{
    return std::make_unique<ObjectForm>(FormFromText(u"object F: TForm1\n"_qs + children + u"end\n"_qs));
}

QString settingBox(const QString& name, const QString& title, int left = 0)
{
    return QStringLiteral("object %1: TSpinEdit\n Left = %3\n Hint = 'crc1endcrcname0Заголовок для журналаendname0"
                          "value0%2endvalue0'\nend\n")
        .arg(name, title)
        .arg(left);
}

} // namespace

class FormWiringTest : public QObject {
    Q_OBJECT
private slots:
    void pageSwitchStartsOnFirstTab_data()
    {
        QTest::addColumn<QString>("tabIndex");
        QTest::addColumn<int>("handlerRuns");
        QTest::newRow("stored 0: pages as stored") << u"TabIndex = 0\n"_qs << 0;
        QTest::newRow("stored -1 (none): pages swap once") << u"TabIndex = -1\n"_qs << 1;
        QTest::newRow("not stored: -1") << QString() << 1;
        QTest::newRow("stored 1: pages swap once") << u"TabIndex = 1\n"_qs << 1;
    }

    void pageSwitchStartsOnFirstTab()
    {
        QFETCH(QString, tabIndex);
        QFETCH(int, handlerRuns);
        auto form = formOf(u"object TabSet1: TTabSet\n Tabs.Strings = ('Схема' 'Настройки')\n"_qs + tabIndex + u"end\n"_qs);
        RecordingHandlers handlers;
        FormWiring wiring(handlers);
        ControlConfig config;
        wiring.wire(*form, config);
        QCOMPARE(handlers.calls.size(), handlerRuns);
        if (handlerRuns)
            QCOMPARE(handlers.calls.first(), u"TabSet1Change TabSet1 0"_qs);
        QCOMPARE(form->control(u"TabSet1"_qs)->tabIndex(), 0);
        // Later changes run the handler on every change, whatever the tab.
        handlers.calls.clear();
        wiring.selectTab(*form->control(u"TabSet1"_qs), 1);
        QCOMPARE(handlers.calls, QStringList{u"TabSet1Change TabSet1 1"_qs});
        QCOMPARE(form->control(u"TabSet1"_qs)->tabIndex(), 1);
    }

    void refusedTabChangeKeepsTheTab()
    {
        auto form = formOf(u"object TabSet1: TTabSet\n Tabs.Strings = ('a' 'b')\n TabIndex = 0\nend\n"_qs);
        RecordingHandlers handlers;
        handlers.allowTabChange = false;
        FormWiring wiring(handlers);
        ControlConfig config;
        wiring.wire(*form, config);
        wiring.selectTab(*form->control(u"TabSet1"_qs), 1);
        QCOMPARE(form->control(u"TabSet1"_qs)->tabIndex(), 0);
    }

    void handlersByRoleMarker_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("doubleClick");
        QTest::newRow("settings button") << u"object B: TSpeedButton\n HelpContext = 123\nend\n"_qs
                                         << u"SpeedButton3Click B"_qs << QString();
        QTest::newRow("command button") << u"object B: TSpeedButton\n HelpContext = 12\nend\n"_qs
                                        << u"Send_Pusk_ButtonClick B"_qs << QString();
        QTest::newRow("time editor") << settingBox(u"B"_qs, u"Пуск (H:M)"_qs) << QString() << u"SpinEdit2DblClick B"_qs;
        QTest::newRow("coordinate editor") << settingBox(u"B"_qs, u"Широта (G:M)"_qs) << QString()
                                           << u"SpinEdit3DblClick B"_qs;
        QTest::newRow("both markers: coordinate wins") << settingBox(u"B"_qs, u"(H:M)(G:M)"_qs) << QString()
                                                       << u"SpinEdit3DblClick B"_qs;
        QTest::newRow("markers are case-sensitive") << settingBox(u"B"_qs, u"(h:m)"_qs) << QString() << QString();
        QTest::newRow("panel nested button is not wired")
            << u"object P: TPanel\n object B: TSpeedButton\n end\nend\n"_qs << QString() << QString();
    }

    void handlersByRoleMarker()
    {
        QFETCH(QString, control);
        QFETCH(QString, click);
        QFETCH(QString, doubleClick);
        auto form = formOf(control);
        RecordingHandlers handlers;
        FormWiring wiring(handlers);
        ControlConfig config;
        wiring.wire(*form, config);
        for (FormControl* c : form->controls()) {
            wiring.click(*c);
            wiring.doubleClick(*c);
        }
        QStringList expected;
        if (!click.isEmpty())
            expected << click;
        if (!doubleClick.isEmpty())
            expected << doubleClick;
        QCOMPARE(handlers.calls, expected);
    }

    // The wiring stops at a control it cannot wire; the controls before it keep their handlers.
    void failureLeavesLaterControlsUnwired_data()
    {
        QTest::addColumn<QString>("broken");
        QTest::newRow("setting box without count") << u"object S: TSpinEdit\n Hint = 'no count'\nend\n"_qs;
        QTest::newRow("page switch without tabs") << u"object T: TTabSet\nend\n"_qs;
    }

    void failureLeavesLaterControlsUnwired()
    {
        QFETCH(QString, broken);
        auto form = formOf(settingBox(u"Before"_qs, u"(H:M)"_qs) + broken + settingBox(u"After"_qs, u"(H:M)"_qs));
        RecordingHandlers handlers;
        FormWiring wiring(handlers);
        ControlConfig config;
        QVERIFY_THROWS_EXCEPTION(KvtError, wiring.wire(*form, config));
        QVERIFY(wiring.doubleClickHandler(*form->control(u"Before"_qs)).has_value());
        QVERIFY(!wiring.doubleClickHandler(*form->control(u"After"_qs)).has_value());
    }

    void centring_data()
    {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("inner");
        QTest::addColumn<int>("offset");
        QTest::newRow("even difference") << 100 << 60 << 20;
        QTest::newRow("difference of 5 rounds up") << 105 << 100 << 3;
        QTest::newRow("difference of 1") << 101 << 100 << 1;
        QTest::newRow("same size") << 100 << 100 << 0;
        QTest::newRow("inner larger") << 100 << 130 << 0;
        QTest::newRow("inner larger by an odd amount") << 100 << 101 << 0;
    }

    void centring()
    {
        QFETCH(int, outer);
        QFETCH(int, inner);
        QFETCH(int, offset);
        QCOMPARE(CentreOffset(outer, inner), offset);
    }

    void pathResolution()
    {
        QTemporaryDir work;
        QTemporaryDir program;
        QVERIFY(QDir().mkpath(work.filePath(u"forms"_qs)));
        QVERIFY(QDir().mkpath(program.filePath(u"forms"_qs)));
        auto touch = [](const QString& path) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        touch(program.filePath(u"forms/only-in-program.kof"_qs));
        touch(program.filePath(u"forms/both.kof"_qs));
        touch(work.filePath(u"forms/both.kof"_qs));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(work.path());
        const QString programDir = program.path() + u'/';
        QCOMPARE(ResolveObjectFormPath(u"forms/both.kof"_qs, programDir), u"forms/both.kof"_qs);
        QCOMPARE(ResolveObjectFormPath(u"forms/only-in-program.kof"_qs, programDir),
                 programDir + u"forms/only-in-program.kof"_qs);
        QCOMPARE(ResolveObjectFormPath(u"forms\\only-in-program.kof"_qs, programDir),
                 programDir + u"forms/only-in-program.kof"_qs);
        QCOMPARE(ResolveObjectFormPath(u"forms/none.kof"_qs, programDir), std::nullopt);
        QCOMPARE(ResolveObjectFormPath(u"forms"_qs, programDir), std::nullopt);  // a folder is no file
        QDir::setCurrent(previous);
    }
};

KVT_TEST(FormWiringTest)
#include "FormWiringTest.moc"
