#include "objects/ui/ObjOptEditor.h"
#include "objects/ui/PageSwitching.h"
#include "objects/ui/ParameterValue.h"
#include "forms/ObjectForm.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QTest>

#include <functional>

using namespace kvt;

namespace {

// The editor with the operator's answer scripted in place of the modal loop.
class ScriptedEditor : public ObjOptEditor {
public:
    std::function<int(ScriptedEditor&)> answer = [](ScriptedEditor&) { return int(QDialog::Accepted); };
    SplitParameter shown;
    bool timeShown = false;
    bool coordinateShown = false;

    QSpinBox* spin(const char* name) { return findChild<QSpinBox*>(QString::fromLatin1(name)); }
    QComboBox* combo(const char* name) { return findChild<QComboBox*>(QString::fromLatin1(name)); }

protected:
    int runModal() override
    {
        timeShown = !timeGroup()->isHidden();
        coordinateShown = !coordinateGroup()->isHidden();
        const bool time = timeShown;
        shown = {spin(time ? "SpinEdit1" : "SpinEdit3")->value(), spin(time ? "SpinEdit2" : "SpinEdit4")->value(),
                 combo(time ? "ComboBox1" : "ComboBox2")->currentText() == QStringLiteral("-")};
        return answer(*this);
    }
};

std::unique_ptr<FormControl> settingBox(const QString& text, int minValue = -10000, int maxValue = 10000)
{
    auto box = std::make_unique<FormControl>(QStringLiteral("TSpinEdit"), QStringLiteral("SpinEdit7"));
    box->setRange(minValue, maxValue);
    box->setText(text);
    return box;
}

} // namespace

