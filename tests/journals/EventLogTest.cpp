#include "JournalFixture.h"

#include "support/VirtualClock.h"
#include "common/ErrorHandler.h"
#include "common/Errors.h"
#include "journals/EventLine.h"
#include "journals/EventLog.h"
#include "journals/EventLogCommands.h"
#include "journals/LogFile.h"
#include "support/ScriptedAnswers.h"
#include "support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

using namespace kvt;

namespace {

const QDateTime kMay7 = QDateTime(QDate(2010, 5, 7), QTime(9, 5, 3));


// Records the steps of "Отмена" with the virtual time at which each happened.
struct RecordingModem final : ModemCancelSteps {
    explicit RecordingModem(const Clock& c) : clock(c) {}
    const Clock& clock;
    bool open = true;
    QStringList steps;
    void note(const QString& step) { steps << QStringLiteral("%1@%2").arg(step, QString::number(clock.ticks())); }
    bool isModemPortOpen() const override { return open; }
    void writeToModem(const QByteArray& bytes) override { note(QString::fromLatin1(bytes.toPercentEncoding())); }
    void enableATTimer() override { note(QStringLiteral("ATTimer")); }
    void enableQueryTimer() override { note(QStringLiteral("QueryTimer")); }
    void enableTimer2() override { note(QStringLiteral("Timer2")); }
};

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral(" 2010.05.07  9:05:03 - Событие %1").arg(i);
    return lines;
}

} // namespace

