#include "support/TestRegistry.h"

#include "common/Errors.h"
#include "forms/CurrentObject.h"
#include "forms/FormWiring.h"
#include "forms/ObjectForm.h"
#include "objects/ui/ObjectView.h"
#include "support/RecordingFormHandlers.h"
#include "packets/ApplyStatePacket.h"
#include "support/RecordingSinks.h"
#include "support/SampleForms.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace kvt;

namespace {

struct Fixture {
    RecordingHandlers handlers;
    test::RecordingNotices notices;
    CurrentObject current{QStringLiteral("/nonexistent/"), notices};
    ObjectView view{current};
    Fixture()
    {
        current.setFormHandlers(handlers);
        view.resize(800, 400);
    }
};

} // namespace

class ObjectViewTest : public QObject {
    Q_OBJECT
private slots:
    void missingFileShowsTheMessage()
    {
        Fixture f;
        f.current.LoadObjectForm(test::SampleForm(u"pumping-station"_qs));
        QVERIFY(f.current.form());
        f.current.LoadObjectForm(u"no/such/form.kof"_qs);
        QCOMPARE(f.notices.shown, QStringList{u"Не удаётся найти файл объекта. Проверьте правильность указанного к нему пути."_qs});
        QVERIFY(!f.current.form());
        QVERIFY(!f.view.formWidget());
    }

