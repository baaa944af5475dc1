#include "journals/JournalFixture.h"

#include "support/VirtualClock.h"
#include "common/ErrorHandler.h"
#include "common/SupervisionPause.h"
#include "journals/EventLog.h"
#include "journals/ui/GurSoobForm.h"
#include "journals/JournalListModel.h"
#include "support/RecordingSinks.h"
#include "support/ScriptedAnswers.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kvt;

namespace {



// A program folder with a current log, the event log over it and the journal window.
struct JournalSetup {
    ProgramFolder dir;
    VirtualClock clock{QDateTime(QDate(2010, 5, 7), QTime(9, 5, 3))};
    EventLog log{dir.path(), clock};
    SupervisionPause pause;
    test::ScriptedConfirmation answer;
    test::RecordingShell shell;
    std::unique_ptr<GurSoobForm> form;

    explicit JournalSetup(bool withReports = true)
    {
        if (withReports)
            dir.makeReports();
        dir.writeLines("report.log", FourColourLines());
        form = std::make_unique<GurSoobForm>(log, pause, answer, shell);
    }
    QComboBox* selector() const { return form->findChild<QComboBox*>("ArchiveSelector"); }
    QStringList selectorItems() const
    {
        QStringList items;
        for (int i = 0; i < selector()->count(); ++i)
            items << selector()->itemText(i);
        return items;
    }
    QPushButton* button(const QString& caption) const
    {
        for (QPushButton* b : form->findChildren<QPushButton*>()) {
            if (b->text() == caption)
                return b;
        }
        qFatal("no button %s", qPrintable(caption));
    }
};

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showingLoadsTheCurrentLogAndPausesSupervision()
    {
        JournalSetup s;
        s.log.statusLine().show(QStringLiteral("старое"), EventColour::Red);
        s.dir.writeLines("Reports/2010_05_07  10_00_00.log", {});
        s.dir.writeLines("Reports/2010_05_07  9_00_00.log", {});
        s.dir.writeBytes("Reports/notes.txt", "x");
        QVERIFY(!s.pause.isSet());
        s.form->show();
        QCOMPARE(s.form->windowTitle(), QStringLiteral("Журнал событий"));
        // Sorted by name, as the folder search of the console's home system returns them:
        // ten o'clock before nine o'clock.
        QCOMPARE(s.selectorItems(),
                 (QStringList{"-ТЕКУЩИЙ-", "2010_05_07  10_00_00", "2010_05_07  9_00_00"}));
        QCOMPARE(s.selector()->currentIndex(), 0);
        auto* view = s.form->findChild<QTableView*>("ListView1");
        QVERIFY(view);
        QCOMPARE(view->model()->rowCount(), 4);
        QCOMPARE(view->model()->index(2, 1).data().toString(),
                 QStringLiteral("Не удалось опросить объект по GSM каналу Котельная №1"));
        // The status line shows the file's last line in the background it had.
        QCOMPARE(s.log.statusLine().text(), FourColourLines().last());
        QCOMPARE(s.log.statusLine().colour(), EventColour::Red);
        QVERIFY(s.pause.isSet());
        s.form->close();
        QVERIFY(!s.pause.isSet());
    }

    void missingReportsFolderLeavesOnlyTheCurrentEntry()
    {
        JournalSetup s(false);
        s.form->show();
        QCOMPARE(s.selectorItems(), QStringList{"-ТЕКУЩИЙ-"});
        QCOMPARE(s.form->list().rowCount(), 4);
    }

    void choosingArchivesAndTheCurrentEntry()
    {
        JournalSetup s;
        s.dir.writeLines("Reports/2010_05_01  8_00_00.log", FourColourLines().mid(1, 2));
        s.dir.writeLines("Reports/2010_05_02  8_00_00.log", {});
        s.form->show();
        const int indexBefore = s.log.currentIndex();

        s.form->ChooseArchive(1);
        QCOMPARE(s.form->list().lines().toStringList(), FourColourLines().mid(1, 2));
        QCOMPARE(s.log.statusLine().text(), FourColourLines()[2]);
        QCOMPARE(s.log.currentIndex(), indexBefore);

        // An empty archive empties the list and blanks the status line.
        s.form->ChooseArchive(2);
        QCOMPARE(s.form->list().rowCount(), 0);
        QCOMPARE(s.log.statusLine().text(), QString());

        // An archive made meanwhile appears once "-ТЕКУЩИЙ-" is chosen again.
        s.dir.writeLines("Reports/2010_05_03  8_00_00.log", {});
        s.form->ChooseArchive(0);
        QCOMPARE(s.selectorItems().size(), 4);
        QCOMPARE(s.selector()->currentIndex(), 0);
        QCOMPARE(s.form->list().lines().toStringList(), FourColourLines());
    }

