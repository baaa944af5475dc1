#include "DemoSeries.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace kvt::tool {

namespace {
// The noise is a few hundredths of a field's swing; the seed keeps the demo the same.
constexpr double kNoiseShare = 0.04;
constexpr unsigned kNoiseSeed = 1957;
constexpr int kMinutesPerHour = 60;
constexpr int kMinutesPerDay = 24 * kMinutesPerHour;
constexpr int kFieldParts = 5;
const QString kStampFormat = QStringLiteral("dd.MM.yy  hh:mm");

std::optional<DemoField> ReadField(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != kFieldParts)
        return std::nullopt;
    bool ok[kFieldParts];
    DemoField field{parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toDouble(&ok[2]),
                    parts[3].toDouble(&ok[3]), parts[4].toDouble(&ok[4])};
    if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }) || field.byte < 1 || field.count < 1
        || field.count > 4 || field.periodHours <= 0)
        return std::nullopt;
    return field;
}

QString WriteField(QString packet, const DemoField& field, double value)
{
    const double largest = std::pow(256.0, field.count) - 1;
    const quint64 number = quint64(std::clamp(std::round(value), 0.0, largest));
    const QString hex = QStringLiteral("%1").arg(number, 2 * field.count, 16, QLatin1Char('0')).toUpper();
    const int at = 2 * (field.byte - 1);
    if (at + hex.size() <= packet.size())
        packet.replace(at, hex.size(), hex);
    return packet;
}
} // namespace

std::optional<DemoSeries> ReadDemoSeries(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('|'));
    if (parts.size() != 4 && parts.size() != 5)
        return std::nullopt;
    DemoSeries series;
    bool daysOk = false;
    bool stepOk = false;
    series.days = parts[0].toInt(&daysOk);
    series.stepMinutes = parts[1].toInt(&stepOk);
    series.templateHex = parts[2].trimmed();
    if (!daysOk || !stepOk || series.days < 1 || series.stepMinutes < 1 || series.templateHex.isEmpty())
        return std::nullopt;
    for (const QString& text : parts[3].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const std::optional<DemoField> field = ReadField(text);
        if (!field)
            return std::nullopt;
        series.fields << *field;
    }
    if (parts.size() == 5) {
        const QStringList cut = parts[4].split(QLatin1Char(':'));
        bool everyOk = false;
        bool bytesOk = false;
        if (cut.size() != 2)
            return std::nullopt;
        series.shortEvery = cut[0].toInt(&everyOk);
        series.shortBytes = cut[1].toInt(&bytesOk);
        if (!everyOk || !bytesOk || series.shortEvery < 1 || series.shortBytes < 0)
            return std::nullopt;
    }
    return series;
}

QList<QPair<QString, QString>> DemoSeriesPackets(const DemoSeries& series, const QDateTime& now)
{
    std::mt19937 noise(kNoiseSeed);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const QDateTime end(now.date(), QTime(now.time().hour(), now.time().minute()));
    const int count = series.days * kMinutesPerDay / series.stepMinutes;
    QList<QPair<QString, QString>> packets;
    packets.reserve(count);
    for (int i = count - 1; i >= 0; --i) {
        const QDateTime at = end.addSecs(-qint64(i) * series.stepMinutes * kMinutesPerHour);
        const double hours = double(count - 1 - i) * series.stepMinutes / kMinutesPerHour;
        QString packet = series.templateHex;
        for (const DemoField& field : series.fields) {
            const double middle = (field.low + field.high) / 2;
            const double swing = (field.high - field.low) / 2;
            const double wave = std::sin(2 * std::numbers::pi * hours / field.periodHours);
            packet = WriteField(packet, field, middle + swing * wave + swing * kNoiseShare * unit(noise));
        }
        const int number = count - i;
        if (series.shortEvery > 0 && number % series.shortEvery == 0)
            packet = packet.left(2 * series.shortBytes);
        packets.append({at.toString(kStampFormat), packet});
    }
    return packets;
}

} // namespace kvt::tool
