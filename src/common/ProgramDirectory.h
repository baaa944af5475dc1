#pragma once

#include <QString>
#include <QStringList>

namespace kvt {

// The console's instance folder, where every file of the console lives: `--home DIR`, else
// the environment variable KVT_HOME, else the folder of the executable. Always ends with '/'.
QString ResolveProgramDirectory(const QStringList& arguments, const QString& executableFolder);

// Joins the program directory and a relative name written with either slash ("Reports\").
QString InProgramDirectory(const QString& programDirectory, const QString& relative);

} // namespace kvt
