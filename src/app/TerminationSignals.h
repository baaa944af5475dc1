#pragma once

#include <QObject>

class QSocketNotifier;

namespace kvt {

// Turns SIGTERM and SIGINT into a signal of the message loop, so that a system shutdown or a
// Ctrl+C closes the main window exactly as the operator's close does (the end is logged and the
// settings are saved). The handler only writes one byte into a socket pair; everything else
// runs on the user-interface thread. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kvt
