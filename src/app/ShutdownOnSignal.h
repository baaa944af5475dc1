#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace kvt {

class TerminationSignals;

// What a termination request (SIGTERM, SIGINT) does to the console: every modal window on
// screen closes as by its close button, and so does any that opens afterwards while the console
// is still starting; then the main window closes as the operator's close does (the end logged,
// the settings saved), once the start-up has made it ready, so that the settings saved are the
// ones the start-up loaded.
class ShutdownOnSignal : public QObject {
public:
    explicit ShutdownOnSignal(TerminationSignals& termination, QObject* parent = nullptr);

    // The start-up is over: a request closes this window, at once when one came meanwhile.
    void setMainWindow(QWidget* window);
    bool requested() const { return requested_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void request();
    void closeMainWindowLater();

    QPointer<QWidget> mainWindow_;
    bool requested_ = false;
};

} // namespace kvt
