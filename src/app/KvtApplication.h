#pragma once

#include <QApplication>

namespace kvt {

// Told when the dispatch of each event begins and ends (dispatches nest while a wait pumps
// messages).
class DispatchObserver {
public:
    virtual ~DispatchObserver() = default;
    virtual void beginDispatch() = 0;
    virtual void endDispatch() = 0;
};

// The application object: an error that escapes any slot, timer tick or event handler is
// caught here and handed to the global error handler instead of ending the process.
class KvtApplication : public QApplication {
public:
    KvtApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    void setDispatchObserver(DispatchObserver* observer) { observer_ = observer; }

private:
    DispatchObserver* observer_ = nullptr;
};

} // namespace kvt
