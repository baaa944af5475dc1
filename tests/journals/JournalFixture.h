#pragma once

#include "journals/LogFile.h"
#include "support/Files.h"

#include <QStringList>

using kvt::test::ProgramFolder;

// Lines as a log file holds them.
inline kvt::LogLines AsLogLines(const QStringList& lines)
{
    return kvt::LogLines(kvt::test::Win1251Lines(lines));
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