    void unreadableFileReachesTheErrorHandler()
    {
        JournalSetup s;
        s.dir.writeLines("Reports/gone.log", {});
        s.form->show();
        QVERIFY(QFile::remove(s.dir.file("Reports/gone.log")));
        QStringList reported;
        auto previous = GlobalErrorHandler::install([&](const QString& text) { reported << text; });
        s.selector()->setCurrentIndex(1);
        emit s.selector()->activated(1);
        GlobalErrorHandler::install(previous);
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported[0].contains("gone.log"), qPrintable(reported[0]));
        QCOMPARE(s.form->list().rowCount(), 0);
    }

    void archiveButtonAsksThenArchivesAndReloads()
    {
        JournalSetup s;
        s.log.StartUp();
        s.form->show();
        s.answer.answer = false;
        s.button("Архивировать")->click();
        QCOMPARE(s.answer.questions.size(), 1);
        QCOMPARE(s.selectorItems(), QStringList{"-ТЕКУЩИЙ-"});
        QCOMPARE(s.form->list().rowCount(), 5);

        s.answer.answer = true;
        s.button("Архивировать")->click();
        QCOMPARE(s.selectorItems(), (QStringList{"-ТЕКУЩИЙ-", "2010_05_07  9_05_03"}));
        QCOMPARE(s.form->list().lines().toStringList(),
                 QStringList{"2010.05.07  9:05:03 - Удаление всех записей из журнала событий "});
    }

    void exportWritesThePageAndOpensIt()
    {
        JournalSetup s;
        s.form->show();
        QVERIFY(s.button("Экспорт для печати"));
        s.button("Экспорт для печати")->click();
        QCOMPARE(s.shell.opened, QStringList{s.dir.file("PrintLog.html")});
        const QByteArray page = s.dir.readBytes("PrintLog.html");
        QVERIFY(page.startsWith("<html>\r\n<head>\r\n<title>HTML-Ansicht: ListView1</title>"));
        QCOMPARE(page.count("<tr>\r\n"), 5);
    }

    void exportFailureShowsTheNoticeAndOpensNothing()
    {
        JournalSetup s;
        s.form->show();
        QVERIFY(QDir(s.dir.temp.path()).mkdir("PrintLog.html"));
        QString notice;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                notice = box->text();
                box->accept();
            }
        });
        QVERIFY(!s.form->Export());
        QCOMPARE(notice, QStringLiteral("Журнал невозможно экспортировать"));
        QVERIFY(s.shell.opened.isEmpty());
    }

    void columnWidths()
    {
        JournalSetup s;
        s.form->show();
        QHeaderView* header = s.form->findChild<QTableView*>("ListView1")->horizontalHeader();
        QCOMPARE(header->sectionSize(0), 160);
        s.form->resize(1000, 600);
        QCOMPARE(header->sectionSize(1), 800);
        // The operator cannot make it narrower than that, nor change the date column.
        header->resizeSection(1, 300);
        QCOMPARE(header->sectionSize(1), 800);
        QCOMPARE(header->sectionResizeMode(0), QHeaderView::Fixed);
    }

    void hundredThousandLinesLoadQuickly()
    {
        JournalSetup s;
        QStringList lines;
        for (int i = 0; i < 100000; ++i)
            lines << FourColourLines()[i % 4] + QString::number(i);
        s.dir.writeLines("Reports/big.log", lines);
        s.form->show();
        auto* view = s.form->findChild<QTableView*>("ListView1");
        QElapsedTimer timer;
        timer.start();
        s.form->ChooseArchive(1);
        view->viewport()->repaint();
        const qint64 ms = timer.elapsed();
        QCOMPARE(s.form->list().rowCount(), 100000);
        QCOMPARE(view->model()->index(99999, 1).data().toString().right(5), QStringLiteral("99999"));
        QVERIFY2(ms < 1000, qPrintable(QStringLiteral("%1 ms").arg(ms)));
    }
};

KVT_TEST(JournalWindowTest)
#include "JournalWindowTest.moc"
