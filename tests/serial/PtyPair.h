#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal for port tests: the test holds the master side (the "device"), the port
// under test opens the slave by its path.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0; }
    const QString& slavePath() const { return slavePath_; }
    int master() const { return master_; }

    // The device sends bytes to the port.
    void send(const QByteArray& bytes);
    // What the port has written so far (waits up to timeoutMs for at least `atLeast` bytes).
    QByteArray received(int atLeast = 1, int timeoutMs = 2000);
    // The device goes away (an unplugged adapter).
    void vanish();

    // Waits until `count` bytes are queued for reading on descriptor fd.
    static bool WaitForQueued(int fd, int count, int timeoutMs = 2000);

private:
    int master_ = -1;
    QString slavePath_;
};
