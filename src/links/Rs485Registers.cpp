#include "links/Rs485Registers.h"

namespace kvt::links::rs485 {

namespace {
constexpr int kByteBits = 8;
constexpr quint16 kLowByte = 0xFF;
} // namespace

QByteArray RegistersToBytes(const QList<quint16>& registers)
{
    QByteArray bytes;
    bytes.reserve(registers.size() * 2);
    for (quint16 value : registers) {
        bytes.append(char(value >> kByteBits));
        bytes.append(char(value & kLowByte));
    }
    return bytes;
}

QList<quint16> FrameRegisters(QByteArrayView frame)
{
    QList<quint16> registers{quint16(frame.size())};
    for (qsizetype i = 0; i < frame.size(); i += 2) {
        const quint16 high = quint8(frame[i]);
        const quint16 low = i + 1 < frame.size() ? quint8(frame[i + 1]) : 0;
        registers.append(quint16((high << kByteBits) | low));
    }
    return registers;
}

} // namespace kvt::links::rs485