class EventLogTest : public QObject {
    Q_OBJECT
private slots:
    void lineFormat_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<QString>("line");
        QTest::newRow("one-digit hour, white")
            << kMay7 << "Запуск приложения" << "" << quint32(0xFFFFFF) << "2010.05.07  9:05:03 - Запуск приложения ";
        QTest::newRow("two-digit hour, yellow")
            << QDateTime(QDate(2010, 12, 31), QTime(23, 59, 9)) << "Связь с объектом установлена" << "Насосная"
            << quint32(0xFFFF) << " 2010.12.31  23:59:09 - Связь с объектом установлена Насосная";
        QTest::newRow("midnight, red, empty text")
            << QDateTime(QDate(2024, 1, 2), QTime(0, 0, 0)) << "GSM Модем не отвечает" << "" << quint32(255)
            << "   2024.01.02  0:00:00 - GSM Модем не отвечает ";
        QTest::newRow("green, title with trailing space")
            << kMay7 << "Отправка данных в ЦДП " << "79031234567" << quint32(0x8000)
            << "  2010.05.07  9:05:03 - Отправка данных в ЦДП  79031234567";
        QTest::newRow("other colour has no prefix")
            << kMay7 << "Т" << "x" << quint32(0x123456) << "2010.05.07  9:05:03 - Т x";
    }
    void lineFormat()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(quint32, colour);
        QFETCH(QString, line);
        ProgramFolder dir;
        VirtualClock clock(when);
        EventLog log(dir.path(), clock);
        log.LogEvent(title, text, EventColour(colour));
        QCOMPARE(log.events(), QStringList{line});
        QCOMPARE(log.statusLine().text(), line);
        QCOMPARE(quint32(log.statusLine().colour()), colour);
        // The first event creates report.log holding exactly its line, in Windows-1251.
        QCOMPARE(dir.readBytes("report.log"), ToWin1251(line) + "\r\n");
    }

    void archiveStamp()
    {
        QCOMPARE(ArchiveStamp(kMay7), QStringLiteral("2010_05_07  9_05_03"));
        QCOMPARE(ArchiveStamp(QDateTime(QDate(2010, 11, 30), QTime(14, 0, 59))), QStringLiteral("2010_11_30  14_00_59"));
    }

    void lineColourAndPending_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<bool>("pending");
        QTest::newRow("white") << "2010.05.07  9:05:03 - x " << quint32(0xFFFFFF) << false;
        QTest::newRow("yellow") << " 2010.05.07 - x" << quint32(0xFFFF) << false;
        QTest::newRow("green") << "  2010.05.07 - x" << quint32(0x8000) << true;
        QTest::newRow("red never pending") << "   2010.05.07 - x" << quint32(255) << false;
        QTest::newRow("four spaces count as red") << "    x" << quint32(255) << false;
        QTest::newRow("empty line") << "" << quint32(0xFFFFFF) << false;
        QTest::newRow("two spaces only") << "  " << quint32(0x8000) << true;
    }
    void lineColourAndPending()
    {
        QFETCH(QString, line);
        QFETCH(quint32, colour);
        QFETCH(bool, pending);
        QCOMPARE(quint32(LineColour(line)), colour);
        QCOMPARE(IsGreenLine(line), pending);
    }

    void pendingEndsWithAnyOtherColour_data()
    {
        QTest::addColumn<quint32>("after");
        QTest::newRow("yellow outcome") << quint32(0xFFFF);
        QTest::newRow("red outcome") << quint32(255);
        QTest::newRow("white cancel") << quint32(0xFFFFFF);
    }
    void pendingEndsWithAnyOtherColour()
    {
        QFETCH(quint32, after);
        ProgramFolder dir;
        VirtualClock clock(kMay7);
        EventLog log(dir.path(), clock);
        QVERIFY(!log.IsActionPending());
        log.LogEvent("Опрос объекта", "Котельная", EventColour::Green);
        QVERIFY(log.IsActionPending());
        log.LogEvent("Итог", "", EventColour(after));
        QVERIFY(!log.IsActionPending());
    }

    void startUpLoadsTheWholeFileAndNavigates()
    {
        ProgramFolder dir;
        const QStringList earlier = FourColourLines();
        dir.writeLines("report.log", earlier);
        VirtualClock clock(QDateTime(QDate(2010, 5, 8), QTime(10, 0, 0)));
        EventLog log(dir.path(), clock);
        log.StartUp();
        const QString start = QStringLiteral("2010.05.08  10:00:00 - Запуск приложения ");
        QCOMPARE(log.events(), earlier + QStringList{start});
        QCOMPARE(log.currentIndex(), 4);
        QCOMPARE(log.statusLine().text(), start);

        // ">" at the last line does nothing.
        QSignalSpy changes(&log.statusLine(), &StatusLine::changed);
        log.ShowNext();
        QCOMPARE(log.currentIndex(), 4);
        QCOMPARE(changes.count(), 0);

        // "<" walks back, each line in its own colour, and stops at the first.
        const quint32 expected[] = {0xFFFF, 255, 0x8000, 0xFFFFFF};
        for (int i = 3; i >= 0; --i) {
            log.ShowPrevious();
            QCOMPARE(log.currentIndex(), i);
            QCOMPARE(log.statusLine().text(), earlier[i]);
            QCOMPARE(quint32(log.statusLine().colour()), expected[3 - i]);
        }
        log.ShowPrevious();
        QCOMPARE(log.currentIndex(), 0);
        QCOMPARE(changes.count(), 4);
        log.ShowNext();
        QCOMPARE(log.statusLine().text(), earlier[1]);

        // A new event jumps back to the end.
        log.LogEvent("Закрытие приложения", "", EventColour::White);
        QCOMPARE(log.currentIndex(), 5);
    }

    void automaticArchivingThreshold_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("archives");
        QTest::newRow("1199 + start line = 1200") << 1199 << false;
        QTest::newRow("1200 + start line = 1201") << 1200 << true;
    }
    void automaticArchivingThreshold()
    {
        QFETCH(int, before);
        QFETCH(bool, archives);
        ProgramFolder dir;
        dir.makeReports();
        dir.writeLines("report.log", numberedLines(before));
        VirtualClock clock(kMay7);
        EventLog log(dir.path(), clock);
        log.StartUp();
        const QStringList atStart = log.events();
        QCOMPARE(atStart.size(), before + 1);
        QCOMPARE(log.ArchiveIfOverThreshold(), archives);
        if (!archives) {
            QCOMPARE(log.events(), atStart);
            QVERIFY(dir.entries("Reports").isEmpty());
            return;
        }
        const QString line = QStringLiteral("2010.05.07  9:05:03 - Автоматическая отчистка журнала событий ");
        QCOMPARE(log.events(), QStringList{line});
        QCOMPARE(log.currentIndex(), 0);
        QCOMPARE(dir.readBytes("report.log"), ToWin1251(line) + "\r\n");
        QCOMPARE(dir.entries("Reports"), QStringList{"2010_05_07  9_05_03.log"});
        QCOMPARE(ReadLogLines(dir.file("Reports/2010_05_07  9_05_03.log")), atStart);
    }

    void twoArchivesInOneSecondKeepBoth()
    {
        ProgramFolder dir;
        dir.makeReports();
        VirtualClock clock(kMay7);
        EventLog log(dir.path(), clock);
        log.LogEvent("Первое", "", EventColour::Yellow);
        const QString first = log.ArchiveEventLog(EventLog::kOperatorClearTitle);
        log.LogEvent("Второе", "", EventColour::Red);
        const QString second = log.ArchiveEventLog(EventLog::kOperatorClearTitle);
        QVERIFY(first != second);
        QCOMPARE(dir.entries("Reports"), (QStringList{"2010_05_07  9_05_03.log", "2010_05_07  9_05_03_2.log"}));
        QCOMPARE(ReadLogLines(first), QStringList{" 2010.05.07  9:05:03 - Первое "});
        QCOMPARE(ReadLogLines(second).size(), 2);
    }

    void missingReportsFolderLeavesTheLogAlone()
    {
        ProgramFolder dir;
        VirtualClock clock(kMay7);
        EventLog log(dir.path(), clock);
        log.LogEvent("Событие", "", EventColour::Green);
        const QByteArray file = dir.readBytes("report.log");
        QVERIFY_THROWS_EXCEPTION(IoError, log.ArchiveEventLog(EventLog::kOperatorClearTitle));
        QCOMPARE(log.events().size(), 1);
        QCOMPARE(dir.readBytes("report.log"), file);
        QVERIFY(log.IsActionPending());
    }

    void failedWriteIsShownKeptAndReportedOnce()
    {
        ProgramFolder dir;
        QVERIFY(QDir(dir.temp.path()).mkdir("report.log"));  // a folder in the file's place
        VirtualClock clock(kMay7);
        EventLog log(dir.path(), clock);
        QStringList reported;
        auto previous = GlobalErrorHandler::install([&](const QString& text) { reported << text; });
        const bool finished = Guarded([&] { log.LogEvent("GSM Модем не отвечает", "", EventColour::Red); });
        GlobalErrorHandler::install(previous);
        QVERIFY(!finished);
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported[0].contains("report.log"), qPrintable(reported[0]));
        const QString line = QStringLiteral("   2010.05.07  9:05:03 - GSM Модем не отвечает ");
        QCOMPARE(log.events(), QStringList{line});
        QCOMPARE(log.statusLine().text(), line);
        QCOMPARE(log.statusLine().colour(), EventColour::Red);
    }

    void operatorClearingAsksFirst()
    {
        ProgramFolder dir;
        dir.makeReports();
        VirtualClock clock(kMay7);
        EventLog log(dir.path(), clock);
        log.LogEvent("Событие", "", EventColour::Yellow);
        test::ScriptedConfirmation confirmation;
        confirmation.answer = false;
        QVERIFY(!EventLogCommands::Clear(log, confirmation));
        QCOMPARE(confirmation.questions, QStringList{"Вы дейсвительно желаете отчистить журнал событий"});
        QCOMPARE(log.events().size(), 1);
        QVERIFY(dir.entries("Reports").isEmpty());

        confirmation.answer = true;
        QVERIFY(EventLogCommands::Clear(log, confirmation));
        QCOMPARE(log.events(), QStringList{"2010.05.07  9:05:03 - Удаление всех записей из журнала событий "});
        QCOMPARE(dir.entries("Reports").size(), 1);
    }

    void cancelWithClosedPortDoesNothing()
    {
        ProgramFolder dir;
        VirtualClock clock(kMay7);
        EventLog log(dir.path(), clock);
        log.LogEvent("Опрос объекта", "Котельная", EventColour::Green);
        RecordingModem modem(clock);
        modem.open = false;
        EventLogCommands::Cancel(log, modem, clock);
        QVERIFY(modem.steps.isEmpty());
        QCOMPARE(clock.ticks(), 0);
        QCOMPARE(log.events().size(), 1);
        QVERIFY(log.IsActionPending());
    }

    void cancelHangsUpAndRestartsTheTimers()
    {
        ProgramFolder dir;
        VirtualClock clock(kMay7);
        EventLog log(dir.path(), clock);
        log.LogEvent("Опрос объекта", "Котельная", EventColour::Green);
        RecordingModem modem(clock);
        EventLogCommands::Cancel(log, modem, clock);
        QCOMPARE(modem.steps, (QStringList{"ATH%0D%0A@400", "ATTimer@400", "QueryTimer@800", "Timer2@1100"}));
        QVERIFY(!log.IsActionPending());
        QCOMPARE(log.events().last(), QStringLiteral("2010.05.07  9:05:04 - Действие отменено "));
    }

    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("no final ending") << "a\r\nb" << QStringList{"a", "b"};
        QTest::newRow("lf and cr") << "a\nb\rc" << QStringList{"a", "b", "c"};
        QTest::newRow("empty lines kept") << "\r\n\r\nx\r\n" << QStringList{"", "", "x"};
        QTest::newRow("leading spaces kept") << "   red \r\n" << QStringList{"   red "};
        QTest::newRow("cyrillic") << "Дата\r\nЖурнал" << QStringList{"Дата", "Журнал"};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(LogLines(ToWin1251(text)).toStringList(), lines);
    }

    void missingFileCannotBeRead()
    {
        ProgramFolder dir;
        QVERIFY_THROWS_EXCEPTION(IoError, ReadLogLines(dir.file("report.log")));
    }
};

KVT_TEST(EventLogTest)
#include "EventLogTest.moc"
