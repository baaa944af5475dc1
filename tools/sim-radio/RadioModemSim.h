#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace kvt::sim {

// "0013A200:40A1B2C3" (DH:DL) or sixteen hex digits; none otherwise.
std::optional<quint64> ParseRadioAddress(const QString& text);
QString RadioAddressText(quint64 address);

// A remote object: a radio modem with a controller behind it.
struct RemoteObject {
    quint64 address = 0;
    quint16 networkAddress = 0; // its 16-bit address in the radio network
    QList<QByteArray> packets;  // the reports it sends, in turn
    int nextPacket = 0;
    bool reachable = true;
};

// The console's local radio modem in API mode 1 and the objects it reaches. It answers AT
// Command frames ("AI" joined, "SH"/"SL" its own address), acknowledges Transmit Requests with
// Transmit Status frames (delivered, or 0x21 for an unreachable object, 0x24 for an unknown
// address) and passes them to the object: a poll request is answered with the object's next
// report (a packet of its list, padded with zero bytes to 140), sent in parts as Receive
// Packets; command and settings frames are recorded.
//
// Its implementation of the frame format is its own, so that it checks the console's frames
// rather than sharing their mistakes.
class RadioModemSim : public QObject {
    Q_OBJECT
public:
    struct Settings {
        quint64 ownAddress = 0x0013A20040000001ULL;
        int statusDelayMs = 10;  // from a Transmit Request to its Transmit Status
        int reportDelayMs = 30;  // from a delivered poll to the first part of the report
        int partSize = 70;       // report bytes per part
    };

    explicit RadioModemSim(Settings settings);

    // Bytes written by the console.
    void receive(const QByteArray& bytes);

    RemoteObject& addObject(quint64 address);
    RemoteObject* object(quint64 address);
    const QMap<quint64, RemoteObject>& objects() const { return objects_; }

    // The object sends a report now: the packet given or its next one; false when it has none.
    bool sendReport(quint64 address, std::optional<QByteArray> packet = std::nullopt);
    // The object sends one part as it is.
    void sendPart(quint64 address, int number, int count, const QByteArray& bytes);
    // Bytes straight to the console.
    void sendRaw(const QByteArray& bytes) { emit output(bytes); }
    // A silent local modem answers nothing and transmits nothing.
    void setSilent(bool silent) { silent_ = silent; }
    // The next `count` Transmit Requests vanish: no status, nothing transmitted.
    void swallowTransmits(int count) { swallow_ = count; }
    QString statusText() const;

signals:
    void output(const QByteArray& bytes);
    void event(const QString& line);

private:
    void handleFrame(const QByteArray& data, const QByteArray& raw);
    void answerAtCommand(const QByteArray& data, const QByteArray& raw);
    void handleTransmit(const QByteArray& data, const QByteArray& raw);
    void deliver(RemoteObject& target, const QByteArray& payload, const QString& frameHex);
    void sendFrame(const QByteArray& data);
    void later(int ms, std::function<void()> action);

    Settings settings_;
    QMap<quint64, RemoteObject> objects_;
    QByteArray input_;
    bool silent_ = false;
    int swallow_ = 0;
    int badFrames_ = 0;
};

} // namespace kvt::sim
