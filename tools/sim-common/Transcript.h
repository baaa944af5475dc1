#pragma once

#include "common/Clock.h"

#include <QFile>
#include <QString>

namespace kvt::sim {

// A record of everything exchanged with the console: one line per chunk, with the time since
// start in milliseconds, the direction ("->" console to device, "<-" device to console, "##" a
// control event) and the bytes with control characters spelled out (\r, \n, ^Z, \xHH), or
// for a binary protocol as hexadecimal bytes separated by spaces.
class Transcript {
public:
    // Returns false when the file cannot be created.
    bool open(const QString& path);
    void setBinary(bool binary) { binary_ = binary; }
    void fromConsole(const QByteArray& bytes) { record("->", render(bytes)); }
    void toConsole(const QByteArray& bytes) { record("<-", render(bytes)); }
    void note(const QString& text) { record("##", text); }

    static QString Escape(const QByteArray& bytes);
    static QString SpacedHex(const QByteArray& bytes);

private:
    QString render(const QByteArray& bytes) const { return binary_ ? SpacedHex(bytes) : Escape(bytes); }
    void record(const char* direction, const QString& text);

    QFile file_;
    SystemClock clock_;
    qint64 start_ = 0;
    bool binary_ = false;
};

} // namespace kvt::sim
