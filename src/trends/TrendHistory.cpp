#include "trends/TrendHistory.h"

#include "store/ReceiptStamp.h"
#include "store/StoreReader.h"
#include "trends/TrendDecoder.h"
#include "trends/TrendNumber.h"

#include <QLocale>

#include <algorithm>

namespace kvt {

namespace {

// Progress is told once per this many packets read.
constexpr qint64 kProgressEvery = 256;

std::optional<TrendValue> NumberShown(const std::optional<QString>& text)
{
    if (!text)
        return std::nullopt;
    const std::optional<double> number = ReadTrendNumber(*text);
    if (!number)
        return std::nullopt;
    return TrendValue{text->trimmed(), *number};
}

} // namespace

qint64 TrendTable::alarmCount() const
{
    return std::count_if(rows.begin(), rows.end(), [](const TrendRow& row) { return row.alarm; });
}

QString TrendSummary(const TrendTable& table)
{
    const QLocale russian(QLocale::Russian);
    if (table.cancelled) {
        return QStringLiteral("Построение отменено: прочитано %1 из %2 пакетов.")
            .arg(russian.toString(table.packetsRead), russian.toString(table.packetsTotal));
    }
    QString text = table.rows.empty()
                       ? QStringLiteral("В выбранном периоде нет пакетов.")
                       : QStringLiteral("Пакетов в периоде: %1, из них аварийных: %2.")
                             .arg(russian.toString(qint64(table.rows.size())), russian.toString(table.alarmCount()));
    if (table.unreadableStamps > 0) {
        text += QStringLiteral(" Пропущено пакетов с нераспознанной отметкой времени: %1.")
                    .arg(russian.toString(table.unreadableStamps));
    }
    return text;
}

TrendTable ExtractTrend(const registry::StoreReader& reader, TrendDecoder& decoder, registry::ObjectCode object,
                        const std::vector<int>& chosen, const TrendRange& range, const std::atomic<bool>& cancel,
                        const TrendProgress& progress)
{
    TrendTable table;
    for (const int index : chosen)
        table.columns.push_back(decoder.candidates().at(index));
    table.packetsTotal = reader.historyCount(object);
    if (progress)
        progress(0, table.packetsTotal);
    reader.forEachPacket(object, [&](const registry::StoredPacket& packet) {
        if (cancel.load(std::memory_order_relaxed)) {
            table.cancelled = true;
            return false;
        }
        ++table.packetsRead;
        if (progress && table.packetsRead % kProgressEvery == 0)
            progress(table.packetsRead, table.packetsTotal);
        const std::optional<QDateTime> at = registry::ReceiptStampTime(packet.Date_Time_SMS);
        if (!at) {
            ++table.unreadableStamps;
            return true;
        }
        if (!range.contains(*at)) {
            ++table.outsideRange;
            return true;
        }
        TrendReading reading = decoder.read(packet.Text_SMS, chosen);
        TrendRow row{*at, reading.alarm, {}};
        row.values.reserve(reading.texts.size());
        for (const std::optional<QString>& text : reading.texts)
            row.values.push_back(NumberShown(text));
        table.rows.push_back(std::move(row));
        return true;
    });
    if (progress)
        progress(table.packetsRead, table.packetsTotal);
    // Packets are stored in the order they arrived; a code given again after a removal, or an
    // object's clock set back, puts a row out of time order.
    std::stable_sort(table.rows.begin(), table.rows.end(),
                     [](const TrendRow& a, const TrendRow& b) { return a.at < b.at; });
    return table;
}

std::vector<int> OfferedTrendControls(const registry::StoreReader& reader, TrendDecoder& decoder,
                                      registry::ObjectCode object)
{
    const std::vector<TrendControl>& candidates = decoder.candidates();
    std::vector<int> all(candidates.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    std::vector<bool> offered(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        offered[i] = candidates[i].alwaysNumeric;
    const QList<registry::StoredPacket> newest = reader.latestPackets(object, kOfferSamplePackets);
    // Oldest first, as the packets were drawn on the form.
    for (auto packet = newest.rbegin(); packet != newest.rend(); ++packet) {
        const TrendReading reading = decoder.read(packet->Text_SMS, all);
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (NumberShown(reading.texts[i]))
                offered[i] = true;
        }
    }
    std::vector<int> result;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (offered[i])
            result.push_back(int(i));
    }
    return result;
}

} // namespace kvt
