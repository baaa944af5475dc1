// Texts the operator must read whole, measured with the fonts the windows really use on the
// display, against the sizes the widgets really have.
#include "app/Console.h"
#include "journals/JournalListModel.h"
#include "support/Files.h"
#include "support/TestRegistry.h"
#include "app/ConsoleWindows.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace kvt;
using test::ConsoleWindows;

namespace {

// The widget's rectangle in `ancestor`'s coordinates.
QRect rectIn(const QWidget& widget, const QWidget& ancestor)
{
    return QRect(widget.mapTo(&ancestor, QPoint(0, 0)), widget.size());
}

QString labelName(const QLabel& label)
{
    return label.text().isEmpty() ? label.objectName() : label.text();
}

// The main window shown as a console without Settings.ini starts: the settings loaded (the
// defaults) and applied to it.
struct DefaultMainWindow : ConsoleWindows {
    DefaultMainWindow()
    {
        options.FormCreate();
        f.window->show();
    }
    // Shown framed at the default outer size, as the window manager puts it.
    bool laidOut()
    {
        const WindowGeometry defaults;
        return QTest::qWaitFor([this, defaults] {
            return f.window->frameGeometry().size() == QSize(defaults.width, defaults.height) &&
                   f.window->frameGeometry() != f.window->geometry();
        });
    }
    QWidget* part(const char* name) { return f.window->findChild<QWidget*>(QString::fromLatin1(name)); }
};

} // namespace

class TextFitTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { NameApplication(); }

    // At the default width of the left panel, every caption of the icon legend and of the link
    // panel shows whole, and no icon or caption covers another.
    void leftPanelCaptionsFitAtTheDefaultWidth_data()
    {
        QTest::addColumn<QByteArray>("panel");
        QTest::newRow("icon legend") << QByteArray("Panel1");
        QTest::newRow("link panel") << QByteArray("ScrollBox9");
    }
    void leftPanelCaptionsFitAtTheDefaultWidth()
    {
        QFETCH(QByteArray, panel);
        DefaultMainWindow main;
        QVERIFY(main.laidOut());
        QCOMPARE(main.part("ScrollBox4")->width(), WindowGeometry::kDefaultObjPanelWidth);
        const QWidget* area = main.part(panel.constData());
        QVERIFY(area);
        const QList<QLabel*> labels = area->findChildren<QLabel*>();
        QVERIFY(!labels.isEmpty());
        for (const QLabel* label : labels) {
            const QRect placed = rectIn(*label, *area);
            QVERIFY2(area->rect().contains(placed), qPrintable(labelName(*label)));
            if (!label->text().isEmpty()) {
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                         qPrintable(labelName(*label)));
            }
            for (const QLabel* other : labels) {
                if (other != label && !label->text().isEmpty() + !other->text().isEmpty() < 2)
                    QVERIFY2(!placed.intersects(rectIn(*other, *area)), qPrintable(labelName(*label)));
            }
        }
    }

    // Switched down to its line, the bottom panel shows Label10 whole and nothing else.
    void bottomPanelReducedToItsLineShowsTheLineWhole()
    {
        DefaultMainWindow main;
        main.f.core->settings.update([](SettingsData& d) { d.panelGsmCommands = false; });
        main.options.GsmCommandsPanelClick();
        QVERIFY(main.laidOut());
        QWidget* panel = main.part("ScrollBox12");
        auto* line = panel->findChild<QLabel*>(QStringLiteral("Label10"));
        QTRY_VERIFY(rectIn(*line, *panel) == panel->rect());
        QVERIFY(line->fontMetrics().height() <= line->contentsRect().height());
        for (const QAbstractButton* button : panel->findChildren<QAbstractButton*>())
            QVERIFY2(!button->isVisibleTo(main.f.window.get()), qPrintable(button->text()));
    }

    // A status line far longer than the window changes nothing in the layout: it is cut to the
    // room there is, and its tooltip holds the whole line as it stands.
    void longStatusLineKeepsTheLayout()
    {
        DefaultMainWindow main;
        QVERIFY(main.laidOut());
        const QSize windowSize = main.f.window->size();
        const int panelWidth = main.f.window->windowGeometry().objPanelWidth;
        const QString text = QStringLiteral("<b>НС-3</b> ") + QString(400, u'ж');
        main.f.core->log.LogEvent(QStringLiteral("Получены аварийные данные от объекта "), text, EventColour::Red);
        QTest::qWait(50); // the layout settles on posted events
        QCOMPARE(main.f.window->size(), windowSize);
        QCOMPARE(main.f.window->windowGeometry().objPanelWidth, panelWidth);
        ElidedLabel* status = main.f.window->statusLineLabel();
        QVERIFY(status->fontMetrics().horizontalAdvance(status->shownText()) <= status->contentsRect().width());
        QVERIFY(!Qt::mightBeRichText(status->toolTip()));
        QCOMPARE(QString(status->toolTip()).remove(QChar(kZeroWidthSpace)), main.f.core->log.statusLine().text());
    }

    // The date column keeps its width and shows a stamp with its seconds whole.
    void journalDateColumnShowsTheSeconds()
    {
        ConsoleWindows windows;
        test::WriteFile(windows.f.home + QStringLiteral("report.log"),
                        test::Win1251Lines({QStringLiteral("   2024.12.28  23:58:58 - Авария ")}));
        windows.journal.show();
        auto* list = windows.journal.findChild<QTableView*>(GurSoobForm::kListName);
        QVERIFY(QTest::qWaitForWindowExposed(&windows.journal));
        QCOMPARE(list->columnWidth(JournalListModel::DateColumn), GurSoobForm::kDateColumnWidth);
        const QModelIndex date = list->model()->index(0, JournalListModel::DateColumn);
        const QString stamp = date.data().toString();
        QVERIFY(stamp.contains(QStringLiteral("23:58:58")));
        const int textMargin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        const int room = list->visualRect(date).width() - 2 * textMargin - (list->showGrid() ? 1 : 0);
        QVERIFY2(list->fontMetrics().horizontalAdvance(stamp) <= room, qPrintable(stamp));
    }

    // No page of the settings window needs scrolling sideways.
    void settingsPagesNeedNoHorizontalScrolling()
    {
        ConsoleWindows windows;
        windows.options.show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows.options));
        auto* pages = windows.options.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            auto* page = qobject_cast<QScrollArea*>(pages->widget(i));
            QVERIFY(page);
            QTRY_VERIFY(page->isVisible());
            QCoreApplication::processEvents(); // the page is laid out on posted events
            QVERIFY2(!page->horizontalScrollBar()->isVisible(), qPrintable(pages->tabText(i)));
        }
    }
};

KVT_TEST(TextFitTest)
#include "TextFitTest.moc"
