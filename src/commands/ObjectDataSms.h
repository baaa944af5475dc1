#pragma once

#include <QString>

namespace kvt {
class AlertSounds;
class EventSink;
namespace gsm {
class SmsSender;
}
} // namespace kvt

namespace kvt::commands {

// Sends data to an object as an 8-bit SMS and logs the outcome under the object's node text: a
// yellow line and the data-sent sound when the modem took the message, a red line when not.
// Returns whether it was taken.
bool SendObjectDataSms(gsm::SmsSender& sms, EventSink& log, AlertSounds& sounds, const QString& nodeText,
                       const QString& phone, const QString& dataHex);

} // namespace kvt::commands
