#include "app/KvtApplication.h"

#include "common/ErrorHandler.h"

namespace kvt {

KvtApplication::KvtApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KvtApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        GlobalErrorHandler::report(std::current_exception());
        return false;
    }
}

} // namespace kvt
