#include "support/Files.h"
#include "support/RecordingSinks.h"
#include "support/SampleForms.h"
#include "support/TestRegistry.h"
#include "support/TrendStore.h"

#include "trends/ui/TrendChartView.h"
#include "trends/ui/TrendForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace kvt;
using kvt::test::TrendStore;

namespace {

// A pumping station with a cut packet, an alarm and a stamp that names no time, and its trend
// window over the whole history with the outlet pressure and the tank level chosen.
struct TrendWindow {
    TrendStore store{QStringLiteral("pumping-station")};
    test::RecordingNotices notices;
    std::unique_ptr<TrendForm> window;

    TrendWindow()
    {
        auto packet = [](const char* name) { return test::SamplePacket(QStringLiteral("pumping-station"), QString::fromLatin1(name)); };
        store.store(QStringLiteral("14.01.24  10:00"), packet("normal"));
        store.store(QStringLiteral("14.01.24  10:30"), packet("short"));
        store.store(QStringLiteral("00.00.00  00:00"), packet("normal"));
        store.store(QStringLiteral("14.01.24  11:00"), packet("alarm"));
        store.store(QStringLiteral("14.01.24  11:30"), packet("normal"));
        window = std::make_unique<TrendForm>(store.object(), ReadTrendCatalog(store.object()), store.fixture().clock(), notices);
        window->findChild<QComboBox*>(QStringLiteral("TrendSpan"))->setCurrentIndex(int(TrendForm::kSpans.indexOf(TrendRange::Span::All)));
        QListWidget* values = window->findChild<QListWidget*>(QStringLiteral("TrendValues"));
        values->item(1)->setCheckState(Qt::Checked);
        window->show();
    }

    // Clicks "Построить" and waits for the plot.
    void build()
    {
        QSignalSpy shown(window.get(), &TrendForm::plotShown);
        button("TrendBuild")->click();
        QVERIFY(shown.wait());
    }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QString status() { return window->findChild<QLabel*>(QStringLiteral("TrendStatus"))->text(); }
};

} // namespace

class TrendFormTest : public QObject {
    Q_OBJECT
private slots:
    // One legend entry per value and one for the alarms; a value's line breaks where a packet
    // does not carry it; alarms marked on the time axis; the counts in the status line.
    void plotsTheChosenValues()
    {
        TrendWindow w;
        w.build();
        const QChart* chart = w.window->chartView()->chart();
        QApplication::processEvents(); // the legend lays its markers out
        QStringList legend;
        for (QAbstractSeries* series : chart->series()) {
            if (chart->legend()->markers(series).first()->isVisible())
                legend << series->name();
        }
        QCOMPARE(legend, (QStringList{"Давление на выходе, кПа", "Уровень в резервуаре, см", "Аварийный пакет"}));
        QCOMPARE(w.window->chartView()->linePieces(0), 2);
        QVERIFY(w.window->chartView()->pointsShown(0));
        QCOMPARE(w.window->chartView()->alarmCount(), 1);
        QCOMPARE(w.window->chartView()->alarmMarksDrawn(), 1);
        QCOMPARE(w.status(), QStringLiteral("Пакетов в периоде: 4, из них аварийных: 1. "
                                            "Пропущено пакетов с нераспознанной отметкой времени: 1."));
    }

    // A long line is drawn at the plot's width: each pixel column keeps its lowest and highest
    // value, a gap shows when it leaves a column empty, and zooming in brings every point back.
    void longLinesKeepTheirOutline()
    {
        TrendTable table;
        table.columns.push_back(TrendControl{1, QStringLiteral("Value"), QStringLiteral("Давление"),
                                             ControlKind::ValueText, TrendReadout::Caption, true});
        const QDateTime start(QDate(2024, 1, 1), QTime(0, 0));
        constexpr int kPackets = 20000;
        for (int i = 0; i < kPackets; ++i) {
            // One packet without the value in the first half, a tenth of the packets without it
            // from the middle on, one peak.
            const bool gap = i == kPackets / 4 || (i >= kPackets / 2 && i < kPackets / 2 + kPackets / 10);
            const double value = i == kPackets / 3 ? 900 : 100 + i % 50;
            TrendRow row{start.addSecs(60 * i), false, {}};
            row.values.push_back(gap ? std::nullopt : std::optional<TrendValue>(TrendValue{QString::number(value), value}));
            table.rows.push_back(row);
        }
        TrendChartView view;
        view.resize(800, 500);
        view.show();
        view.showTable(table);
        QApplication::processEvents();
        auto drawn = [&] {
            QList<QPointF> points;
            for (QAbstractSeries* series : view.chart()->series())
                points += static_cast<QLineSeries*>(series)->points();
            return points;
        };
        QVERIFY(!view.pointsShown(0));
        QCOMPARE(view.linePieces(0), 2);
        QVERIFY(drawn().size() <= 2 * 2 * view.chart()->plotArea().width());
        double highest = 0;
        for (const QPointF& point : drawn())
            highest = std::max(highest, point.y());
        QCOMPARE(highest, 900.0);

        // An hour around the lone missing packet: every packet with its point, the gap seen.
        const QDateTime missing = start.addSecs(60 * (kPackets / 4));
        static_cast<QDateTimeAxis*>(view.chart()->axes(Qt::Horizontal).first())->setRange(missing.addSecs(-1800), missing.addSecs(1800));
        QApplication::processEvents();
        QVERIFY(view.pointsShown(0));
        QCOMPARE(view.linePieces(0), 2);
        QCOMPARE(drawn().size(), 60 + 2);
    }

