#pragma once

#include "common/Win1251.h"
#include "journals/LogFile.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A program directory of its own for each test, with helpers to write and read log files
// as the console stores them (Windows-1251, CR LF).
struct ProgramFolder {
    QTemporaryDir temp;

    QString path() const { return temp.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }
    void makeReports() const { QDir(temp.path()).mkdir(QStringLiteral("Reports")); }

    void writeLines(const QString& name, const QStringList& lines) const
    {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += kvt::ToWin1251(line) + "\r\n";
        writeBytes(name, bytes);
    }
    void writeBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile f(file(name));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qFatal("cannot write fixture %s", qPrintable(name));
    }
    QByteArray readBytes(const QString& name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList entries(const QString& folder) const
    {
        return QDir(file(folder)).entryList(QDir::Files, QDir::Name);
    }
};

// Lines as a log file holds them.
inline kvt::LogLines AsLogLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += kvt::ToWin1251(line) + "\r\n";
    return kvt::LogLines(bytes);
}

// Lines of each colour in the form report.log holds them.
inline QStringList FourColourLines()
{
    return {
        QStringLiteral("2010.05.07  9:05:03 - Запуск приложения "),
        QStringLiteral("  2010.05.07  9:06:00 - Опрос объекта Котельная №1"),
        QStringLiteral("   2010.05.07  9:06:40 - Не удалось опросить объект по GSM каналу Котельная №1"),
        QStringLiteral(" 2010.05.07  9:07:12 - Получено новое состояние объекта по GSM каналу Котельная №1"),
    };
}
