#include "packets/closing/PacketEventLog.h"

#include "common/ErrorHandler.h"

namespace kvt {

void PacketEventLog::LogEvent(const QString& title, const QString& text, EventColour colour)
{
    try {
        log_.LogEvent(title, text, colour);
    } catch (...) {
        if (failureReported_)
            return;
        failureReported_ = true;
        GlobalErrorHandler::report(std::current_exception());
    }
}

} // namespace kvt
