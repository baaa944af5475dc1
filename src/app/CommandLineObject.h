#pragma once

#include "store/ObjectRecord.h"

#include <QString>

namespace kvt {

// The object form file given on the command line, added as a new object at start-up.

// True when the argument names an object form file: it contains ".kof" or ".KOF" (exactly
// these two spellings).
bool IsObjectFormArgument(const QString& argument);

// The file name part of a path written with either slash.
QString FileNamePart(const QString& path);

// The row added for the argument: the file name part as name, a placeholder phone and empty
// times; `code` is the next free code of the objects table.
registry::ObjectRecord CommandLineObjectRecord(const QString& argument, registry::ObjectCode code);

inline const QString kCommandLinePhone = QStringLiteral("77777777777");
inline const QString kNoTimeStamp = QStringLiteral("00.00.00  00:00");

} // namespace kvt
