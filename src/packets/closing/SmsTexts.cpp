#include "packets/closing/SmsTexts.h"

#include "common/TextPos.h"
#include "common/Transliterate.h"
#include "packets/StateSummaries.h"

namespace kvt {

namespace {
// The dispatch point knows the country: the number goes without its first digit.
constexpr int kForwardPhoneFrom = 2;
constexpr int kForwardPhoneDigits = 10;
constexpr int kSmsTextLimit = 255;
} // namespace

QString ForwardText(const StatePacketResult& packet)
{
    const StateSummaries& summaries = packet.summaries;
    return Copy(packet.phone, kForwardPhoneFrom, kForwardPhoneDigits) + summaries.gkText() + QStringLiteral("; ")
        + summaries.forwardSummary() + QLatin1Char('|') + summaries.forwardAlarms();
}

QString AlarmSmsText(const StatePacketResult& packet)
{
    return packet.objectName + QStringLiteral(": ") + packet.summaries.alarmSummary();
}

QString SmsReadyText(QStringView text)
{
    return Transliterate(text).left(kSmsTextLimit);
}

} // namespace kvt
