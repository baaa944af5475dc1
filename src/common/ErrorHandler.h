#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace kvt {

// The one place where an error that escapes a handler, a timer tick or a menu action ends.
// The main window installs the sink; until then errors are written to stderr.
class GlobalErrorHandler {
public:
    using Sink = std::function<void(const QString& errorText)>;

    // Installs the sink and returns the previous one.
    static Sink install(Sink sink);

    // Hands the current exception (call from a catch block) or the given one to the sink.
    static void report(std::exception_ptr error);

    // The text of an error as a log line carries it.
    static QString textOf(std::exception_ptr error);
};

// Runs `action`; an exception it raises goes to the global error handler and cuts the action
// short. Returns true when the action ran to its end.
template <typename Action>
bool Guarded(Action&& action)
{
    try {
        action();
        return true;
    } catch (...) {
        GlobalErrorHandler::report(std::current_exception());
        return false;
    }
}

} // namespace kvt
