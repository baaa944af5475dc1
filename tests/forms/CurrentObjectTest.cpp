#include "common/Errors.h"
#include "forms/CurrentObject.h"
#include "forms/FormWiring.h"
#include "forms/ObjectForm.h"
#include "support/RecordingFormHandlers.h"
#include "support/RecordingSinks.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace kvt;

namespace {

// The current object of a program directory in a temporary folder, with the forms of a test.
struct Setup {
    QTemporaryDir dir;
    RecordingHandlers handlers;
    test::RecordingNotices notices;
    CurrentObject current{dir.path() + QLatin1Char('/'), notices};

    Setup() { current.setFormHandlers(handlers); }
    // Writes a form file in the program directory; returns its name there.
    QString writeForm(const QString& file, const QString& text)
    {
        test::WriteTextForm(dir.filePath(file), text);
        return file;
    }
};

const QString kNoPageSwitch = QStringLiteral("object Plain: TForm\n  object Led1: TComLed\n  end\nend\n");
const QString kOneTab = QStringLiteral("object OneTab: TForm\n  object TabSet1: TTabSet\n    Tabs.Strings = ('Схема')\n"
                                       "    TabIndex = 0\n  end\nend\n");

} // namespace

class CurrentObjectTest : public QObject {
    Q_OBJECT
private slots:
    void loadReplacesTheFormAndWiresIt()
    {
        Setup s;
        QSignalSpy changes(&s.current, &CurrentObject::formChanged);
        s.current.LoadObjectForm(s.writeForm(QStringLiteral("a.kof"), test::PacketFieldFormText(QStringLiteral("A"))));
        QCOMPARE(s.current.form()->name(), QStringLiteral("A"));
        QVERIFY(s.current.wiring()->hasChangeHandler(*s.current.form()->control(QStringLiteral("TabSet1"))));
        QCOMPARE(changes.count(), 2); // the old form goes, the new one comes

        // A name that is no file: the operator is told and no form is left.
        s.current.toggleBlinkPhase();
        s.current.LoadObjectForm(QStringLiteral("gone.kof"));
        QVERIFY(!s.current.form() && !s.current.wiring());
        QCOMPARE(s.notices.shown, QStringList{kFormFileNotFoundMessage});
        QVERIFY(s.current.blinkPhase());

        // A file that is no form: no form either, and the failure goes on to the caller.
        test::WriteFile(s.dir.filePath(QStringLiteral("bad.kof")), "TPF0");
        QVERIFY_THROWS_EXCEPTION(KvtError, s.current.LoadObjectForm(QStringLiteral("bad.kof")));
        QVERIFY(!s.current.form());
    }

    void blinkPhaseFlipsOnlyWithAForm()
    {
        Setup s;
        QSignalSpy flips(&s.current, &CurrentObject::blinkPhaseChanged);
        s.current.toggleBlinkPhase();
        QVERIFY(flips.isEmpty());
        s.current.LoadObjectForm(s.writeForm(QStringLiteral("a.kof"), kNoPageSwitch));
        QVERIFY(s.current.blinkPhase()); // a new form starts lit
        s.current.toggleBlinkPhase();
        s.current.toggleBlinkPhase();
        QCOMPARE(flips.count(), 2);
        QCOMPARE(flips.at(0).at(0).toBool(), false);
        QVERIFY(s.current.blinkPhase());
    }

    void blinkTickLightsAndDarkensEveryMarkedLamp()
    {
        Setup s;
        s.current.LoadObjectForm(s.writeForm(QStringLiteral("a.kof"),
                                             QStringLiteral("object Lamps: TForm\n  object Blinking: TComLed\n  end\n"
                                                            "  object KeptMarker: TComLed\n  end\n"
                                                            "  object Steady: TComLed\n    State = lsOn\n  end\nend\n")));
        FormControl* blinking = s.current.form()->control(QStringLiteral("Blinking"));
        FormControl* keptMarker = s.current.form()->control(QStringLiteral("KeptMarker"));
        FormControl* steady = s.current.form()->control(QStringLiteral("Steady"));
        blinking->setOn(true);
        blinking->setHelpContext(kBlinkingMarker);
        keptMarker->setHelpContext(kBlinkingMarker); // out: the last packet did not reach its byte
        for (const bool lit : {false, true, false}) {
            s.current.toggleBlinkPhase();
            QCOMPARE(blinking->isOn(), lit);
            QCOMPARE(keptMarker->isOn(), lit);
            QVERIFY(steady->isOn());
        }
    }

    void pages_data()
    {
        QTest::addColumn<QString>("form");   // empty: no form loaded
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("notice"); // empty: none
        QTest::addColumn<int>("tabAfter");   // -1: no page switch
        QTest::newRow("no object chosen") << QString() << 0 << CurrentObject::kNoObjectChosen << -1;
        QTest::newRow("scheme of a form without pages") << kNoPageSwitch << 0 << QString() << -1;
        QTest::newRow("settings of a form without pages") << kNoPageSwitch << 1 << CurrentObject::kNoSettingsPage << -1;
        QTest::newRow("settings page") << test::PacketFieldFormText(QStringLiteral("A")) << 1 << QString() << 1;
        QTest::newRow("scheme page") << test::PacketFieldFormText(QStringLiteral("A")) << 0 << QString() << 0;
    }
    void pages()
    {
        QFETCH(QString, form);
        QFETCH(int, page);
        QFETCH(QString, notice);
        QFETCH(int, tabAfter);
        Setup s;
        if (!form.isEmpty())
            s.current.LoadObjectForm(s.writeForm(QStringLiteral("a.kof"), form));
        s.handlers.calls.clear();
        s.current.showPage(page);
        QCOMPARE(s.notices.shown, notice.isEmpty() ? QStringList() : QStringList{notice});
        if (tabAfter >= 0) {
            QCOMPARE(s.current.form()->control(QStringLiteral("TabSet1"))->tabIndex(), tabAfter);
            // The switch runs the handler as a click on the tab would, once per change.
            QCOMPARE(s.handlers.calls.size(), tabAfter);
        }
    }

    void missingTabsAreFailures()
    {
        Setup s;
        s.current.LoadObjectForm(s.writeForm(QStringLiteral("a.kof"), kOneTab));
        QVERIFY_THROWS_EXCEPTION(KvtError, s.current.showPage(1));
        QVERIFY_THROWS_EXCEPTION(KvtError, s.current.setSecondTabCaption(QStringLiteral("Конфигурация объекта")));
        s.current.LoadObjectForm(s.writeForm(QStringLiteral("b.kof"), test::PacketFieldFormText(QStringLiteral("B"))));
        s.current.setSecondTabCaption(QStringLiteral("Конфигурация объекта"));
        QCOMPARE(s.current.form()->control(QStringLiteral("TabSet1"))->tabs(),
                 (QStringList{QStringLiteral("Схема"), QStringLiteral("Конфигурация объекта")}));
    }
};

KVT_TEST(CurrentObjectTest)
#include "CurrentObjectTest.moc"
