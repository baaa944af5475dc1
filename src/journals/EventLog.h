#pragma once

#include "common/EventSink.h"
#include "journals/StatusLine.h"

#include <QString>
#include <QStringList>

namespace kvt {

class Clock;

// The event log: every noteworthy step of the console becomes one line that goes, in one
// operation, to report.log in the program directory, to the in-memory event list and to the
// status line. The last line doubles as the busy indicator: while it is green an operator
// action is under way. Past 1200 lines the list is moved into an archive under Reports/.
class EventLog final : public EventSink {
public:
    static constexpr int kArchiveThreshold = 1200;

    static const QString kReportFileName;        // "report.log"
    static const QString kReportsFolder;         // "Reports/"
    static const QString kStartTitle;            // "Запуск приложения"
    static const QString kCloseTitle;            // "Закрытие приложения"
    static const QString kAutomaticClearTitle;   // "Автоматическая отчистка журнала событий"
    static const QString kOperatorClearTitle;    // "Удаление всех записей из журнала событий"

    // `programDirectory` ends with '/'. The clock stamps the lines.
    EventLog(QString programDirectory, Clock& clock);

    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // Appends the event to the event list, shows it in the status line and appends it to
    // report.log. The line is kept and shown even when the file cannot be written; the write
    // failure is then thrown as IoError for the caller's error handling.
    void LogEvent(const QString& title, const QString& text, EventColour colour) override;
    bool IsActionPending() const override;

    // Start-up: logs the start of the program, then replaces the event list with the whole of
    // report.log (which now ends with the start line) and shows its last line.
    void StartUp();

    // The event list, oldest first.
    const QStringList& events() const { return events_; }
    // The index of the line the status line shows.
    int currentIndex() const { return current_; }

    // "<" and ">": one step back or forward through the event list, shown in its own colour.
    void ShowPrevious();
    void ShowNext();

    StatusLine& statusLine() { return status_; }
    const StatusLine& statusLine() const { return status_; }

    // Saves the event list as a new archive under Reports/, empties the list and report.log,
    // then logs `title` in white. Returns the archive's path. When the archive cannot be
    // written, throws IoError and leaves the list and report.log as they were. An archive made
    // within the same second as an earlier one gets a suffix instead of replacing it.
    QString ArchiveEventLog(const QString& title);

    // Archives with the automatic title when the list holds more than kArchiveThreshold lines.
    // Returns true when it archived.
    bool ArchiveIfOverThreshold();

    QString reportPath() const;
    QString reportsFolder() const;
    const QString& programDirectory() const { return programDirectory_; }

private:
    void showEntry(int index);
    QString freeArchivePath(const QString& stamp) const;

    QString programDirectory_;
    Clock& clock_;
    QStringList events_;
    int current_ = 0;
    StatusLine status_;
};

} // namespace kvt
