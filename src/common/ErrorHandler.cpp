#include "common/ErrorHandler.h"

#include "common/Errors.h"

#include <QDebug>
#include <utility>

namespace kvt {

namespace {
GlobalErrorHandler::Sink& currentSink()
{
    static GlobalErrorHandler::Sink sink;
    return sink;
}
} // namespace

GlobalErrorHandler::Sink GlobalErrorHandler::install(Sink sink)
{
    return std::exchange(currentSink(), std::move(sink));
}

QString GlobalErrorHandler::textOf(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const KvtError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
    return {};
}

void GlobalErrorHandler::report(std::exception_ptr error)
{
    const QString text = textOf(error);
    if (const Sink& sink = currentSink()) {
        // A sink that fails itself must not take the message loop down with it.
        try {
            sink(text);
        } catch (...) {
            qWarning().noquote() << "error handler failed while handling:" << text;
        }
        return;
    }
    qWarning().noquote() << "unhandled error:" << text;
}

} // namespace kvt
