#pragma once

#include <QString>

namespace kvt {

class Settings;
class SoundPlayer;

// The three sounds of the console, each played only while its switch in the settings is on.
// The sound buttons of the settings window and every other part of the console play them here.
class AlertSounds {
public:
    static const QString kAlarm;        // "Alarm": an alarm packet came in
    static const QString kDataReceived; // "ReciveData": a state packet was stored
    static const QString kDataSent;     // "SendData": a message went out successfully

    AlertSounds(const Settings& settings, SoundPlayer* player);

    void setPlayer(SoundPlayer* player) { player_ = player; }

    void playAlarm();
    void playDataReceived();
    void playDataSent();

private:
    void play(bool switchedOn, const QString& name);

    const Settings& settings_;
    SoundPlayer* player_;
};

} // namespace kvt
