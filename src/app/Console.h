#pragma once

#include <QStringList>

namespace kvt {

class KvtApplication;

// Names the application after the main window's caption (the operator's notices carry it as
// their title).
void NameApplication();

// The process start of the console: the single-instance guard, the instance folders, the data
// alias, the windows in their order, then the message loop. Returns the exit code.
int RunConsole(KvtApplication& app);

// The object form file among the arguments: the first one that is not an option.
QString CommandLineFormArgument(const QStringList& arguments);

} // namespace kvt
