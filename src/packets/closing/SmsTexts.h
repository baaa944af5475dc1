#pragma once

#include <QString>
#include <QStringView>

namespace kvt {

struct StatePacketResult;

// The texts a fully processed packet sends by SMS.

// To the higher dispatch point: the object's number without its first digit (at most ten
// digits), the GK text, "; ", the forward summary, "|", the forward alarm list.
QString ForwardText(const StatePacketResult& packet);

// To the subscribers on alarm: the object name, ": ", the alarm summary.
QString AlarmSmsText(const StatePacketResult& packet);

// A text as it is handed to a sender: transliterated to Latin and cut to 255 characters.
QString SmsReadyText(QStringView text);

} // namespace kvt
