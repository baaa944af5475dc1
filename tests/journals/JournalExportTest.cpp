#include "JournalFixture.h"

#include "support/VirtualClock.h"
#include "journals/JournalExport.h"
#include "journals/JournalListModel.h"
#include "journals/MonthlyBooks.h"
#include "support/RecordingSinks.h"
#include "support/TestRegistry.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QTest>

using namespace kvt;


class JournalExportTest : public QObject {
    Q_OBJECT
private slots:
    void splitLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");
        QTest::newRow("white") << "2010.05.07  9:05:03 - Запуск приложения " << "2010.05.07  9:05:03 "
                               << "Запуск приложения ";
        QTest::newRow("red keeps the space its text begins with")
            << "   2010.05.07  9:05:03 -  Баланс" << "2010.05.07  9:05:03 " << " Баланс";
        QTest::newRow("green") << "  2010.05.07  23:59:09 - Опрос объекта Котельная" << "2010.05.07  23:59:09 "
                               << "Опрос объекта Котельная";
        QTest::newRow("only the first separator splits")
            << " 2010.05.07  9:05:03 - Баланс ДП успешно проверен  - 100 р." << "2010.05.07  9:05:03 "
            << "Баланс ДП успешно проверен  - 100 р.";
        QTest::newRow("no separator") << "  abcdef" << "" << "abcdef";
        QTest::newRow("no separator, short") << "x" << "" << "";
        QTest::newRow("spaces past position 3 stay in the date") << "    a - b" << " a " << "b";
    }
    void splitLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, date);
        QFETCH(QString, message);
        const JournalRow row = SplitJournalLine(line);
        QCOMPARE(row.date, date);
        QCOMPARE(row.message, message);
    }

    void modelRowsCarryTheirLineColours()
    {
        JournalListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setLines(AsLogLines(FourColourLines()));
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Дата"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Сообщение"));
        const QColor colours[] = {Qt::white, QColor(0, 128, 0), QColor(255, 0, 0), QColor(255, 255, 0)};
        const int categories[] = {4, 2, 1, 3};
        for (int r = 0; r < 4; ++r) {
            QCOMPARE(model.index(r, 1).data(Qt::BackgroundRole).value<QColor>(), colours[r]);
            QCOMPARE(model.index(r, 0).data(JournalListModel::ColourCategoryRole).toInt(), categories[r]);
        }
        model.setLines({});
        QCOMPARE(model.rowCount(), 0);
    }

    void exportLayout()
    {
        ProgramFolder dir;
        JournalListModel model;
        model.setLines(AsLogLines({
            QStringLiteral("   2010.05.07  9:05:03 - Аварийный звонок от объекта <Котельная & \"Юг\">"),
            QStringLiteral("2010.05.07  9:06:00 - "),
            QStringLiteral(" 2010.05.07  9:07:00 - Связь с объектом установлена Насосная"),
        }));
        const QString path = dir.file("sub/PrintLog.html");  // the folder is created
        QVERIFY(ExportListToHtml(model, "ListView1", path));
        const QByteArray expected = ToWin1251(QStringLiteral(
            "<html>\r\n<head>\r\n<title>HTML-Ansicht: ListView1</title>\r\n</head>\r\n"
            "<table border=\"1\" bordercolor=\"#000000\" width=\"100%\">\r\n<tr>\r\n"
            "<td width=\"200px\"><b><center>Дата</center></b></td>\r\n"
            "<td width=\"200px\"><b><center>Сообщение</center></b></td>\r\n"
            "</tr>\r\n"
            "<tr>\r\n<td>2010.05.07  9:05:03 </td>\r\n"
            "<td bgcolor=\"Red\">Аварийный звонок от объекта &lt;Котельная &amp; &quot;Юг&quot;&gt;</td></tr>"
            "<tr>\r\n<td>2010.05.07  9:06:00 </td>\r\n<td>-</td></tr>"
            "<tr>\r\n<td>2010.05.07  9:07:00 </td>\r\n<td bgcolor=\"Yellow\">Связь с объектом установлена Насосная</td></tr>"
            "</table>\r\n</html>\r\n"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
    }

    // Every row carries its own colour, however far down the list it is and whether or not
    // it was ever drawn.
    void exportColoursEveryRowByItsOwnLine()
    {
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << FourColourLines()[i % 4];
        JournalListModel model;
        model.setLines(AsLogLines(lines));
        const QString html = JournalHtml(model, "ListView1");
        const QStringList rows = html.split(QStringLiteral("<tr>\r\n")).mid(2);
        QCOMPARE(rows.size(), 200);
        const char* const attributes[] = {"bgcolor=\"White\"", "bgcolor=\"Green\"", "bgcolor=\"Red\"", "bgcolor=\"Yellow\""};
        for (int i = 0; i < rows.size(); ++i)
            QVERIFY2(rows[i].contains(QLatin1String(attributes[i % 4])), qPrintable(rows[i]));
    }

    void exportFailureReturnsFalse()
    {
        ProgramFolder dir;
        dir.writeBytes("blocker", "x");  // a file where the folder should be
        JournalListModel model;
        model.setLines(AsLogLines(FourColourLines()));
        QVERIFY(!ExportListToHtml(model, "ListView1", dir.file("blocker/PrintLog.html")));
        QVERIFY(QDir(dir.temp.path()).mkdir("PrintLog.html"));  // a folder in the file's place
        QVERIFY(!ExportListToHtml(model, "ListView1", dir.file("PrintLog.html")));
    }

    void monthlyBooks()
    {
        ProgramFolder dir;
        QCOMPARE(MonthlyBookPath("/k/", MonthlyBook::Alarms, QDate(2010, 5, 7)), QStringLiteral("/k/AvariBook/2010_5.html"));
        QCOMPARE(MonthlyBookPath("/k/", MonthlyBook::States, QDate(2010, 12, 1)), QStringLiteral("/k/SmsBook/2010_12.html"));
        VirtualClock clock(QDateTime(QDate(2010, 5, 31), QTime(23, 0)));
        test::RecordingShell shell;
        // Not written yet: nothing opened, no message.
        QVERIFY(!OpenMonthlyBook(shell, dir.path(), MonthlyBook::Alarms, clock));
        QVERIFY(shell.opened.isEmpty());
        QVERIFY(QDir(dir.temp.path()).mkdir("AvariBook"));
        dir.writeBytes("AvariBook/2010_5.html", "<html></html>");
        QVERIFY(OpenMonthlyBook(shell, dir.path(), MonthlyBook::Alarms, clock));
        QCOMPARE(shell.opened, QStringList{dir.file("AvariBook/2010_5.html")});
    }
};

KVT_TEST(JournalExportTest)
#include "JournalExportTest.moc"
