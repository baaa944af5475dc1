#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

#include <optional>

// The application payload carried in the RF data of the radio frames; its first byte tells the
// kind. Console to object: a poll request, a command frame, a settings frame. Object to
// console: one part of a report.
namespace kvt::links::radio {

inline constexpr char kPollRequest = 'P';
inline constexpr char kCommandPayload = 'C';
inline constexpr char kSettingsPayload = 'S';
inline constexpr char kReportPart = 'R';

QByteArray PollPayload();
QByteArray CommandPayload(QByteArrayView frame);
QByteArray SettingsPayload(QByteArrayView frame);

// 'R', part number (from 1), part count, then the report bytes of that part.
struct ReportPart {
    int number = 0;
    int count = 0;
    QByteArray bytes;
};
// None when the RF data is not a report part or its numbering is impossible.
std::optional<ReportPart> ParseReportPart(QByteArrayView rfData);

// Joins the parts of the reports of many sources. A report is handed over when its parts have
// come in order, the last within the window of the first, and make exactly kLinkReportSize
// bytes; anything else (a part missing or out of order, a late part, a wrong size) is
// dropped. A first part starts the source's report afresh.
class ReportAssembler {
public:
    explicit ReportAssembler(int windowMs) : windowMs_(windowMs) {}

    std::optional<QByteArray> add(quint64 source, const ReportPart& part, qint64 nowMs);
    // Forgets the reports whose window has run out.
    void expire(qint64 nowMs);
    int pendingSources() const { return int(pending_.size()); }
    int droppedReports() const { return dropped_; }

private:
    struct Pending {
        qint64 startedAt = 0;
        int count = 0;
        int received = 0;
        QByteArray bytes;
    };

    void drop(quint64 source);

    int windowMs_;
    QHash<quint64, Pending> pending_;
    int dropped_ = 0;
};

} // namespace kvt::links::radio
