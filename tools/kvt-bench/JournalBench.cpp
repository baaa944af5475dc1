#include "Bench.h"

#include "common/Clock.h"
#include "common/Confirmation.h"
#include "common/DesktopShell.h"
#include "common/SupervisionPause.h"
#include "journals/EventLog.h"
#include "journals/ui/GurSoobForm.h"
#include "journals/LogFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>

namespace {

constexpr int kLargeLines = 100000;
constexpr int kSmallLines = 100;

struct NoConfirmation final : kvt::Confirmation {
    bool confirm(const QString&) override { return false; }
};
struct NoShell final : kvt::DesktopShell {
    bool open(const QString&) override { return false; }
};

QStringList journalLines(int count)
{
    static const char* const prefixes[] = {"", "  ", "   ", " "};
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << QString::fromLatin1(prefixes[i % 4])
                + QStringLiteral("2010.05.07  9:05:03 - Получено новое состояние объекта по GSM каналу Объект %1").arg(i);
    return lines;
}

// Loads the file into the shown journal window and paints the visible rows.
qint64 loadAndShow(kvt::GurSoobForm& form, QTableView& view, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    form.RefrList(path);
    view.viewport()->repaint();
    QApplication::processEvents();
    return timer.elapsed();
}

int runJournal(const QStringList&, QTextStream& out)
{
    QTemporaryDir temp;
    const QString home = temp.path() + QLatin1Char('/');
    QDir(temp.path()).mkdir(QStringLiteral("Reports"));
    const QString large = home + QStringLiteral("Reports/large.log");
    const QString small = home + QStringLiteral("Reports/small.log");
    kvt::WriteLogLines(large, journalLines(kLargeLines));
    kvt::WriteLogLines(small, journalLines(kSmallLines));
    kvt::WriteLogLines(home + kvt::EventLog::kReportFileName, journalLines(1));

    kvt::SystemClock clock;
    kvt::EventLog log(home, clock);
    kvt::SupervisionPause pause;
    NoConfirmation confirmation;
    NoShell shell;
    kvt::GurSoobForm form(log, pause, confirmation, shell);
    form.show();
    QApplication::processEvents();
    auto* view = form.findChild<QTableView*>(kvt::GurSoobForm::kListName);

    out << "journal_load " << loadAndShow(form, *view, large) << " ms\n";
    out << "journal_load_small " << loadAndShow(form, *view, small) << " ms\n";
    return 0;
}

} // namespace

KVT_BENCH("journal", "load and show a 100,000-line journal archive (and a 100-line baseline)", runJournal)