class ParameterEditorTest : public QObject {
    Q_OBJECT
private slots:
    void split_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<bool>("negative");
        QTest::addColumn<QString>("applied");
        QTest::newRow("90") << 90 << 1 << 30 << false << "+90";
        QTest::newRow("-90") << -90 << 1 << 30 << true << "-90";
        QTest::newRow("-30: sign from the value") << -30 << 0 << 30 << true << "-30";
        QTest::newRow("1500 clamps to 23 h") << 1500 << 23 << 0 << false << "+1380";
        QTest::newRow("0") << 0 << 0 << 0 << false << "+0";
    }
    void split()
    {
        QFETCH(int, value);
        const SplitParameter parts = SplitParameterValue(value, value, kTimeRange);
        QTEST(parts.major, "major");
        QTEST(parts.minor, "minor");
        QTEST(parts.negative, "negative");
        QTEST(CombineParameterText(parts), "applied");
    }

    void coordinateClampsDegreesTo180()
    {
        const SplitParameter parts = SplitParameterValue(-(181 * 60 + 75), -1, kCoordinateRange);
        QCOMPARE(parts.major, 180);
        QCOMPARE(parts.minor, 15);
        QVERIFY(parts.negative);
    }

    void timeEditorAppliesToTheBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("shownMajor");
        QTest::addColumn<int>("shownMinor");
        QTest::addColumn<bool>("shownNegative");
        QTest::addColumn<int>("written");
        QTest::newRow("90 unchanged") << "90" << -10000 << 10000 << 1 << 30 << false << 90;
        QTest::newRow("-90 unchanged") << "-90" << -10000 << 10000 << 1 << 30 << true << -90;
        QTest::newRow("25 h clamped") << "1500" << -10000 << 10000 << 23 << 0 << false << 1380;
        QTest::newRow("not a number, negative lowest value") << "abc" << -600 << 10000 << 0 << 0 << true << 0;
        // A form may give the bounds in reverse: the box holds its value between them all the same.
        QTest::newRow("bounds in reverse") << "90" << 600 << -600 << 1 << 30 << false << 90;
        QTest::newRow("bounds in reverse, clamped") << "-900" << 600 << -600 << 15 << 0 << true << -600;
        QTest::newRow("not a number, zero lowest value") << "abc" << 0 << 10000 << 0 << 0 << false << 0;
    }
    void timeEditorAppliesToTheBox()
    {
        QFETCH(QString, text);
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        auto box = settingBox(text, minValue, maxValue);
        ScriptedEditor editor;
        editor.editSettingBox(*box, ObjOptEditor::Group::Time);
        QVERIFY(editor.timeShown);
        QVERIFY(!editor.coordinateShown);
        QTEST(editor.shown.major, "shownMajor");
        QTEST(editor.shown.minor, "shownMinor");
        QTEST(editor.shown.negative, "shownNegative");
        QTEST(box->value(), "written");
    }

    void coordinateEditorWritesTheOperatorsValue()
    {
        auto box = settingBox(QStringLiteral("3000"));
        ScriptedEditor editor;
        editor.answer = [](ScriptedEditor& e) {
            e.spin("SpinEdit3")->setValue(55);
            e.spin("SpinEdit4")->setValue(45);
            e.combo("ComboBox2")->setCurrentIndex(0); // "-"
            return int(QDialog::Accepted);
        };
        editor.editSettingBox(*box, ObjOptEditor::Group::Coordinate);
        QVERIFY(editor.coordinateShown);
        QVERIFY(!editor.timeShown);
        QCOMPARE(editor.shown.major, 50);
        QCOMPARE(box->value(), -(55 * 60 + 45));
    }

    void appliedValueIsClampedToTheBoxRange()
    {
        auto box = settingBox(QStringLiteral("60"), 0, 120);
        ScriptedEditor editor;
        editor.answer = [](ScriptedEditor& e) {
            e.spin("SpinEdit1")->setValue(5);
            return int(QDialog::Accepted);
        };
        editor.editSettingBox(*box, ObjOptEditor::Group::Time);
        QCOMPARE(box->value(), 120);
    }

    void cancelLeavesTheBoxUntouched()
    {
        auto box = settingBox(QStringLiteral("90"));
        ScriptedEditor editor;
        editor.answer = [](ScriptedEditor& e) {
            e.spin("SpinEdit1")->setValue(7);
            return int(QDialog::Rejected);
        };
        editor.editSettingBox(*box, ObjOptEditor::Group::Time);
        QCOMPARE(box->text(), QStringLiteral("90"));
    }

    void editorWindow()
    {
        ObjOptEditor editor;
        QCOMPARE(editor.windowTitle(), QStringLiteral("Редактор настроек"));
        QCOMPARE(editor.timeGroup()->title(), QStringLiteral("Настройка времени"));
        QCOMPARE(editor.coordinateGroup()->title(), QStringLiteral("Настройка координат"));
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->maximum(), 23);
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("SpinEdit3"))->maximum(), 180);
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("SpinEdit4"))->maximum(), 59);
        QCOMPARE(editor.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->count(), 2);
    }

    void pageChangeFlipsEveryOtherDirectControl()
    {
        ObjectForm form;
        FormControl* tabs = form.addControl(std::make_unique<FormControl>(QStringLiteral("TTabSet"), QStringLiteral("TabSet1")));
        FormControl* lamp = form.addControl(std::make_unique<FormControl>(QStringLiteral("TComLed"), QStringLiteral("ComLed1")));
        FormControl* label = form.addControl(std::make_unique<FormControl>(QStringLiteral("TLabel"), QStringLiteral("Label1")));
        FormControl* setting = form.addControl(std::make_unique<FormControl>(QStringLiteral("TSpinEdit"), QStringLiteral("SpinEdit1")));
        setting->setVisible(false);
        FlipFormPages(form);
        QVERIFY(tabs->isVisible());
        QVERIFY(!lamp->isVisible());
        QVERIFY(!label->isVisible());
        QVERIFY(setting->isVisible());
        FlipFormPages(form); // a third tab: the first page shows again
        QVERIFY(lamp->isVisible());
        QVERIFY(!setting->isVisible());
    }
};

KVT_TEST(ParameterEditorTest)
#include "ParameterEditorTest.moc"
