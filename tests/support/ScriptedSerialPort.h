#pragma once

#include "support/VirtualClock.h"
#include "serial/SerialPort.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace kvt::test {

// A serial port for tests: what the program writes is recorded, and what the "device" sends
// arrives in the input queue at a virtual time of the VirtualClock, so a dialogue of many
// seconds runs at once and the program reads exactly what a real driver would have queued.
class ScriptedSerialPort final : public SerialPort {
public:
    struct Write {
        qint64 at;        // virtual ticks of the write
        QByteArray bytes;
    };

    explicit ScriptedSerialPort(VirtualClock& clock) : clock_(clock) {}

    // Device side.
    void feed(const QByteArray& bytes) { input_ += bytes; }
    void feedAfter(qint64 delayMs, const QByteArray& bytes);
    // When a write contains `command`, `reply` arrives `delayMs` later. Rules are tried in the
    // order given; a rule with a count stops answering after that many matches.
    void respond(const QByteArray& command, const QByteArray& reply, qint64 delayMs = 0,
                 std::optional<int> times = std::nullopt);
    // The next Open fails with this system code; the next read/write fails likewise.
    void failNextOpen(int code) { openError_ = code; }
    void failNextIo(int code) { ioError_ = code; }

    // What the program did.
    const QList<Write>& writes() const { return writes_; }
    QByteArray written() const;
    void clearWrites() { writes_.clear(); }
    QByteArray pendingInput() const { return input_; }
    int openCount() const { return openCount_; }
    int purgeCount() const { return purgeCount_; }
    // The settings the port was last opened with.
    const PortSettings& openedWith() const { return openedWith_; }

    void Open() override;
    void Close() override { open_ = false; }
    bool Connected() const override { return open_; }
    void Purge() override;
    qint64 write(QByteArrayView bytes) override;
    qint64 read(char* buffer, qint64 maxCount) override;

private:
    struct Rule {
        QByteArray command;
        QByteArray reply;
        qint64 delayMs;
        std::optional<int> remaining;
    };
    void throwIfFailing(const char* operation);

    VirtualClock& clock_;
    QByteArray input_;
    QList<Write> writes_;
    QList<Rule> rules_;
    std::optional<int> openError_;
    std::optional<int> ioError_;
    PortSettings openedWith_;
    bool open_ = false;
    int openCount_ = 0;
    int purgeCount_ = 0;
};

} // namespace kvt::test
