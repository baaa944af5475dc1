#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>

namespace kvt::sim {

// The simulated device's end of a pseudo-terminal. The console opens the other end by its path
// as it would open a serial port. The simulator keeps that end open itself, raw, so that the console can
// connect and disconnect any number of times and nothing is echoed by the terminal driver.
class PtyDevice : public QObject {
    Q_OBJECT
public:
    explicit PtyDevice(QObject* parent = nullptr);
    ~PtyDevice() override;

    // Returns an error text, empty on success.
    QString open();
    const QString& path() const { return path_; }
    void write(const QByteArray& bytes);

signals:
    void received(const QByteArray& bytes);

private:
    void readReady();
    void flush();

    int master_ = -1;
    int slave_ = -1;
    QString path_;
    QByteArray pending_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
};

} // namespace kvt::sim
