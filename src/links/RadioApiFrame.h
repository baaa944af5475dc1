#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The API frames of the radio modem (API mode 1, no escaping):
//
//   0x7E | length (16 bits, big-endian) | frame data (type first) | checksum
//
// where the checksum is 0xFF minus the low byte of the sum of the frame data bytes.
namespace kvt::links::radio {

inline constexpr quint8 kStartDelimiter = 0x7E;
inline constexpr int kHeaderSize = 3;   // delimiter and length
inline constexpr int kChecksumSize = 1;
// No frame of these modems carries more frame data than this; a longer length is corruption.
inline constexpr int kMaxFrameDataLength = 512;

enum class FrameType : quint8 {
    AtCommand = 0x08,
    TransmitRequest = 0x10,
    AtResponse = 0x88,
    TransmitStatus = 0x8B,
    ReceivePacket = 0x90,
};

// The 16-bit network address to give when only the 64-bit address is known.
inline constexpr quint16 kUnknownNetworkAddress = 0xFFFE;
// Delivery status of a Transmit Status frame: delivered.
inline constexpr quint8 kDelivered = 0x00;
// Command status of an AT Command Response: OK.
inline constexpr quint8 kAtCommandOk = 0x00;

quint8 Checksum(QByteArrayView frameData);
// The whole frame around the frame data.
QByteArray Envelope(QByteArrayView frameData);

// 0x08: ask the local modem for a parameter (`command` is two letters such as "AI").
QByteArray AtCommandFrame(quint8 frameId, QByteArrayView command, QByteArrayView parameter = {});
// 0x10: send RF data to the modem with that 64-bit address (broadcast radius 0, options 0).
QByteArray TransmitRequestFrame(quint8 frameId, quint64 destination, QByteArrayView rfData);

struct AtResponse {
    quint8 frameId = 0;
    QByteArray command;
    quint8 status = 0;
    QByteArray value;
};

struct TransmitStatus {
    quint8 frameId = 0;
    quint16 destination16 = 0;
    quint8 retries = 0;
    quint8 deliveryStatus = 0;
    quint8 discoveryStatus = 0;
};

struct ReceivePacket {
    quint64 source = 0;
    quint16 source16 = 0;
    quint8 options = 0;
    QByteArray rfData;
};

std::optional<FrameType> TypeOf(QByteArrayView frameData);
// Each reads the frame data of a frame of its type; none for another type or a frame too short.
std::optional<AtResponse> ParseAtResponse(QByteArrayView frameData);
std::optional<TransmitStatus> ParseTransmitStatus(QByteArrayView frameData);
std::optional<ReceivePacket> ParseReceivePacket(QByteArrayView frameData);

// Cuts the byte stream from the modem into frames. A frame with a bad checksum or an impossible
// length is dropped and the reader starts again at the next start delimiter, so the frame
// after a corrupted one is not lost. A frame that is still incomplete is given up as soon as a
// complete, valid frame starts after its delimiter (its length was corrupted).
class ApiFrameReader {
public:
    void feed(QByteArrayView bytes);
    // The frame data of the next good frame; none until one is complete.
    std::optional<QByteArray> next();
    // Frames dropped as corrupted so far.
    int droppedFrames() const { return dropped_; }

private:
    enum class Candidate { Good, Bad, Incomplete };
    Candidate judge(qsizetype at) const;
    void dropDelimiterAt(qsizetype at);
    bool validFrameStartsAfter(qsizetype at) const;

    QByteArray buffer_;
    int dropped_ = 0;
};

} // namespace kvt::links::radio
