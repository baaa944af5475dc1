#pragma once

#include <QApplication>

namespace kvt {

// The application object: an error that escapes any slot, timer tick or event handler is
// caught here and handed to the global error handler instead of ending the process.
class KvtApplication : public QApplication {
public:
    KvtApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace kvt
