#pragma once

#include "common/Win1251.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Files as fixtures: whole files read and written in one call, and a program directory of its
// own for a test.
namespace kvt::test {

// The bytes of a file; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file, replacing it; a fixture that cannot be written ends the test run.
inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write fixture %s", qPrintable(path));
}

// Lines as the console stores them in its text files: Windows-1251, each ended by CR LF.
inline QByteArray Win1251Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += ToWin1251(line) + "\r\n";
    return bytes;
}

// A program directory in a temporary folder.
struct ProgramFolder {
    QTemporaryDir temp;

    QString path() const { return temp.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }
    void makeReports() const { QDir(temp.path()).mkdir(QStringLiteral("Reports")); }

    void writeLines(const QString& name, const QStringList& lines) const { writeBytes(name, Win1251Lines(lines)); }
    void writeBytes(const QString& name, const QByteArray& bytes) const { WriteFile(file(name), bytes); }
    QByteArray readBytes(const QString& name) const { return ReadFile(file(name)); }
    QStringList entries(const QString& folder) const
    {
        return QDir(file(folder)).entryList(QDir::Files, QDir::Name);
    }
};

} // namespace kvt::test
