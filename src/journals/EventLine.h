#pragma once

#include "common/EventColour.h"

#include <QDateTime>
#include <QString>

namespace kvt {

// The text form of one event: the colour prefix, the time stamp, " - ", the title, one space
// and the text. The colour travels in the leading spaces, so a line read back from report.log
// or an archive still knows its colour.

// "2010.05.07  9:05:03": month, day, minute and second two digits, the hour unpadded.
QString EventStamp(const QDateTime& when);

// "2010_05_07  9_05_03": the stamp of a journal archive's file name.
QString ArchiveStamp(const QDateTime& when);

// Three spaces for red, two for green, one for yellow, none for any other colour.
QString ColourPrefix(EventColour colour);

QString FormatEventLine(const QDateTime& when, const QString& title, const QString& text, EventColour colour);

// The colour of a line read back, judged only by its leading spaces.
EventColour LineColour(QStringView line);

// A green line: two leading spaces and no third one.
bool IsGreenLine(QStringView line);

} // namespace kvt
