#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kvt {

// The files of the event log: Windows-1251 text, one entry per line, CR LF after each line.
// Every failure throws IoError naming the file and the system's reason.

// Opens the file for appending (creating it when absent), writes the line and CR LF, closes it.
void AppendLogLine(const QString& path, const QString& line);

// The lines of a log file, kept as the file's bytes and decoded one line at a time when asked
// for, so that a large archive loads at the speed of reading it. A line ends at CR LF, CR or LF;
// a last line without an ending counts, an ending at the very end adds no empty line.
class LogLines {
public:
    LogLines() = default;
    explicit LogLines(QByteArray bytes);

    // A missing or unreadable file throws IoError.
    static LogLines read(const QString& path);

    qsizetype size() const { return qsizetype(spans_.size()); }
    bool isEmpty() const { return spans_.empty(); }
    QString at(qsizetype index) const;
    QString last() const { return at(size() - 1); }
    QStringList toStringList() const;

private:
    struct Span {
        qsizetype start;
        qsizetype length;
    };
    QByteArray bytes_;
    std::vector<Span> spans_;
};

// All lines of a log file; a missing or unreadable file throws IoError.
QStringList ReadLogLines(const QString& path);

// Writes the lines as a new file, each followed by CR LF. The file appears whole or not at all.
void WriteLogLines(const QString& path, const QStringList& lines);

// Recreates the file empty.
void RecreateEmptyLog(const QString& path);

} // namespace kvt