    void unreadableFileLeavesTheViewEmpty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"bad.kof"_qs);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("TPF0\x06TForm1\x01" "F\x00\x07TButton", 22);
        file.close();
        Fixture f;
        QVERIFY_THROWS_EXCEPTION(FormatError, f.current.LoadObjectForm(path));
        QVERIFY(!f.current.form());
        QVERIFY(f.notices.shown.isEmpty());
    }

    // Every sample form loads, is drawn with its direct and nested controls, is wired and centred.
    void samplesLoadWiredAndCentred_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("settingsButton");
        QTest::newRow("pumping station") << u"pumping-station"_qs << u"ButtonStart"_qs << u"ButtonWrite"_qs;
        QTest::newRow("boiler house") << u"boiler-house"_qs << u"ButtonReset"_qs << u"ButtonWrite"_qs;
        QTest::newRow("water meter") << u"water-meter"_qs << u"ButtonPoll"_qs << u"ButtonWrite"_qs;
    }

    void samplesLoadWiredAndCentred()
    {
        QFETCH(QString, name);
        QFETCH(QString, command);
        QFETCH(QString, settingsButton);
        Fixture f;
        f.view.show();
        f.current.LoadObjectForm(test::SampleForm(name));
        ObjectForm* form = f.current.form();
        QVERIFY(form);
        QWidget* host = f.view.formWidget();
        QVERIFY(host);
        QCOMPARE(host->objectName(), form->name());
        QCOMPARE(host->x(), CentreOffset(f.view.width(), host->width()));
        QCOMPARE(host->y(), CentreOffset(f.view.height(), host->height()));
        for (const FormControl* control : form->controls()) {
            auto* widget = host->findChild<ControlWidget*>(control->name());
            QVERIFY2(widget, qPrintable(control->name()));
            QCOMPARE(widget->geometry(), control->geometry());
        }
        QVERIFY(f.notices.shown.isEmpty());
        QVERIFY(f.handlers.calls.isEmpty());  // every page switch is stored on its first tab

        QTest::mouseClick(host->findChild<ControlWidget*>(command), Qt::LeftButton);
        QCOMPARE(f.handlers.calls.last(), u"Send_Pusk_ButtonClick "_qs + command);

        // The settings page: switch pages as the main window's handler does, then use it.
        FormControl* tabs = form->control(u"TabSet1"_qs);
        QVERIFY(tabs);
        auto* tabWidget = host->findChild<ControlWidget*>(u"TabSet1"_qs);
        QTest::mouseClick(tabWidget, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(tabs->tabIndex(), 1);
        QCOMPARE(f.handlers.calls.last(), u"TabSet1Change TabSet1 1"_qs);
        form->control(settingsButton)->setVisible(true);
        QTest::mouseClick(host->findChild<ControlWidget*>(settingsButton), Qt::LeftButton);
        QCOMPARE(f.handlers.calls.last(), u"SpeedButton3Click "_qs + settingsButton);
    }

    // A form with as many lamps as a form may hold, all on one spot, is drawn whole.
    void largestFormIsDrawn()
    {
        QTemporaryDir dir;
        QString text = u"object Crowded: TForm\n  ClientHeight = 40\n  ClientWidth = 40\n"_qs;
        for (int i = 0; i < kMaxFormControls; ++i)
            text += u"  object ComLed%1: TComLed\n    Left = 8\n    Top = 8\n    Width = 16\n    Height = 16\n  end\n"_qs.arg(i);
        test::WriteTextForm(dir.filePath(u"crowded.kof"_qs), text + u"end\n"_qs);
        Fixture f;
        f.view.show();
        f.current.LoadObjectForm(dir.filePath(u"crowded.kof"_qs));
        QVERIFY(f.view.formWidget());
        QCOMPARE(f.view.formWidget()->findChildren<ControlWidget*>().size(), kMaxFormControls);
        QVERIFY(!f.view.grab().toImage().isNull());
    }

    void settingBoxDoubleClickRunsItsEditor()
    {
        Fixture f;
        f.view.show();
        f.current.LoadObjectForm(test::SampleForm(u"water-meter"_qs));
        QVERIFY(f.view.formWidget());
        auto* box = f.view.formWidget()->findChild<ControlWidget*>(u"SpinLat"_qs);
        QVERIFY(box);
        f.current.form()->control(u"SpinLat"_qs)->setVisible(true);
        QLineEdit* inner = box->findChild<QLineEdit*>();
        QVERIFY(inner);
        QTest::mouseDClick(inner, Qt::LeftButton);
        QCOMPARE(f.handlers.calls.last(), u"SpinEdit3DblClick SpinLat"_qs);
    }

    // The view follows the model: what the decoder or a handler changes is shown at once.
    void widgetsFollowTheModel()
    {
        Fixture f;
        f.view.show();
        f.current.LoadObjectForm(test::SampleForm(u"pumping-station"_qs));
        ObjectForm* form = f.current.form();
        QWidget* host = f.view.formWidget();
        QVERIFY(form && host);
        form->control(u"EditCode"_qs)->setText(u"000C"_qs);
        QCOMPARE(host->findChild<ControlWidget*>(u"EditCode"_qs)->findChild<QLineEdit*>()->text(), u"000C"_qs);
        form->control(u"SpinSetpoint"_qs)->setValue(400);
        QCOMPARE(host->findChild<ControlWidget*>(u"SpinSetpoint"_qs)->findChild<QSpinBox*>()->value(), 400);
        form->control(u"PanelState"_qs)->setVisible(false);
        QVERIFY(!host->findChild<ControlWidget*>(u"PanelState"_qs)->isVisible());
        // The operator's typing reaches the model (the data source of commands).
        auto* edit = host->findChild<ControlWidget*>(u"EditVersion"_qs)->findChild<QLineEdit*>();
        edit->clear();
        QTest::keyClicks(edit, u"v3.0"_qs);
        QCOMPARE(form->control(u"EditVersion"_qs)->text(), u"v3.0"_qs);
    }

    void screenshots()
    {
        const QString folder = qEnvironmentVariable("KVT_BINARY_DIR") + u"/screenshots"_qs;
        QVERIFY(QDir().mkpath(folder));
        for (const QString& name : {u"pumping-station"_qs, u"boiler-house"_qs, u"water-meter"_qs}) {
            Fixture f;
            f.view.resize(700, 340);
            f.view.show();
            f.current.LoadObjectForm(test::SampleForm(name));
            const QImage shot = f.view.grab().toImage();
            QVERIFY(!shot.isNull());
            QVERIFY(shot.save(folder + u'/' + name + u".png"_qs));
            // Settings page as well.
            for (FormControl* control : f.current.form()->controls()) {
                if (control->kind() != ControlKind::PageSwitch)
                    control->setVisible(!control->isVisible());
            }
            QVERIFY(f.view.grab().toImage().save(folder + u'/' + name + u"-settings.png"_qs));
        }
    }

    void screenshotsWithPackets()
    {
        const QString folder = qEnvironmentVariable("KVT_BINARY_DIR") + u"/screenshots"_qs;
        QVERIFY(QDir().mkpath(folder));
        const QList<QPair<QString, QStringList>> samples{
            {u"pumping-station"_qs, {u"normal"_qs, u"alarm"_qs}},
            {u"boiler-house"_qs, {u"normal"_qs, u"alarm"_qs}},
            {u"water-meter"_qs, {u"normal"_qs, u"alarm"_qs, u"calibration"_qs}}};
        for (const auto& [form, packets] : samples) {
            for (const QString& packet : packets) {
                Fixture f;
                f.view.resize(700, 340);
                f.view.show();
                f.current.LoadObjectForm(test::SampleForm(form));
                test::FakeMainTimers timers;
                StatePacketDecoder decoder(timers, QLatin1Char('.'));
                decoder.showStoredPacket(f.current, test::SamplePacket(form, packet));
                QVERIFY(f.view.grab().toImage().save(folder + u'/' + form + u'-' + packet + u".png"_qs));
            }
        }
    }
};

KVT_TEST(ObjectViewTest)
#include "ObjectViewTest.moc"
