#include "app/KvtApplication.h"

#include "common/ErrorHandler.h"

namespace kvt {

namespace {
class DispatchScope {
public:
    explicit DispatchScope(DispatchObserver* observer) : observer_(observer)
    {
        if (observer_)
            observer_->beginDispatch();
    }
    ~DispatchScope()
    {
        if (observer_)
            observer_->endDispatch();
    }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

private:
    DispatchObserver* observer_;
};
} // namespace

KvtApplication::KvtApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KvtApplication::notify(QObject* receiver, QEvent* event)
{
    DispatchScope scope(observer_);
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // Reported while the failed dispatch is still the innermost one.
        GlobalErrorHandler::report(std::current_exception());
        return false;
    }
}

} // namespace kvt
