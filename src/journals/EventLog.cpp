#include "journals/EventLog.h"

#include "common/Clock.h"
#include "journals/EventLine.h"
#include "journals/LogFile.h"

#include <QFileInfo>

namespace kvt {

const QString EventLog::kReportFileName = QStringLiteral("report.log");
const QString EventLog::kReportsFolder = QStringLiteral("Reports/");
const QString EventLog::kStartTitle = QStringLiteral("Запуск приложения");
const QString EventLog::kCloseTitle = QStringLiteral("Закрытие приложения");
const QString EventLog::kAutomaticClearTitle = QStringLiteral("Автоматическая отчистка журнала событий");
const QString EventLog::kOperatorClearTitle = QStringLiteral("Удаление всех записей из журнала событий");

namespace {
const QString kArchiveExtension = QStringLiteral(".log");
} // namespace

EventLog::EventLog(QString programDirectory, Clock& clock)
    : programDirectory_(std::move(programDirectory)), clock_(clock)
{
}

QString EventLog::reportPath() const
{
    return programDirectory_ + kReportFileName;
}

QString EventLog::reportsFolder() const
{
    return programDirectory_ + kReportsFolder;
}

void EventLog::LogEvent(const QString& title, const QString& text, EventColour colour)
{
    const QString line = FormatEventLine(clock_.now(), title, text, colour);
    // The list and the status line come first, so an event whose file write fails is still
    // seen by the operator and kept for the next archive.
    events_.append(line);
    current_ = int(events_.size()) - 1;
    status_.show(line, colour);
    AppendLogLine(reportPath(), line);
}

bool EventLog::IsActionPending() const
{
    return !events_.isEmpty() && IsGreenLine(events_.last());
}

void EventLog::StartUp()
{
    LogEvent(kStartTitle, QString(), EventColour::White);
    events_ = ReadLogLines(reportPath());
    current_ = std::max(0, int(events_.size()) - 1);
}

void EventLog::showEntry(int index)
{
    current_ = index;
    const QString& line = events_.at(index);
    status_.show(line, LineColour(line));
}

void EventLog::ShowPrevious()
{
    if (current_ > 0 && current_ - 1 < events_.size())
        showEntry(current_ - 1);
}

void EventLog::ShowNext()
{
    if (current_ < events_.size() - 1)
        showEntry(current_ + 1);
}

QString EventLog::freeArchivePath(const QString& stamp) const
{
    const QString base = reportsFolder() + stamp;
    QString path = base + kArchiveExtension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QLatin1Char('_') + QString::number(n) + kArchiveExtension;
    return path;
}

QString EventLog::ArchiveEventLog(const QString& title)
{
    const QString path = freeArchivePath(ArchiveStamp(clock_.now()));
    WriteLogLines(path, events_);
    events_.clear();
    current_ = 0;
    RecreateEmptyLog(reportPath());
    LogEvent(title, QString(), EventColour::White);
    return path;
}

bool EventLog::ArchiveIfOverThreshold()
{
    if (events_.size() <= kArchiveThreshold)
        return false;
    ArchiveEventLog(kAutomaticClearTitle);
    return true;
}

} // namespace kvt