    // The wheel zooms the time around the pointer; "Сбросить масштаб" shows the whole period.
    void zoomsAndResets()
    {
        TrendWindow w;
        w.build();
        TrendChartView* view = w.window->chartView();
        const qint64 whole = view->shownFrom().msecsTo(view->shownTo());
        const QPoint middle = view->viewport()->rect().center();
        QWheelEvent wheel(middle, view->viewport()->mapToGlobal(middle), QPoint(), QPoint(0, QWheelEvent::DefaultDeltasPerStep),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        const double ratio = double(whole) / double(view->shownFrom().msecsTo(view->shownTo()));
        QVERIFY2(qAbs(ratio - TrendChartView::kWheelZoomFactor) < 0.01, qPrintable(QString::number(ratio)));
        w.button("TrendResetZoom")->click();
        QCOMPARE(view->shownFrom().msecsTo(view->shownTo()), whole);
    }

    // The table goes to CSV and the plot to PNG where the operator chooses; nothing is written
    // when the choice is cancelled.
    void exportsTheTableAndThePlot()
    {
        TrendWindow w;
        const QString folder = w.store.fixture().programDirectory();
        QString answer;
        w.window->setSaveFileChooser([&](const QString&, const QString&, const QString&) { return answer; });
        w.build();
        answer = folder + QStringLiteral("trend.csv");
        w.button("TrendExportCsv")->click();
        QVERIFY(test::ReadFile(answer).startsWith("\xC4\xE0\xF2\xE0 \xE8 \xE2\xF0\xE5\xEC\xFF;"));
        QCOMPARE(test::ReadFile(answer).count("\r\n"), 5);
        answer = folder + QStringLiteral("trend.png");
        w.button("TrendSavePng")->click();
        QCOMPARE(QImage(answer).size(), w.window->chartView()->size() * w.window->chartView()->devicePixelRatio());
        answer.clear();
        w.button("TrendExportCsv")->click();
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*.csv"), QStringLiteral("*.png")}, QDir::Files),
                 (QStringList{"trend.csv", "trend.png"}));
        QVERIFY(w.notices.shown.isEmpty());
    }

    // While the history is read the window answers: "Отмена" stops the reading and the plot
    // shown before stays.
    void cancelKeepsThePlotShown()
    {
        TrendWindow w;
        w.build();
        for (int i = 0; i < 40; ++i)
            w.store.store(QStringLiteral("15.01.24  %1:%2").arg(10 + i / 60).arg(i % 60, 2, 10, QLatin1Char('0')),
                          test::SamplePacket(QStringLiteral("pumping-station"), QStringLiteral("normal")));
        const TrendTable* shown = w.window->table();
        w.button("TrendBuild")->click();
        QVERIFY(w.window->isBuilding());
        QVERIFY(w.button("TrendCancel")->isEnabled());
        QVERIFY(!w.button("TrendBuild")->isEnabled());
        w.button("TrendCancel")->click();
        QTRY_VERIFY(!w.window->isBuilding());
        QVERIFY(w.status().startsWith(QStringLiteral("Построение отменено: прочитано ")));
        QCOMPARE(w.window->table(), shown);
        QVERIFY(w.button("TrendBuild")->isEnabled());
    }
};

KVT_TEST(TrendFormTest)
#include "TrendFormTest.moc"
