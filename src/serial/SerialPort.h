#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kvt {

// Serial parameters of a link, taken over when the link is connected.
struct PortSettings {
    QString device;      // "COM3", "ttyUSB0", "/dev/pts/4", ...
    qint32 baudRate = 9600;
    bool dtr = false;    // DTR held high while the port is open, low otherwise
    bool rts = false;    // the same for RTS

    bool operator==(const PortSettings&) const = default;
};

// One serial port of the console. Every port uses 8 data bits, no parity, one stop bit and no
// flow control; nothing is read in the background: received bytes wait in the driver's input
// queue until someone reads them, and a read never waits for more.
//
// Failures of the operating system raise kvt::PortError carrying the system error code.
class SerialPort {
public:
    // Driver queue sizes asked for when a port is opened.
    static constexpr int kInputQueueSize = 1024;
    static constexpr int kOutputQueueSize = 1024;
    // A write of n bytes gives up after n * kWriteTimeoutPerByteMs + kWriteTimeoutConstantMs.
    static constexpr int kWriteTimeoutPerByteMs = 100;
    static constexpr int kWriteTimeoutConstantMs = 1000;

    virtual ~SerialPort() = default;

    const PortSettings& settings() const { return settings_; }
    // Taken over at the next Open; an open port keeps what it was opened with.
    void setSettings(const PortSettings& settings) { settings_ = settings; }

    // Opens the device of the settings for exclusive use and applies the line settings.
    // Opening an open port does nothing.
    virtual void Open() = 0;
    // Closing a closed port does nothing.
    virtual void Close() = 0;
    // True while the port is open.
    virtual bool Connected() const = 0;
    // Drops everything received so far (what was written still goes out); the result is ignored.
    virtual void Purge() = 0;

    // Writes the bytes; returns how many the driver took before the write time-out ran out.
    virtual qint64 write(QByteArrayView bytes) = 0;
    // Takes up to maxCount bytes that have already arrived; returns at once with what was there.
    virtual qint64 read(char* buffer, qint64 maxCount) = 0;
    // The system's file descriptor of the open port, for a protocol library that reads and
    // writes the device itself; -1 while closed or for a port without one.
    virtual int nativeHandle() const { return -1; }

    // Writes every character of the text as its Windows-1251 byte. An empty text writes nothing.
    qint64 WriteStr(const QString& text);
    // Up to `count` received bytes as text, one character per byte; empty when nothing arrived.
    QString ReadStr(int count);
    // Up to `count` received bytes into the caller's buffer; returns how many were taken.
    int Read(char* buffer, int count);
    // The console's reading habit: a buffer of `size` zero bytes, `Read` up to `size` bytes into
    // it, and the whole buffer (zero tail included) handed back.
    QByteArray ReadZeroFilled(int size);

private:
    PortSettings settings_;
};

} // namespace kvt
