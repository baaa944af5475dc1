#include "serial/SerialPort.h"

#include "common/Win1251.h"

namespace kvt {

qint64 SerialPort::WriteStr(const QString& text)
{
    if (text.isEmpty())
        return 0;
    return write(ToWin1251(text));
}

QString SerialPort::ReadStr(int count)
{
    if (count <= 0)
        return {};
    QByteArray bytes(count, '\0');
    const qint64 taken = read(bytes.data(), count);
    bytes.truncate(taken);
    return FromWin1251(bytes);
}

int SerialPort::Read(char* buffer, int count)
{
    if (count <= 0)
        return 0;
    return static_cast<int>(read(buffer, count));
}

QByteArray SerialPort::ReadZeroFilled(int size)
{
    QByteArray buffer(size, '\0');
    Read(buffer.data(), size);
    return buffer;
}

} // namespace kvt
