#include "commands/ObjectDataSms.h"

#include "common/EventSink.h"
#include "gsm/SmsSender.h"
#include "settings/AlertSounds.h"

namespace kvt::commands {

namespace {
const QString kSentTitle = QStringLiteral("Были отправлены по GSM каналу данные объекту");
const QString kNotSentTitle = QStringLiteral("Не удалась попытка отправки данных объекту по GSM каналу");
} // namespace

bool SendObjectDataSms(gsm::SmsSender& sms, EventSink& log, AlertSounds& sounds, const QString& nodeText,
                       const QString& phone, const QString& dataHex)
{
    if (!sms.SendDataSms(dataHex, phone)) {
        log.LogEvent(kNotSentTitle, nodeText, EventColour::Red);
        return false;
    }
    log.LogEvent(kSentTitle, nodeText, EventColour::Yellow);
    sounds.playDataSent();
    return true;
}

} // namespace kvt::commands
