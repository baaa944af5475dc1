#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <functional>

namespace kvt::sim {

// Reads lines from a descriptor as they arrive and hands each to `handle`. At the end of the
// input it stops listening; the simulator keeps running on its other sources.
class LineReader : public QObject {
public:
    LineReader(int fd, std::function<void(const QString&)> handle, QObject* parent = nullptr);

private:
    void readSome();

    int fd_;
    std::function<void(const QString&)> handle_;
    QSocketNotifier notifier_;
    QByteArray buffer_;
};

} // namespace kvt::sim
