#include "settings/AlertSounds.h"

#include "common/SoundPlayer.h"
#include "settings/Settings.h"

namespace kvt {

const QString AlertSounds::kAlarm = QStringLiteral("Alarm");
const QString AlertSounds::kDataReceived = QStringLiteral("ReciveData");
const QString AlertSounds::kDataSent = QStringLiteral("SendData");

AlertSounds::AlertSounds(const Settings& settings, SoundPlayer* player) : settings_(settings), player_(player) {}

void AlertSounds::playAlarm()
{
    play(settings_->soundAlarm, kAlarm);
}

void AlertSounds::playDataReceived()
{
    play(settings_->soundDataReceived, kDataReceived);
}

void AlertSounds::playDataSent()
{
    play(settings_->soundDataSent, kDataSent);
}

void AlertSounds::play(bool switchedOn, const QString& name)
{
    if (switchedOn && player_)
        player_->play(name);
}

} // namespace kvt
