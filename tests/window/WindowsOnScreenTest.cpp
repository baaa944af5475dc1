// The console's windows as the window manager shows them: their captions and title-bar buttons
// read back from the X server, their outer sizes with the frame, and the object view's menu
// under a real right click.
#include "app/Console.h"
#include "objects/ui/ObjectView.h"
#include "support/SampleForms.h"
#include "app/ConsoleWindows.h"
#include "support/TestRegistry.h"
#include "window/XServer.h"

#include <QProcess>
#include <QTest>

using namespace kvt;
using test::ConsoleWindows;
using test::GeneralFixture;
namespace x = kvt::test::x;

namespace {

constexpr int kWaitMs = 10000;

// Shows the window and waits until the window manager has framed it.
bool showFramed(QWidget& window)
{
    window.show();
    return QTest::qWaitFor([&] { return !x::frameExtents(window.winId()).isNull(); }, kWaitMs);
}

// A point of the widget's own background, where none of its children lies.
QPoint backgroundPoint(const QWidget& widget)
{
    constexpr int kStep = 5;
    for (int y = kStep; y < widget.height(); y += kStep) {
        for (int x = kStep; x < widget.width(); x += kStep) {
            if (!widget.childAt(x, y))
                return QPoint(x, y);
        }
    }
    return widget.rect().center();
}

// A right click of the X server's pointer at `global`.
void rightClickAt(const QPoint& global)
{
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                                  QString::number(global.x()), QString::number(global.y()),
                                                  QStringLiteral("click"), QStringLiteral("3")});
}

} // namespace

class WindowsOnScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { NameApplication(); }

    // Each window shows its own caption, nothing appended; a fixed-size window offers only
    // closing among the title-bar buttons; the sizes stated with the frame are outer sizes.
    void windowsAsTheWindowManagerShowsThem_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QSize>("outerSize"); // invalid where none is stated
        QTest::newRow("main window") << QStringLiteral("General") << false << QSize();
        QTest::newRow("settings") << QStringLiteral("Options") << true << QSize();
        QTest::newRow("parameter editor") << QStringLiteral("F_ObjOptEdit") << true << QSize();
        QTest::newRow("notification") << QStringLiteral("Form_MSG") << true << QSize(307, 107);
        QTest::newRow("about") << QStringLiteral("FormAbout") << true << QSize();
        QTest::newRow("event journal") << QStringLiteral("Form_Gur_Sob") << false << QSize(715, 697);
    }
    void windowsAsTheWindowManagerShowsThem()
    {
        QFETCH(QString, window);
        QFETCH(bool, fixed);
        QFETCH(QSize, outerSize);
        ConsoleWindows windows;
        QWidget* shown = windows.byName(window);
        QVERIFY(shown);
        QVERIFY(showFramed(*shown));
        const x::Window id = shown->winId();

        QCOMPARE(x::textProperty(id, "_NET_WM_NAME"), shown->windowTitle());
        QCOMPARE(x::textProperty(id, "WM_NAME"), shown->windowTitle());
        const QStringList actions = x::listProperty(id, "_NET_WM_ALLOWED_ACTIONS");
        QVERIFY(actions.contains(QStringLiteral("_NET_WM_ACTION_CLOSE")));
        if (fixed) {
            // The window asks for closing and moving only; the window manager then offers
            // neither maximising nor resizing (openbox keeps its own iconify for every window).
            const x::MotifFunctions asked = x::motifFunctions(id);
            QVERIFY(asked.close);
            QVERIFY(!asked.minimize);
            QVERIFY(!asked.maximize);
            for (const char* action : {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                                       "_NET_WM_ACTION_RESIZE"})
                QVERIFY2(!actions.contains(QLatin1String(action)), action);
        }
        if (outerSize.isValid())
            QTRY_COMPARE_WITH_TIMEOUT(x::outerGeometry(id).size(), outerSize, kWaitMs);
    }

    // A right click on the object view, empty or showing an object's form, opens its menu.
    void rightClickOpensTheObjectViewMenu_data()
    {
        QTest::addColumn<bool>("withForm");
        QTest::newRow("empty view") << false;
        QTest::newRow("on the form") << true;
    }
    void rightClickOpensTheObjectViewMenu()
    {
        QFETCH(bool, withForm);
        GeneralFixture f;
        if (withForm)
            f.core->currentObject.LoadObjectForm(test::SampleForm(QStringLiteral("pumping-station")));
        GeneralForm& window = *f.window;
        QVERIFY(showFramed(window));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ObjectView* view = window.objectView();
        QWidget* target = withForm ? view->formWidget() : view->viewport();
        QVERIFY(target);
        rightClickAt(target->mapToGlobal(backgroundPoint(*target)));
        QTRY_VERIFY_WITH_TIMEOUT(window.objectViewMenu()->isVisible(), kWaitMs);
        window.objectViewMenu()->hide();
    }
};

KVT_TEST(WindowsOnScreenTest)
#include "WindowsOnScreenTest.moc"
