#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>

namespace kvt::sim {

// A record of everything exchanged with the console: one line per chunk, with the time since
// start in milliseconds, the direction ("->" console to modem, "<-" modem to console, "##" a
// control event) and the bytes with control characters spelled out (\r, \n, ^Z, \xHH).
class Transcript {
public:
    // Returns false when the file cannot be created.
    bool open(const QString& path);
    void fromConsole(const QByteArray& bytes) { record("->", Escape(bytes)); }
    void toConsole(const QByteArray& bytes) { record("<-", Escape(bytes)); }
    void note(const QString& text) { record("##", text); }

    static QString Escape(const QByteArray& bytes);

private:
    void record(const char* direction, const QString& text);

    QFile file_;
    QElapsedTimer clock_;
};

} // namespace kvt::sim
