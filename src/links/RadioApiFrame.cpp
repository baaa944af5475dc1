#include "links/RadioApiFrame.h"

namespace kvt::links::radio {

namespace {

constexpr quint8 kChecksumBase = 0xFF;
constexpr int kAddress64Size = 8;
constexpr int kByteBits = 8;

// Frame data layouts: offsets after the type byte.
constexpr int kAtResponseMinSize = 5;        // type, id, command (2), status
constexpr int kTransmitStatusSize = 7;       // type, id, address16 (2), retries, delivery, discovery
constexpr int kReceivePacketMinSize = 12;    // type, address64 (8), address16 (2), options

quint8 At(QByteArrayView data, qsizetype i)
{
    return quint8(data[i]);
}

quint16 BigEndian16(QByteArrayView data, qsizetype i)
{
    return quint16((At(data, i) << kByteBits) | At(data, i + 1));
}

quint64 BigEndian64(QByteArrayView data, qsizetype i)
{
    quint64 value = 0;
    for (int k = 0; k < kAddress64Size; ++k)
        value = (value << kByteBits) | At(data, i + k);
    return value;
}

void AppendBigEndian(QByteArray& out, quint64 value, int bytes)
{
    for (int k = bytes - 1; k >= 0; --k)
        out.append(char((value >> (k * kByteBits)) & 0xFF));
}

} // namespace

quint8 Checksum(QByteArrayView frameData)
{
    quint8 sum = 0;
    for (char byte : frameData)
        sum = quint8(sum + quint8(byte));
    return quint8(kChecksumBase - sum);
}

QByteArray Envelope(QByteArrayView frameData)
{
    QByteArray frame;
    frame.reserve(kHeaderSize + frameData.size() + kChecksumSize);
    frame.append(char(kStartDelimiter));
    AppendBigEndian(frame, quint64(frameData.size()), 2);
    frame.append(frameData.data(), frameData.size());
    frame.append(char(Checksum(frameData)));
    return frame;
}

QByteArray AtCommandFrame(quint8 frameId, QByteArrayView command, QByteArrayView parameter)
{
    QByteArray data;
    data.append(char(FrameType::AtCommand));
    data.append(char(frameId));
    data.append(command.data(), command.size());
    data.append(parameter.data(), parameter.size());
    return Envelope(data);
}

QByteArray TransmitRequestFrame(quint8 frameId, quint64 destination, QByteArrayView rfData)
{
    constexpr char kBroadcastRadius = 0;
    constexpr char kOptions = 0;
    QByteArray data;
    data.append(char(FrameType::TransmitRequest));
    data.append(char(frameId));
    AppendBigEndian(data, destination, kAddress64Size);
    AppendBigEndian(data, kUnknownNetworkAddress, 2);
    data.append(kBroadcastRadius);
    data.append(kOptions);
    data.append(rfData.data(), rfData.size());
    return Envelope(data);
}

std::optional<FrameType> TypeOf(QByteArrayView frameData)
{
    if (frameData.isEmpty())
        return std::nullopt;
    switch (FrameType(At(frameData, 0))) {
    case FrameType::AtCommand:
    case FrameType::TransmitRequest:
    case FrameType::AtResponse:
    case FrameType::TransmitStatus:
    case FrameType::ReceivePacket:
        return FrameType(At(frameData, 0));
    }
    return std::nullopt;
}

std::optional<AtResponse> ParseAtResponse(QByteArrayView frameData)
{
    if (TypeOf(frameData) != FrameType::AtResponse || frameData.size() < kAtResponseMinSize)
        return std::nullopt;
    return AtResponse{At(frameData, 1), frameData.sliced(2, 2).toByteArray(), At(frameData, 4),
                      frameData.sliced(kAtResponseMinSize).toByteArray()};
}

std::optional<TransmitStatus> ParseTransmitStatus(QByteArrayView frameData)
{
    if (TypeOf(frameData) != FrameType::TransmitStatus || frameData.size() < kTransmitStatusSize)
        return std::nullopt;
    return TransmitStatus{At(frameData, 1), BigEndian16(frameData, 2), At(frameData, 4), At(frameData, 5),
                          At(frameData, 6)};
}

std::optional<ReceivePacket> ParseReceivePacket(QByteArrayView frameData)
{
    if (TypeOf(frameData) != FrameType::ReceivePacket || frameData.size() < kReceivePacketMinSize)
        return std::nullopt;
    return ReceivePacket{BigEndian64(frameData, 1), BigEndian16(frameData, 1 + kAddress64Size),
                         At(frameData, kReceivePacketMinSize - 1),
                         frameData.sliced(kReceivePacketMinSize).toByteArray()};
}

void ApiFrameReader::feed(QByteArrayView bytes)
{
    buffer_.append(bytes.data(), bytes.size());
}

ApiFrameReader::Candidate ApiFrameReader::judge(qsizetype at) const
{
    const qsizetype available = buffer_.size() - at;
    if (available < kHeaderSize)
        return Candidate::Incomplete;
    const int length = BigEndian16(buffer_, at + 1);
    if (length == 0 || length > kMaxFrameDataLength)
        return Candidate::Bad;
    if (available < kHeaderSize + length + kChecksumSize)
        return Candidate::Incomplete;
    const QByteArrayView data = QByteArrayView(buffer_).sliced(at + kHeaderSize, length);
    return Checksum(data) == At(buffer_, at + kHeaderSize + length) ? Candidate::Good : Candidate::Bad;
}

bool ApiFrameReader::validFrameStartsAfter(qsizetype at) const
{
    for (qsizetype i = buffer_.indexOf(char(kStartDelimiter), at + 1); i >= 0;
         i = buffer_.indexOf(char(kStartDelimiter), i + 1)) {
        if (judge(i) == Candidate::Good)
            return true;
    }
    return false;
}

void ApiFrameReader::dropDelimiterAt(qsizetype at)
{
    ++dropped_;
    buffer_.remove(0, at + 1);
}

std::optional<QByteArray> ApiFrameReader::next()
{
    for (;;) {
        const qsizetype start = buffer_.indexOf(char(kStartDelimiter));
        if (start < 0) {
            buffer_.clear(); // nothing but noise
            return std::nullopt;
        }
        switch (judge(start)) {
        case Candidate::Good: {
            const int length = BigEndian16(buffer_, start + 1);
            QByteArray data = buffer_.mid(start + kHeaderSize, length);
            buffer_.remove(0, start + kHeaderSize + length + kChecksumSize);
            return data;
        }
        case Candidate::Bad:
            dropDelimiterAt(start);
            continue;
        case Candidate::Incomplete:
            if (validFrameStartsAfter(start)) {
                dropDelimiterAt(start);
                continue;
            }
            buffer_.remove(0, start); // keep the frame under way, drop the noise before it
            return std::nullopt;
        }
    }
}

} // namespace kvt::links::radio
