#pragma once

#include <QString>
#include <QStringList>

namespace kvt {

// The files of the event log: Windows-1251 text, one entry per line, CR LF after each line.
// Every failure throws IoError naming the file and the system's reason.

// Opens the file for appending (creating it when absent), writes the line and CR LF, closes it.
void AppendLogLine(const QString& path, const QString& line);

// The lines of a log file. A line ends at CR LF, CR or LF; a last line without an ending counts,
// an ending at the very end adds no empty line. A missing or unreadable file throws.
QStringList ReadLogLines(const QString& path);

// Splits text into lines as ReadLogLines does.
QStringList SplitLogLines(QStringView text);

// Writes the lines as a new file, each followed by CR LF. The file appears whole or not at all.
void WriteLogLines(const QString& path, const QStringList& lines);

// Recreates the file empty.
void RecreateEmptyLog(const QString& path);

} // namespace kvt
