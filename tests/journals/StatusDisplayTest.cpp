#include "journals/StatusIcons.h"
#include "journals/StatusReset.h"
#include "support/RecordingSinks.h"
#include "support/TestRegistry.h"

#include <QSet>
#include <QTest>

using namespace kvt;

namespace {

// The two trees as the reset sees them: node 0 is the root, the others are objects.
class FakeTrees : public ObjectStatusTree {
public:
    QList<int> icons;      // index 0: the root
    QStringList names;
    int selected = -1;     // -1: nothing selected
    int historyRootIcon = 99;
    int redraws = 0;
    bool focused = false;

    void focusObjectTree() override { focused = true; }
    bool hasSelection() const override { return selected >= 0; }
    int selectedIcon() const override { return icons[selected]; }
    QString selectedText() const override { return names[selected]; }
    void setSelectedIcon(int icon) override { icons[selected] = icon; }
    void setHistoryRootIcon(int icon) override { historyRootIcon = icon; }
    void redrawHistory() override { ++redraws; }
    QList<int> objectIcons() const override { return icons.mid(1); }
};

} // namespace

class StatusDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void iconsAreThirteenDistinctPictures()
    {
        QSet<QByteArray> seen;
        for (int i = 0; i < kStatusIconCount; ++i) {
            const QPixmap pixmap = StatusIconPixmap(i);
            QCOMPARE(pixmap.size(), QSize(16, 16));
            const QImage image = pixmap.toImage();
            seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(seen.size(), kStatusIconCount);
        QVERIFY(StatusIconPixmap(-1).isNull());
        QVERIFY(StatusIconPixmap(13).isNull());
        QCOMPARE(StatusImageList().size(), kStatusIconCount);
    }

    void reset_data()
    {
        QTest::addColumn<QList<int>>("icons");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("iconsAfter");
        QTest::addColumn<bool>("logged");
        QTest::addColumn<bool>("soundStops");

        QTest::newRow("first of two alarms: sound goes on") << QList<int>{0, 4, 4} << 1 << QList<int>{0, -1, 4} << true << false;
        QTest::newRow("last alarm: sound stops") << QList<int>{0, -1, 4} << 2 << QList<int>{0, -1, -1} << true << true;
        QTest::newRow("object without icon is still logged") << QList<int>{0, -1, 1} << 1 << QList<int>{0, -1, 1} << true << true;
        QTest::newRow("new data elsewhere keeps the sound") << QList<int>{0, 4, 3} << 1 << QList<int>{0, -1, 3} << true << false;
        QTest::newRow("link icons do not keep the sound") << QList<int>{0, 4, 6, 9, 12, 7} << 1 << QList<int>{0, -1, 6, 9, 12, 7} << true << true;
        QTest::newRow("root selected: nothing cleared, check runs") << QList<int>{0, 1} << 0 << QList<int>{0, 1} << false << true;
        QTest::newRow("root selected with alarm elsewhere") << QList<int>{0, 4} << 0 << QList<int>{0, 4} << false << false;
        QTest::newRow("nothing selected") << QList<int>{0, 3} << -1 << QList<int>{0, 3} << false << false;
    }
    void reset()
    {
        QFETCH(QList<int>, icons);
        QFETCH(int, selected);
        FakeTrees trees;
        trees.icons = icons;
        for (int i = 0; i < icons.size(); ++i)
            trees.names << (i == 0 ? QStringLiteral("Список объектов") : QStringLiteral("Объект %1").arg(i));
        trees.selected = selected;
        test::RecordingEventSink log;
        test::FakeMainTimers timers;
        timers.start(MainTimer::Timer_Avari_Snd);

        const bool stopped = ResetSelectedObject(trees, log, timers);

        QFETCH(QList<int>, iconsAfter);
        QFETCH(bool, logged);
        QFETCH(bool, soundStops);
        QVERIFY(trees.focused);
        QCOMPARE(trees.icons, iconsAfter);
        QCOMPARE(stopped, soundStops);
        QCOMPARE(timers.isActive(MainTimer::Timer_Avari_Snd), !soundStops);
        if (logged) {
            QCOMPARE(log.lines.size(), 1);
            QCOMPARE(log.lines[0].title, QStringLiteral("Сброс состояния объекта"));
            QCOMPARE(log.lines[0].text, trees.names[selected]);
            QCOMPARE(log.lines[0].colour, EventColour::White);
            QCOMPARE(trees.historyRootIcon, -1);
        } else {
            QVERIFY(log.lines.isEmpty());
            QCOMPARE(trees.historyRootIcon, 99);
        }
    }

    void resetStopsOnlyTheAlarmSoundTimer()
    {
        FakeTrees trees;
        trees.icons = {0, 4};
        trees.names = {QStringLiteral("Список объектов"), QStringLiteral("Насосная")};
        trees.selected = 1;
        test::RecordingEventSink log;
        test::FakeMainTimers timers;
        timers.start(MainTimer::Timer_Avari_Snd);
        timers.start(MainTimer::Timer2);
        QVERIFY(ResetSelectedObject(trees, log, timers));
        QVERIFY(!timers.isActive(MainTimer::Timer_Avari_Snd));
        QVERIFY(timers.isActive(MainTimer::Timer2));
    }
};

KVT_TEST(StatusDisplayTest)
#include "StatusDisplayTest.moc"
