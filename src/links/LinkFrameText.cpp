#include "links/LinkFrameText.h"

#include "common/Hex.h"

namespace kvt::links {

namespace {
constexpr int kLengthDigits = 2;
constexpr int kLengthBase = 16;
} // namespace

QString WithLengthPrefix(const QString& body)
{
    const qsizetype count = HexToBytes(body).size() + 1;
    return QString::number(count, kLengthBase).toUpper().rightJustified(kLengthDigits, QLatin1Char('0')) + body;
}

QString RadioCommandFrame(const QString& data)
{
    return WithLengthPrefix(data);
}

QString RadioSettingsFrame(const QString& data, const QString& settings, const QString& sh, const QString& sl)
{
    return WithLengthPrefix(data + settings + sh + sl);
}

QString Rs485CommandFrame(const QString& data)
{
    return data;
}

QString Rs485SettingsFrame(const QString& data, const QString& settings, const QString& ownAddress)
{
    return data + settings + ownAddress;
}

} // namespace kvt::links
