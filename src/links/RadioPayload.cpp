#include "links/RadioPayload.h"

#include "links/LinkKind.h"

namespace kvt::links::radio {

namespace {

constexpr int kReportPartHeaderSize = 3; // kind, number, count

QByteArray Tagged(char kind, QByteArrayView frame)
{
    QByteArray payload(1, kind);
    payload.append(frame.data(), frame.size());
    return payload;
}

} // namespace

QByteArray PollPayload()
{
    return QByteArray(1, kPollRequest);
}

QByteArray CommandPayload(QByteArrayView frame)
{
    return Tagged(kCommandPayload, frame);
}

QByteArray SettingsPayload(QByteArrayView frame)
{
    return Tagged(kSettingsPayload, frame);
}

std::optional<ReportPart> ParseReportPart(QByteArrayView rfData)
{
    if (rfData.size() < kReportPartHeaderSize || rfData[0] != kReportPart)
        return std::nullopt;
    const int number = quint8(rfData[1]);
    const int count = quint8(rfData[2]);
    if (number < 1 || count < 1 || number > count)
        return std::nullopt;
    return ReportPart{number, count, rfData.sliced(kReportPartHeaderSize).toByteArray()};
}

void ReportAssembler::drop(quint64 source)
{
    if (pending_.remove(source))
        ++dropped_;
}

std::optional<QByteArray> ReportAssembler::add(quint64 source, const ReportPart& part, qint64 nowMs)
{
    expire(nowMs);
    if (part.number == 1) {
        drop(source); // an unfinished report of this source will not be finished now
        pending_.insert(source, Pending{nowMs, part.count, 0, {}});
    }
    auto it = pending_.find(source);
    if (it == pending_.end()) {
        ++dropped_; // a later part without its beginning
        return std::nullopt;
    }
    if (part.count != it->count || part.number != it->received + 1) {
        drop(source);
        return std::nullopt;
    }
    it->bytes += part.bytes;
    it->received = part.number;
    if (it->received < it->count)
        return std::nullopt;
    QByteArray report = std::move(it->bytes);
    pending_.erase(it);
    if (report.size() != kLinkReportSize) {
        ++dropped_;
        return std::nullopt;
    }
    return report;
}

void ReportAssembler::expire(qint64 nowMs)
{
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (nowMs - it->startedAt > windowMs_) {
            it = pending_.erase(it);
            ++dropped_;
        } else {
            ++it;
        }
    }
}

} // namespace kvt::links::radio
